// Fuzz target: an arbitrary file read as a results file: either it is refused with the line to
// blame, or every sample gets a whole table line whose numbers are numbers and whose figures agree.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "statistics/results_reader.h"
#include "workflow/report_content.h"
#include "workflow/statistics_table.h"

namespace {

using namespace granomet;
using fuzz::require;

int lineCount(std::string_view bytes) {
  int lines = 1;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
      ++lines;
    }
  }
  return lines;
}

// A finite number with a decimal comma, however long: a hand-edited file's
// diameters can give figures of hundreds of digits.
bool isNumber(std::string field) {
  std::replace(field.begin(), field.end(), ',', '.');
  double value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  return error == std::errc() && end == field.data() + field.size() && std::isfinite(value);
}

// 58 fields, each in double quotes with inner quotes doubled, then CR LF; the
// computed numbers empty or finite numbers.
void requireWholeLine(const std::string& line) {
  require(line.size() >= 2 && line.substr(line.size() - 2) == "\r\n", "table line ends in CR LF");
  std::vector<std::string> fields;
  std::size_t i = 0;
  while (i < line.size() - 2) {
    require(line[i] == '"', "table field opens with a quote");
    std::string field;
    for (++i; !(line[i] == '"' && line[i + 1] != '"'); ++i) {
      i += line[i] == '"' ? 1 : 0;
      field += line[i];
    }
    fields.push_back(field);
    ++i;
    require(line[i] == ',' || i == line.size() - 2, "table fields are separated by commas");
    i += line[i] == ',' ? 1 : 0;
  }
  require(fields.size() == 58, "a table line has 58 fields");
  // Geometric moments to the mode, D values and ratios, fractions, the modes (0-based).
  for (std::size_t f = 17; f < 58; ++f) {
    const bool text = (f >= 29 && f < 33) || (f >= 50 && f < 55);
    require(text || fields[f].empty() || isNumber(fields[f]), "a computed field is a number");
  }
}

void requireOrdered(std::optional<double> finer, std::optional<double> coarser, const char* what) {
  if (finer && coarser) {
    require(std::isfinite(*finer) && std::isfinite(*coarser) && *finer <= *coarser, what);
  }
}

// On a curve that rises, the gravel classes, the sands and silts and the clay are
// the whole sample.
void requireWhole(const SizeFractions& fractions, const CumulativeCurve& curve) {
  if (curve.gap() != CurveGap::None) {
    return;
  }
  std::vector<SizeBand> bands{fractions.clay};
  for (const GravelClass& gravel : fractions.gravel) {
    bands.push_back(gravel.band);
  }
  bands.insert(bands.end(), fractions.sandAndSilt.begin(), fractions.sandAndSilt.end());
  double sum = 0;
  for (const SizeBand& band : bands) {
    if (!band.percent) {
      return;
    }
    sum += *band.percent;
  }
  require(std::fabs(sum - 100) < 1e-6, "the shares add up to 100");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ResultsFileContents contents;
  try {
    contents = parseResultsFile(bytes);
  } catch (const ResultsFormatError& error) {
    require(error.line() >= 1 && error.line() <= lineCount(bytes), "the refusal names a line");
    require(error.field() >= 0 && error.field() <= kResultsFields, "the refusal names a field");
    return 0;
  }
  for (const ResultsLine& line : contents.lines) {
    require(line.fields.size() == static_cast<std::size_t>(kResultsFields), "98 fields a sample");
    const SampleStatistics statistics = statisticsOf(line.sample);
    requireOrdered(statistics.d10, statistics.d50, "D10 is not above D50");
    requireOrdered(statistics.d50, statistics.d90, "D50 is not above D90");
    requireOrdered(statistics.d25, statistics.d75, "D25 is not above D75");
    if (statistics.folkWardPhi.sorting) {
      require(*statistics.folkWardPhi.sorting >= 0, "the sorting is not negative");
    }
    requireWhole(statistics.fractions, CumulativeCurve(line.sample.classes));
    requireWholeLine(statisticsTableLine("r.csv", contents, line, statistics, ','));
  }

  // The report's content of the same samples: a row and a page each, and points
  // that lie on their triangle.
  const std::size_t samples = contents.lines.size();
  ResultsSet set;
  set.files.push_back({"r.csv", std::move(contents)});
  const Report report = reportOf(set, {{2026, 12, 7, 0, 0, 0}, ',', true, {}, {"001  A"}, {}});
  require(report.summary.rows.size() == samples, "a summary row a sample");
  std::size_t curves = 0;
  for (const ReportCurvePage& page : report.curvePages) {
    require((samples == 0 || !page.curves.empty()) && page.curves.size() <= kCurvesPerPage,
            "a curves page filled");
    curves += page.curves.size();
  }
  require(report.sampleCount == static_cast<int>(samples) && curves == samples,
          "a page and a curve a sample");
  for (int i = 0; i < report.sampleCount; ++i) {
    require(!report.samplePage(i).heading.empty(), "every sample's page made");
  }
  for (const auto& row : report.summary.rows) {
    require(row.size() == report.summary.columns.size(), "every summary cell filled");
  }
  for (const ReportTriangle& triangle : report.triangles) {
    require(triangle.points.size() <= samples, "no more points than samples");
    for (const ReportPoint& point : triangle.points) {
      const TernaryShares& shares = point.shares;
      const double total = shares.top + shares.left + shares.right;
      require(std::isfinite(total) && std::fabs(total - 100) < 1e-6 && shares.top >= 0 &&
                  shares.left >= 0 && shares.right >= 0,
              "a point lies on its triangle");
    }
  }
  return 0;
}
