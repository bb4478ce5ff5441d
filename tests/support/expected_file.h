// A whole output against a reviewed file in tests/data, for GoogleTest tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/expected_text.h"

namespace granomet::testing {

inline void expectSameAsFile(const std::string& text, const std::filesystem::path& expected) {
  EXPECT_EQ(differenceFromFile(text, expected), "");
}

}  // namespace granomet::testing
