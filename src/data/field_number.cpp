#include "data/field_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "data/read_error.h"

namespace granomet {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

[[noreturn]] void overflow(std::string_view text, const char* width) {
  throw ReadError(ReadError::Cause::Overflow,
                  "\"" + std::string(text) + "\" does not fit " + width);
}

}  // namespace

double fieldDouble(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && isBlank(text[pos])) {
    ++pos;
  }
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // Only digits or a point may start the number: from_chars would also take
  // "inf", "nan" and a second sign, none of which a lab file means as a number.
  const bool startsNumber =
      pos < text.size() &&
      (isDigit(text[pos]) || (text[pos] == '.' && pos + 1 < text.size() && isDigit(text[pos + 1])));
  if (!startsNumber) {
    return 0;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data() + pos, text.data() + text.size(), value,
                                            std::chars_format::general);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // from_chars reports tiny values as out of range too; those are zero to the lab.
    const std::string_view digits = text.substr(pos);
    const auto e = digits.find_first_of("eE");
    if (e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-') {
      return 0;
    }
    overflow(text, "a double");
  }
  if (error != std::errc()) {
    return 0;
  }
  return negative ? -value : value;
}

float fieldSingle(std::string_view text) {
  const double value = fieldDouble(text);
  if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
    overflow(text, "single precision");
  }
  return static_cast<float>(value);
}

std::int16_t fieldInt16(std::string_view text) {
  const double value = fieldDouble(text);
  double rounded = std::round(value);
  if (std::fabs(value - std::trunc(value)) == 0.5 && std::fmod(rounded, 2.0) != 0) {
    rounded -= std::copysign(1.0, value);
  }
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max()) {
    overflow(text, "a 16-bit integer");
  }
  return static_cast<std::int16_t>(rounded);
}

}  // namespace granomet
