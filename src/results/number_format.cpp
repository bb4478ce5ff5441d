#include "results/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

template <typename Real>
std::string shapedNumber(Real value, int significantDigits, NumberPattern pattern,
                         char decimalMark) {
  if (!std::isfinite(value)) {
    return generalForm(value, significantDigits);
  }
  // d.ddd...e±x: the value's decimal digits and where its point goes.
  char text[64];
  const auto printed = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific,
                                     significantDigits - 1);
  const bool negative = text[0] == '-';
  char digits[32];
  int digitCount = 0;
  const char* c = text + (negative ? 1 : 0);
  for (; *c != 'e'; ++c) {
    if (*c != '.') {
      digits[digitCount++] = *c;
    }
  }
  int exponent = 0;
  std::from_chars(c + (c[1] == '+' ? 2 : 1), printed.ptr, exponent);

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

  std::string shaped;
  shaped.reserve(static_cast<std::size_t>(width) + 2);
  if (negative && significant > 0) {
    shaped += '-';
  }
  for (int i = 0; i < width; ++i) {
    if (i == width - pattern.decimals) {
      shaped += decimalMark;
    }
    const int fromEnd = width - i;
    shaped += fromEnd <= significant ? scaled[length - fromEnd] : '0';
  }
  return shaped;
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
