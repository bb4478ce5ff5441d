// The modes found in mixtures of populations whose peaks are known, on the lab's own classes.
#include "statistics/modes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/size_curves.h"

namespace granomet {
namespace {

struct Population {
  double percent;
  double mean;  // phi
  double deviation;
};

struct ModesCase {
  const char* what;
  std::vector<Population> populations;
  std::optional<Modality> modality;
  std::vector<double> modes;  // phi, highest peak first
};

TEST(Modes, ArePeaksThatStandOutOfTheCurve) {
  const std::vector<ModesCase> cases = {
      {"one population", {{100, 2, 0.6}}, Modality::Unimodal, {2}},
      {"two far apart", {{60, 2, 0.5}, {40, 6, 0.5}}, Modality::Bimodal, {2, 6}},
      // Less than two deviations apart two populations make one broad peak.
      {"two close", {{50, 2, 0.5}, {50, 2.8, 0.5}}, Modality::Unimodal, {2.4}},
      {"two close yet apart", {{55, 2, 0.4}, {45, 3.5, 0.4}}, Modality::Bimodal, {2, 3.5}},
      {"the second too small", {{95, 2, 0.5}, {5, 6, 0.5}}, Modality::Unimodal, {2}},
      {"a shoulder, no dip", {{70, 2, 0.5}, {30, 3, 0.8}}, Modality::Unimodal, {2}},
      {"three far apart",
       {{30, 0, 0.4}, {50, 3, 0.4}, {20, 7, 0.4}},
       Modality::Trimodal,
       {3, 0, 7}},
      {"three, two of them close",
       {{30, 0, 0.4}, {35, 3, 0.4}, {35, 3.6, 0.4}},
       Modality::Bimodal,
       {3.3, 0}},
      {"four", {{25, -1, 0.3}, {25, 2, 0.3}, {25, 5, 0.3}, {25, 8, 0.3}}, Modality::Polymodal, {}},
      {"no weight", {}, std::nullopt, {}},
  };
  for (const ModesCase& c : cases) {
    SCOPED_TRACE(c.what);
    SizeDistribution sample = testing::labClasses();
    for (const Population& population : c.populations) {
      testing::addPopulation(sample, population.percent, population.mean, population.deviation);
    }
    // The results file's three decimals: rounding must not make a peak.
    for (int j = 1; j <= kSizeClasses; ++j) {
      sample.weight[j] = std::round(sample.weight[j] * 1000) / 1000;
    }
    const std::optional<Modes> modes = modesOf(sample);
    ASSERT_EQ(modes.has_value(), c.modality.has_value());
    if (!modes) {
      continue;
    }
    EXPECT_EQ(modes->modality, *c.modality);
    // A diameter for each peak, the highest three of more.
    const auto told = std::min<std::size_t>(static_cast<std::size_t>(*c.modality) + 1, kModesTold);
    for (std::size_t k = 0; k < kModesTold; ++k) {
      ASSERT_EQ(modes->diameters[k].has_value(), k < told) << k;
    }
    for (std::size_t k = 0; k < c.modes.size(); ++k) {
      // Within the peak's class, about a quarter of a phi wide.
      EXPECT_NEAR(phiOf(*modes->diameters[k]), c.modes[k], 0.2) << k;
    }
  }
}

// As much weight in every phi from class 2 down: one flat peak, lying in its middle.
TEST(Modes, AFlatCurveIsOnePeakInItsMiddle) {
  SizeDistribution sample = testing::labClasses();
  for (int j = 2; j <= kSizeClasses; ++j) {
    sample.weight[j] = phiOf(sample.lowerDiameter[j]) - phiOf(sample.lowerDiameter[j - 1]);
  }
  const std::optional<Modes> modes = modesOf(sample);
  ASSERT_TRUE(modes);
  EXPECT_EQ(modes->modality, Modality::Unimodal);
  EXPECT_DOUBLE_EQ(*modes->diameters[0],
                   std::sqrt(sample.lowerDiameter[1] * sample.lowerDiameter[kSizeClasses]));
}

}  // namespace
}  // namespace granomet
