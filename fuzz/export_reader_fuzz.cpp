// Fuzz target: the export button on an arbitrary laser export file: either every sample line is
// read and listed, or one error message names the file and nothing can be calculated.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "headless_session.h"
#include "plain_files.h"
#include "scratch_folder.h"
#include "support/open_descriptors.h"
#include "workflow/export_button.h"

namespace {

using namespace granomet;
using fuzz::require;

constexpr const char* kExportFile = "LOTE12_export.txt";

struct SampleLines {
  int count = 0;
  std::int16_t trailingComma = 0;
};

// Well-formed UTF-8 by the table of the Unicode standard (3-7), with at least one
// character of more than one byte.
bool wellFormedUtf8(std::string_view bytes) {
  bool multiByte = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto at = [&](std::size_t k) {
      return i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0;
    };
    const auto within = [](unsigned char byte, unsigned char low, unsigned char high) {
      return byte >= low && byte <= high;
    };
    const unsigned char lead = at(0);
    std::size_t length = 0;
    if (lead <= 0x7F) {
      length = 1;
    } else if (within(lead, 0xC2, 0xDF) && within(at(1), 0x80, 0xBF)) {
      length = 2;
    } else if (((lead == 0xE0 && within(at(1), 0xA0, 0xBF)) ||
                ((within(lead, 0xE1, 0xEC) || within(lead, 0xEE, 0xEF)) &&
                 within(at(1), 0x80, 0xBF)) ||
                (lead == 0xED && within(at(1), 0x80, 0x9F))) &&
               within(at(2), 0x80, 0xBF)) {
      length = 3;
    } else if (((lead == 0xF0 && within(at(1), 0x90, 0xBF)) ||
                (within(lead, 0xF1, 0xF3) && within(at(1), 0x80, 0xBF)) ||
                (lead == 0xF4 && within(at(1), 0x80, 0x8F))) &&
               within(at(2), 0x80, 0xBF) && within(at(3), 0x80, 0xBF)) {
      length = 4;
    } else {
      return false;
    }
    multiByte = multiByte || length > 1;
    i += length;
  }
  return multiByte;
}

// Counted here on its own: lines behind the first longer than 300 characters,
// CR LF, LF and a lone CR each ending a line; the comma flag comes from every
// line read while the count is exactly 1. A character is a byte, or in a UTF-8
// file (one that begins with the byte-order mark, or is well-formed UTF-8 with a
// character of several bytes) a byte that does not continue one.
SampleLines countSampleLines(std::string_view bytes) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  const bool utf8 = bytes.starts_with(kByteOrderMark) || wellFormedUtf8(bytes);
  const auto characters = [utf8](std::string_view line) {
    return utf8 ? static_cast<std::size_t>(std::count_if(line.begin(), line.end(),
                                                         [](char c) { return (c & 0xC0) != 0x80; }))
                : line.size();
  };
  SampleLines lines;
  bool first = true;
  std::size_t pos = utf8 ? kByteOrderMark.size() : 0;
  while (pos < bytes.size()) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n", pos), bytes.size());
    const std::string_view line = bytes.substr(pos, end - pos);
    pos = end;
    if (pos < bytes.size()) {
      pos += bytes.substr(pos, 2) == "\r\n" ? 2 : 1;
    }
    if (std::exchange(first, false)) {
      continue;
    }
    if (characters(line) > 300) {
      ++lines.count;
    }
    if (lines.count == 1) {
      lines.trailingComma = !line.empty() && line.back() == ',' ? 1 : 0;
    }
  }
  return lines;
}

bool isOrderNumber(std::string_view digits) {
  if (digits.size() != 3 || digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return false;
  }
  const int number = std::stoi(std::string(digits));
  return number >= 1 && number <= kMaxSamples;
}

// A plain export is read whole, its blocks listed in file order.
void checkPlainExport(const HeadlessWindow& window, const std::vector<int>& orders) {
  const auto& listed = window.list(ListId::List1).items;
  require(listed.size() == orders.size(), "un export sin defectos no se lee entero");
  for (std::size_t i = 0; i < orders.size(); ++i) {
    require(std::stoi(listed[i].substr(0, 3)) == orders[i],
            "un export sin defectos lista otro número de orden");
  }
}

void checkFailure(const HeadlessWindow& window, const ExportTable& table) {
  require(window.messages().size() == 1, "un export que falla no da exactamente un mensaje");
  const MessageRequest& message = window.messages().front().request;
  require(message.icon == MessageIcon::Error, "el mensaje de fallo no es de error");
  require(message.prompt.find(kExportFile) != std::string::npos,
          "el mensaje de fallo no nombra el fichero");
  require(table.exportSampleCount == 0, "un export fallido deja muestras contadas");
  require(!window.enabled(ButtonId::calculatot), "un export fallido deja activo el cálculo");
}

void checkRead(const HeadlessWindow& window, const ExportTable& table, const SampleLines& lines) {
  require(window.enabled(ButtonId::calculatot), "un export leído deja el cálculo desactivado");
  require(table.exportSampleCount == lines.count, "el export cuenta mal sus líneas de muestra");
  require(lines.count == 0 || table.trailingComma == lines.trailingComma,
          "el export toma mal la coma final");
  const auto& listed = window.list(ListId::List1).items;
  require(listed.size() == static_cast<std::size_t>(lines.count),
          "el export no lista cada muestra una vez");
  std::map<std::string, int> seen;
  for (const std::string& item : listed) {
    require(isOrderNumber(std::string_view(item).substr(0, 3)) && item.compare(3, 2, "  ") == 0,
            "se lista una muestra sin número de orden entre 1 y 254");
    ++seen[item.substr(0, 3)];
  }
  std::size_t repeats = 0;
  for (const auto& [number, times] : seen) {
    repeats += static_cast<std::size_t>(times - 1);
  }
  require(window.messages().size() == repeats, "no se avisa una vez por cada número repetido");
  for (const HeadlessWindow::Message& message : window.messages()) {
    require(message.request.title == "ERROR" && message.request.icon == MessageIcon::Warning,
            "un aviso de número repetido no es de aviso");
  }
  require(window.list(ListId::List2).items.size() == 2 * repeats,
          "la lista roja no tiene las dos muestras de cada repetición");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const int descriptors = granomet::testing::openDescriptorCount();
  const fuzz::ScratchFolder& scratch = fuzz::scratchFolder();
  const std::filesystem::path file = scratch.write(kExportFile, bytes);

  fuzz::HeadlessSession session(scratch.path(), '.');
  session.pressExport(file);
  const HeadlessWindow& window = session.window();
  const ExportTable& table = session.tables().exports;
  const bool failed =
      !window.messages().empty() && window.messages().front().request.title == "ERROR EN EXPORT";
  const std::optional<std::vector<int>> plainOrders = fuzz::plainExportOrders(bytes);
  require(!(failed && plainOrders), "un export sin defectos da un mensaje de error");
  if (failed) {
    checkFailure(window, table);
  } else {
    checkRead(window, table, countSampleLines(bytes));
  }
  if (plainOrders) {
    checkPlainExport(window, *plainOrders);
  }
  require(granomet::testing::openDescriptorCount() == descriptors, "queda un fichero abierto");
  return 0;
}
