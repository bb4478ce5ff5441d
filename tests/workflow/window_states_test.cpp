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

// NoFolder and Proposed type a results name: one in a missing folder, the proposed one.
enum class Press { Lot, Export, Run, CancelLot, CancelExport, NoFolder, Proposed };

struct Case {
  const char* name;
  std::vector<Press> presses;
  bool buttonsEnabled;  // the export and calculation buttons
  std::size_t list1;
  std::vector<std::string> messages;  // a fragment of each message shown, in order
  bool runKept = false;               // the last run stays for a report, its name in Label8
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
      case Press::Run:
        pressCalculate();
        break;
      case Press::CancelLot:
        pressLot(std::nullopt);
        break;
      case Press::CancelExport:
        pressExport(std::nullopt);
        break;
      case Press::NoFolder:
        window().setText(TextBoxId::recalculado_file, "no-such-folder/r.csv");
        break;
      case Press::Proposed:
        window().setText(TextBoxId::recalculado_file, "LOTE12_06062016_093005.csv");
        break;
    }
  }
  EXPECT_EQ(window().enabled(ButtonId::exportbutton), c.buttonsEnabled);
  EXPECT_EQ(window().enabled(ButtonId::calculatot), c.buttonsEnabled);
  EXPECT_EQ(items(ListId::List1).size(), c.list1);
  EXPECT_EQ(window().label(LabelId::Label8).text, c.runKept ? kCreated : "");
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
const std::vector<Case> kCases = {
    // Cancelling either dialog changes nothing: the run stays whole, for its report too.
    {"CancelledLotAfterARun", {Lot, Export, Run, CancelLot}, false, 12, {}, true},
    {"CancelledLotAfterALot", {Lot, CancelLot}, true, 12, {}},
    {"CancelledExportAfterALot", {Lot, CancelExport}, true, 12, {}},
    {"CancelledExportThenCalculated", {Lot, Export, CancelExport, Run}, false, 12, {}, true},
    // Cálculo says why it cannot start, and the files stay chosen for the next press.
    {"CalculatedWithoutAnyFile", {Run}, false, 0, {"Falta el fichero de lote"}},
    {"CalculatedWithoutExport", {Lot, Run}, true, 12, {kNoExport}},
    {"CalculatedWithoutExportAfterACancel", {Lot, CancelExport, Run}, true, 12, {kNoExport}},
    // A results name in a missing folder, refused, then the proposed one.
    {"FolderFixed", {Lot, Export, NoFolder, Run, Proposed, Run}, false, 12, {kNoFolder}, true},
};

INSTANTIATE_TEST_SUITE_P(EveryState, WindowStatesTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace granomet::testing
