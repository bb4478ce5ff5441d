// Telling a lot from an export by its first lines, whatever its separators and line ends.
#include "data/file_shape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "samplegen/sample_files.h"

namespace granomet {
namespace {

std::string replacedAll(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

TEST(FileShape, TellsALotFromAnExport) {
  const std::string lot = tools::makeLotFile({});
  const std::string exported = tools::makeExportFile({});
  const std::string heading = exported.substr(0, exported.find("\r\n") + 2);
  const std::string shortLine = std::string(227, ',') + "\r\n";  // 228 fields, 227 characters
  const std::vector<std::pair<std::string, FileShape>> cases = {
      {lot, FileShape::Lot},
      {tools::withSemicolons(lot), FileShape::Lot},
      {replacedAll(lot, "\r\n", "\r"), FileShape::Lot},
      {exported, FileShape::Export},
      {replacedAll(exported, "\r\n", "\n"), FileShape::Export},
      {heading, FileShape::Neither},
      // Lines of an export's fields too short to be samples: no lot either.
      {heading + shortLine + shortLine, FileShape::Neither},
      {"", FileShape::Neither},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(shapeOf(cases[i].first), cases[i].second) << "case " << i;
  }
}

}  // namespace
}  // namespace granomet
