// What the three buttons leave the window able to do after a cancelled dialog, a press that
// cannot start and a refusal the user corrects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "samplegen/sample_files.h"
#include "support/button_fixture.h"

namespace granomet::testing {
namespace {

constexpr const char* kCreated = "LOTE12_06062016_093005.csv HA SIDO CREADO.";

enum class Press { Lot, Export, Calculate, CancelLot, CancelExport, NameNoFolder, NameProposed };

struct Case {
  const char* name;
  std::vector<Press> presses;
  bool exportEnabled;
  bool calculateEnabled;
  std::size_t list1;
  std::string status;                 // Label8
  std::vector<std::string> messages;  // a fragment of each message shown, in order
  bool runKept = false;               // the last run stays for a report
};

void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

class WindowStatesTest : public ButtonTest, public ::testing::WithParamInterface<Case> {};

TEST_P(WindowStatesTest, LeavesButtonsThatWorkAndSaysWhyAPressCannotStart) {
  const Case& c = GetParam();
  const auto lot = write("LOTE12.csv", tools::makeLotFile({}));
  const auto exported = write("LOTE12_export.txt", tools::makeExportFile({}));
  for (const Press press : c.presses) {
    switch (press) {
      case Press::Lot:
        pressLot(lot);
        break;
      case Press::Export:
        pressExport(exported);
        break;
      case Press::Calculate:
        pressCalculate();
        break;
      case Press::CancelLot:
        pressLot(std::nullopt);
        break;
      case Press::CancelExport:
        pressExport(std::nullopt);
        break;
      case Press::NameNoFolder:
        window().setText(TextBoxId::recalculado_file, "no-such-folder/r.csv");
        break;
      case Press::NameProposed:
        window().setText(TextBoxId::recalculado_file, "LOTE12_06062016_093005.csv");
        break;
    }
  }
  EXPECT_EQ(window().enabled(ButtonId::exportbutton), c.exportEnabled);
  EXPECT_EQ(window().enabled(ButtonId::calculatot), c.calculateEnabled);
  EXPECT_EQ(items(ListId::List1).size(), c.list1);
  EXPECT_EQ(window().label(LabelId::Label8).text, c.status);
  ASSERT_EQ(window().messages().size(), c.messages.size());
  for (std::size_t i = 0; i < c.messages.size(); ++i) {
    EXPECT_NE(window().messages()[i].request.prompt.find(c.messages[i]), std::string::npos)
        << window().messages()[i].request.prompt;
  }
  EXPECT_EQ(tables().lastRun.completed, c.runKept);
  if (c.runKept) {
    EXPECT_EQ(window().text(TextBoxId::LOTE_file), "LOTE12.csv");
    EXPECT_EQ(window().text(TextBoxId::EXPORT_file), "LOTE12_export.txt");
    EXPECT_EQ(tables().lastRun.resultsPath, folder() / "LOTE12_06062016_093005.csv");
  }
}

const std::string kNoExport = "Falta el fichero de exportaci\xF3n";
const std::string kNoFolder = "r.csv: la carpeta no existe";

using enum Press;
INSTANTIATE_TEST_SUITE_P(
    EveryState, WindowStatesTest,
    ::testing::Values(
        // Cancelling either dialog changes nothing: the run stays whole, for its report too.
        Case{"CancelledLotAfterARun",
             {Lot, Export, Calculate, CancelLot},
             false,
             false,
             12,
             kCreated,
             {},
             true},
        Case{"CancelledLotAfterALot", {Lot, CancelLot}, true, true, 12, "", {}},
        Case{"CancelledExportAfterALot", {Lot, CancelExport}, true, true, 12, "", {}},
        Case{"CancelledExportThenCalculated",
             {Lot, Export, CancelExport, Calculate},
             false,
             false,
             12,
             kCreated,
             {},
             true},
        // Cálculo says why it cannot start, and the files stay chosen for the next press.
        Case{"CalculatedWithoutAnyFile",
             {Calculate},
             false,
             false,
             0,
             "",
             {"Falta el fichero de lote"}},
        Case{"CalculatedWithoutExport", {Lot, Calculate}, true, true, 12, "", {kNoExport}},
        Case{"CalculatedWithoutExportAfterACancel",
             {Lot, CancelExport, Calculate},
             true,
             true,
             12,
             "",
             {kNoExport}},
        Case{"MissingFolderCorrected",
             {Lot, Export, NameNoFolder, Calculate, NameProposed, Calculate},
             false,
             false,
             12,
             kCreated,
             {kNoFolder},
             true}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace granomet::testing
