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

// The first 53 are what the lab's loaders read by name and place; later columns
// go after them.
constexpr std::array<StatisticsColumn, kStatisticsColumns> kColumns = {{
    {"Fichero de resultados", "fichero", ColumnKind::Text},
    {"Lot-Num", "lot_num", ColumnKind::Text},
    {"Muestra", "muestra", ColumnKind::Text},
    {"%Grava", "grava_pct", ColumnKind::Number},
    {"%Arena", "arena_pct", ColumnKind::Number},
    {"%Limo", "limo_pct", ColumnKind::Number},
    {"%Arcilla", "arcilla_pct", ColumnKind::Number},
    {"%Bioclastos", "bioclastos_pct", ColumnKind::Number},
    {"Clasif. Shepard(1954)", "shepard", ColumnKind::Text},
    {"µ-Media", "mom_um_media", ColumnKind::Number},
    {"µ-Clasificación", "mom_um_clasif", ColumnKind::Number},
    {"µ-Asimetría", "mom_um_asim", ColumnKind::Number},
    {"µ-Kurtosis", "mom_um_kurt", ColumnKind::Number},
    {"Ø-Media", "mom_phi_media", ColumnKind::Number},
    {"Ø-Clasificación", "mom_phi_clasif", ColumnKind::Number},
    {"Ø-Asimetría", "mom_phi_asim", ColumnKind::Number},
    {"Ø-Kurtosis", "mom_phi_kurt", ColumnKind::Number},
    {"Geom-Media(µm)", "geom_media_um", ColumnKind::Number},
    {"Geom-Clasificación", "geom_clasif", ColumnKind::Number},
    {"Geom-Asimetría", "geom_asim", ColumnKind::Number},
    {"Geom-Kurtosis", "geom_kurt", ColumnKind::Number},
    {"FW-Media(Ø)", "fw_media_phi", ColumnKind::Number},
    {"FW-Clasificación(Ø)", "fw_clasif_phi", ColumnKind::Number},
    {"FW-Asimetría(Ø)", "fw_asim_phi", ColumnKind::Number},
    {"FW-Kurtosis(Ø)", "fw_kurt_phi", ColumnKind::Number},
    {"FW-Media(µm)", "fw_media_um", ColumnKind::Number},
    {"FW-Clasificación(µm)", "fw_clasif_um", ColumnKind::Number},
    {"FW-Asimetría(µm)", "fw_asim_um", ColumnKind::Number},
    {"FW-Kurtosis(µm)", "fw_kurt_um", ColumnKind::Number},
    {"Tamaño medio", "tamano_medio", ColumnKind::Text},
    {"Clasificación", "clasificacion", ColumnKind::Text},
    {"Asimetría", "asimetria", ColumnKind::Text},
    {"Curtosis", "curtosis", ColumnKind::Text},
    {"Moda(µm)", "moda_um", ColumnKind::Number},
    {"D10(µm)", "d10_um", ColumnKind::Number},
    {"D50(µm)", "d50_um", ColumnKind::Number},
    {"D90(µm)", "d90_um", ColumnKind::Number},
    {"D90/D10", "d90_d10", ColumnKind::Number},
    {"D90-D10(µm)", "d90_menos_d10_um", ColumnKind::Number},
    {"D75/D25", "d75_d25", ColumnKind::Number},
    {"D75-D25(µm)", "d75_menos_d25_um", ColumnKind::Number},
    {"%Arena muy gruesa", "arena_muy_gruesa_pct", ColumnKind::Number, 4},
    {"%Arena gruesa", "arena_gruesa_pct", ColumnKind::Number, 4},
    {"%Arena media", "arena_media_pct", ColumnKind::Number, 4},
    {"%Arena fina", "arena_fina_pct", ColumnKind::Number, 4},
    {"%Arena muy fina", "arena_muy_fina_pct", ColumnKind::Number, 4},
    {"%Limo muy grueso", "limo_muy_grueso_pct", ColumnKind::Number, 4},
    {"%Limo grueso", "limo_grueso_pct", ColumnKind::Number, 4},
    {"%Limo medio", "limo_medio_pct", ColumnKind::Number, 4},
    {"%Limo fino", "limo_fino_pct", ColumnKind::Number, 4},
    {"Código Folk", "codigo_folk", ColumnKind::Text},
    {"Grupo textural (Folk 1954)", "grupo_folk", ColumnKind::Text},
    {"Avisos", "avisos", ColumnKind::Text},
    {"Nombre del sedimento", "nombre_sedimento", ColumnKind::Text},
    {"Modalidad", "modalidad", ColumnKind::Text},
    {"Moda 1 (µm)", "moda1_um", ColumnKind::Number},
    {"Moda 2 (µm)", "moda2_um", ColumnKind::Number},
    {"Moda 3 (µm)", "moda3_um", ColumnKind::Number},
}};

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

// A sample's cells in the columns' order, each number written as its column asks.
class RowBuilder {
 public:
  explicit RowBuilder(char decimalMark) : decimalMark_(decimalMark) {}

  void text(std::string text) { row_.at(next_++).text = std::move(text); }
  void number(std::optional<double> value) {
    StatisticsCell& cell = row_.at(next_);
    if (value) {
      cell.text = tableNumber(*value, kColumns.at(next_).minDecimals, decimalMark_);
      cell.number = value;
    }
    ++next_;
  }
  // A number the results file wrote, its digits kept.
  void copied(const std::string& field) {
    row_.at(next_).number = resultsNumber(field);
    text(withDecimalMark(field, decimalMark_));
  }
  template <typename Term>
  void term(std::optional<Term> value, std::string (*name)(Term)) {
    text(value ? name(*value) : std::string());
  }
  void measures(const SizeMeasures& measures) {
    number(measures.mean);
    number(measures.sorting);
    number(measures.skewness);
    number(measures.kurtosis);
  }
  StatisticsRow finish() { return std::move(row_); }

 private:
  char decimalMark_;
  std::size_t next_ = 0;
  StatisticsRow row_;
};

std::string quotedLine(const auto& fields) {
  std::string line;
  line.reserve(1024);
  for (const auto& field : fields) {
    if (!line.empty()) {
      line += ',';
    }
    appendQuoted(line, field);
  }
  line += kLineEnd;
  return line;
}

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

const std::array<StatisticsColumn, kStatisticsColumns>& statisticsTableColumns() {
  return kColumns;
}

std::string statisticsTableHeader() {
  std::array<std::string, kStatisticsColumns> titles;
  std::transform(kColumns.begin(), kColumns.end(), titles.begin(),
                 [](const StatisticsColumn& column) { return utf8ToCp1252(column.title); });
  return quotedLine(titles);
}

StatisticsRow statisticsTableRow(std::string_view resultsFileName, const ResultsFileContents& file,
                                 const ResultsLine& results, const SampleStatistics& statistics,
                                 char decimalMark) {
  RowBuilder row(decimalMark);
  row.text(std::string(resultsFileName));
  for (const CopiedField& copied : kCopiedFields) {
    const std::string& field = fieldOf(results.fields, copied.field);
    if (copied.number) {
      row.copied(field);
    } else {
      row.text(field);
    }
  }
  row.measures(statistics.geometricMoments);
  row.measures(statistics.folkWardPhi);
  row.measures(statistics.folkWardMicron);
  row.term(statistics.meanSizeTerm, messages::meanSizeTermName);
  row.term(statistics.sortingTerm, messages::sortingTermName);
  row.term(statistics.skewnessTerm, messages::skewnessTermName);
  row.term(statistics.kurtosisTerm, messages::kurtosisTermName);
  row.number(statistics.modeMicron);
  row.number(statistics.d10);
  row.number(statistics.d50);
  row.number(statistics.d90);
  row.number(statistics.d90OverD10);
  row.number(statistics.d90MinusD10);
  row.number(statistics.d75OverD25);
  row.number(statistics.d75MinusD25);
  for (const SizeBand& fraction : statistics.fractions.sandAndSilt) {
    row.number(fraction.percent);
  }
  row.text(statistics.folkGroup ? std::string(folkCode(*statistics.folkGroup)) : std::string());
  row.term(statistics.folkGroup, messages::folkGroupName);
  row.text(warningsOf(file, results, statistics, decimalMark));
  row.text(statistics.sedimentName ? messages::sedimentName(*statistics.sedimentName)
                                   : std::string());
  const std::optional<Modes>& modes = statistics.modes;
  row.text(modes ? messages::modalityName(modes->modality) : std::string());
  for (int k = 0; k < kModesTold; ++k) {
    row.number(modes ? modes->diameters[static_cast<std::size_t>(k)] : std::nullopt);
  }
  return row.finish();
}

std::string statisticsTableLine(std::string_view resultsFileName, const ResultsFileContents& file,
                                const ResultsLine& results, const SampleStatistics& statistics,
                                char decimalMark) {
  const StatisticsRow row =
      statisticsTableRow(resultsFileName, file, results, statistics, decimalMark);
  std::array<std::string_view, kStatisticsColumns> texts;
  std::transform(row.begin(), row.end(), texts.begin(),
                 [](const StatisticsCell& cell) { return std::string_view(cell.text); });
  return quotedLine(texts);
}

}  // namespace granomet
