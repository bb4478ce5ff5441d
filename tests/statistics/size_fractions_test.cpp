// The sample described whole from its curve: gravel classes, sands and silts and clay add up to
// it, and no share contradicts a percentile, however irregular the curve.
#include "statistics/size_fractions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

#include "support/size_curves.h"

namespace granomet {
namespace {

using testing::addPopulation;
using testing::labClasses;

// Curves of the kinds that make a sample awkward to read: two populations, much
// gravel (the open class too), steps, many empty classes; some rounded to the
// results file's three decimals, some not adding up to 100.
SizeDistribution irregularSample(const SizeDistribution& lab, std::mt19937& random, int kind) {
  std::uniform_real_distribution<double> unit(0, 1);
  const auto between = [&](double low, double high) { return low + (high - low) * unit(random); };
  SizeDistribution sample = lab;
  switch (kind % 4) {
    case 0:
      addPopulation(sample, between(10, 90), between(-1, 9), between(0.2, 1.5));
      addPopulation(sample, between(10, 90), between(-1, 9), between(0.2, 1.5));
      break;
    case 1:
      for (int j = 1; j <= kGravelClasses; ++j) {
        sample.weight[j] = unit(random) < 0.5 ? 0 : between(0, 40);
      }
      addPopulation(sample, between(5, 80), between(0, 7), between(0.3, 2));
      break;
    case 2:
      for (int step = 0; step < 3; ++step) {
        const int first = std::uniform_int_distribution<int>(2, kSizeClasses)(random);
        const int last = std::uniform_int_distribution<int>(first, kSizeClasses)(random);
        const double weight = between(0.5, 5);
        for (int j = first; j <= last; ++j) {
          sample.weight[j] += weight;
        }
      }
      break;
    default:
      addPopulation(sample, 100, between(0, 8), between(0.3, 2.5));
      for (int j = 1; j <= kSizeClasses; ++j) {
        sample.weight[j] *= unit(random) < 0.4 ? 0 : 1;
      }
      break;
  }
  if (kind % 3 == 0) {
    for (int j = 1; j <= kSizeClasses; ++j) {
      sample.weight[j] = std::round(sample.weight[j] * 1000) / 1000;
    }
  }
  return sample;
}

TEST(SizeFractions, AddUpToTheSampleAndNeverContradictAPercentile) {
  const SizeDistribution lab = labClasses();
  std::mt19937 random(2016);
  constexpr int kSamples = 4200;
  constexpr double kTolerance = 1e-9;  // percent: the rounding of the arithmetic
  int read = 0;
  for (int n = 0; n < kSamples; ++n) {
    const SizeDistribution sample = irregularSample(lab, random, n);
    const CumulativeCurve curve(sample);
    if (curve.gap() != CurveGap::None) {
      continue;  // every class rounded away
    }
    ++read;
    SCOPED_TRACE(n);
    const SizeFractions fractions = sizeFractionsOf(sample, curve);
    double coarser = 0;
    for (const GravelClass& gravel : fractions.gravel) {
      coarser += *gravel.band.percent;
    }
    for (std::size_t f = 0; f < kSizeFractions; ++f) {
      coarser += *fractions.sandAndSilt[f].percent;
      // Dx finer than a limit leaves at least x % finer than it, and the other way round.
      const double limit = kFractionFinerLimit[f];
      for (const double x : {1, 5, 10, 16, 25, 50, 75, 84, 90, 95, 99}) {
        const std::optional<double> dx = diameterFiner(curve, x);
        if (dx && *dx < limit) {
          ASSERT_GE(100 - coarser, x - kTolerance) << "D" << x << " " << *dx << " < " << limit;
        }
        if (dx && *dx > limit) {
          ASSERT_LE(100 - coarser, x + kTolerance) << "D" << x << " " << *dx << " > " << limit;
        }
      }
    }
    ASSERT_NEAR(coarser + *fractions.clay.percent, 100, kTolerance);
  }
  EXPECT_GE(read, 4000);
}

// The bounds each share is counted between, as a file's own diameters set them.
TEST(SizeFractions, CountEachShareBetweenTheDiametersItNames) {
  // Class 4's lower bound (the gravel's end) and class 68's, µm; the limit no class reaches.
  for (const auto& [what, gravelEnd, finest, missingLimit] :
       {std::tuple{"gravel ending at 2474 µm", 2474.0, 0.011, std::optional<double>()},
        {"gravel reaching below 1 mm", 700, 0.011, std::nullopt},
        {"no class below 10 µm", 2474, 10, 8}}) {
    SCOPED_TRACE(what);
    SizeDistribution sample;
    const double gravelDiameters[] = {8000, 6000, 3000, gravelEnd};
    for (int j = 1; j <= kSizeClasses; ++j) {
      sample.lowerDiameter[j] =
          j <= kGravelClasses
              ? gravelDiameters[j - 1]
              : gravelEnd * std::pow(finest / gravelEnd, (j - 4.0) / (kSizeClasses - 4));
      sample.weight[j] = 1;
    }
    const SizeFractions fractions = sizeFractionsOf(sample, CumulativeCurve(sample));
    const SizeBand& veryCoarseSand = fractions.sandAndSilt[0];
    EXPECT_EQ(veryCoarseSand.coarserBound, gravelEnd);  // very coarse sand from the gravel's end
    EXPECT_EQ(fractions.missingLimit, missingLimit);
    // A limit above the gravel's end counts nothing twice.
    const double veryCoarseSandTo = std::min(1000.0, gravelEnd);
    EXPECT_EQ(veryCoarseSand.finerBound, veryCoarseSandTo);
    EXPECT_EQ(*veryCoarseSand.percent == 0, veryCoarseSandTo == gravelEnd);
    EXPECT_EQ(fractions.clay.percent.has_value(), !missingLimit);
  }
}

}  // namespace
}  // namespace granomet
