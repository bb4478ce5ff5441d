// Fuzz target: the lot button on an arbitrary lot file, then the calculation's second reading
// of every row, which must agree with a reading of the file from its first line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/field_reader.h"
#include "data/lot_file.h"
#include "data/lot_format.h"
#include "data/lot_rereader.h"
#include "data/read_error.h"
#include "fuzz_check.h"
#include "headless_session.h"
#include "plain_files.h"
#include "scratch_folder.h"
#include "support/lot_from_start.h"
#include "support/open_descriptors.h"

namespace {

using namespace granomet;
using fuzz::require;

constexpr const char* kLotFile = "LOTE12.csv";

// A listed item's order number, "007 : 012  M-12" giving 12; -1 when it has none.
int listedOrderNumber(const std::string& item) {
  const std::size_t separator = item.find(" : ");  // behind the row, 1000 and up in four digits
  if (separator == std::string::npos || item.size() < separator + 6) {
    return -1;
  }
  const std::string digits = item.substr(separator + 3, 3);
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return -1;
  }
  return std::stoi(digits);
}

void checkLotButton(fuzz::HeadlessSession& session) {
  HeadlessWindow& window = session.window();
  const LotTable& lot = session.tables().lot;
  const auto& listed = window.list(ListId::List1).items;
  for (const std::string& item : listed) {
    const int number = listedOrderNumber(item);
    require(number >= 1 && number <= kMaxSamples, "se lista una fila sin número de orden válido");
  }
  const std::size_t rows = static_cast<std::size_t>(std::max<int>(lot.header.sampleCount, 0));
  if (window.enabled(ButtonId::calculatot)) {
    require(window.messages().empty(), "un lote leído entero muestra un mensaje");
    require(window.enabled(ButtonId::exportbutton), "lote leído y botón de export desactivado");
    require(window.text(TextBoxId::recalculado_file) == "LOTE12_06062016_093005.csv",
            "lote leído sin nombre de resultados propuesto");
    require(listed.size() == rows, "un lote leído no lista todas sus filas");
    return;
  }
  require(window.messages().size() == 1, "un lote que falla no da exactamente un mensaje");
  const MessageRequest& message = window.messages().front().request;
  require(message.title == "ERROR EN CSV" && message.icon == MessageIcon::Error,
          "el mensaje de un lote que falla no es ERROR EN CSV");
  const std::string start =
      "Error aproximadamente en la muestra " + std::to_string(lot.currentOrderNumber) + "\n\n";
  require(message.prompt.starts_with(start), "el mensaje no cita la última fila leída");
  require(message.prompt.find(std::string(kLotFile) + ": ") == start.size(),
          "el mensaje no nombra el fichero");
  require(message.prompt.size() > start.size() + std::string(kLotFile).size() + 2,
          "el mensaje no dice la causa");
  require(!window.enabled(ButtonId::exportbutton), "un lote fallido deja activo el export");
  require(window.label(LabelId::Label8).textColor == kDarkRed, "estado no rojo oscuro");
  require(listed.size() < std::max<std::size_t>(rows, 1), "un lote fallido lista todas sus filas");
}

// A plain lot is read whole, its rows listed in file order.
void checkPlainLot(const HeadlessWindow& window, const std::vector<int>& orders) {
  require(window.messages().empty(), "un lote sin defectos da un mensaje de error");
  const auto& listed = window.list(ListId::List1).items;
  require(listed.size() == orders.size(), "un lote sin defectos no se lista entero");
  for (std::size_t i = 0; i < orders.size(); ++i) {
    require(listedOrderNumber(listed[i]) == orders[i],
            "un lote sin defectos lista otro número de orden");
  }
}

// What one reading of a row gave: its own order number, or how it failed.
std::string outcome(const std::function<std::int16_t()>& reading) {
  try {
    return "fila " + std::to_string(reading());
  } catch (const ReadError& error) {
    return "ReadError " + std::to_string(static_cast<int>(error.cause()));
  } catch (const CarbonateError& error) {
    return "CarbonateError " + error.text();
  }
}

bool sameRecord(const SampleRecord& a, const SampleRecord& b) {
  return a.name == b.name && a.longitude == b.longitude && a.latitude == b.latitude &&
         a.depthM == b.depthM && a.subDepthCm == b.subDepthCm &&
         a.samplingMethod == b.samplingMethod && a.visualDescription == b.visualDescription &&
         a.carbonatePct == b.carbonatePct && a.totalWeight == b.totalWeight &&
         a.partialWeight1 == b.partialWeight1 && a.partialWeight2 == b.partialWeight2 &&
         a.partialWeight3 == b.partialWeight3 && a.shellWeight1 == b.shellWeight1 &&
         a.shellWeight2 == b.shellWeight2 && a.shellWeight3 == b.shellWeight3;
}

bool sameReading(const LotTable& a, const LotTable& b) {
  if (a.header.ip != b.header.ip || a.header.campaign != b.header.campaign ||
      a.header.sampleCount != b.header.sampleCount ||
      a.currentOrderNumber != b.currentOrderNumber) {
    return false;
  }
  const int row = a.currentOrderNumber;
  return !decltype(a.records)::contains(row) || sameRecord(a.records[row], b.records[row]);
}

// The calculation keeps the lot's bytes and its line starts between rows; every
// row it reads must come out as a reading from the first line would give it.
// That reading costs the whole file up to the row, so only the first rows, every
// sixteenth and the one that meets the file's end are compared, each from the
// same table.
void checkRereading(std::string_view bytes, const FieldFormat& format,
                    const LotTable& afterButton) {
  LotRereader rereader(bytes, format);
  auto kept = std::make_unique<LotTable>(afterButton);
  auto fromStart = std::make_unique<LotTable>();
  const std::string endOfFile =
      "ReadError " + std::to_string(static_cast<int>(ReadError::Cause::EndOfFile));
  const auto regionalMark = [](std::int16_t n) { return n % 2 == 0 ? '.' : ','; };
  const auto reread = [&](std::int16_t n) {
    return outcome([&] { return rereader.reread(n, *kept, regionalMark(n)); });
  };
  // Returns what the kept bytes gave.
  const auto compare = [&](std::int16_t n) {
    *fromStart = *kept;
    const std::string viaKept = reread(n);
    const std::string viaStart = outcome([&] {
      FieldReader reader = FieldReader::overBytes(bytes, format);
      // A lot written with decimal commas has its carbonate written with one too.
      return rereadLotRow(reader, n, *fromStart, format.decimalMark == ',' ? ',' : regionalMark(n));
    });
    require(viaKept == viaStart, "la fila " + std::to_string(n) + " leída de nuevo da " + viaKept +
                                     " en vez de " + viaStart);
    require(sameReading(*kept, *fromStart),
            "la fila " + std::to_string(n) + " leída de nuevo guarda otros valores");
    return viaKept;
  };
  for (const std::int16_t n : {0, -1, 255, -32768, 32767}) {
    compare(n);
  }
  // Once a row runs into the file's end, every later one does too.
  for (std::int16_t n = 1; n <= kMaxSamples; ++n) {
    if (n <= 16 || n % 16 == 0) {
      if (compare(n) == endOfFile) {
        break;
      }
    } else if (reread(n) == endOfFile) {
      compare(n);
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const int descriptors = granomet::testing::openDescriptorCount();
  const fuzz::ScratchFolder& scratch = fuzz::scratchFolder();
  const std::filesystem::path file = scratch.write(kLotFile, bytes);

  fuzz::HeadlessSession session(scratch.path(), '.');
  session.pressLot(file);
  checkLotButton(session);
  if (const auto orders = fuzz::plainLotOrders(bytes)) {
    checkPlainLot(session.window(), *orders);
  }
  try {
    checkRereading(bytes, lotFormatOf(bytes), session.tables().lot);
  } catch (const LotFormatError&) {
    // Neither commas nor semicolons: the lot button has said so, nothing reads the rows.
  }

  require(granomet::testing::openDescriptorCount() == descriptors, "queda un fichero abierto");
  return 0;
}
