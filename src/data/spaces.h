// Trimming the spaces around a text from the files, the lab's one rule for blanks in names.
#pragma once

#include <string_view>

namespace granomet {

// Spaces only: a tab or any other byte is part of the text.
inline std::string_view trimmedSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace granomet
