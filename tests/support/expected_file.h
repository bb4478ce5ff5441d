// A program's whole output against a reviewed expected file in tests/data.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/test_data.h"

namespace granomet::testing {

// Whether text is the expected file's bytes; on a difference, the first line that differs
// rather than two whole outputs. Under GRANOMET_WRITE_EXPECTED=1 the file is written first:
// after a deliberate change, read the difference before keeping it.
// Use: EXPECT_TRUE(matchesExpectedFile(text, testData() / "report/plain_comma.txt"));
inline ::testing::AssertionResult matchesExpectedFile(const std::string& text,
                                                      const std::filesystem::path& expected) {
  if (std::getenv("GRANOMET_WRITE_EXPECTED") != nullptr) {
    std::ofstream(expected, std::ios::binary) << text;
  }
  if (!std::filesystem::exists(expected)) {
    return ::testing::AssertionFailure()
           << "no " << expected.string() << "; GRANOMET_WRITE_EXPECTED=1 writes it";
  }
  const std::string wantedBytes = fileBytes(expected);
  std::istringstream got(text);
  std::istringstream wanted(wantedBytes);
  std::string gotLine;
  std::string wantedLine;
  for (int line = 1; std::getline(wanted, wantedLine); ++line) {
    if (!std::getline(got, gotLine)) {
      return ::testing::AssertionFailure() << expected.filename().string() << " line " << line
                                           << ": the output ends before\n  " << wantedLine;
    }
    if (gotLine != wantedLine) {
      return ::testing::AssertionFailure()
             << expected.filename().string() << " line " << line << "\n  output:   " << gotLine
             << "\n  expected: " << wantedLine;
    }
  }
  if (std::getline(got, gotLine)) {
    return ::testing::AssertionFailure()
           << expected.filename().string() << ": the output goes on with\n  " << gotLine;
  }
  if (text != wantedBytes) {
    return ::testing::AssertionFailure()
           << expected.filename().string() << ": the same lines, other line ends";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace granomet::testing
