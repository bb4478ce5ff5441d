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
#include "support/csv_fields.h"
#include "support/expected_file.h"
#include "support/test_data.h"

namespace granomet::testing {
namespace {

// A run of the three buttons on a lot and an export; what the window shows, the graph and the
// results file's lines are in tests/data/workflow/runs/NAME.txt.
struct Scene {
  const char* name;
  std::string lot = tools::makeLotFile({});
  std::string exported = tools::makeExportFile({});
  std::string oldResults{};  // a results file of that name already there
  bool replaceAnsweredYes = false;
};

// Test names, listings and failures name the row, not its bytes.
void PrintTo(const Scene& scene, std::ostream* out) {
  *out << scene.name;
}

Scene generated(const char* name, const tools::SampleFileOptions& options) {
  return {name, tools::makeLotFile(options), tools::makeExportFile(options)};
}

// One record per lot name, at order numbers 1, 2, ...
std::string exportOfLots(const std::vector<std::string>& lots) {
  std::string exported;
  for (std::size_t i = 0; i < lots.size(); ++i) {
    const std::string file =
        tools::makeExportFile({.lotName = lots[i], .orderNumbers = {static_cast<int>(i) + 1}});
    exported += i == 0 ? file : file.substr(file.find("\r\n") + 2);
  }
  return exported;
}

class BatchRunTest : public ButtonTest, public ::testing::WithParamInterface<Scene> {};
using CalculationTest = ButtonTest;

TEST_P(BatchRunTest, ShowsAndWritesWhatTheRunFound) {
  const Scene& scene = GetParam();
  if (!scene.oldResults.empty()) {
    write(kResultsName, scene.oldResults);
  }
  if (scene.replaceAnsweredYes) {
    window().queueMessageAnswer(MessageAnswer::Yes);
  }
  pressLot(write("LOTE12.csv", scene.lot));
  pressExport(write("LOTE12_export.txt", scene.exported));
  const std::string outcome = outcomeName(pressCalculate());
  std::string text =
      "inicios de curvas: " + std::to_string(window().plotted().runStarts()) + ", curvas:";
  for (const auto& curve : window().plotted().curves()) {
    text += " " + curve.sampleName;
  }
  // Each line's order number, name and mean size in µm, and whether it ends whole.
  const std::filesystem::path resultsPath = folder() / kResultsName;
  const std::string results = fileBytes(resultsPath);
  text += std::filesystem::exists(resultsPath)
              ? "\nresultados, " + std::to_string(results.size()) + " bytes:\n"
              : "\nresultados: ninguno\n";
  for (std::size_t start = 0; start < results.size();) {
    const std::size_t end = std::min(results.find("\r\n", start), results.size());
    const std::vector<std::string> fields = csvFields(results.substr(start, end - start));
    text += "  " + fields[0].substr(0, 40) +
            (fields.size() > 18 ? " \xAB" + fields[1] + "\xBB " + fields[18] : "") +
            (end == results.size() ? " (sin CR LF)" : "") + "\n";
    start = end + 2;
  }
  expectSameAsFile("c\u00e1lculo: " + outcome + "\n" + windowText() + cp1252ToUtf8(text),
                   testData() / "workflow" / "runs" / (std::string(scene.name) + ".txt"));
}

std::vector<Scene> runs() {
  const std::string lot = tools::makeLotFile({});
  const std::string exported = tools::makeExportFile({});
  const tools::SampleFileOptions unreached{.sampleCount = 6,
                                           .orderNumbers = {1, 2, 4, 5, 6},  // 3 not exported
                                           .nameMismatchEvery = 3,           // "M-04B" at 4
                                           .otherLotEvery = 5,  // 6 only in another lot
                                           .allShellsRow = 2};  // reached, not calculated
  return {
      generated("ASampleWhoseNameDisagrees", {.sampleCount = 3, .nameMismatchEvery = 2}),
      // No matching sample: no file is created and an old one is left alone.
      {.name = "NoSampleRecords",
       .exported = "Fecha,Hora\r\n",
       .oldResults = "kept\r\n",
       .replaceAnsweredYes = true},
      {.name = "EveryRecordOfAnotherLot",
       .exported = tools::makeExportFile({.otherLotEvery = 1}),
       .oldResults = "kept\r\n",
       .replaceAnsweredYes = true},
      // A renamed lot file or the wrong export: the user is told which lots the export holds.
      {.name = "OneOtherLot", .exported = exportOfLots({"LOTE12X", "LOTE12X"})},
      {.name = "OtherLotsInTheirOrderBlanksTrimmed",
       .exported = exportOfLots({"B", "A", "B", " C "})},
      {.name = "TenOtherLotsNamedTheRestCounted",
       .exported = exportOfLots(
           {"L01", "L02", "L03", "L04", "L05", "L06", "L07", "L08", "L09", "L10", "L11", "L12"})},
      {.name = "ARecordOfTheLotAmongOthers", .exported = exportOfLots({"OTRO", "LOTE12"})},
      // Samples the run would pass over in silence are named on the count of calculated
      // samples; samples a record reached are calculated or listed in red.
      {.name = "LotSamplesNoRecordReached",
       .lot = tools::makeLotFile(unreached),
       .exported = replaced(tools::makeExportFile(unreached), ",M-05,", ", M-05 ,")},
      generated("ALongListOfUnreachedSamples", {.sampleCount = 30, .orderNumbers = {7}}),
      generated("RecordsSharingAnOrderNumber", {.orderNumbers = {4, 2, 4}}),
      // The row on the fifth line carries order number 6: record 5 stores it under 6
      // and compares its name with what number 5 holds, which nothing has set.
      {.name = "ALotRowOutOfLine", .lot = replaced(lot, "\r\n5,M-05,", "\r\n6,M-05,")},
      // The first reading trims the name, the calculation's reading keeps it as read.
      {.name = "LotNameWithBlanksInsideItsQuotes",
       .lot = replaced(lot, "\r\n4,M-04,", "\r\n4,\" M-04 \",")},
      // Behind the sample count: read by the calculation alone, which ignores it and goes on.
      {.name = "LotRowBehindTheCountOutOfRange",
       .lot = replaced(replaced(lot, "de muestras,12\r\n", "de muestras,3\r\n"), "\r\n4,M-04,",
                       "\r\n300,M-04,")},
      // The name can only be one the user typed or a second run of the same minute's lot.
      {.name = "AnExistingResultsFileKeptByDefault", .oldResults = std::string(100000, '~')},
      {.name = "AnExistingResultsFileReplacedWhole",
       .oldResults = std::string(100000, '~'),
       .replaceAnsweredYes = true},
  };
}

INSTANTIATE_TEST_SUITE_P(EveryRun, BatchRunTest, ::testing::ValuesIn(runs()),
                         ::testing::PrintToStringParamName());

// A path is not text: a folder whose name Windows-1252 cannot hold is read and
// written in like any other.
TEST_F(CalculationTest, AFolderNamedOutsideWindows1252IsReadAndWrittenIn) {
  tools::writeSampleFiles({}, folder() / "Łódź");
  pressLot(folder() / "Łódź/LOTE12.csv");
  pressExport(folder() / "Łódź/LOTE12_export.txt");
  EXPECT_EQ(window().text(TextBoxId::LOTE_file), "LOTE12.csv");
  ASSERT_EQ(pressCalculate(), RunOutcome::Completed);
  EXPECT_EQ(items(ListId::List1).size(), 12u);
  EXPECT_TRUE(std::filesystem::is_regular_file(folder() / "Łódź" / kResultsName));
}

// The ternary diagram places each curve's sample by the percentages and class its
// results line holds; the curve's finest class is the line's last field.
TEST_F(CalculationTest, EachCurveCarriesItsSamplesCompositionAndClass) {
  pressLot(write("LOTE12.csv", tools::makeLotFile({.nameMismatchEvery = 5})));
  pressExport(write("LOTE12_export.txt", tools::makeExportFile({.nameMismatchEvery = 5})));
  ASSERT_EQ(pressCalculate(), RunOutcome::Completed);
  const auto lines = parseResultsFile(fileBytes(folder() / kResultsName)).lines;
  const auto& curves = window().plotted().curves();
  ASSERT_EQ(curves.size(), lines.size());
  EXPECT_FLOAT_EQ(curves[0].x[67], std::log(8000.0f));
  EXPECT_EQ(curves[0].y[67], 0);
  for (std::size_t i = 0; i < curves.size(); ++i) {
    const SampleComposition& made = curves[i].composition;
    const ResultsSample& written = lines[i].sample;
    EXPECT_EQ(lines[i].fields[1], curves[i].sampleName);
    EXPECT_EQ(curves[i].y[0], static_cast<float>(std::stod(lines[i].fields.back()))) << i;
    EXPECT_EQ(shepardName(static_cast<std::int16_t>(made.shepardCode)), lines[i].fields[11]) << i;
    // Written with two decimals.
    EXPECT_NEAR(made.gravelPercent, written.gravelPercent, 0.005 + 1e-9) << i;
    EXPECT_NEAR(made.sandPercent, written.sandPercent, 0.005 + 1e-9) << i;
    EXPECT_NEAR(made.siltPercent, written.siltPercent, 0.005 + 1e-9) << i;
    EXPECT_NEAR(made.clayPercent, written.clayPercent, 0.005 + 1e-9) << i;
  }
}

}  // namespace
}  // namespace granomet::testing
