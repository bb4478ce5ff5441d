// A whole output against a reviewed file in tests/data: GRANOMET_WRITE_EXPECTED=1 writes the
// file again after a deliberate change; read the difference before keeping it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/test_data.h"

namespace granomet::testing {

inline void expectSameAsFile(const std::string& text, const std::filesystem::path& expected) {
  if (std::getenv("GRANOMET_WRITE_EXPECTED") != nullptr) {
    std::filesystem::create_directories(expected.parent_path());
    std::ofstream(expected, std::ios::binary) << text;
  }
  ASSERT_TRUE(std::filesystem::is_regular_file(expected)) << expected;
  // The first line that differs, rather than two whole outputs.
  std::istringstream got(text);
  std::istringstream wanted(fileBytes(expected));
  std::string gotLine;
  std::string wantedLine;
  for (int line = 1; std::getline(wanted, wantedLine); ++line) {
    std::getline(got, gotLine);
    ASSERT_EQ(gotLine, wantedLine) << "line " << line << " of " << expected;
  }
  EXPECT_FALSE(std::getline(got, gotLine)) << "more than " << expected << ": " << gotLine;
}

}  // namespace granomet::testing
