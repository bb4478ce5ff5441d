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

#include "data/export_button.h"
#include "fuzz_check.h"
#include "headless_session.h"
#include "open_descriptors.h"
#include "scratch_folder.h"

namespace {

using namespace granomet;
using fuzz::require;

constexpr const char* kExportFile = "LOTE12_export.txt";

struct SampleLines {
  int count = 0;
  std::int16_t trailingComma = 0;
};

// Counted here on its own: lines behind the first longer than 300 characters,
// CR LF, LF and a lone CR each ending a line; the comma flag comes from every
// line read while the count is exactly 1. A character is a byte, or in a file
// that begins with the UTF-8 byte-order mark a byte that does not continue one.
SampleLines countSampleLines(std::string_view bytes) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  const bool utf8 = bytes.starts_with(kByteOrderMark);
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

std::vector<std::string_view> splitAt(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> parts;
  for (std::size_t at = text.find(separator); at != std::string_view::npos;
       at = text.find(separator)) {
    parts.push_back(text.substr(0, at));
    text.remove_prefix(at + separator.size());
  }
  parts.push_back(text);
  return parts;
}

// Fields as the field reader splits one line: a field whose first character
// past blanks is a double quote runs to the next quote and on to the comma.
// nullopt when a quote never closes on the line.
std::optional<std::vector<std::string_view>> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t pos = 0;
  while (true) {
    const std::size_t start = pos;
    const std::size_t content = line.find_first_not_of(" \t", pos);
    if (content != std::string_view::npos && line[content] == '"') {
      const std::size_t close = line.find('"', content + 1);
      if (close == std::string_view::npos) {
        return std::nullopt;
      }
      pos = close;
    }
    const std::size_t comma = line.find(',', pos);
    if (comma == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, comma - start));
    pos = comma + 1;
  }
}

bool plainDigits(std::string_view text, std::string_view allowed, std::size_t longest) {
  return text.size() <= longest && text.find_first_not_of(allowed) == std::string_view::npos;
}

// The order numbers of an export no reader could refuse, or nullopt when the
// bytes are not that plain: CR LF lines without NUL bytes, a heading, then only
// sample lines of 228 fields (229, the last empty, when the first ends with a
// comma) whose quotes close on their line, each with field 27 an order number
// from 1 to 254 in digits and every diameter and frequency empty or short plain
// digits with a point.
std::optional<std::vector<int>> plainExportOrders(std::string_view bytes) {
  if (bytes.find('\0') != std::string_view::npos || bytes.starts_with("\xEF\xBB\xBF") ||
      !bytes.ends_with("\r\n")) {
    return std::nullopt;
  }
  std::vector<std::string_view> lines = splitAt(bytes.substr(0, bytes.size() - 2), "\r\n");
  if (lines.size() < 2) {
    return std::nullopt;
  }
  const bool trailingComma = lines[1].ends_with(',');
  std::vector<int> orders;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::optional<std::vector<std::string_view>> split = splitFields(line);
    if (!split || line.size() <= 300 || line.find_first_of("\r\n") != std::string_view::npos ||
        split->size() != (trailingComma ? 229u : 228u) || line.ends_with(',') != trailingComma) {
      return std::nullopt;
    }
    const std::vector<std::string_view>& fields = *split;
    for (std::size_t field = 30; field < 228; field += 3) {
      if (!plainDigits(fields[field], "0123456789.", 20) ||
          !plainDigits(fields[field + 1], "0123456789.", 20)) {
        return std::nullopt;
      }
    }
    const std::string_view order = fields[26];
    if (order.empty() || !plainDigits(order, "0123456789", 3) ||
        std::stoi(std::string(order)) < 1 || std::stoi(std::string(order)) > kMaxSamples) {
      return std::nullopt;
    }
    orders.push_back(std::stoi(std::string(order)));
  }
  return orders;
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
  const int descriptors = fuzz::openDescriptorCount();
  const fuzz::ScratchFolder& scratch = fuzz::scratchFolder();
  const std::filesystem::path file = scratch.write(kExportFile, bytes);

  fuzz::HeadlessSession session(scratch.path(), '.');
  session.pressExport(file);
  const HeadlessWindow& window = session.window();
  const ExportTable& table = session.tables().exports;
  const bool failed =
      !window.messages().empty() && window.messages().front().request.title == "ERROR EN EXPORT";
  const std::optional<std::vector<int>> plainOrders = plainExportOrders(bytes);
  require(!(failed && plainOrders), "un export sin defectos da un mensaje de error");
  if (failed) {
    checkFailure(window, table);
  } else {
    checkRead(window, table, countSampleLines(bytes));
  }
  if (plainOrders) {
    checkPlainExport(window, *plainOrders);
  }
  require(fuzz::openDescriptorCount() == descriptors, "queda un fichero abierto");
  return 0;
}
