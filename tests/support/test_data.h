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
// Every `from` replaced by `to` (no std::regex: GCC 12 warns inside it under the sanitizers).
inline std::string replacedAll(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace granomet::testing
