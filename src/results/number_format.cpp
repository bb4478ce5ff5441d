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

template <typename Real>
std::string generalForm(Real value, int significantDigits) {
  if (value == 0) {
    return "0";
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::general, significantDigits);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == 'e') {
      c = 'E';
    }
  }
  return text;
}

// The largest double has 309 integer digits; the patterns add at most three decimals.
constexpr int kMaxDigits = 320;

// A value's decimal form cut to a number of significant digits, rounded to
// nearest with ties to even, as C's %e prints it.
struct DecimalDigits {
  char digits[32];
  int count = 0;
  int exponent = 0;  // the power of ten of the first digit
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
      decimal.digits[decimal.count++] = *c;
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

constexpr std::array<Wide, kMaxExactPower + 1> powersOfTen() {
  std::array<Wide, kMaxExactPower + 1> powers{};
  powers[0] = 1;
  for (std::size_t k = 1; k < powers.size(); ++k) {
    powers[k] = powers[k - 1] * 10;
  }
  return powers;
}
constexpr auto kPowersOfTen = powersOfTen();

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
    zero.count = significantDigits;
    std::fill_n(zero.digits, significantDigits, '0');
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
    if (value == 0 || !std::isfinite(value) || shift < 1 || shift > 127 || power < 0 ||
        power > kMaxExactPower) {
      break;
    }
    const Wide scaled = mantissa * kPowersOfTen[static_cast<std::size_t>(power)];
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
    decimal.count = significantDigits;
    auto digits = static_cast<std::uint64_t>(rounded);  // below 10^15
    for (int i = significantDigits - 1; i >= 0; --i) {
      decimal.digits[i] = static_cast<char>('0' + digits % 10);
      digits /= 10;
    }
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

template <typename Real>
std::string shapedNumber(Real value, int significantDigits, NumberPattern pattern,
                         char decimalMark) {
  if (!std::isfinite(value)) {
    return generalForm(value, significantDigits);
  }
  // d.ddd...e±x: the value's decimal digits and where its point goes.
  const DecimalDigits decimal = exactDigits(value, significantDigits);
  const bool negative = decimal.negative;
  const char* digits = decimal.digits;
  const int digitCount = decimal.count;
  const int exponent = decimal.exponent;

  // scaled: |value| x 10^decimals rounded half away from zero, as a digit string
  // behind one spare leading digit for the carry.
  const int kept = exponent + 1 + pattern.decimals;
  char scaled[kMaxDigits + 1];
  scaled[0] = '0';
  int length = 1;
  for (int i = 0; i < kept; ++i) {
    scaled[length++] = i < digitCount ? digits[i] : '0';
  }
  if (kept >= 0 && kept < digitCount && digits[kept] >= '5') {
    int i = length - 1;
    for (; scaled[i] == '9'; --i) {
      scaled[i] = '0';
    }
    ++scaled[i];
  }
  int first = 0;
  while (first < length && scaled[first] == '0') {
    ++first;
  }
  const int significant = length - first;
  const int width = std::max(significant, pattern.integerDigits + pattern.decimals);

  char shaped[kMaxDigits + 3];
  int at = 0;
  if (negative && significant > 0) {
    shaped[at++] = '-';
  }
  for (int i = 0; i < width; ++i) {
    if (i == width - pattern.decimals) {
      shaped[at++] = decimalMark;
    }
    const int fromEnd = width - i;
    shaped[at++] = fromEnd <= significant ? scaled[length - fromEnd] : '0';
  }
  return std::string(shaped, static_cast<std::size_t>(at));
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
  return shapedNumber(value, kDoubleDigits, pattern, decimalMark);
}
std::string patternNumber(float value, NumberPattern pattern, char decimalMark) {
  return shapedNumber(value, kSingleDigits, pattern, decimalMark);
}

std::string shortDate(const LocalDateTime& time) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", time.day % 100, time.month % 100,
                time.year % 10000);
  return text;
}

}  // namespace granomet
