// The modes where the statistics tables cannot show them: a flat curve and no weight. The peaks of
// mixed populations are checked in the tables against the independent calculation.
#include "statistics/modes.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/size_curves.h"

namespace granomet {
namespace {

// As much weight in every phi from class 2 down: one flat peak, lying in its middle.
TEST(Modes, AFlatCurveIsOnePeakInItsMiddleAndNoWeightNone) {
  SizeDistribution sample = testing::labClasses();
  EXPECT_FALSE(modesOf(sample));
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
