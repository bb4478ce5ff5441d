#include "workflow/statistics_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "data/text_encoding.h"
#include "results/quoted_field.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kSignificantDigits = 6;
constexpr int kPercentDecimals = 4;

// The first 53 are what the lab's loaders read by name and place; later columns
// go after them.
constexpr std::array<std::string_view, 58> kColumns = {
    "Fichero de resultados",
    "Lot-Num",
    "Muestra",
    "%Grava",
    "%Arena",
    "%Limo",
    "%Arcilla",
    "%Bioclastos",
    "Clasif. Shepard(1954)",
    "µ-Media",
    "µ-Clasificación",
    "µ-Asimetría",
    "µ-Kurtosis",
    "Ø-Media",
    "Ø-Clasificación",
    "Ø-Asimetría",
    "Ø-Kurtosis",
    "Geom-Media(µm)",
    "Geom-Clasificación",
    "Geom-Asimetría",
    "Geom-Kurtosis",
    "FW-Media(Ø)",
    "FW-Clasificación(Ø)",
    "FW-Asimetría(Ø)",
    "FW-Kurtosis(Ø)",
    "FW-Media(µm)",
    "FW-Clasificación(µm)",
    "FW-Asimetría(µm)",
    "FW-Kurtosis(µm)",
    "Tamaño medio",
    "Clasificación",
    "Asimetría",
    "Curtosis",
    "Moda(µm)",
    "D10(µm)",
    "D50(µm)",
    "D90(µm)",
    "D90/D10",
    "D90-D10(µm)",
    "D75/D25",
    "D75-D25(µm)",
    "%Arena muy gruesa",
    "%Arena gruesa",
    "%Arena media",
    "%Arena fina",
    "%Arena muy fina",
    "%Limo muy grueso",
    "%Limo grueso",
    "%Limo medio",
    "%Limo fino",
    "Código Folk",
    "Grupo textural (Folk 1954)",
    "Avisos",
    "Nombre del sedimento",
    "Modalidad",
    "Moda 1 (µm)",
    "Moda 2 (µm)",
    "Moda 3 (µm)",
};

// The results line's fields copied as they stand, numbers with the table's mark.
struct CopiedField {
  int field;
  bool number;
};
constexpr std::array<CopiedField, 16> kCopiedFields = {{
    {kLotNumberField, true},
    {kSampleNameField, false},
    {kGravelField, true},
    {kSandField, true},
    {kSiltField, true},
    {kClayField, true},
    {kShellsField, true},
    {kShepardField, false},
    {kMeanMicronField, true},
    {kMeanMicronField + 1, true},
    {kMeanMicronField + 2, true},
    {kMeanMicronField + 3, true},
    {kMeanPhiField, true},
    {kMeanPhiField + 1, true},
    {kMeanPhiField + 2, true},
    {kMeanPhiField + 3, true},
}};

class QuotedLine {
 public:
  QuotedLine() { line_.reserve(1024); }

  void text(std::string_view field) {
    if (!line_.empty()) {
      line_ += ',';
    }
    appendQuoted(line_, field);
  }
  void number(std::optional<double> value, char decimalMark, int minDecimals = 0) {
    text(value ? tableNumber(*value, minDecimals, decimalMark) : std::string());
  }
  template <typename Term>
  void term(std::optional<Term> value, std::string (*name)(Term)) {
    text(value ? name(*value) : std::string());
  }
  void measures(const SizeMeasures& measures, char decimalMark) {
    number(measures.mean, decimalMark);
    number(measures.sorting, decimalMark);
    number(measures.skewness, decimalMark);
    number(measures.kurtosis, decimalMark);
  }
  std::string finish() {
    line_ += kLineEnd;
    return std::move(line_);
  }

 private:
  std::string line_;
};

const std::string& fieldOf(const std::vector<std::string>& fields, int field) {
  return fields.at(static_cast<std::size_t>(field - 1));
}

std::string warningsOf(const ResultsFileContents& file, const ResultsLine& line,
                       const SampleStatistics& statistics, char decimalMark) {
  std::string joined;
  for (const std::string& warning : qualityWarningTexts(file, line, statistics, decimalMark)) {
    if (!joined.empty()) {
      joined += messages::kWarningSeparator;
    }
    joined += warning;
  }
  return joined;
}

}  // namespace

std::string withDecimalMark(std::string number, char decimalMark) {
  std::replace_if(
      number.begin(), number.end(), [](char c) { return c == '.' || c == ','; }, decimalMark);
  return number;
}

std::vector<std::string> qualityWarningTexts(const ResultsFileContents& file,
                                             const ResultsLine& line,
                                             const SampleStatistics& statistics, char decimalMark) {
  std::vector<std::string> texts;
  for (const QualityWarning& warning : statistics.warnings) {
    std::string diameter;
    std::string figure;
    if (warning.classIndex > 0) {
      const int field = kFirstClassField + warning.classIndex - 1;
      diameter = withDecimalMark(fieldOf(file.header, field), decimalMark);
      figure = withDecimalMark(fieldOf(line.fields, field), decimalMark);
    } else if (warning.kind == QualityWarning::Kind::LaserOnlyGravel) {
      const std::string& gravel = fieldOf(line.fields, kGravelField);
      figure = unpaddedNumber(gravel, decimalMark).value_or(gravel);
    }
    texts.push_back(messages::qualityWarning(warning, diameter, figure, decimalMark));
  }
  return texts;
}

std::optional<std::string> unpaddedNumber(std::string_view field, char decimalMark) {
  const std::optional<double> value = resultsNumber(field);
  if (!value) {
    return std::nullopt;
  }
  const auto mark = field.find_first_of(".,");
  const int decimals =
      mark == std::string_view::npos ? 0 : static_cast<int>(field.size() - mark - 1);
  return fixedNumber(*value, std::min(decimals, 8), decimalMark);
}

std::string tableNumber(double value, int minDecimals, char decimalMark) {
  // The exponent of the value rounded to 6 significant digits sets the decimals.
  std::array<char, 32> scientific{};
  const auto rounded = std::to_chars(scientific.data(), scientific.data() + scientific.size(),
                                     value, std::chars_format::scientific, kSignificantDigits - 1);
  const char* exponent = std::find(scientific.data(), rounded.ptr, 'e') + 1;
  if (exponent < rounded.ptr && *exponent == '+') {
    ++exponent;
  }
  int power = 0;
  std::from_chars(exponent, rounded.ptr, power);
  const int decimals =
      value == 0 ? minDecimals : std::max(minDecimals, kSignificantDigits - 1 - power);
  return fixedNumber(value, decimals, decimalMark);
}

std::string fixedNumber(double value, int decimals, char decimalMark) {
  std::array<char, 400> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                 std::chars_format::fixed, decimals);
  std::string text(digits.data(), end.ptr);
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
    text.erase(0, 1);
  }
  return withDecimalMark(std::move(text), decimalMark);
}

std::string statisticsTableHeader() {
  QuotedLine line;
  for (std::string_view column : kColumns) {
    line.text(utf8ToCp1252(column));
  }
  return line.finish();
}

std::string statisticsTableLine(std::string_view resultsFileName, const ResultsFileContents& file,
                                const ResultsLine& results, const SampleStatistics& statistics,
                                char decimalMark) {
  QuotedLine line;
  line.text(resultsFileName);
  for (const CopiedField& copied : kCopiedFields) {
    const std::string& field = fieldOf(results.fields, copied.field);
    line.text(copied.number ? withDecimalMark(field, decimalMark) : field);
  }
  line.measures(statistics.geometricMoments, decimalMark);
  line.measures(statistics.folkWardPhi, decimalMark);
  line.measures(statistics.folkWardMicron, decimalMark);
  line.term(statistics.meanSizeTerm, messages::meanSizeTermName);
  line.term(statistics.sortingTerm, messages::sortingTermName);
  line.term(statistics.skewnessTerm, messages::skewnessTermName);
  line.term(statistics.kurtosisTerm, messages::kurtosisTermName);
  line.number(statistics.modeMicron, decimalMark);
  line.number(statistics.d10, decimalMark);
  line.number(statistics.d50, decimalMark);
  line.number(statistics.d90, decimalMark);
  line.number(statistics.d90OverD10, decimalMark);
  line.number(statistics.d90MinusD10, decimalMark);
  line.number(statistics.d75OverD25, decimalMark);
  line.number(statistics.d75MinusD25, decimalMark);
  for (const SizeBand& fraction : statistics.fractions.sandAndSilt) {
    line.number(fraction.percent, decimalMark, kPercentDecimals);
  }
  line.text(statistics.folkGroup ? folkCode(*statistics.folkGroup) : std::string_view());
  line.term(statistics.folkGroup, messages::folkGroupName);
  line.text(warningsOf(file, results, statistics, decimalMark));
  line.text(statistics.sedimentName ? messages::sedimentName(*statistics.sedimentName)
                                    : std::string());
  const std::optional<Modes>& modes = statistics.modes;
  line.text(modes ? messages::modalityName(modes->modality) : std::string());
  for (int k = 0; k < kModesTold; ++k) {
    line.number(modes ? modes->diameters[static_cast<std::size_t>(k)] : std::nullopt, decimalMark);
  }
  return line.finish();
}

}  // namespace granomet
