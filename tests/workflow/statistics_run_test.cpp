// The statistics table of results files: its figures against an independent calculation, its
// refusals.
#include "workflow/statistics_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/button_fixture.h"
#include "support/test_data.h"

namespace granomet::testing {
namespace {

namespace fs = std::filesystem;

fs::path statisticsData(const std::string& name) {
  return testData() / "statistics" / name;
}

class StatisticsRunTest : public ButtonTest {};

// The expected tables come from tools/reference_statistics.py, a second
// calculation written apart from the program.
TEST_F(StatisticsRunTest, TablesMatchTheIndependentCalculation) {
  const struct {
    std::vector<fs::path> resultsFiles;
    char decimalMark;
    const char* expected;
  } cases[] = {
      {{batchExpected("plain_comma.csv"), batchExpected("mixed_comma.csv"),
        batchExpected("edited_comma.csv")},
       ',',
       "examples_comma.csv"},
      {{batchExpected("plain_point.csv")}, '.', "plain_point.csv"},
      {{statisticsData("odd_samples.csv")}, '.', "odd_samples_point.csv"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    const fs::path table = folder() / c.expected;
    const OutputRun run = runStatistics(c.resultsFiles, table, c.decimalMark);
    EXPECT_TRUE(run.problems.empty());
    EXPECT_EQ(fileBytes(table), fileBytes(statisticsData("expected") / c.expected));
  }
}

TEST_F(StatisticsRunTest, AFileThatCannotBeReadIsNamedAndTheOthersStillCount) {
  const fs::path good = batchExpected("plain_comma.csv");
  const fs::path notResults = write("LOTE12.csv", "LOTE12,GOLFO-16\r\n");
  // Twelve good samples, then a line cut short: the file gives none of them.
  const fs::path brokenAtItsEnd = write("cortado.csv", fileBytes(good) + "\"1\",\"M-13\"\r\n");
  const fs::path missing = folder() / "falta.csv";
  const fs::path table = folder() / "tabla.csv";
  const OutputRun run = runStatistics({notResults, good, brokenAtItsEnd, missing}, table, ',');
  ASSERT_EQ(run.problems.size(), 3U);
  EXPECT_NE(run.problems[0].find(notResults.string() + ", línea 1: no es un fichero de resultados"),
            std::string::npos);
  EXPECT_NE(run.problems[1].find(brokenAtItsEnd.string() + ", línea 14: tiene 2 campos"),
            std::string::npos);
  EXPECT_NE(run.problems[2].find(missing.string() + ": no se puede abrir"), std::string::npos);
  EXPECT_TRUE(run.written);
  EXPECT_EQ(run.samples, 12);
  const std::string written = fileBytes(table);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1 + 12);
}

TEST_F(StatisticsRunTest, TheTableNeverReplacesAResultsFileNorLeavesAPartialOne) {
  const std::string bytes = fileBytes(batchExpected("plain_comma.csv"));
  const fs::path results = write("R.csv", bytes);
  fs::create_directory(folder() / "sub");

  struct Refused {
    fs::path table;
    const char* says;
  };
  for (const Refused& refused : std::vector<Refused>{
           {folder() / "sub" / ".." / "R.csv", "es uno de los ficheros de resultados"},
           {folder() / "sub", "ese nombre es una carpeta"},
           {folder() / "no_existe" / "t.csv", "No se puede escribir la tabla"},
       }) {
    SCOPED_TRACE(refused.table);
    const OutputRun run = runStatistics({results}, refused.table, ',');
    EXPECT_FALSE(run.written);
    ASSERT_EQ(run.problems.size(), 1U);
    EXPECT_NE(run.problems[0].find(refused.says), std::string::npos) << run.problems[0];
  }
  EXPECT_EQ(fileBytes(results), bytes);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 2);
}

TEST(StatisticsTableName, IsTheFirstResultsFilesNameWithEstadisticos) {
  EXPECT_EQ(defaultTablePath("a/LOTE12_06062016.csv"),
            fs::path("a/LOTE12_06062016_estadisticos.csv"));
  EXPECT_EQ(defaultTablePath("R.CSV"), fs::path("R_estadisticos.CSV"));
  EXPECT_EQ(defaultTablePath("R.txt"), fs::path("R.txt_estadisticos.csv"));
}

}  // namespace
}  // namespace granomet::testing
