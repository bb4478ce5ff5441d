// The lot summed up: each number column of the statistics table over the lot's samples, and how
// many samples fall in each of Shepard's classes and Folk's groups.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "statistics/folk_group.h"
#include "workflow/report_content.h"
#include "workflow/results_set.h"

namespace granomet {

// One number column over the samples that have a figure there. The standard deviation
// is the sample one (n - 1), so needs two figures.
struct ColumnSummary {
  std::size_t column = 0;  // into statisticsTableColumns()
  int count = 0;
  std::optional<double> minimum, median, mean, maximum, standardDeviation;
};

inline constexpr std::size_t kShepardClasses = 10;
inline constexpr std::size_t kFolkGroups = static_cast<std::size_t>(FolkGroup::Clay) + 1;

struct LotSummary {
  int samples = 0;
  std::vector<ColumnSummary> columns;  // every number column, in the table's order
  // By class code: [0] the lines whose class Shepard's has not, then codes 1 to 10.
  std::array<int, kShepardClasses + 1> shepard{};
  std::array<int, kFolkGroups> folk{};  // by FolkGroup
  int withoutFolkGroup = 0;
};

LotSummary lotSummaryOf(const ResultsSet& results);

// The report's "Resumen del lote": the columns' figures as the table writes numbers,
// then every class and group with its count, those with none as 0 (a lot compares
// with the next at a glance); the unknown class and the samples without a group only
// where there are some.
std::vector<ReportTable> lotSummaryTables(const LotSummary& summary, char decimalMark);

}  // namespace granomet
