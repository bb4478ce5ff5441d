// The lot summary against tools/reference_summary.py, a second calculation with Python's
// statistics module from the statistics table the program writes; and the report's tables of it.
#include "workflow/lot_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "compute/shepard.h"
#include "data/text_encoding.h"
#include "samplegen/sample_files.h"
#include "support/button_fixture.h"
#include "support/test_data.h"
#include "workflow/statistics_run.h"
#include "workflow/statistics_table.h"

namespace granomet::testing {
namespace {

namespace fs = std::filesystem;

class LotSummaryTest : public ButtonTest {
 protected:
  // The results of a generated lot of so many samples, as a run writes them.
  fs::path generatedResults(int samples) {
    tools::SampleFileOptions options;
    options.sampleCount = samples;
    tools::writeSampleFiles(options, folder());
    pressLot(folder() / "LOTE12.csv");
    pressExport(folder() / "LOTE12_export.txt");
    const fs::path results = folder() / "resultados.csv";
    calculatot(tables(), window(), platform(), ExistingResults::Replace, results);
    return results;
  }
};

// Every figure by what it is, as tools/reference_summary.py names it: "%Grava mean",
// "shepard Sand", "folk (g)S".
using Figures = std::map<std::string, double>;

Figures referenceOf(const fs::path& table, char mark, const fs::path& out) {
  const std::string command =
      "python3 '" + (testData() / "../../tools/reference_summary.py").string() + "' --mark " +
      mark + " '" + table.string() + "' '" + out.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  Figures figures;
  std::istringstream in(fileBytes(out));
  for (std::string line; std::getline(in, line);) {
    figures[line.substr(0, line.find('\t'))] = std::stod(line.substr(line.find('\t') + 1));
  }
  return figures;
}

Figures figuresOf(const LotSummary& summary) {
  Figures figures;
  for (const ColumnSummary& column : summary.columns) {
    const std::string title(statisticsTableColumns().at(column.column).title);
    figures[title + " n"] = column.count;
    for (const auto& [what, figure] : {std::pair{" minimum", column.minimum},
                                       {" median", column.median},
                                       {" mean", column.mean},
                                       {" maximum", column.maximum},
                                       {" deviation", column.standardDeviation}}) {
      if (figure) {
        figures[title + what] = *figure;
      }
    }
  }
  for (std::int16_t code = 0; code <= static_cast<std::int16_t>(kShepardClasses); ++code) {
    if (const int count = summary.shepard.at(static_cast<std::size_t>(code)); count > 0) {
      figures["shepard " + (code == 0 ? "?" : std::string(shepardName(code)))] = count;
    }
  }
  for (std::size_t group = 0; group < kFolkGroups; ++group) {
    if (const int count = summary.folk.at(group); count > 0) {
      figures["folk " + std::string(folkCode(static_cast<FolkGroup>(group)))] = count;
    }
  }
  if (summary.withoutFolkGroup > 0) {
    figures["folk "] = summary.withoutFolkGroup;
  }
  return figures;
}

// The reference reads the table's six significant figures: both agree to about a part in
// 10^5 of the column's largest value.
TEST_F(LotSummaryTest, AgreesWithTheReferenceOnTheExampleAndOnAGeneratedLot) {
#ifdef _WIN32
  GTEST_SKIP() << "the reference calculation is Python's, run on the Linux build";
#endif
  const std::vector<std::pair<std::vector<fs::path>, char>> lots = {
      {{batchExpected("plain_point.csv"), testData() / "statistics/odd_samples.csv"}, '.'},
      {{batchExpected("plain_comma.csv")}, ','},
      {{generatedResults(254)}, ','},
  };
  for (const auto& [files, mark] : lots) {
    SCOPED_TRACE(files.front().filename().string());
    const fs::path table = folder() / "tabla.csv";
    ASSERT_TRUE(runStatistics(files, table, mark).written);
    const Figures reference = referenceOf(table, mark, folder() / "referencia.txt");
    const Figures figures = figuresOf(lotSummaryOf(readResultsFiles(files)));
    ASSERT_EQ(figures.size(), reference.size());
    for (const auto& [what, figure] : figures) {
      ASSERT_EQ(reference.count(what), 1U) << what;
      const std::string column = what.substr(0, what.rfind(' '));
      const auto size = [&figures](const std::string& key) {
        const auto found = figures.find(key);
        return found == figures.end() ? 0.0 : std::fabs(found->second);
      };
      const double scale =
          std::max({std::fabs(figure), size(column + " minimum"), size(column + " maximum")});
      EXPECT_NEAR(figure, reference.at(what), 1e-5 * scale + 1e-12) << what;
    }
  }
}

// Every class and group is listed, those with no sample as 0; the unknown class and the
// samples without a group only where there are some. Figures carry the regional mark, a
// column without figures a dash, all with six significant figures (the sand fractions at
// least four decimals).
TEST(LotSummaryTables, ListEveryClassAndGroupAndWriteFiguresAsTheTable) {
  const std::size_t fine = 44;  // "%Arena fina"
  LotSummary some;
  some.columns = {{fine, 3, 1.5, 2.25, 2.5, 3.75, 0.5}, {55, 0, {}, {}, {}, {}, {}}};
  some.shepard[2] = 3;
  LotSummary odd = some;
  odd.shepard[0] = 1;
  odd.withoutFolkGroup = 2;
  for (const auto& [summary, shepardRows, folkRows, lastFolk] :
       {std::tuple{some, 10, 21, "0"}, std::tuple{odd, 11, 22, "2"}}) {
    const std::vector<ReportTable> tables = lotSummaryTables(summary, ',');
    ASSERT_EQ(tables.size(), 3U);
    EXPECT_EQ(tables[0].rows[0],
              (std::vector<std::string>{utf8ToCp1252("%Arena fina"), "3", "1,50000", "2,25000",
                                        "2,50000", "3,75000", "0,500000"}));
    EXPECT_EQ(tables[0].rows[1][2], "\x97");
    EXPECT_EQ(tables[1].rows.size(), static_cast<std::size_t>(shepardRows));
    EXPECT_EQ(tables[1].rows[1][1], "3");
    EXPECT_EQ(tables[2].rows.size(), static_cast<std::size_t>(folkRows));
    EXPECT_EQ(tables[2].rows.back()[1], lastFolk);
  }
}

}  // namespace
}  // namespace granomet::testing
