// The fields of one line of a comma-separated file, unquoted: a comma inside quotes is text.
#pragma once

#include <string>
#include <vector>

namespace granomet::testing {

inline std::vector<std::string> csvFields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (bool quoted = false; const char c : line) {
    quoted = quoted != (c == '"');
    if (c == ',' && !quoted) {
      fields.emplace_back();
    } else if (c != '"' && c != '\r') {
      fields.back() += c;
    }
  }
  return fields;
}

}  // namespace granomet::testing
