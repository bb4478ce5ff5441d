// Where the tests' data files lie in the source tree.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace granomet::testing {

inline std::filesystem::path testData() {
  return GRANOMET_TEST_DATA;
}
// A results file the batch tests expect, computed independently of the program.
inline std::filesystem::path batchExpected(const std::string& name) {
  return testData() / "batch" / "expected" / name;
}
inline std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace granomet::testing
