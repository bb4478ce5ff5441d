// The statistics table of results files: its refusals and its name. Its figures are compared
// with tools/reference_statistics.py's in granomet_informe_test.
#include "workflow/statistics_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "support/button_fixture.h"
#include "support/expected_file.h"
#include "support/test_data.h"

namespace granomet::testing {
namespace {

namespace fs = std::filesystem;

class StatisticsRunTest : public ButtonTest {};

// Files it cannot read are named and the others still count: twelve good samples, then a line
// cut short, give none. A table it cannot write, or that would replace a results file, is
// refused, and nothing is left of it. What it says is in
// tests/data/workflow/statistics_refusals.txt.
TEST_F(StatisticsRunTest, NamesWhatItCannotReadOrWriteAndNeverReplacesAResultsFile) {
  const std::string bytes = fileBytes(batchExpected("plain_comma.csv"));
  const fs::path good = write("R.csv", bytes);
  const fs::path notResults = write("LOTE12.csv", "LOTE12,GOLFO-16\r\n");
  const fs::path cut = write("cortado.csv", bytes + "\"1\",\"M-13\"\r\n");
  fs::create_directory(folder() / "sub");
  const std::pair<std::vector<fs::path>, fs::path> runs[] = {
      {{notResults, good, cut, folder() / "falta.csv"}, folder() / "tabla.csv"},
      {{good}, folder() / "sub" / ".." / "R.csv"},
      {{good}, folder() / "sub"},
      {{good}, folder() / "no_existe" / "t.csv"}};
  std::string said;
  for (const auto& [resultsFiles, table] : runs) {
    const OutputRun run = runStatistics(resultsFiles, table, ',');
    said += table.string() + (run.written ? ": escrita, " : ": no escrita, ") +
            std::to_string(run.samples) + " muestras\n";
    for (const std::string& problem : run.problems) {
      said += "  " + problem + "\n";
    }
  }
  expectSameAsFile(withoutFolder(said), testData() / "workflow" / "statistics_refusals.txt");
  const std::string written = fileBytes(folder() / "tabla.csv");
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1 + 12);
  EXPECT_EQ(fileBytes(good), bytes);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 5);
}

TEST(StatisticsTableName, IsTheFirstResultsFilesNameWithEstadisticos) {
  EXPECT_EQ(defaultTablePath("a/LOTE12_06062016.csv"),
            fs::path("a/LOTE12_06062016_estadisticos.csv"));
  EXPECT_EQ(defaultTablePath("R.CSV"), fs::path("R_estadisticos.CSV"));
  EXPECT_EQ(defaultTablePath("R.txt"), fs::path("R.txt_estadisticos.csv"));
}

}  // namespace
}  // namespace granomet::testing
