// Folk & Ward measures, percentiles and mode on distributions whose answers are known.
#include "statistics/sample_statistics.h"

#include <gtest/gtest.h>

#include "support/size_curves.h"

namespace granomet {
namespace {

// A curve that is normal in phi gives back its mean and deviation, no skewness
// and Folk & Ward's kurtosis of 1.00, up to the straight lines between classes.
TEST(SampleStatistics, ANormalCurveInPhiHasTheKnownRatios) {
  ResultsSample sample;
  for (int j = 1; j <= kSizeClasses; ++j) {
    // Classes a quarter of a phi wide, class 1 from 8000 µm (-3 phi).
    sample.classes.lowerDiameter[j] = micronOf(-3 + 0.25 * (j - 1));
  }
  testing::addPopulation(sample.classes, 100, 2, 0.8);
  const SampleStatistics statistics = statisticsOf(sample);
  const SizeMeasures& folkWard = statistics.folkWardPhi;
  EXPECT_NEAR(*folkWard.mean, 2, 0.01);
  EXPECT_NEAR(*folkWard.skewness, 0, 0.01);
  EXPECT_NEAR(*folkWard.sorting, 0.8, 0.02);
  EXPECT_NEAR(*folkWard.kurtosis, 1.00, 0.02);
  EXPECT_NEAR(*statistics.d50, 250, 0.5);
  EXPECT_NEAR(*statistics.folkWardMicron.mean, 250, 2);
  EXPECT_EQ(statistics.sortingTerm, SortingTerm::ModeratelySorted);
  EXPECT_EQ(statistics.skewnessTerm, SkewnessTerm::Symmetrical);
  EXPECT_EQ(statistics.kurtosisTerm, KurtosisTerm::Mesokurtic);
  EXPECT_EQ(statistics.meanSizeTerm, MeanSizeTerm::FineSand);
  EXPECT_TRUE(statistics.warnings.empty());
}

}  // namespace
}  // namespace granomet
