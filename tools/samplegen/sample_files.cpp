#include "samplegen/sample_files.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace granomet::tools {
namespace {

// Windows-1252 text is written with escapes so the bytes do not depend on the source encoding.
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kIpCode = "IP-0416";
constexpr std::string_view kCampaign = "GOLFO-16";
constexpr std::string_view kLotDate = "06/06/2016";

constexpr int kClassCount = 66;
constexpr int kThousandthsInWhole = 100000;  // 100.000 % in units of 0.001 %

// Class diameters run from 0.011 um to 3000 um in equal logarithmic steps.
constexpr double kLnFirstDiameter = -4.509860006183766;  // ln 0.011
constexpr double kLnLastDiameter = 8.006367567650246;    // ln 3000
constexpr double kLnStep = (kLnLastDiameter - kLnFirstDiameter) / (kClassCount - 1);
// A sample's main mode wanders between about 4 um and 800 um.
constexpr double kLowestModeClass = (1.3862943611198906 - kLnFirstDiameter) / kLnStep;  // ln 4
constexpr double kHighestModeClass = (6.684611727667927 - kLnFirstDiameter) / kLnStep;  // ln 800

// SplitMix64: the std distributions differ between libraries, this gives the same numbers
// everywhere, so a seed always produces byte-identical files.
class Random {
 public:
  explicit Random(std::uint64_t state) : state_(state) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // Inclusive range; the modulo bias is far below anything visible in test data.
  long long between(long long low, long long high) {
    return low + static_cast<long long>(next() % static_cast<std::uint64_t>(high - low + 1));
  }

  double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
  double between(double low, double high) { return low + (high - low) * unit(); }
  bool percentChance(int percent) { return between(0LL, 99LL) < percent; }

 private:
  std::uint64_t state_;
};

// Separate streams per purpose keep a lot row identical whatever the export options are.
Random randomFor(unsigned seed, char purpose, int orderNumber, int blockIndex = 0) {
  std::uint64_t state = seed;
  state = state * 0x100000001B3ULL ^ static_cast<unsigned char>(purpose);
  state = state * 0x100000001B3ULL ^ static_cast<std::uint32_t>(orderNumber);
  state = state * 0x100000001B3ULL ^ static_cast<std::uint32_t>(blockIndex);
  Random random(state);
  random.next();
  return random;
}

// exp from + - * / only, so the curves do not inherit the C library's last-bit rounding.
double portableExp(double x) {
  if (x < -700.0) {
    return 0.0;
  }
  constexpr double kLn2 = 0.6931471805599453;
  const double halvings = std::floor(x / kLn2 + 0.5);
  const double rest = x - halvings * kLn2;
  double term = 1.0;
  double sum = 1.0;
  for (int k = 1; k <= 18; ++k) {
    term *= rest / k;
    sum += term;
  }
  return std::ldexp(sum, static_cast<int>(halvings));
}

double lnDiameter(int classIndex) {
  return kLnFirstDiameter + classIndex * kLnStep;
}

std::string inQuotes(std::string_view text) {
  std::string result = "\"";
  result += text;
  result += '"';
  return result;
}

std::string joined(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) {
      line += ',';
    }
    line += fields[i];
  }
  line += kLineEnd;
  return line;
}

// Values are kept as integers in units of 10^-decimals so no floating-point rounding is involved.
std::string fixedPoint(long long units, int decimals) {
  long long scale = 1;
  for (int i = 0; i < decimals; ++i) {
    scale *= 10;
  }
  const long long magnitude = units < 0 ? -units : units;
  char buffer[48];
  if (decimals == 0) {
    std::snprintf(buffer, sizeof buffer, "%s%lld", units < 0 ? "-" : "", magnitude);
  } else {
    std::snprintf(buffer, sizeof buffer, "%s%lld.%0*lld", units < 0 ? "-" : "", magnitude / scale,
                  decimals, magnitude % scale);
  }
  return buffer;
}

// Spreadsheets drop trailing zeros from general-format cells: 3.80 -> 3.8, 0.00 -> 0.
std::string spreadsheetNumber(long long units, int decimals) {
  std::string text = fixedPoint(units, decimals);
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
      text.pop_back();
    }
  }
  return text;
}

// std::to_chars rounds exactly, unlike some printf implementations.
std::string decimal(double value, int decimals) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ptr);
}

// The lab's own names: a station, its number, the area and up to two places, 17 to
// 40 characters with the accents of the coast's place names.
std::string labName(unsigned seed, int orderNumber) {
  constexpr std::array<std::string_view, 4> kStations = {"BC16", "VV16", "TG16", "DR16"};
  constexpr std::array<std::string_view, 8> kAreas = {
      "GOLFO DE C\xC1"
      "DIZ",
      "BAH\xCD"
      "A DE ALGECIRAS",
      "Sancti Petri",
      "Guadalquivir",
      "Punta Umbr\xED"
      "a",
      "Chipiona",
      "R\xEDo Tinto",
      "Ca\xF1o de la Cruz"};
  constexpr std::array<std::string_view, 7> kPlaces = {
      "Pe\xF1\xF3n", "\xC1rbol", "Playa Nueva", "Espig\xF3n Norte",
      "Fondeadero",  "Barra",    "Caleta"};
  Random random = randomFor(seed, 'N', orderNumber);
  const auto pick = [&random](const auto& list) {
    return std::string(list[static_cast<std::size_t>(
        random.between(0LL, static_cast<long long>(list.size()) - 1))]);
  };
  char number[8];
  std::snprintf(number, sizeof number, "%03d", orderNumber);
  std::string name = pick(kStations) + "-" + number + "-" + pick(kAreas);
  for (int place = static_cast<int>(random.between(0LL, 2LL)); place > 0; --place) {
    const std::string more = "-" + pick(kPlaces);
    if (name.size() + more.size() <= 40) {
      name += more;
    }
  }
  return name;
}

std::string sampleName(const SampleFileOptions& options, int orderNumber) {
  if (options.labNames) {
    return labName(options.seed, orderNumber);
  }
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "M-%02d", orderNumber);
  return buffer;
}

void checkOptions(const SampleFileOptions& options) {
  if (options.sampleCount < 0) {
    throw std::invalid_argument("sample count must not be negative");
  }
}

// ---- Lot file ----

constexpr std::array<std::string_view, 8> kDescriptions = {
    "Arena fina, con restos de conchas; color pardo oliv\xE1"
    "ceo",
    "Fango arenoso, compactaci\xF3n media",
    "Grava con matriz arenosa, se\xF1"
    "ales de bioturbaci\xF3n",
    "Arena media bien clasificada, color gris claro",
    "Fango muy fino, color gris oscuro; olor a sulfh\xED"
    "drico",
    "Arena gruesa con gravilla y fragmentos de bivalvos",
    "Limo arcilloso, pl\xE1stico, con materia org\xE1nica",
    "Arena fangosa, color pardo; abundantes foramin\xED"
    "feros",
};

// A row's place in a core: the core (from 0), its first row and the row's level (from 0).
struct CoreRow {
  int core = 0;
  int firstRow = 0;
  int level = 0;
};

std::optional<CoreRow> coreRowOf(const SampleFileOptions& options, int orderNumber) {
  int first = 2;
  for (int core = 0; core < options.coreCount; ++core) {
    const int levels = 4 + core % 3;
    if (orderNumber >= first && orderNumber < first + levels) {
      return CoreRow{core, first, orderNumber - first};
    }
    first += levels + 1;
  }
  return std::nullopt;
}

// Off the Gulf of Cadiz, in units of 0.0001 degree: longitude, latitude, then the depth (m).
std::array<std::string, 3> placeOf(Random& random) {
  std::string longitude = fixedPoint(-random.between(62200LL, 64800LL), 4);
  std::string latitude = fixedPoint(random.between(364200LL, 366000LL), 4);
  return {std::move(longitude), std::move(latitude), fixedPoint(random.between(20LL, 450LL), 1)};
}

std::string lotRow(const SampleFileOptions& options, int orderNumber) {
  Random random = randomFor(options.seed, 'L', orderNumber);
  std::vector<std::string> fields;
  fields.push_back(std::to_string(orderNumber));
  fields.push_back(sampleName(options, orderNumber));
  std::array<std::string, 3> place = placeOf(random);
  const std::optional<CoreRow> coreRow = coreRowOf(options, orderNumber);
  if (coreRow) {
    Random first = randomFor(options.seed, 'L', coreRow->firstRow);
    place = placeOf(first);
  } else if (options.withoutPositionEvery > 0 && orderNumber % options.withoutPositionEvery == 0) {
    int firstWithout = options.withoutPositionEvery;
    while (coreRowOf(options, firstWithout)) {
      firstWithout += options.withoutPositionEvery;
    }
    place[0] = orderNumber == firstWithout ? "0" : "";
    place[1] = place[0];
  }
  fields.insert(fields.end(), place.begin(), place.end());

  const int method = static_cast<int>(random.between(0LL, 2LL));
  if (method == 0) {
    fields.push_back("0-5");
    fields.push_back("Draga Van Veen");
  } else if (method == 1) {
    fields.push_back(random.percentChance(50) ? "0-2" : "0-10");
    fields.push_back("Box-corer");
  } else {
    // Core slices look like dates to a spreadsheet, so they come out quoted.
    const long long top = random.between(0LL, 5LL) * 5;
    fields.push_back(inQuotes(std::to_string(top) + "-" + std::to_string(top + 5)));
    fields.push_back("Testigo");
  }
  if (coreRow) {
    const int top = coreRow->level * 2;
    fields.end()[-2] = coreRow->core == 0 && coreRow->level == 0 ? std::string("superficial")
                       : coreRow->core == 1 && coreRow->level == 2
                           ? std::string("s/d")
                           : inQuotes(std::to_string(top) + "-" + std::to_string(top + 2));
    fields.back() = "Testigo";
  }
  fields.push_back(inQuotes(
      kDescriptions[random.between(0LL, static_cast<long long>(kDescriptions.size()) - 1)]));
  fields.push_back(fixedPoint(random.between(30LL, 450LL), 1) + "%");

  // A sample whose shells weigh as much as the whole sample has no shell-free weight
  // left to share out; 150.5 is exact in single precision, so the difference is exactly 0.
  if (orderNumber == options.allShellsRow) {
    for (const char* weight : {"150.5", "150.5", "0", "0", "150.5", "0", "0"}) {
      fields.emplace_back(weight);
    }
    return joined(fields);
  }

  // Weights in centigrams; gravel fractions stay a few percent of the total, coarsest first.
  const long long total = random.between(8000LL, 40000LL);
  fields.push_back(spreadsheetNumber(total, 2));
  const bool gravelFree = orderNumber % 5 == 3 || random.percentChance(15);
  const std::array<long long, 3> percentLimits = {1, 2, 3};
  std::array<long long, 3> partial = {0, 0, 0};
  for (std::size_t i = 0; i < partial.size(); ++i) {
    const bool empty = gravelFree || (i == 0 && random.percentChance(50));
    if (!empty) {
      partial[i] = random.between(1LL, total * percentLimits[i] / 100);
    }
    fields.push_back(spreadsheetNumber(partial[i], 2));
  }
  for (long long weight : partial) {
    fields.push_back(spreadsheetNumber(weight == 0 ? 0 : random.between(0LL, weight), 2));
  }
  return joined(fields);
}

// ---- Laser export file ----

struct Curve {
  std::array<long long, kClassCount> frequency{};  // thousandths of a percent, summing to 100000
};

// One or two log-normal bumps; a log-normal is a Gaussian over class index since classes are
// equally spaced in log diameter.
Curve makeCurve(unsigned seed, int orderNumber, int blockIndex) {
  Random shape = randomFor(seed, 'C', orderNumber);
  Random jitter = randomFor(seed, 'J', orderNumber, blockIndex);
  const double mainMode =
      shape.between(kLowestModeClass, kHighestModeClass) + jitter.between(-0.4, 0.4);
  const double mainWidth = shape.between(2.5, 6.0) * jitter.between(0.97, 1.03);
  double otherMode = mainMode;
  double otherWidth = mainWidth;
  double otherWeight = 0.0;
  if (shape.percentChance(40)) {
    const double offset = shape.between(8.0, 16.0);
    otherMode = std::clamp(mainMode + (shape.percentChance(50) ? offset : -offset),
                           kLowestModeClass, kHighestModeClass);
    otherWidth = shape.between(2.0, 4.5);
    otherWeight = shape.between(0.2, 0.7) * jitter.between(0.95, 1.05);
  }

  std::array<double, kClassCount> weight{};
  double weightSum = 0.0;
  for (int c = 0; c < kClassCount; ++c) {
    const double a = (c - mainMode) / mainWidth;
    const double b = (c - otherMode) / otherWidth;
    weight[c] = portableExp(-0.5 * a * a) + otherWeight * portableExp(-0.5 * b * b);
    weightSum += weight[c];
  }

  // Largest remainder rounding, so the frequencies add up to exactly 100.000.
  Curve curve;
  std::array<double, kClassCount> remainder{};
  long long assigned = 0;
  for (int c = 0; c < kClassCount; ++c) {
    const double exact = weight[c] / weightSum * kThousandthsInWhole;
    curve.frequency[c] = static_cast<long long>(std::floor(exact));
    remainder[c] = exact - static_cast<double>(curve.frequency[c]);
    assigned += curve.frequency[c];
  }
  std::array<int, kClassCount> order{};
  for (int c = 0; c < kClassCount; ++c) {
    order[c] = c;
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](int left, int right) { return remainder[left] > remainder[right]; });
  for (long long i = 0; i < kThousandthsInWhole - assigned; ++i) {
    ++curve.frequency[order[i % kClassCount]];
  }
  return curve;
}

// About four significant digits, fixed per magnitude so every block shows identical diameters.
std::vector<std::string> diameterTexts() {
  std::vector<std::string> texts;
  for (int c = 0; c < kClassCount; ++c) {
    const double d = portableExp(lnDiameter(c));
    const int decimals = d < 1.0 ? 4 : d < 10.0 ? 3 : d < 100.0 ? 2 : 1;
    texts.push_back(decimal(d, decimals));
  }
  return texts;
}

// The instrument's own 23 fields, which the program never reads: a date, a time,
// quoted texts with commas and Windows-1252 accents as the analyser writes them.
constexpr int kInstrumentFields = 23;
constexpr std::array<std::string_view, 10> kInstrumentHeadings = {
    "Fecha",
    "Hora",
    "Operador",
    "Id medida",
    "Material",
    "\xCD"
    "ndice refracci\xF3n",
    "Dispersante",
    "Modelo \xF3ptico",
    "Mediana (\xB5m)",
    "Residuo (%)",
};

std::string exportHeading() {
  std::vector<std::string> fields(kInstrumentHeadings.begin(), kInstrumentHeadings.end());
  fields.resize(kInstrumentFields);
  for (std::string_view name :
       {"RESULT FILE NAME", "SAMPLE NAME", "LOTE", "NUMERO LOTE", "IP", "SURVEY", ""}) {
    fields.emplace_back(name);
  }
  for (int c = 0; c < kClassCount; ++c) {
    fields.emplace_back("Diameter");
    fields.emplace_back("q(%)");
    fields.emplace_back("Acum");
  }
  return joined(fields);
}

std::vector<std::string> instrumentFields(const SampleFileOptions& options, int blockIndex) {
  Random random = randomFor(options.seed, 'I', 0, blockIndex);
  // About forty measurements a day, eleven minutes apart, from nine in the morning.
  const int seconds =
      9 * 3600 + (blockIndex % 40) * 660 + static_cast<int>(random.between(0LL, 299LL));
  char date[16];
  std::snprintf(date, sizeof date, "%02d/06/2016", 13 + (blockIndex / 40) % 17);
  char time[16];
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  std::vector<std::string> fields = {date,
                                     time,
                                     inQuotes(random.percentChance(50) ? "Ruiz, M."
                                                                       : "Garc\xED"
                                                                         "a, L."),
                                     std::to_string(4201 + blockIndex),
                                     inQuotes("Sedimento marino, fracci\xF3n < 2 mm"),
                                     inQuotes("1.600-0.010i"),
                                     "Agua",
                                     inQuotes("Mie, uso general"),
                                     fixedPoint(random.between(2000LL, 90000LL), 3),
                                     fixedPoint(random.between(200LL, 1500LL), 3)};
  fields.resize(kInstrumentFields);
  return fields;
}

std::string exportBlock(const SampleFileOptions& options, const std::vector<std::string>& diameters,
                        int blockIndex, int orderNumber) {
  const Curve curve = makeCurve(options.seed, orderNumber, blockIndex);
  std::vector<std::string> fields = instrumentFields(options, blockIndex);

  const int position = blockIndex + 1;
  const bool otherLot = options.otherLotEvery > 0 && position % options.otherLotEvery == 0;
  const bool otherName = options.nameMismatchEvery > 0 && position % options.nameMismatchEvery == 0;
  const std::string lot = otherLot ? options.lotName + "X" : options.lotName;
  char resultFile[96];
  std::snprintf(resultFile, sizeof resultFile, "%s-%03d.ngb", lot.c_str(), orderNumber);

  fields.emplace_back(resultFile);
  fields.push_back(sampleName(options, orderNumber) + (otherName ? "B" : ""));
  fields.push_back(lot);
  fields.push_back(std::to_string(orderNumber));
  fields.emplace_back(kIpCode);
  fields.emplace_back(kCampaign);
  fields.emplace_back();

  long long cumulative = 0;
  for (int c = 0; c < kClassCount; ++c) {
    cumulative += curve.frequency[c];
    fields.push_back(diameters[c]);
    fields.push_back(fixedPoint(curve.frequency[c], 3));
    fields.push_back(fixedPoint(cumulative, 3));
  }
  if (options.trailingComma) {
    fields.emplace_back();
  }
  return joined(fields);
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

}  // namespace

std::string makeLotFile(const SampleFileOptions& options) {
  checkOptions(options);
  std::string text;
  text += "LOTE DE ENTREGA DE MUESTRAS SEDIMENTOL\xD3GICAS,,,,,,,,,,,,,,,";
  text += kLineEnd;
  text +=
      joined({"Proyecto",
              inQuotes("Estudio de sedimentos, Bah\xED"
                       "a de C\xE1"
                       "diz"),
              std::string(kIpCode), "Fecha", std::string(kLotDate),
              "Campa\xF1"
              "a",
              std::string(kCampaign), "N\xBA de muestras", std::to_string(options.sampleCount)});
  text +=
      "N\xBA,Muestra,Long\xBA,Lat\xBA,Prof(m),SProf(cm),M\xE9t. Muestreo,Descrip. Visual,"
      "Carbonato,Peso total,Peso 1,Peso 2,Peso 3,Conchas 1,Conchas 2,Conchas 3";
  text += kLineEnd;
  text += "(orden),,(grados),(grados),(m),(cm),,,(%),(g),(g),(g),(g),(g),(g),(g)";
  text += kLineEnd;
  for (int orderNumber = 1; orderNumber <= options.sampleCount; ++orderNumber) {
    text += lotRow(options, orderNumber);
  }
  return text;
}

std::string makeExportFile(const SampleFileOptions& options) {
  checkOptions(options);
  std::vector<int> orderNumbers = options.orderNumbers;
  if (orderNumbers.empty()) {
    for (int orderNumber = 1; orderNumber <= options.sampleCount; ++orderNumber) {
      orderNumbers.push_back(orderNumber);
    }
  }
  const std::vector<std::string> diameters = diameterTexts();
  std::string text = exportHeading();
  for (std::size_t i = 0; i < orderNumbers.size(); ++i) {
    text += exportBlock(options, diameters, static_cast<int>(i), orderNumbers[i]);
  }
  return text;
}

void writeSampleFiles(const SampleFileOptions& options, const std::filesystem::path& folder) {
  const std::string lot = makeLotFile(options);
  const std::string exported = makeExportFile(options);
  std::filesystem::create_directories(folder);
  writeBytes(folder / (options.lotName + ".csv"), lot);
  writeBytes(folder / (options.lotName + "_export.txt"), exported);
}

namespace {

// A number as a spreadsheet writes it: sign, digits, an optional fraction and %.
bool isNumber(std::string_view field) {
  std::size_t at = field.starts_with('-') ? 1 : 0;
  const std::size_t digits = at;
  while (at < field.size() && ((field[at] >= '0' && field[at] <= '9') || field[at] == '.')) {
    ++at;
  }
  return at > digits && (at == field.size() || (at + 1 == field.size() && field[at] == '%'));
}

std::vector<std::string> commaFields(std::string_view line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (const char c : line) {
    if (c == '"') {
      quoted = !quoted;
      fields.back() += c;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::string semicolonField(std::string field) {
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
    field = field.substr(1, field.size() - 2);
  }
  if (isNumber(field)) {
    std::replace(field.begin(), field.end(), '.', ',');
  }
  if (field.find_first_of(";\"") != std::string::npos) {
    field = inQuotes(field);
  }
  return field;
}

}  // namespace

std::string withSemicolons(const std::string& commaLot) {
  std::string text;
  for (std::size_t start = 0; start < commaLot.size();) {
    std::size_t end = commaLot.find(kLineEnd, start);
    if (end == std::string::npos) {
      end = commaLot.size();
    }
    const std::vector<std::string> fields =
        commaFields(std::string_view(commaLot).substr(start, end - start));
    for (std::size_t i = 0; i < fields.size(); ++i) {
      text += (i > 0 ? ";" : "") + semicolonField(fields[i]);
    }
    if (end < commaLot.size()) {
      text += kLineEnd;
    }
    start = end + kLineEnd.size();
  }
  return text;
}

}  // namespace granomet::tools
