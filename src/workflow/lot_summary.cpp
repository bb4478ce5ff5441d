#include "workflow/lot_summary.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>

#include "compute/shepard.h"
#include "data/text_encoding.h"
#include "statistics/folk_group.h"
#include "statistics/sample_statistics.h"
#include "workflow/messages.h"
#include "workflow/statistics_table.h"

namespace granomet {
namespace {

constexpr std::string_view kNoValue = "\x97";  // an em dash in the program's 8-bit text

ColumnSummary summaryOf(std::size_t column, std::vector<double>& values) {
  ColumnSummary summary;
  summary.column = column;
  summary.count = static_cast<int>(values.size());
  if (values.empty()) {
    return summary;
  }
  std::sort(values.begin(), values.end());
  const std::size_t half = values.size() / 2;
  summary.minimum = values.front();
  summary.maximum = values.back();
  summary.median = values.size() % 2 == 1 ? values[half] : values[half - 1] / 2 + values[half] / 2;
  const double n = static_cast<double>(values.size());
  const double mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
  summary.mean = mean;
  if (values.size() > 1) {
    // Squares about the mean, not the difference of two large sums, keep the digits.
    double squares = 0;
    for (const double value : values) {
      squares += (value - mean) * (value - mean);
    }
    summary.standardDeviation = std::sqrt(squares / (n - 1));
  }
  return summary;
}

std::string figure(std::optional<double> value, int minDecimals, char decimalMark) {
  return value ? tableNumber(*value, minDecimals, decimalMark) : std::string(kNoValue);
}

}  // namespace

LotSummary lotSummaryOf(const ResultsSet& results) {
  const auto& columns = statisticsTableColumns();
  std::array<std::vector<double>, kStatisticsColumns> values;
  LotSummary summary;
  for (const ResultsSetFile& file : results.files) {
    for (const ResultsLine& line : file.contents.lines) {
      const SampleStatistics statistics = statisticsOf(line.sample);
      const StatisticsRow row = statisticsTableRow(file.name, file.contents, line, statistics, '.');
      for (std::size_t column = 0; column < kStatisticsColumns; ++column) {
        if (row[column].number) {
          values[column].push_back(*row[column].number);
        }
      }
      ++summary.shepard.at(static_cast<std::size_t>(
          shepardCodeOf(line.fields.at(static_cast<std::size_t>(kShepardField - 1)))));
      if (statistics.folkGroup) {
        ++summary.folk.at(static_cast<std::size_t>(*statistics.folkGroup));
      } else {
        ++summary.withoutFolkGroup;
      }
      ++summary.samples;
    }
  }
  for (std::size_t column = 0; column < kStatisticsColumns; ++column) {
    if (columns[column].kind == ColumnKind::Number) {
      summary.columns.push_back(summaryOf(column, values[column]));
    }
  }
  return summary;
}

std::vector<ReportTable> lotSummaryTables(const LotSummary& summary, char decimalMark) {
  using messages::LotSummaryText;
  const auto said = [](LotSummaryText text) { return messages::lotSummaryText(text); };
  ReportTable figures{
      said(LotSummaryText::FiguresTitle),
      {said(LotSummaryText::Column), said(LotSummaryText::Count), said(LotSummaryText::Minimum),
       said(LotSummaryText::Median), said(LotSummaryText::Mean), said(LotSummaryText::Maximum),
       said(LotSummaryText::StandardDeviation)},
      {}};
  for (const ColumnSummary& column : summary.columns) {
    const StatisticsColumn& described = statisticsTableColumns().at(column.column);
    const int decimals = described.minDecimals;
    figures.rows.push_back({utf8ToCp1252(described.title), std::to_string(column.count),
                            figure(column.minimum, decimals, decimalMark),
                            figure(column.median, decimals, decimalMark),
                            figure(column.mean, decimals, decimalMark),
                            figure(column.maximum, decimals, decimalMark),
                            figure(column.standardDeviation, decimals, decimalMark)});
  }

  ReportTable shepard{said(LotSummaryText::ShepardTitle),
                      {said(LotSummaryText::ShepardClass), said(LotSummaryText::Samples)},
                      {}};
  for (std::int16_t code = 1; code <= static_cast<std::int16_t>(kShepardClasses); ++code) {
    shepard.rows.push_back(
        {messages::shepardClassName(code) + " (" + std::string(shepardName(code)) + ")",
         std::to_string(summary.shepard.at(static_cast<std::size_t>(code)))});
  }
  if (summary.shepard[0] > 0) {
    shepard.rows.push_back(
        {said(LotSummaryText::UnknownClass), std::to_string(summary.shepard[0])});
  }

  ReportTable folk{said(LotSummaryText::FolkTitle),
                   {said(LotSummaryText::FolkGroup), said(LotSummaryText::Samples)},
                   {}};
  for (std::size_t group = 0; group < kFolkGroups; ++group) {
    const auto folkGroup = static_cast<FolkGroup>(group);
    folk.rows.push_back(
        {messages::folkGroupName(folkGroup) + " (" + std::string(folkCode(folkGroup)) + ")",
         std::to_string(summary.folk.at(group))});
  }
  if (summary.withoutFolkGroup > 0) {
    folk.rows.push_back({said(LotSummaryText::NoGroup), std::to_string(summary.withoutFolkGroup)});
  }
  return {std::move(figures), std::move(shepard), std::move(folk)};
}

}  // namespace granomet
