// Fuzz target: the whole work flow on an arbitrary lot and export pair: the lot button, the export
// button and the calculation, then the results file and the window it leaves.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>

#include "data/text_encoding.h"
#include "file_size_limit.h"
#include "fuzz_check.h"
#include "headless_session.h"
#include "plain_files.h"
#include "results_shape.h"
#include "scratch_folder.h"
#include "support/open_descriptors.h"

namespace {

using namespace granomet;
using fuzz::require;

constexpr const char* kLotFile = "LOTE12.csv";
constexpr const char* kExportFile = "LOTE12_export.txt";
constexpr const char* kResultsFile = "LOTE12_06062016_093005.csv";
constexpr std::size_t kResultsFields = 98;

// The input is the lot file, this separator, one byte and the export file.
// The byte "," gives a regional decimal comma, "." a point; any other byte a
// point and a results file that cannot grow past 20 times its value in bytes,
// so that writing a line fails somewhere. Without the separator the whole input
// is the lot and the export file is empty.
constexpr std::string_view kSeparator = "@@EXPORT@@";
constexpr std::size_t kLimitStep = 20;

struct Inputs {
  std::string_view lot;
  std::string_view exportFile;
  char decimalMark = '.';
  std::optional<std::size_t> resultsLimit;
};

Inputs split(std::string_view bytes) {
  const std::size_t at = bytes.find(kSeparator);
  if (at == std::string_view::npos) {
    return {bytes, {}, '.', std::nullopt};
  }
  Inputs inputs{bytes.substr(0, at), bytes.substr(at + kSeparator.size()), '.', std::nullopt};
  if (!inputs.exportFile.empty()) {
    const char choice = inputs.exportFile.front();
    inputs.exportFile.remove_prefix(1);
    if (choice == ',') {
      inputs.decimalMark = ',';
    } else if (choice != '.') {
      inputs.resultsLimit = kLimitStep * static_cast<unsigned char>(choice);
    }
  }
  return inputs;
}

bool isFiniteNumber(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789.E+-") != std::string::npos) {
    return false;
  }
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(value);
}

// A number written by one of the results patterns: a minus, at least
// `integerDigits` digits, the regional mark and exactly `decimals` digits.
bool isPatternNumber(std::string_view text, char mark, std::size_t integerDigits,
                     std::size_t decimals) {
  if (text.starts_with('-')) {
    text.remove_prefix(1);
  }
  const std::size_t at = text.find(mark);
  if (at == std::string_view::npos || at < integerDigits || text.size() - at - 1 != decimals) {
    return false;
  }
  const auto digitsOnly = [](std::string_view part) {
    return part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  return digitsOnly(text.substr(0, at)) && digitsOnly(text.substr(at + 1));
}

// Fields are numbered from 1 as the lab's database numbers its columns.
void checkSampleLine(const fuzz::ResultsRecord& line, char mark) {
  const auto field = [&](std::size_t number) -> const fuzz::ResultsField& {
    return line[number - 1];
  };
  for (const std::size_t bare : {1, 5, 6, 7, 9, 19, 20, 21, 22, 23, 24, 25, 26, 30, 98}) {
    require(!field(bare).quoted && isFiniteNumber(field(bare).text),
            "el campo " + std::to_string(bare) + " no es un número finito: " + field(bare).text);
  }
  const int orderNumber = std::atoi(field(1).text.c_str());
  require(orderNumber >= 1 && orderNumber <= kMaxSamples, "número de orden fuera de 1..254");
  for (std::size_t percent = 14; percent <= 17; ++percent) {
    require(field(percent).quoted && isPatternNumber(field(percent).text, mark, 2, 2),
            "porcentaje mal escrito: " + field(percent).text);
  }
  require(field(18).quoted && isPatternNumber(field(18).text, mark, 2, 1),
          "bioclastos mal escritos: " + field(18).text);
  for (std::size_t weight = 31; weight <= 97; ++weight) {
    require(field(weight).quoted && isPatternNumber(field(weight).text, mark, 1, 3),
            "peso de clase mal escrito: " + field(weight).text);
  }
  require(field(2).text == field(27).text, "las dos columnas Muestra difieren");
  require(field(28).text == "NERITA" && field(29).text == "06/06/2016" && field(30).text == "100",
          "laboratorio, fecha o peso total mal escritos");
}

void checkResults(const std::filesystem::path& path, const HeadlessWindow& window, char mark,
                  RunOutcome outcome) {
  const std::size_t calculated = window.list(ListId::List1).items.size();
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    require(calculated == 0, "muestras calculadas sin fichero de resultados");
    return;
  }
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const auto parsed = fuzz::parseResults(bytes);
  if (const std::string* problem = std::get_if<std::string>(&parsed)) {
    require(false, "fichero de resultados mal formado: " + *problem);
  }
  const auto& lines = std::get<std::vector<fuzz::ResultsRecord>>(parsed);
  if (lines.empty()) {
    require(outcome == RunOutcome::Broken && calculated == 0,
            "fichero de resultados vacío tras un cálculo terminado");
    return;
  }
  require(lines.size() == calculated + 1, "el fichero no tiene una línea por muestra calculada");
  for (const fuzz::ResultsRecord& line : lines) {
    require(line.size() == kResultsFields, "una línea de resultados sin sus 98 campos");
  }
  for (std::size_t diameter = 31; diameter <= kResultsFields; ++diameter) {
    const fuzz::ResultsField& field = lines.front()[diameter - 1];
    require(field.quoted && isPatternNumber(field.text, mark, 1, 3),
            "diámetro de cabecera mal escrito: " + field.text);
  }
  for (std::size_t i = 1; i < lines.size(); ++i) {
    checkSampleLine(lines[i], mark);
  }
}

void checkWindow(fuzz::HeadlessSession& session, RunOutcome outcome) {
  HeadlessWindow& window = session.window();
  const std::size_t calculated = window.list(ListId::List1).items.size();
  require(outcome != RunOutcome::NotStarted, "el cálculo activo no empieza");
  require(outcome != RunOutcome::Refused,
          "el cálculo no empieza con los ficheros recién leídos y un nombre nuevo");
  require(window.label(LabelId::Label10).text == std::to_string(calculated) &&
              window.label(LabelId::Label11).text ==
                  std::to_string(window.list(ListId::List2).items.size()),
          "los contadores no son los de las listas");
  require(window.plotted().curves().size() == calculated, "no se dibuja una curva por muestra");
  require(!window.enabled(ButtonId::calculatot) && !window.enabled(ButtonId::exportbutton),
          "tras el cálculo sus botones siguen activos");
  const std::string& status = window.label(LabelId::Label8).text;
  if (outcome == RunOutcome::Broken) {
    require(status.starts_with(utf8ToCp1252("Cálculo interrumpido")),
            "un cálculo interrumpido no lo dice en la línea de estado");
    require(!window.messages().empty() &&
                window.messages().back().request.title == utf8ToCp1252("CÁLCULO INTERRUMPIDO"),
            "un cálculo interrumpido sin su mensaje");
    const std::string& prompt = window.messages().back().request.prompt;
    require(prompt.find(kLotFile) != std::string::npos ||
                prompt.find(kExportFile) != std::string::npos ||
                prompt.find(kResultsFile) != std::string::npos,
            "el mensaje de un cálculo interrumpido no nombra el fichero");
    require(prompt.find("error del sistema") == std::string::npos,
            "el mensaje de un cálculo interrumpido da un número de error en vez de la causa");
  } else {
    require(status == (calculated > 0 ? std::string(kResultsFile) + " HA SIDO CREADO."
                                      : std::string("Sin muestras coincidentes")),
            "línea de estado equivocada: " + status);
  }
  for (const HeadlessWindow::Message& message : window.messages()) {
    require(!message.request.prompt.empty(), "un mensaje vacío");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Inputs inputs = split(std::string_view(reinterpret_cast<const char*>(data), size));
  const int descriptors = granomet::testing::openDescriptorCount();
  const fuzz::ScratchFolder& scratch = fuzz::scratchFolder();
  const std::filesystem::path lot = scratch.write(kLotFile, inputs.lot);
  const std::filesystem::path exportFile = scratch.write(kExportFile, inputs.exportFile);
  const std::filesystem::path results = scratch.path() / kResultsFile;
  std::error_code ignored;
  std::filesystem::remove(results, ignored);

  fuzz::HeadlessSession session(scratch.path(), inputs.decimalMark);
  HeadlessWindow& window = session.window();
  // Only the buttons the window leaves enabled are pressed, as a person can.
  session.pressLot(lot);
  if (window.enabled(ButtonId::exportbutton)) {
    session.pressExport(exportFile);
    if (window.enabled(ButtonId::calculatot)) {
      RunOutcome outcome = RunOutcome::NotStarted;
      {
        std::optional<fuzz::FileSizeLimit> limit;
        if (inputs.resultsLimit) {
          limit.emplace(*inputs.resultsLimit);
        }
        outcome = session.pressCalculate();
      }
      checkWindow(session, outcome);
      // Only an unreadable file, a cut-off record or a results file that
      // cannot be written may break the run.
      require(outcome == RunOutcome::Completed || inputs.resultsLimit ||
                  !fuzz::plainLotOrders(inputs.lot) || !fuzz::plainExportOrders(inputs.exportFile),
              "el cálculo se interrumpe con ficheros sin defectos");
      checkResults(results, window, inputs.decimalMark, outcome);
    }
  }
  require(granomet::testing::openDescriptorCount() == descriptors, "queda un fichero abierto");
  return 0;
}
