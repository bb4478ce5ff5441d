// The statistics table: a header and one 58-field line per sample of the results files read.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "statistics/results_reader.h"
#include "statistics/sample_statistics.h"

namespace granomet {

enum class ColumnKind { Number, Text };

// A column of the table: its heading (UTF-8), its attribute's name in the samples'
// GeoPackage (lower-case ASCII, which QGIS and its expressions take as it is),
// whether it holds a number (order numbers are identifiers, text), and the fewest
// decimals its figures are given with.
struct StatisticsColumn {
  std::string_view title;
  std::string_view layerField;
  ColumnKind kind = ColumnKind::Text;
  int minDecimals = 0;
};

inline constexpr std::size_t kStatisticsColumns = 58;

const std::array<StatisticsColumn, kStatisticsColumns>& statisticsTableColumns();

// A cell of a sample's row: the text the table writes (8-bit, the regional mark) and,
// in a number column, the number it stands for (nullopt: none, as an empty cell).
struct StatisticsCell {
  std::string text;
  std::optional<double> number;
};
using StatisticsRow = std::array<StatisticsCell, kStatisticsColumns>;

// resultsFileName: the results file's bare name in the program's 8-bit text.
StatisticsRow statisticsTableRow(std::string_view resultsFileName, const ResultsFileContents& file,
                                 const ResultsLine& line, const SampleStatistics& statistics,
                                 char decimalMark);

// Windows-1252, CR LF, every field in double quotes (a quote inside doubled), the
// columns a spreadsheet or database loads by name and place.
std::string statisticsTableHeader();

// The row's cells joined.
std::string statisticsTableLine(std::string_view resultsFileName, const ResultsFileContents& file,
                                const ResultsLine& line, const SampleStatistics& statistics,
                                char decimalMark);

// The sample's quality warnings in words, its warned class told as the file writes it.
std::vector<std::string> qualityWarningTexts(const ResultsFileContents& file,
                                             const ResultsLine& line,
                                             const SampleStatistics& statistics, char decimalMark);

// A number as the results file wrote it, its digits kept, its decimal mark this one.
std::string withDecimalMark(std::string number, char decimalMark);

// A number of the results file with the decimals it was written with, but without
// the zeros the file pads percentages with on the left ("01.92": "1,92"); nullopt
// for a field that holds no number.
std::optional<std::string> unpaddedNumber(std::string_view field, char decimalMark);

// Fixed notation with 6 significant digits and at least minDecimals decimals; no
// sign on a value that is written as zero.
std::string tableNumber(double value, int minDecimals, char decimalMark);

// Fixed notation with so many decimals; no sign on a value written as zero.
std::string fixedNumber(double value, int decimals, char decimalMark);

}  // namespace granomet
