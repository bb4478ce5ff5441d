// A whole output against a reviewed file in tests/data: GRANOMET_WRITE_EXPECTED=1 writes the
// file again after a deliberate change; read the difference before keeping it. Framework-free,
// so that GoogleTest and QtTest tests assert on the same rule.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/test_data.h"

namespace granomet::testing {

// The first line that differs, rather than two whole outputs; empty when text is the file's.
inline std::string differenceFromFile(const std::string& text,
                                      const std::filesystem::path& expected) {
  if (std::getenv("GRANOMET_WRITE_EXPECTED") != nullptr) {
    std::filesystem::create_directories(expected.parent_path());
    std::ofstream(expected, std::ios::binary) << text;
  }
  if (!std::filesystem::is_regular_file(expected)) {
    return "no file " + expected.string();
  }
  std::istringstream got(text);
  std::istringstream wanted(fileBytes(expected));
  std::string gotLine;
  std::string wantedLine;
  for (int line = 1; std::getline(wanted, wantedLine); ++line) {
    std::getline(got, gotLine);
    if (gotLine != wantedLine) {
      return "line " + std::to_string(line) + " of " + expected.string() + ": got \"" + gotLine +
             "\", expected \"" + wantedLine + "\"";
    }
  }
  if (std::getline(got, gotLine)) {
    return "more than " + expected.string() + ": " + gotLine;
  }
  return {};
}

}  // namespace granomet::testing
