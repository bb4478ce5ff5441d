#include "archive/filter_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace granomet {
namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
    text.remove_suffix(1);
  }
  return text;
}

// A finite decimal number, the whole text; decimalComma also takes "12,5".
std::optional<double> numberOf(std::string_view text, bool decimalComma) {
  std::string plain(trimmed(text));
  if (decimalComma) {
    std::replace(plain.begin(), plain.end(), ',', '.');
  }
  if (plain.empty() || plain.front() == '+') {
    return std::nullopt;
  }
  double value = 0;
  const auto [end, error] =
      std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == separator) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

std::optional<int> digitsOf(std::string_view text, std::size_t fewest, std::size_t most) {
  if (text.size() < fewest || text.size() > most) {
    return std::nullopt;
  }
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + (c - '0');
  }
  return value;
}

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::optional<LocalDateTime> dayOf(std::optional<int> year, std::optional<int> month,
                                   std::optional<int> day) {
  if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1) {
    return std::nullopt;
  }
  constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int days =
      kDays[static_cast<std::size_t>(*month - 1)] + (*month == 2 && isLeapYear(*year) ? 1 : 0);
  if (*day > days) {
    return std::nullopt;
  }
  LocalDateTime date;
  date.year = *year;
  date.month = *month;
  date.day = *day;
  return date;
}

}  // namespace

std::optional<DepthRange> depthRangeOf(std::string_view text) {
  const auto parts = split(trimmed(text), ':');
  if (parts.size() != 2) {
    return std::nullopt;
  }
  DepthRange range;
  for (std::size_t i = 0; i < 2; ++i) {
    if (trimmed(parts[i]).empty()) {
      continue;
    }
    const auto value = numberOf(parts[i], true);
    if (!value) {
      return std::nullopt;
    }
    (i == 0 ? range.min : range.max) = value;
  }
  if (range.min && range.max && *range.min > *range.max) {
    return std::nullopt;
  }
  return range;
}

std::optional<GeoBox> zoneOf(std::string_view text) {
  const auto parts = split(text, ',');
  if (parts.size() != 4) {
    return std::nullopt;
  }
  std::array<double, 4> values{};
  for (std::size_t i = 0; i < 4; ++i) {
    const auto value = numberOf(parts[i], false);
    if (!value) {
      return std::nullopt;
    }
    values[i] = *value;
  }
  for (const std::size_t longitude : {0U, 2U}) {
    if (std::abs(values[longitude]) > 180 || std::abs(values[longitude + 1]) > 90) {
      return std::nullopt;
    }
  }
  GeoBox box{std::min(values[0], values[2]), std::min(values[1], values[3]),
             std::max(values[0], values[2]), std::max(values[1], values[3])};
  if (box.west == box.east || box.south == box.north) {
    return std::nullopt;
  }
  return box;
}

std::optional<LocalDateTime> filterDateOf(std::string_view text) {
  text = trimmed(text);
  if (const auto parts = split(text, '-'); parts.size() == 3) {
    return dayOf(digitsOf(parts[0], 4, 4), digitsOf(parts[1], 2, 2), digitsOf(parts[2], 2, 2));
  }
  if (const auto parts = split(text, '/'); parts.size() == 3) {
    return dayOf(digitsOf(parts[2], 4, 4), digitsOf(parts[1], 1, 2), digitsOf(parts[0], 1, 2));
  }
  return std::nullopt;
}

}  // namespace granomet
