#include "data/field_number.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
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
  throw ReadError(ReadError::Cause::Overflow, "\"" + std::string(text) + "\" does not fit " + width,
                  std::string(text));
}

// The power of ten of the leading significant digit of a number written as
// digits, an optional point and an optional exponent; the exponent saturates.
long decimalOrder(std::string_view number) {
  const std::size_t point = number.find('.');
  const std::size_t exponentAt = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, exponentAt);
  long exponent = 0;
  if (exponentAt != std::string_view::npos) {
    std::size_t i = exponentAt + 1;
    const bool negative = i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '-' || number[i] == '+')) {
      ++i;
    }
    for (; i < number.size() && isDigit(number[i]) && exponent < 1'000'000'000; ++i) {
      exponent = exponent * 10 + (number[i] - '0');
    }
    exponent = negative ? -exponent : exponent;
  }
  const std::size_t firstSignificant = mantissa.find_first_of("123456789");
  if (firstSignificant == std::string_view::npos) {
    return -1;  // all zeros
  }
  const std::size_t integerDigits = std::min(point, mantissa.size());
  const long position = firstSignificant < integerDigits
                            ? static_cast<long>(integerDigits - firstSignificant) - 1
                            : -static_cast<long>(firstSignificant - integerDigits);
  return position + exponent;
}

constexpr std::array<double, 23> kExactPowersOfTen = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The value of digits with an optional point, where it has at most 15 digits: the
// integer they make (below 2^53) and the power of ten are then exact doubles, and
// their quotient, rounded once, is the value from_chars gives, found without its
// general search. Most numbers of the lab's files are such; the others (an
// exponent, more digits) are left to from_chars.
std::optional<double> shortDecimal(const char* c, const char* end) {
  constexpr std::ptrdiff_t kMaxDigits = 15;  // 10^15 < 2^53
  std::uint64_t digits = 0;                  // wraps only where more digits send it away
  const char* const integerStart = c;
  for (; c < end && isDigit(*c); ++c) {
    digits = digits * 10 + static_cast<std::uint64_t>(*c - '0');
  }
  std::ptrdiff_t count = c - integerStart;
  std::ptrdiff_t decimals = 0;
  if (c < end && *c == '.') {
    const char* const fractionStart = ++c;
    for (; c < end && isDigit(*c); ++c) {
      digits = digits * 10 + static_cast<std::uint64_t>(*c - '0');
    }
    decimals = c - fractionStart;
    count += decimals;
  }
  if (count > kMaxDigits || (c < end && (*c == 'e' || *c == 'E'))) {
    return std::nullopt;
  }
  return static_cast<double>(digits) / kExactPowersOfTen[static_cast<std::size_t>(decimals)];
}

// The general case, out of line so that the common one stays small: from_chars from `pos`.
[[gnu::noinline]] double generalDouble(std::string_view text, std::size_t pos, bool negative) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data() + pos, text.data() + text.size(), value,
                                            std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    // from_chars reports values too small for a double as out of range too;
    // those are zero to the lab, only the large ones overflow.
    if (decimalOrder(text.substr(pos, static_cast<std::size_t>(end - (text.data() + pos)))) < 0) {
      return 0;
    }
    overflow(text, "a double");
  }
  if (error != std::errc()) {
    return 0;
  }
  return negative ? -value : value;
}

}  // namespace

double fieldDouble(std::string_view text) {
  const char* const end = text.data() + text.size();
  const char* c = text.data();
  while (c < end && isBlank(*c)) {
    ++c;
  }
  bool negative = false;
  if (c < end && (*c == '+' || *c == '-')) {
    negative = *c == '-';
    ++c;
  }
  // Only digits or a point may start the number: from_chars would also take
  // "inf", "nan" and a second sign, none of which a lab file means as a number.
  const bool startsNumber = c < end && (isDigit(*c) || (*c == '.' && c + 1 < end && isDigit(c[1])));
  if (!startsNumber) {
    return 0;
  }
  if (const std::optional<double> value = shortDecimal(c, end)) {
    return negative ? -*value : *value;
  }
  return generalDouble(text, static_cast<std::size_t>(c - text.data()), negative);
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

std::string withDecimalPoint(std::string_view text) {
  std::string number(text);
  std::size_t start = 0;
  while (start < number.size() &&
         (isBlank(number[start]) || number[start] == '+' || number[start] == '-')) {
    ++start;
  }
  std::size_t end = start;
  while (end < number.size() && (isDigit(number[end]) || number[end] == '.')) {
    ++end;
  }
  // Grouped: one to three digits, the first not a 0, then groups of a point and
  // three digits to the end of the digits.
  const std::string head = number.substr(start, end - start);
  const std::size_t firstPoint = head.find('.');
  bool grouped = firstPoint >= 1 && firstPoint <= 3 && head.front() != '0';
  for (std::size_t at = firstPoint; grouped && at < head.size(); at += 4) {
    grouped = head[at] == '.' && at + 3 < head.size() && isDigit(head[at + 1]) &&
              isDigit(head[at + 2]) && isDigit(head[at + 3]);
  }
  if (grouped) {
    std::string digits;
    std::copy_if(head.begin(), head.end(), std::back_inserter(digits), isDigit);
    number.replace(start, head.size(), digits);
    end = start + digits.size();
  }
  // A number already written with a decimal point keeps whatever follows it.
  if (end < number.size() && number[end] == ',' && (grouped || firstPoint == std::string::npos)) {
    number[end] = '.';
  }
  return number;
}

}  // namespace granomet
