// The report's content from results files, and when it is written: the drawing itself is
// replaced by a stand-in.
#include "workflow/report_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "data/text_encoding.h"
#include "results/whole_file.h"
#include "samplegen/sample_files.h"
#include "support/button_fixture.h"
#include "support/expected_file.h"
#include "support/test_data.h"
#include "workflow/results_set.h"
#include "workflow/window_report.h"

namespace granomet::testing {
namespace {

namespace fs = std::filesystem;

class ReportRunTest : public ButtonTest {};

// The drawing's stand-in: the report's first fact and its number of sample pages,
// a page at a time, told to progress.
OutputEnd fakeDrawing(const Report& report, WholeFileSink& sink, const ReportProgress& progress) {
  sink.write("%PDF " + report.facts.at(0) + " " + std::to_string(report.sampleCount));
  for (int page = 1; page <= report.sampleCount; ++page) {
    sink.write(std::string(1000, 'x'));
    if (progress && !progress(page, report.sampleCount)) {
      return OutputEnd::Stopped;
    }
  }
  return OutputEnd::Made;
}
const auto legible = [] { return std::string(); };  // no font missing
const ReportRenderer fakePdf{legible, fakeDrawing};

TEST_F(ReportRunTest, WritesTheDrawnReportOnlyWhenItCanBeWrittenWhole) {
  const fs::path results = folder() / "LOTE12_06062016_093005.csv";
  fs::copy_file(batchExpected("plain_comma.csv"), results);
  const fs::path report = folder() / "informe.pdf";
  const ReportContext context{{2026, 12, 7, 10, 0, 0}, ',', false, {}, {}, {}};

  int told = 0;
  OutputRun run = runReport({results}, report, context, fakePdf, [&told](int done, int pages) {
    told = done == told + 1 && pages == 12 ? done : -1;
    return true;
  });
  EXPECT_TRUE(run.written && run.problems.empty());
  EXPECT_EQ(told, 12) << "every page told, in order";
  const std::string written = fileBytes(report);
  EXPECT_EQ(written.substr(0, 20), "%PDF Lote: LOTE12 12");

  // Whatever stops it leaves the file that was there, and nothing beside it; what each run
  // says is in tests/data/workflow/report_refusals.txt.
  const ReportRenderer failing{legible, [](const Report&, WholeFileSink&, const ReportProgress&) {
                                 return OutputEnd::Failed;
                               }};
  const ReportRenderer illegible{[] { return std::string("sin letras"); }, fakeDrawing};
  const std::tuple<std::vector<fs::path>, fs::path, ReportRenderer> refusals[] = {
      {{results}, results, fakePdf},
      {{results}, folder(), fakePdf},
      {{folder() / "falta.csv"}, report, fakePdf},
      {{results}, report, failing},
      {{results}, report, illegible},
      {{results}, report, fakePdf},  // stopped on the third page
  };
  std::string said;
  for (const auto& [resultsFiles, name, renderer] : refusals) {
    run = runReport(resultsFiles, name, context, renderer, [](int done, int) { return done < 3; });
    said += name.string() + (run.written ? ": escrito" : ": no escrito") +
            (run.stopped ? ", parado\n" : "\n");
    for (const std::string& problem : run.problems) {
      said += "  " + problem + "\n";
    }
  }
  expectSameAsFile(withoutFolder(said), testData() / "workflow" / "report_refusals.txt");
  EXPECT_EQ(fileBytes(report), written);
  EXPECT_EQ(fileBytes(results), fileBytes(batchExpected("plain_comma.csv")));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 2);
}

// A sample's classes on its own pages: each bounded class's weight spread over its
// width in phi, the percentage finer than each listed class's lower bound from the
// curve normalised to its total, the classes without weight at either end named; in
// tests/data/workflow/report_classes.txt.
TEST(ReportContent, GivesEachClassItsDensityAndThePercentageFinerThanIt) {
  // Weights by class (3000-6000 µm is class 3, one phi wide); the second case's do not
  // add up to 100; the open coarsest class has no width, hence no bar: its weight is said.
  const std::vector<std::map<int, double>> cases = {
      {{3, 10}, {20, 90}}, {{3, 5}, {20, 45}}, {{1, 30}, {68, 70}}, {{4, 100}}, {}};
  std::string text;
  for (const auto& weights : cases) {
    ResultsSet results = readResultsFiles({batchExpected("plain_comma.csv")});
    SizeDistribution& classes = results.files.at(0).contents.lines.at(0).sample.classes;
    for (int j = 1; j <= kSizeClasses; ++j) {
      classes.weight[j] = weights.count(j) > 0 ? weights.at(j) : 0;
    }
    const ReportSamplePage page =
        reportOf(results, {{2026, 12, 7, 10, 0, 0}, ',', false, {}, {}, {}}).samplePage(0);
    text += "pesos";
    for (const auto& [j, weight] : weights) {
      text += " " + std::to_string(j) + ":" + std::to_string(weight);
    }
    text += "\n" + std::to_string(page.histogram.size()) + " barras, curva de " +
            std::to_string(page.probability.size()) + " puntos\n";
    for (const ReportBar& bar : page.histogram) {
      if (bar.density != 0) {
        text += "  barra " + std::to_string(bar.phiFrom) + " a " + std::to_string(bar.phiTo) +
                " phi: " + std::to_string(bar.density) + "\n";
      }
    }
    for (const auto& row : page.classes.rows) {
      text += " ";
      for (const std::string& cell : row) {
        text += " | " + cell;
      }
      text += "\n";
    }
    text += "  " + page.classesOmitted + "\n  " + page.histogramNote + "\n  " +
            page.probabilityNote + "\n";
  }
  expectSameAsFile(cp1252ToUtf8(text), testData() / "workflow" / "report_classes.txt");
}

// A sample is numbered by its order number in its lot, the lot's name before it
// where the report holds several lots, and a letter after a number met again, the
// same on the summary, the triangles and its own page. The lot and the date are
// taken from the file's name and the clock; the rest of what the report says is
// compared whole in granomet_informe_test. In tests/data/workflow/report_numbers.txt:
// each case's facts, then samples 1, 12 and 13 as the summary, the first triangle and
// the sample's heading number them.
TEST(ReportContent, NumbersEachSampleByItsLotAndItsOrderInIt) {
  // The files' names, each the example's results, and the run's lot name.
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"LOTE12_06062016_093005.csv"}, ""},
      {{"LOTE7_01012020_000000.CSV"}, ""},
      {{"LOTE12_06062016_093005.csv", "LOTE12_07062016_100000.csv"}, ""},
      {{"LOTE12_06062016_093005.csv", "LOTE13_06062016_093005.csv"}, ""},
      {{"a.csv", "b.csv"}, ""},
      {{"a.csv", "b.csv"}, "LOTE12"},
  };
  std::string text;
  for (const auto& [names, lotName] : cases) {
    ResultsSet results =
        readResultsFiles(std::vector<fs::path>(names.size(), batchExpected("plain_comma.csv")));
    text += "lote \xAB" + lotName + "\xBB:";
    for (std::size_t i = 0; i < names.size(); ++i) {
      results.files.at(i).name = names[i];
      text += " " + names[i];
    }
    const Report report = reportOf(results, {{2026, 12, 7, 10, 0, 0}, ',', false, lotName, {}, {}});
    for (const std::string& fact : report.facts) {
      text += "\n  " + fact;
    }
    text += "\n  sin registro \xAB" + report.unreachedHeading + "\xBB\n";
    for (const int sample : {0, 11, 12}) {
      if (sample < report.sampleCount) {
        const auto at = static_cast<std::size_t>(sample);
        text += "  " + report.summary.rows.at(at).at(0) + " | " +
                report.triangles.at(0).points.at(at).label + " | " +
                report.samplePage(sample).heading + "\n";
      }
    }
  }
  expectSameAsFile(cp1252ToUtf8(text), testData() / "workflow" / "report_numbers.txt");
}

// From the window: the results file the run just wrote, the lot's name and the
// samples no record reached.
TEST_F(ReportRunTest, TheWindowsReportIsMadeFromTheLastRunsResults) {
  EXPECT_TRUE(proposedReportPath(tables()).empty());
  EXPECT_EQ(reportOfLastRun(tables(), folder() / "x.pdf", platform(), fakePdf).icon,
            MessageIcon::Warning);

  // 3 and 6 measured but not exported.
  tools::writeSampleFiles({.sampleCount = 6, .orderNumbers = {1, 2, 4, 5}}, folder());
  pressLot(folder() / "LOTE12.csv");
  pressExport(folder() / "LOTE12_export.txt");
  ASSERT_EQ(pressCalculate(), RunOutcome::Completed);

  const fs::path proposed = proposedReportPath(tables());
  const fs::path results = tables().lastRun.resultsPath;
  EXPECT_EQ(proposed, results.parent_path() / (results.stem().string() + "_informe.pdf"));

  std::optional<Report> drawn;
  const ReportRenderer keeping{
      legible, [&](const Report& r, WholeFileSink& sink, const ReportProgress& progress) {
        drawn = r;
        return fakeDrawing(r, sink, progress);
      }};
  const MessageRequest said = reportOfLastRun(tables(), proposed, platform(), keeping);
  EXPECT_EQ(said.icon, MessageIcon::None) << said.prompt;
  ASSERT_TRUE(drawn);
  // M-04 after M-02 is the lot's fourth sample, not the report's third.
  EXPECT_EQ(drawn->summary.rows.at(2).at(0) + " " + drawn->summary.rows.at(2).at(1), "4 M-04");
  EXPECT_EQ(drawn->unreached.size(), 2u);
  // The stand-in writes the lot's fact and the number of samples.
  EXPECT_EQ(fileBytes(proposed).substr(0, 19), "%PDF Lote: LOTE12 4");

  // Refused over the results file itself, which stays.
  const std::string written = fileBytes(results);
  EXPECT_EQ(reportOfLastRun(tables(), results, platform(), fakePdf).icon, MessageIcon::Error);
  EXPECT_EQ(fileBytes(results), written);
}

}  // namespace
}  // namespace granomet::testing
