// The inverse normal distribution that places percentages on the probability chart.
#include "statistics/normal_quantile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace granomet {
namespace {

TEST(NormalQuantile, AgreesWithTablesOfTheNormalDistribution) {
  // Published values; each side of the approximation's change of formula (0.02425), the
  // tails far out, and the probability chart's own ticks.
  for (const auto& [p, z] : {std::pair{0.5, 0.0},
                             {0.975, 1.959963984540054},
                             {0.84, 0.9944578832097528},
                             {0.16, -0.9944578832097528},
                             {0.05, -1.6448536269514726},
                             {0.02425, -1.9729610513118845},
                             {0.001, -3.090232306167813},
                             {0.999, 3.090232306167813},
                             {0.9999, 3.7190164854557084},
                             {1e-10, -6.361340902404056}}) {
    SCOPED_TRACE(p);
    EXPECT_NEAR(normalQuantile(p), z, 1e-12);
  }
}

TEST(NormalQuantile, NoughtAndAHundredPercentLieBeyondAnyScale) {
  EXPECT_EQ(normalQuantile(0), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(normalQuantile(1), std::numeric_limits<double>::infinity());
  for (const double p : {-0.01, 1.01, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_TRUE(std::isnan(normalQuantile(p))) << p;
  }
}

}  // namespace
}  // namespace granomet
