// The lot summary against tools/reference_summary.py, a second calculation with Python's
// statistics module from the statistics table the program writes; and the report's tables of it.
#include "workflow/lot_summary.h"

#include <gtest/gtest.h>

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

std::optional<double> numberOf(const std::string& text) {
  return text.empty() ? std::nullopt : std::optional<double>(std::stod(text));
}

// The reference's figures of a column (by its UTF-8 heading) and counts by class and group.
struct Reference {
  std::map<std::string, std::vector<std::string>> figures;
  std::map<std::string, int> shepard;
  std::map<std::string, int> folk;
};

Reference referenceOf(const fs::path& table, char mark, const fs::path& out) {
  const std::string command =
      "python3 '" + (testData() / "../../tools/reference_summary.py").string() + "' --mark " +
      mark + " '" + table.string() + "' '" + out.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  Reference reference;
  std::istringstream in(fileBytes(out));
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string field; std::getline(cells, field, '\t');) {
      fields.push_back(field);
    }
    fields.resize(std::max<std::size_t>(fields.size(), 8));
    if (fields[0] == "figures") {
      reference.figures[fields[1]] = {fields.begin() + 2, fields.begin() + 8};
    } else {
      (fields[0] == "shepard" ? reference.shepard : reference.folk)[fields[1]] =
          std::stoi(fields[2]);
    }
  }
  return reference;
}

// The table writes six significant figures: the reference's figures of them agree to
// about a part in 10^5 of the column's largest value.
void expectClose(std::optional<double> figure, const std::string& expected, double scale,
                 const std::string& what) {
  const std::optional<double> reference = numberOf(expected);
  ASSERT_EQ(figure.has_value(), reference.has_value()) << what;
  if (figure) {
    EXPECT_NEAR(*figure, *reference, 1e-5 * scale + 1e-12) << what;
  }
}

TEST_F(LotSummaryTest, AgreesWithTheReferenceOnTheExampleAndOnAGeneratedLot) {
  const std::vector<std::pair<std::vector<fs::path>, char>> lots = {
      {{batchExpected("plain_point.csv"), testData() / "statistics/odd_samples.csv"}, '.'},
      {{batchExpected("plain_comma.csv")}, ','},
      {{generatedResults(254)}, ','},
  };
  for (const auto& [files, mark] : lots) {
    SCOPED_TRACE(files.front().filename().string());
    const fs::path table = folder() / "tabla.csv";
    ASSERT_TRUE(runStatistics(files, table, mark).written);
    const Reference reference = referenceOf(table, mark, folder() / "referencia.txt");
    const ResultsSet results = readResultsFiles(files);
    const LotSummary summary = lotSummaryOf(results);
    EXPECT_EQ(summary.samples, results.samples());

    ASSERT_EQ(summary.columns.size(), reference.figures.size());
    for (const ColumnSummary& column : summary.columns) {
      const std::string title(statisticsTableColumns().at(column.column).title);
      const std::vector<std::string>& expected = reference.figures.at(title);
      EXPECT_EQ(column.count, std::stoi(expected[0])) << title;
      const double scale =
          std::max(std::fabs(column.minimum.value_or(0)), std::fabs(column.maximum.value_or(0)));
      expectClose(column.minimum, expected[1], scale, title + " minimum");
      expectClose(column.median, expected[2], scale, title + " median");
      expectClose(column.mean, expected[3], scale, title + " mean");
      expectClose(column.maximum, expected[4], scale, title + " maximum");
      expectClose(column.standardDeviation, expected[5], scale, title + " deviation");
    }
    std::map<std::string, int> shepard;
    for (std::int16_t code = 1; code <= static_cast<std::int16_t>(kShepardClasses); ++code) {
      if (const int count = summary.shepard.at(static_cast<std::size_t>(code)); count > 0) {
        shepard[std::string(shepardName(code))] = count;
      }
    }
    int unknown = summary.shepard[0];
    for (const auto& [name, count] : reference.shepard) {
      unknown -= shepardCodeOf(name) == 0 ? count : 0;
    }
    EXPECT_EQ(unknown, 0);
    std::map<std::string, int> folk;
    for (std::size_t group = 0; group < kFolkGroups; ++group) {
      if (const int count = summary.folk.at(group); count > 0) {
        folk[std::string(folkCode(static_cast<FolkGroup>(group)))] = count;
      }
    }
    if (summary.withoutFolkGroup > 0) {
      folk[""] = summary.withoutFolkGroup;
    }
    EXPECT_EQ(folk, reference.folk);
    for (const auto& [name, count] : reference.shepard) {
      if (shepardCodeOf(name) != 0) {
        EXPECT_EQ(shepard[name], count) << name;
      }
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
