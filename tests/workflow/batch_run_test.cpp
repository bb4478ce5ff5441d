// The calculation button on a headless window: lists, counts, status, the results file, failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "compute/shepard.h"
#include "data/text_encoding.h"
#include "samplegen/sample_files.h"
#include "statistics/results_reader.h"
#include "support/button_fixture.h"
#include "support/test_data.h"

namespace granomet::testing {
namespace {

constexpr const char* kResultsName = "LOTE12_06062016_093005.csv";

// The List2 item of a sample that was not calculated: "NAME ¿n?".
std::string ignoredItem(const std::string& name, const std::string& order) {
  return name + " \xBF" + order + "?";
}

class BatchRunTest : public ButtonTest {
 protected:
  // The lot and export buttons pressed on generated files; true when both succeeded.
  void prepare(const tools::SampleFileOptions& options = {}) {
    prepare(tools::makeLotFile(options), tools::makeExportFile(options), options.lotName);
  }
  void prepare(const std::string& lot, const std::string& exported,
               const std::string& lotName = "LOTE12") {
    pressLot(write(lotName + ".csv", lot));
    pressExport(write(lotName + "_export.txt", exported));
    ASSERT_TRUE(window().enabled(ButtonId::calculatot));
  }

  std::string results() { return fileBytes(folder() / kResultsName); }
  std::vector<std::string> resultLines() {
    std::vector<std::string> lines;
    const std::string text = results();
    for (std::size_t start = 0; start < text.size();) {
      const auto end = text.find("\r\n", start);
      lines.push_back(text.substr(start, end - start));
      start = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
  }
  std::string label(LabelId id) { return window().label(id).text; }
  std::vector<std::string> prompts() {
    std::vector<std::string> texts;
    for (const auto& message : window().messages()) {
      texts.push_back(message.request.prompt);
    }
    return texts;
  }
  void expectEndState() {
    EXPECT_FALSE(window().enabled(ButtonId::calculatot));
    EXPECT_FALSE(window().enabled(ButtonId::exportbutton));
    EXPECT_EQ(window().label(LabelId::Label8).textColor, kDarkRed);
    EXPECT_EQ(window().label(LabelId::Label8).backColor, kLightYellow);
    EXPECT_EQ(label(LabelId::Label10), std::to_string(items(ListId::List1).size()));
    EXPECT_EQ(label(LabelId::Label11), std::to_string(items(ListId::List2).size()));
  }
};

TEST_F(BatchRunTest, ASampleWhoseNameDisagreesIsIgnoredAndTheOthersAreWritten) {
  tools::SampleFileOptions options;
  options.sampleCount = 3;
  options.nameMismatchEvery = 2;
  prepare(options);
  EXPECT_EQ(pressCalculate(), RunOutcome::Completed);

  ASSERT_EQ(items(ListId::List1).size(), 2u);
  EXPECT_TRUE(items(ListId::List1)[0].starts_with("M-01  "));
  EXPECT_TRUE(items(ListId::List1)[1].starts_with("M-03  "));
  EXPECT_EQ(items(ListId::List2), std::vector<std::string>{ignoredItem("M-02B", "2")});
  ASSERT_EQ(window().messages().size(), 1u);
  const MessageRequest& warning = window().messages()[0].request;
  EXPECT_EQ(warning.prompt, "Probablemente el Numero de Orden de M-02B en Export es erroneo.");
  EXPECT_EQ(window().list(ListId::List2).reasons, std::vector<std::string>{warning.prompt});
  EXPECT_EQ(effectiveTitle(warning), "Granomet");
  EXPECT_EQ(warning.icon, MessageIcon::Warning);
  EXPECT_EQ(warning.buttons, MessageButtons::Ok);

  EXPECT_EQ(label(LabelId::Label8), std::string(kResultsName) + " HA SIDO CREADO.");
  expectEndState();
  const std::vector<std::string> lines = resultLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(lines[1].starts_with("1,\"M-01\","));
  EXPECT_TRUE(lines[2].starts_with("3,\"M-03\","));
  EXPECT_TRUE(results().ends_with("\r\n"));

  const HeadlessGraph& graph = window().plotted();
  EXPECT_EQ(graph.runStarts(), 1);
  ASSERT_EQ(graph.curves().size(), 2u);
  EXPECT_EQ(graph.curves()[1].sampleName, "M-03");
  EXPECT_FLOAT_EQ(graph.curves()[0].x[67], std::log(8000.0f));
  EXPECT_EQ(graph.curves()[0].y[67], 0);
  // The finest class is the results line's last field.
  const std::string finest = lines[2].substr(lines[2].rfind(',') + 1);
  EXPECT_EQ(graph.curves()[1].y[0], static_cast<float>(std::stod(finest)));
}

// The ternary diagram places each curve's sample by the percentages and class its
// results line holds.
TEST_F(BatchRunTest, EachCurveCarriesItsSamplesCompositionAndClass) {
  tools::SampleFileOptions options;
  options.sampleCount = 12;
  options.nameMismatchEvery = 5;
  prepare(options);
  ASSERT_EQ(pressCalculate(), RunOutcome::Completed);
  const auto lines = parseResultsFile(results()).lines;
  const auto& curves = window().plotted().curves();
  ASSERT_EQ(curves.size(), lines.size());
  for (std::size_t i = 0; i < curves.size(); ++i) {
    const SampleComposition& made = curves[i].composition;
    const ResultsSample& written = lines[i].sample;
    EXPECT_EQ(lines[i].fields[1], curves[i].sampleName);
    EXPECT_EQ(shepardName(static_cast<std::int16_t>(made.shepardCode)), lines[i].fields[11]) << i;
    // Written with two decimals.
    EXPECT_NEAR(made.gravelPercent, written.gravelPercent, 0.005 + 1e-9) << i;
    EXPECT_NEAR(made.sandPercent, written.sandPercent, 0.005 + 1e-9) << i;
    EXPECT_NEAR(made.siltPercent, written.siltPercent, 0.005 + 1e-9) << i;
    EXPECT_NEAR(made.clayPercent, written.clayPercent, 0.005 + 1e-9) << i;
  }
}

// A path is not text: a folder whose name Windows-1252 cannot hold is read and
// written in like any other.
TEST_F(BatchRunTest, AFolderNamedOutsideWindows1252IsReadAndWrittenIn) {
  std::filesystem::create_directory(folder() / "Łódź");
  pressLot(write("Łódź/LOTE12.csv", tools::makeLotFile({})));
  pressExport(write("Łódź/LOTE12_export.txt", tools::makeExportFile({})));
  EXPECT_EQ(window().text(TextBoxId::LOTE_file), "LOTE12.csv");
  ASSERT_EQ(pressCalculate(), RunOutcome::Completed);
  EXPECT_EQ(items(ListId::List1).size(), 12u);
  EXPECT_TRUE(std::filesystem::is_regular_file(folder() / "Łódź" / kResultsName));
}

TEST_F(BatchRunTest, NoMatchingSampleCreatesNoFileAndLeavesAnOldOneAlone) {
  tools::SampleFileOptions otherLot;
  otherLot.otherLotEvery = 1;
  const struct {
    const char* name;
    std::string exported;
    std::size_t warnings;  // besides the question to replace the file
  } cases[] = {
      {"no sample records", "Fecha,Hora\r\n", 0},
      {"every record of another lot", tools::makeExportFile(otherLot), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    write(kResultsName, "kept\r\n");
    prepare(tools::makeLotFile({}), c.exported);
    const std::size_t before = window().messages().size();
    window().queueMessageAnswer(MessageAnswer::Yes);  // replace it
    EXPECT_EQ(pressCalculate(), RunOutcome::Completed);
    EXPECT_TRUE(items(ListId::List1).empty());
    EXPECT_TRUE(items(ListId::List2).empty());
    EXPECT_EQ(label(LabelId::Label10), "0");
    EXPECT_EQ(label(LabelId::Label11), "0");
    EXPECT_EQ(label(LabelId::Label8), "Sin muestras coincidentes");
    EXPECT_EQ(results(), "kept\r\n");
    EXPECT_EQ(window().messages().size(), before + 1 + c.warnings);
    expectEndState();
  }
}

// One record per lot name, at order numbers 1, 2, ...
std::string exportOfLots(const std::vector<std::string>& lots) {
  std::string exported;
  for (std::size_t i = 0; i < lots.size(); ++i) {
    tools::SampleFileOptions options;
    options.lotName = lots[i];
    options.orderNumbers = {static_cast<int>(i) + 1};
    const std::string file = tools::makeExportFile(options);
    exported += i == 0 ? file : file.substr(file.find("\r\n") + 2);
  }
  return exported;
}

// A renamed lot file or the wrong export: the user is told which lots the export holds.
TEST_F(BatchRunTest, ARunWithNoRecordOfTheLotNamesTheLotsTheExportHolds) {
  std::vector<std::string> twelveLots;
  for (int i = 1; i <= 12; ++i) {
    twelveLots.push_back(std::string(i < 10 ? "L0" : "L") + std::to_string(i));
  }
  const struct {
    const char* name;
    std::vector<std::string> lots;
    const char* named;  // none: no such warning
  } cases[] = {
      {"one other lot", {"LOTE12X", "LOTE12X"}, "todas son del lote «LOTE12X»."},
      {"distinct, in the order they come, blanks trimmed",
       {"B", "A", "B", " C "},
       "son de los lotes «B», «A» y «C»."},
      {"ten named, the rest counted", twelveLots,
       "son de los lotes «L01», «L02», «L03», «L04», «L05», «L06», «L07», «L08», «L09», «L10» y "
       "2 más."},
      {"a record of the lot among them", {"OTRO", "LOTE12"}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(folder() / kResultsName);
    prepare(tools::makeLotFile({}), exportOfLots(c.lots));
    const std::size_t before = window().messages().size();
    EXPECT_EQ(pressCalculate(), RunOutcome::Completed);
    const bool told = window().messages().size() > before &&
                      effectiveTitle(window().messages().back().request) == "SIN MUESTRAS DEL LOTE";
    ASSERT_EQ(told, c.named != nullptr);
    if (told) {
      EXPECT_EQ(label(LabelId::Label8), "Sin muestras coincidentes");
      const std::string& prompt = window().messages().back().request.prompt;
      EXPECT_TRUE(prompt.starts_with(
          "Ninguna muestra del fichero de exportaci\xF3n LOTE12_export.txt es del lote "
          "\xABLOTE12\xBB: "))
          << prompt;
      EXPECT_NE(prompt.find(utf8ToCp1252(c.named)), std::string::npos) << prompt;
    }
  }
}

// Samples the run would pass over in silence are named on the count of calculated samples
// and kept for a later press; samples a record reached are calculated or listed in red.
TEST_F(BatchRunTest, TheLotSamplesNoRecordReachedAreNamedAndKept) {
  tools::SampleFileOptions options;
  options.sampleCount = 6;
  options.allShellsRow = 2;                // reached, not calculated
  options.orderNumbers = {1, 2, 4, 5, 6};  // 3 not exported
  options.nameMismatchEvery = 3;           // "M-04B" at 4
  options.otherLotEvery = 5;               // 6 only in another lot
  const std::string exported = replaced(tools::makeExportFile(options), ",M-05,", ", M-05 ,");
  prepare(tools::makeLotFile(options), exported);
  EXPECT_EQ(pressCalculate(), RunOutcome::Completed);

  EXPECT_EQ(items(ListId::List1).size(), 2u);
  EXPECT_EQ(items(ListId::List2),
            (std::vector<std::string>{ignoredItem("M-02", "2"), ignoredItem("M-04B", "4")}));
  EXPECT_EQ(window().list(ListId::List2).reasons, prompts()) << "each item's warning";
  const LastRun& last = tables().lastRun;
  EXPECT_TRUE(last.completed);
  EXPECT_EQ(last.resultsPath, folder() / kResultsName);
  EXPECT_EQ(last.unreachedSamples,
            (std::vector<std::string>{"003  M-03", "004  M-04", "006  M-06"}));
  EXPECT_EQ(window().label(LabelId::Label10).toolTip,
            "3 muestras del lote no est\xE1n en la exportaci\xF3n con su n\xFAmero de orden y su "
            "nombre:\n003  M-03\n004  M-04\n006  M-06");

  pressLot(folder() / "LOTE12.csv");
  EXPECT_TRUE(tables().lastRun.unreachedSamples.empty());
  EXPECT_TRUE(tables().lastRun.resultsPath.empty());
  EXPECT_EQ(window().label(LabelId::Label10).toolTip, "");
}

TEST_F(BatchRunTest, ALongListOfUnreachedSamplesIsCutInTheTooltipAndKeptWhole) {
  tools::SampleFileOptions options;
  options.sampleCount = 30;
  options.orderNumbers = {7};
  prepare(options);
  pressCalculate();
  EXPECT_EQ(tables().lastRun.unreachedSamples.size(), 29u);
  EXPECT_EQ(tables().lastRun.unreachedSamples.back(), "030  M-30");
  const std::string& tip = window().label(LabelId::Label10).toolTip;
  EXPECT_EQ(std::count(tip.begin(), tip.end(), '\n'), 21);
  EXPECT_TRUE(tip.ends_with("\n021  M-21\ny 9 m\xE1s.")) << tip;
}

// The name can only be one the user typed or a second run of the same minute's lot.
TEST_F(BatchRunTest, AnExistingResultsFileIsReplacedWholeOnlyWhenTheUserSaysSo) {
  const std::string old(100000, '~');
  write(kResultsName, old);
  prepare();
  EXPECT_EQ(pressCalculate(), RunOutcome::Refused) << "No is the default";
  ASSERT_EQ(window().messages().size(), 1u);
  const MessageRequest& question = window().messages().back().request;
  EXPECT_EQ(question.prompt, "El fichero " + std::string(kResultsName) +
                                 " ya existe. \xBF"
                                 "Desea reemplazarlo?");
  EXPECT_EQ(question.buttons, MessageButtons::YesNo);
  EXPECT_EQ(defaultAnswer(question), MessageAnswer::No);
  EXPECT_EQ(results(), old);
  EXPECT_EQ(items(ListId::List1).size(), 12u) << "the export's listing stays";
  EXPECT_TRUE(window().enabled(ButtonId::calculatot));
  EXPECT_TRUE(window().enabled(ButtonId::exportbutton));
  EXPECT_EQ(window().plotted().runStarts(), 0);

  window().queueMessageAnswer(MessageAnswer::Yes);
  EXPECT_EQ(pressCalculate(), RunOutcome::Completed);
  EXPECT_EQ(resultLines().size(), 13u);
  EXPECT_EQ(results().find('~'), std::string::npos);
}

TEST_F(BatchRunTest, NothingHappensWithoutALotAndAnExport) {
  prepare();
  window().setText(TextBoxId::EXPORT_file, "");
  EXPECT_EQ(pressCalculate(), RunOutcome::NotStarted);
  EXPECT_EQ(items(ListId::List1).size(), 12u) << "the export's listing stays";
  EXPECT_TRUE(window().enabled(ButtonId::calculatot));
  EXPECT_EQ(window().plotted().runStarts(), 1);
}

TEST_F(BatchRunTest, RecordsSharingAnOrderNumberAreBothWrittenInFileOrder) {
  tools::SampleFileOptions options;
  options.orderNumbers = {4, 2, 4};
  prepare(options);
  pressCalculate();
  const std::vector<std::string> lines = resultLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_TRUE(lines[1].starts_with("4,"));
  EXPECT_TRUE(lines[2].starts_with("2,"));
  EXPECT_TRUE(lines[3].starts_with("4,"));
  EXPECT_NE(lines[1], lines[3]) << "the second record's own curve";
}

TEST_F(BatchRunTest, ALotRowOutOfLineIsReadUnderItsOwnNumber) {
  // The row on the fifth line carries order number 6: record 5 stores it under 6
  // and compares its name with what number 5 holds, which nothing has set.
  const std::string shifted = replaced(tools::makeLotFile({}), "\r\n5,M-05,", "\r\n6,M-05,");
  prepare(shifted, tools::makeExportFile({}));
  pressCalculate();
  EXPECT_EQ(items(ListId::List1).size(), 11u);
  EXPECT_EQ(items(ListId::List2), std::vector<std::string>{ignoredItem("M-05", "5")});
  EXPECT_EQ(lot().records[6].name, "M-06");
}

// Each row spoils one record; the run lists it in List2, warns and goes on. A lot
// row that its button does not read (behind the sample count) is read by the
// calculation.
TEST_F(BatchRunTest, ARecordThatCannotBeUsedIsIgnoredAndTheRunGoesOn) {
  const std::string lot = tools::makeLotFile({});
  const std::string exported = tools::makeExportFile({});
  // Rows 1 to 3 are the lot; the row on the fourth line is read only by the calculation.
  const std::string threeRows = replaced(lot, "de muestras,12\r\n", "de muestras,3\r\n");
  const struct {
    const char* name;
    std::string lotBefore;
    std::string item;
    const char* cause;
  } cases[] = {
      // The first reading trims the name, the calculation's reading keeps it as read.
      {"lot name with blanks inside its quotes", replaced(lot, "\r\n4,M-04,", "\r\n4,\" M-04 \","),
       ignoredItem("M-04", "4"), "Probablemente el Numero de Orden de M-04 en Export es erroneo."},
      {"lot row with an order number out of range",
       replaced(threeRows, "\r\n4,M-04,", "\r\n300,M-04,"), ignoredItem("M-04", "4"),
       "300, fuera de 1 a 254"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(folder() / kResultsName);
    prepare(c.lotBefore, exported);
    const std::size_t before = window().messages().size();
    EXPECT_EQ(pressCalculate(), RunOutcome::Completed);
    EXPECT_EQ(items(ListId::List2), std::vector<std::string>{c.item});
    ASSERT_EQ(window().messages().size(), before + 1);
    const MessageRequest& warning = window().messages().back().request;
    EXPECT_NE(warning.prompt.find(c.cause), std::string::npos) << warning.prompt;
    EXPECT_EQ(warning.icon, MessageIcon::Warning);
    EXPECT_EQ(items(ListId::List1).size(), 11u);
    const std::vector<std::string> lines = resultLines();
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
      return line.starts_with("5,\"M-05\",");
    })) << "the record behind the spoilt one is calculated";
    expectEndState();
  }
}

}  // namespace
}  // namespace granomet::testing
