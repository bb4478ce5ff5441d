// The carbonate column, read with the regional decimal mark.
#include "data/lot_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace granomet {
namespace {

TEST(ParseCarbonate, DropsTheLastCharacterAndReadsTheRestRegionally) {
  struct Case {
    const char* text;
    char mark;
    std::optional<float> expected;
  };
  const std::vector<Case> cases = {
      {"12.5%", '.', 12.5f},       {"12.5%", ',', 12.5f},  // a point never turns into 125
      {"12,5%", ',', 12.5f},       {"12,5%", '.', std::nullopt}, {"40%", '.', 40.0f},
      {"7.25 ", '.', 7.25f},       {" 3%", '.', 3.0f},           {"-1.5%", '.', -1.5f},
      {"", '.', std::nullopt},     {"%", '.', std::nullopt},     {"abc", '.', std::nullopt},
      {"12.5", '.', 12.0f},  // the last character goes whatever it is
      {"inf%", '.', std::nullopt}, {"1e3%", '.', std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " with mark " + c.mark);
    EXPECT_EQ(parseCarbonate(c.text, c.mark), c.expected);
  }
}

}  // namespace
}  // namespace granomet
