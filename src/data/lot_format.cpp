#include "data/lot_format.h"

#include <algorithm>
#include <array>

#include "data/text_encoding.h"

namespace granomet {
namespace {

constexpr int kHeaderFields = 9;
constexpr char kLotSeparators[] = {',', ';'};

bool isLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Where the second line starts; npos when the file has a single line.
std::size_t secondLineStart(std::string_view bytes) {
  // Two searches for one character each: much faster than one for either over a
  // file that is a single long line.
  const std::size_t end = std::min(bytes.find('\r'), bytes.find('\n'));
  if (end == std::string_view::npos) {
    return end;
  }
  return bytes.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
}

struct HeaderLine {
  int fields = 0;
  bool complete = false;  // a line end follows it
};

// The header line's fields as the field reader would take them with this
// separator: a field opened by a double quote runs to the next one, across line
// ends, and what follows it up to the separator belongs to it.
HeaderLine headerLine(std::string_view bytes, std::size_t at, char separator) {
  HeaderLine line;
  while (true) {
    while (at < bytes.size() && (bytes[at] == ' ' || bytes[at] == '\t') && bytes[at] != separator) {
      ++at;
    }
    if (at < bytes.size() && bytes[at] == '"') {
      at = bytes.find('"', at + 1);
      if (at == std::string_view::npos) {
        return line;
      }
      ++at;
    }
    while (at < bytes.size() && bytes[at] != separator && !isLineEnd(bytes[at])) {
      ++at;
    }
    ++line.fields;
    if (at == bytes.size()) {
      return line;
    }
    if (isLineEnd(bytes[at])) {
      line.complete = true;
      return line;
    }
    ++at;
  }
}

}  // namespace

FieldFormat lotFormatOf(std::string_view bytes) {
  const bool utf8 = isUtf8Text(bytes);
  const FieldFormat commas{',', '.', utf8};
  const std::size_t start = secondLineStart(bytes);
  if (start == std::string_view::npos) {
    return commas;
  }
  const HeaderLine withCommas = headerLine(bytes, start, ',');
  if (!withCommas.complete || withCommas.fields >= kHeaderFields) {
    return commas;
  }
  const HeaderLine withSemicolons = headerLine(bytes, start, ';');
  if (withSemicolons.complete && withSemicolons.fields >= kHeaderFields) {
    return {';', ',', utf8};
  }
  char found = '\0';
  int mostFields = 1;
  for (const char separator : std::array{',', ';', '\t', '|'}) {
    const HeaderLine line = headerLine(bytes, start, separator);
    if (line.fields > mostFields) {
      found = separator;
      mostFields = line.fields;
    }
  }
  throw LotFormatError(found, mostFields);
}

bool hasLotHeaderLine(std::string_view bytes) {
  const std::size_t start = secondLineStart(bytes);
  if (start == std::string_view::npos) {
    return false;
  }
  return std::any_of(std::begin(kLotSeparators), std::end(kLotSeparators), [&](char separator) {
    const HeaderLine line = headerLine(bytes, start, separator);
    return line.complete && line.fields >= kHeaderFields;
  });
}

}  // namespace granomet
