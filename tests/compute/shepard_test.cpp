// The textural class of the sand-silt-clay triangle, ties and order of the tests included.
#include "compute/shepard.h"

#include <gtest/gtest.h>

#include <limits>

#include "compute/compute_fault.h"

namespace granomet {
namespace {

// Inside the triangle and off its limits the classes are checked against its fields (the ternary
// diagram's test) and the names in the batch results: here, shares on a limit or adding up past
// 100.
TEST(Shepard, ClassifiesByTheFirstTestThatHolds) {
  const struct {
    double gravel, sand, silt, clay;
    int code;
    const char* name;
  } cases[] = {
      {0, 40, 40, 20, 4, "Silty_Sand"}, {0, 10, 45, 45, 6, "Clayed_Silt"},
      {0, 70, 10, 20, 4, "Silty_Sand"},  // clay not above 20, although above silt
      {0, 5, 20, 75, 1, "Clay"},        {0, 50, 30, 20, 4, "Silty_Sand"},
      {0, 25, 55, 20, 5, "Sandy_Silt"}, {0, 40, 60, 60, 10, "Sand_Silt_Clay"},
      {0, 80, 80, 80, 1, "Clay"},  // shares adding up past 100: the end classes in order
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::int16_t code = clase(c.gravel, c.sand, c.silt, c.clay);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(shepardName(code), c.name);
  }
  EXPECT_EQ(shepardName(0), "Sand_Silt_Clay");
}

TEST(Shepard, AnOverflowingCoarseShareIsAFault) {
  const double huge = std::numeric_limits<double>::max();
  EXPECT_THROW(clase(huge, huge, 0, 0), ComputeFault);
}

}  // namespace
}  // namespace granomet
