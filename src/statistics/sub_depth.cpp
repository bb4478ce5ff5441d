#include "statistics/sub_depth.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "statistics/results_reader.h"

namespace granomet {
namespace {

// A hyphen, or an en dash in the program's 8-bit text.
constexpr char kSeparators[] = {'-', '\x96'};

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

bool sameLetters(std::string_view text, std::string_view lower) {
  return text.size() == lower.size() &&
         std::equal(text.begin(), text.end(), lower.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         });
}

// Digits with at most one decimal mark: no sign, no exponent, nothing the lab
// would not write as a depth.
std::optional<double> figure(std::string_view text) {
  text = trimmed(text);
  const bool digitsOnly = std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || c == ',' || c == '.';
  });
  if (!digitsOnly ||
      std::none_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return resultsNumber(text);
}

}  // namespace

SubDepth subDepthOf(std::string_view written) {
  std::string_view text = trimmed(written);
  if (text.empty()) {
    return {};
  }
  constexpr SubDepth kUnreadable{SubDepth::Reading::Unreadable, 0, 0};
  if (sameLetters(text, "superficial") || sameLetters(text, "sup.")) {
    return {SubDepth::Reading::Read, 0, 0};
  }
  if (text.size() > 2 && sameLetters(text.substr(text.size() - 2), "cm")) {
    text = trimmed(text.substr(0, text.size() - 2));
  }
  const std::size_t separator = text.find_first_of(std::string_view(kSeparators, 2));
  if (separator == std::string_view::npos) {
    const std::optional<double> depth = figure(text);
    return depth ? SubDepth{SubDepth::Reading::Read, *depth, *depth} : kUnreadable;
  }
  const std::optional<double> top = figure(text.substr(0, separator));
  const std::optional<double> bottom = figure(text.substr(separator + 1));
  if (!top || !bottom || *bottom < *top) {
    return kUnreadable;
  }
  return {SubDepth::Reading::Read, *top, *bottom};
}

}  // namespace granomet
