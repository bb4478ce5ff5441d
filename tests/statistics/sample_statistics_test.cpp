// Folk & Ward measures, percentiles and mode on distributions whose answers are known.
#include "statistics/sample_statistics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace granomet {
namespace {

constexpr double kClassWidthPhi = 0.25;

// Classes a quarter of a phi wide, class 1 from 8000 µm (-3 phi).
double classPhi(int j) {
  return -3 + kClassWidthPhi * (j - 1);
}

ResultsSample quarterPhiClasses() {
  ResultsSample sample;
  for (int j = 1; j <= kSizeClasses; ++j) {
    sample.classes.lowerDiameter[j] = micronOf(classPhi(j));
  }
  return sample;
}

double normalBelow(double phi, double mean, double deviation) {
  return 0.5 * std::erfc(-(phi - mean) / (deviation * std::sqrt(2.0)));
}

// A curve that is normal in phi gives back its mean and deviation, no skewness
// and Folk & Ward's kurtosis of 1.00, up to the straight lines between classes.
TEST(SampleStatistics, ANormalCurveInPhiHasTheKnownRatios) {
  ResultsSample sample = quarterPhiClasses();
  double coarser = 0;
  for (int j = 1; j <= kSizeClasses; ++j) {
    const double below = 100 * normalBelow(classPhi(j), 2, 0.8);
    sample.classes.weight[j] = below - coarser;
    coarser = below;
  }
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

// All of it in class 30: the curve rises straight across that class, so each
// percentile lies that share of the way through it.
TEST(SampleStatistics, AOneClassSampleIsSpreadEvenlyOverItsClass) {
  ResultsSample sample = quarterPhiClasses();
  sample.classes.weight[30] = 100;
  const SampleStatistics statistics = statisticsOf(sample);
  const double top = classPhi(29);
  const auto at = [top](double percent) { return top + kClassWidthPhi * percent / 100; };
  EXPECT_DOUBLE_EQ(*statistics.folkWardPhi.mean, at(50));
  EXPECT_NEAR(*statistics.folkWardPhi.sorting, kClassWidthPhi * (0.68 / 4 + 0.90 / 6.6), 1e-12);
  EXPECT_NEAR(*statistics.folkWardPhi.skewness, 0, 1e-12);
  EXPECT_NEAR(*statistics.folkWardPhi.kurtosis, 0.90 / (2.44 * 0.50), 1e-12);
  EXPECT_DOUBLE_EQ(*statistics.d10, micronOf(at(90)));
  EXPECT_DOUBLE_EQ(*statistics.d90, micronOf(at(10)));
  EXPECT_DOUBLE_EQ(*statistics.modeMicron,
                   std::sqrt(sample.classes.lowerDiameter[29] * sample.classes.lowerDiameter[30]));
  EXPECT_EQ(statistics.sortingTerm, SortingTerm::VeryWellSorted);
  EXPECT_EQ(statistics.kurtosisTerm, KurtosisTerm::Platykurtic);
}

// Two equal classes 7.5 phi apart: the median sits at the lower bound of the
// coarser one, the mode is the coarser one, the sorting is very poor.
TEST(SampleStatistics, ABimodalSampleHasItsMedianBetweenThePeaks) {
  ResultsSample sample = quarterPhiClasses();
  sample.classes.weight[20] = 50;
  sample.classes.weight[50] = 50;
  const SampleStatistics statistics = statisticsOf(sample);
  EXPECT_DOUBLE_EQ(*statistics.d50, sample.classes.lowerDiameter[20]);
  const double phi16 = classPhi(19) + kClassWidthPhi * 0.32;
  const double phi84 = classPhi(49) + kClassWidthPhi * 0.68;
  EXPECT_NEAR(*statistics.folkWardPhi.mean, (phi16 + classPhi(20) + phi84) / 3, 1e-12);
  EXPECT_DOUBLE_EQ(*statistics.modeMicron,
                   std::sqrt(sample.classes.lowerDiameter[19] * sample.classes.lowerDiameter[20]));
  EXPECT_EQ(statistics.sortingTerm, SortingTerm::VeryPoorlySorted);
  EXPECT_GT(*statistics.d90OverD10, 150);
}

}  // namespace
}  // namespace granomet
