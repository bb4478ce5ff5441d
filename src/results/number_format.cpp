#include "results/number_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace granomet {
namespace {

constexpr int kSingleDigits = 7;
constexpr int kDoubleDigits = 15;

// The largest double has 309 integer digits; the patterns add at most three decimals.
constexpr int kMaxDigits = 320;

constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{};
  powers[0] = 1;
  for (std::size_t k = 1; k < powers.size(); ++k) {
    powers[k] = powers[k - 1] * 10;
  }
  return powers;
}();

// A value's decimal form cut to a number of significant digits, rounded to
// nearest with ties to even, as C's %e prints it.
struct DecimalDigits {
  std::uint64_t significand = 0;  // that many digits, the first not 0 unless the value is 0
  int exponent = 0;               // the power of ten of the first digit
  bool negative = false;
};

template <typename Real>
DecimalDigits printedDigits(Real value, int significantDigits) {
  DecimalDigits decimal;
  char text[64];
  const auto printed = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific,
                                     significantDigits - 1);
  decimal.negative = text[0] == '-';
  const char* c = text + (decimal.negative ? 1 : 0);
  for (; *c != 'e'; ++c) {
    if (*c != '.') {
      decimal.significand = decimal.significand * 10 + static_cast<std::uint64_t>(*c - '0');
    }
  }
  std::from_chars(c + (c[1] == '+' ? 2 : 1), printed.ptr, decimal.exponent);
  return decimal;
}

#ifdef __SIZEOF_INT128__
// GCC's and Clang's 128-bit integer; __extension__ keeps -Wpedantic quiet about it.
// Compilers without one (MSVC) print every number, which gives the same digits.
__extension__ typedef unsigned __int128 Wide;

constexpr int kMaxExactPower = 21;  // 10^21 < 2^70, so 53 bits times it fit 127

constexpr std::array<Wide, kMaxExactPower + 1> kWidePowersOfTen = [] {
  std::array<Wide, kMaxExactPower + 1> powers{};
  powers[0] = 1;
  for (std::size_t k = 1; k < powers.size(); ++k) {
    powers[k] = powers[k - 1] * 10;
  }
  return powers;
}();

// The same digits without printing, where the value times a power of ten is an
// exact 128-bit integer: a finite, non-zero value below 2^53 and not too small.
// Most of the results file's numbers are such; the rest are printed.
template <typename Real>
DecimalDigits exactDigits(Real value, int significantDigits) {
  // Zero, the commonest class weight, has no power of ten: %e prints its digits
  // all zeros with the exponent 0.
  if (value == 0) {
    DecimalDigits zero;
    zero.negative = std::signbit(value);
    return zero;
  }
  const double magnitude = std::fabs(static_cast<double>(value));
  // A normal double's 53-bit mantissa and exponent straight from its bits, as
  // frexp gives them; subnormals and infinities go through frexp.
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biasedExponent = static_cast<int>(bits >> 52);
  int binaryExponent = biasedExponent - 1022;
  std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  if (biasedExponent == 0 || biasedExponent == 0x7FF) {
    const double fraction = std::frexp(magnitude, &binaryExponent);
    mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  }
  const int shift = 53 - binaryExponent;  // magnitude = mantissa / 2^shift
  // log10(2) = 0.30103 as 78913 / 2^18: the exponent of the first digit or one less.
  int exponent = ((binaryExponent - 1) * 78913) >> 18;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int power = significantDigits - 1 - exponent;
    if (!std::isfinite(value) || shift < 1 || shift > 127 || power < 0 || power > kMaxExactPower) {
      break;
    }
    const Wide scaled = mantissa * kWidePowersOfTen[static_cast<std::size_t>(power)];
    Wide rounded = scaled >> shift;
    const Wide rest = scaled - (rounded << shift);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    if (rest > half || (rest == half && (rounded & 1) != 0)) {
      ++rounded;
    }
    // A first guess of the exponent one off, or a carry into a new digit, is
    // put right by trying the neighbouring power of ten.
    if (rounded >= kPowersOfTen[static_cast<std::size_t>(significantDigits)]) {
      ++exponent;
      continue;
    }
    if (rounded < kPowersOfTen[static_cast<std::size_t>(significantDigits - 1)]) {
      --exponent;
      continue;
    }
    DecimalDigits decimal;
    decimal.negative = std::signbit(value);
    decimal.exponent = exponent;
    decimal.significand = static_cast<std::uint64_t>(rounded);  // below 10^15
    return decimal;
  }
  return printedDigits(value, significantDigits);
}
#else
template <typename Real>
DecimalDigits exactDigits(Real value, int significantDigits) {
  return printedDigits(value, significantDigits);
}
#endif

// Writes the digits of a non-zero number so that they end at `end`; returns where they begin.
char* digitsBefore(char* end, std::uint64_t number) {
  for (; number != 0; number /= 10) {
    *--end = static_cast<char>('0' + number % 10);
  }
  return end;
}

// C's %G: the digits in fixed notation, or with an exponent where the value's
// power of ten is below -4 or reaches the digits kept; trailing zeros dropped.
template <typename Real>
std::string generalForm(Real value, int significantDigits) {
  if (value == 0) {
    return "0";
  }
  if (!std::isfinite(value)) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, significantDigits);
    std::string text(buffer, result.ptr);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c == 'e' ? 'E' : c; });
    return text;
  }
  const DecimalDigits decimal = exactDigits(value, significantDigits);
  std::uint64_t significand = decimal.significand;
  while (significand % 10 == 0) {
    significand /= 10;
  }
  char digitBuffer[24];
  const char* const digitsEnd = digitBuffer + sizeof digitBuffer;
  const char* const digits = digitsBefore(digitBuffer + sizeof digitBuffer, significand);
  const int count = static_cast<int>(digitsEnd - digits);
  const int exponent = decimal.exponent;

  char text[64];
  char* at = text;
  if (decimal.negative) {
    *at++ = '-';
  }
  if (exponent < -4 || exponent >= significantDigits) {
    *at++ = digits[0];
    if (count > 1) {
      *at++ = '.';
      at = std::copy(digits + 1, digitsEnd, at);
    }
    *at++ = 'E';
    *at++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) {
      *at++ = '0';
    }
    at = std::to_chars(at, text + sizeof text, magnitude).ptr;
  } else if (exponent >= 0) {
    const int integerDigits = exponent + 1;
    const int fromDigits = std::min(count, integerDigits);
    at = std::copy(digits, digits + fromDigits, at);
    at = std::fill_n(at, integerDigits - fromDigits, '0');
    if (count > integerDigits) {
      *at++ = '.';
      at = std::copy(digits + integerDigits, digitsEnd, at);
    }
  } else {
    *at++ = '0';
    *at++ = '.';
    at = std::fill_n(at, -exponent - 1, '0');
    at = std::copy(digits, digitsEnd, at);
  }
  return std::string(text, at);
}

template <typename Real>
void appendShaped(std::string& out, Real value, int significantDigits, NumberPattern pattern,
                  char decimalMark) {
  if (!std::isfinite(value)) {
    out += generalForm(value, significantDigits);
    return;
  }
  // d.ddd...e±x: the value's decimal digits and where its point goes.
  const DecimalDigits decimal = exactDigits(value, significantDigits);

  // |value| x 10^decimals rounded half away from zero on those digits: `rounded`
  // followed by `zeros` zeros.
  const int dropped = significantDigits - 1 - decimal.exponent - pattern.decimals;
  std::uint64_t rounded = decimal.significand;
  int zeros = 0;
  if (dropped < 0) {
    zeros = -dropped;
  } else if (dropped > significantDigits) {
    rounded = 0;
  } else if (dropped > 0) {
    const std::uint64_t unit = kPowersOfTen[static_cast<std::size_t>(dropped)];
    const bool up = rounded % unit >= unit / 2;
    rounded = rounded / unit + (up ? 1 : 0);
  }

  char digitBuffer[kMaxDigits];
  char* const end = digitBuffer + kMaxDigits;
  char* first = end;
  if (rounded != 0) {
    first -= zeros;
    std::fill_n(first, zeros, '0');
    first = digitsBefore(first, rounded);
  }
  const int width = pattern.integerDigits + pattern.decimals;
  while (end - first < width) {
    *--first = '0';
  }
  if (decimal.negative && rounded != 0) {
    out += '-';
  }
  const char* const point = end - pattern.decimals;
  out.append(first, static_cast<std::size_t>(point - first));
  if (pattern.decimals > 0) {
    out += decimalMark;
    out.append(point, static_cast<std::size_t>(end - point));
  }
}

}  // namespace

std::string bareNumber(float value) {
  return generalForm(value, kSingleDigits);
}
std::string bareNumber(double value) {
  return generalForm(value, kDoubleDigits);
}
std::string bareNumber(std::int16_t value) {
  return std::to_string(value);
}

std::string patternNumber(double value, NumberPattern pattern, char decimalMark) {
  std::string text;
  appendShaped(text, value, kDoubleDigits, pattern, decimalMark);
  return text;
}
std::string patternNumber(float value, NumberPattern pattern, char decimalMark) {
  std::string text;
  appendShaped(text, value, kSingleDigits, pattern, decimalMark);
  return text;
}
void appendPatternNumber(std::string& line, double value, NumberPattern pattern, char decimalMark) {
  appendShaped(line, value, kDoubleDigits, pattern, decimalMark);
}

std::string shortDate(const LocalDateTime& time) {
  const int day = time.day % 100;
  const int month = time.month % 100;
  const int year = time.year % 10000;
  if (day >= 0 && month >= 0 && year >= 0) {
    // Digit by digit: every sample line has a date, and snprintf's format reading cost more.
    const auto digit = [](int value, int unit) {
      return static_cast<char>('0' + value / unit % 10);
    };
    const char text[] = {digit(day, 10),    digit(day, 1),    '/',
                         digit(month, 10),  digit(month, 1),  '/',
                         digit(year, 1000), digit(year, 100), digit(year, 10),
                         digit(year, 1)};
    return std::string(text, sizeof text);
  }
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", time.day % 100, time.month % 100,
                time.year % 10000);
  return text;
}

}  // namespace granomet
