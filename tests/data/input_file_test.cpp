// Whether two paths name one file: however spelt, linked, or (on Windows) cased.
#include "data/input_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

namespace granomet {
namespace {

namespace fs = std::filesystem;

TEST(SameFile, HoweverSpeltLinkedOrCased) {
  const fs::path folder = fs::temp_directory_path() / "granomet_same_file";
  fs::remove_all(folder);
  fs::create_directories(folder / "sub");
  std::ofstream(folder / "tabla.csv") << "x";
  // Only Windows ignores case, and only Windows separates names with backslashes.
  constexpr bool kCaseIgnored = fs::path::preferred_separator == '\\';
  for (const auto& [a, b, same] :
       {std::tuple{folder / "tabla.csv", folder / "sub" / ".." / "tabla.csv", true},
        {folder / "nuevo.csv", folder / "." / "nuevo.csv", true},  // neither made yet
        {folder / "nuevo.csv", folder / "otro.csv", false},
        {folder / "tabla.csv", folder / "TABLA.csv", kCaseIgnored},
        {folder / "nuevo.csv", folder / "Sub" / ".." / "NUEVO.CSV", kCaseIgnored}}) {
    EXPECT_EQ(sameFile(a, b), same) << a << " " << b;
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace granomet
