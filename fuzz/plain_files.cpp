// Lot and export files so plain that no reader may refuse them, recognised independently.
#include "plain_files.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace granomet::fuzz {
namespace {

constexpr int kMaxOrderNumber = 254;

// Bytes that no UTF-8 text holds: a file with one of them is read byte for byte.
bool holdsANonUtf8Byte(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == 0xC0 || byte == 0xC1 || byte >= 0xF5;
  });
}

bool holdsAHighByte(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// The file's lines, when it is plain as a whole; each line still needs its fields checked.
std::optional<std::vector<std::string_view>> plainLines(std::string_view bytes) {
  if (bytes.find('\0') != std::string_view::npos || bytes.starts_with("\xEF\xBB\xBF") ||
      !bytes.ends_with("\r\n") || (holdsAHighByte(bytes) && !holdsANonUtf8Byte(bytes))) {
    return std::nullopt;
  }
  std::vector<std::string_view> lines;
  std::string_view rest = bytes.substr(0, bytes.size() - 2);
  for (std::size_t end = rest.find("\r\n"); end != std::string_view::npos;
       end = rest.find("\r\n")) {
    lines.push_back(rest.substr(0, end));
    rest.remove_prefix(end + 2);
  }
  lines.push_back(rest);
  for (const std::string_view line : lines) {
    if (line.find_first_of("\r\n") != std::string_view::npos) {
      return std::nullopt;
    }
  }
  return lines;
}

// Fields as the field reader splits one line: a field whose first character
// past blanks is a double quote runs to the next quote and on to the comma.
// nullopt when a quote does not close on the line.
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

bool shortNumber(std::string_view text) {
  if (text.starts_with('-')) {
    text.remove_prefix(1);
  }
  return text.size() <= 20 && text.find_first_not_of("0123456789.") == std::string_view::npos;
}

std::optional<int> orderNumber(std::string_view text) {
  if (text.empty() || text.size() > 3 ||
      text.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  const int number = std::stoi(std::string(text));
  if (number < 1 || number > kMaxOrderNumber) {
    return std::nullopt;
  }
  return number;
}

}  // namespace

std::optional<std::vector<int>> plainLotOrders(std::string_view bytes) {
  const auto lines = plainLines(bytes);
  if (!lines || lines->size() < 4) {
    return std::nullopt;
  }
  const auto header = splitFields((*lines)[1]);
  if (!header || header->size() != 9 || (*header)[8].empty() || (*header)[8].size() > 3 ||
      (*header)[8].find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  const std::size_t rows = static_cast<std::size_t>(std::stoi(std::string((*header)[8])));
  if (lines->size() < 4 + rows) {
    return std::nullopt;
  }
  std::vector<int> orders;
  for (std::size_t row = 0; row < rows; ++row) {
    const auto fields = splitFields((*lines)[4 + row]);
    if (!fields || fields->size() != 16) {
      return std::nullopt;
    }
    for (const std::size_t number : {2, 3, 4, 9, 10, 11, 12, 13, 14, 15}) {
      if (!shortNumber((*fields)[number])) {
        return std::nullopt;
      }
    }
    const std::optional<int> order = orderNumber((*fields)[0]);
    if (!order) {
      return std::nullopt;
    }
    orders.push_back(*order);
  }
  return orders;
}

std::optional<std::vector<int>> plainExportOrders(std::string_view bytes) {
  const auto lines = plainLines(bytes);
  if (!lines || lines->size() < 2) {
    return std::nullopt;
  }
  const bool trailingComma = (*lines)[1].ends_with(',');
  std::vector<int> orders;
  for (std::size_t i = 1; i < lines->size(); ++i) {
    const std::string_view line = (*lines)[i];
    const auto fields = splitFields(line);
    if (!fields || line.size() <= 300 || fields->size() != (trailingComma ? 229u : 228u) ||
        line.ends_with(',') != trailingComma) {
      return std::nullopt;
    }
    for (std::size_t field = 30; field < 228; ++field) {
      if ((field - 30) % 3 != 2 && !shortNumber((*fields)[field])) {
        return std::nullopt;
      }
    }
    const std::optional<int> order = orderNumber((*fields)[26]);
    if (!order) {
      return std::nullopt;
    }
    orders.push_back(*order);
  }
  return orders;
}

}  // namespace granomet::fuzz
