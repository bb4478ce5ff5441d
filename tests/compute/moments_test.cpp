// Moment statistics in µm and phi, with the lab's worked numbers.
#include "compute/moments.h"

#include <gtest/gtest.h>

#include "compute/compute_fault.h"

namespace granomet {
namespace {

TEST(Moments, TwoEqualClassesAtPhiOneAndTwo) {
  ClassColumn mid;
  ClassColumn weight;
  mid[2] = 1;
  mid[3] = 2;
  weight[2] = 50;
  weight[3] = 50;
  for (const bool wide : {false, true}) {
    const MomentStatistics phi = momentStatistics(mid, weight, wide);
    EXPECT_EQ(phi.mean, 1.5f);
    EXPECT_EQ(phi.sorting, 0.5f);
    EXPECT_EQ(phi.skewness, 0.0f);
    EXPECT_EQ(phi.kurtosis, 1.0f);  // 3 is not subtracted
  }
}

TEST(Moments, TheDivisorIsAlwaysAHundred) {
  ClassColumn mid;
  ClassColumn weight;
  mid[5] = 3;
  mid[6] = 5;
  weight[5] = 25;
  weight[6] = 25;  // the weights add up to 50
  const MomentStatistics phi = momentStatistics(mid, weight, false);
  EXPECT_EQ(phi.mean, 2.0f);
  // Sum of squares: 25 * 1 + 25 * 9 = 250 -> sorting sqrt(2.5).
  EXPECT_FLOAT_EQ(phi.sorting, 1.5811388f);
}

TEST(Moments, TheTwoGravelClassesMeetAtSevenMillimetres) {
  ClassTable table;
  for (int j = 1; j <= kCombinedClasses; ++j) {
    table.classDiameter[j] = 8000.0f / static_cast<float>(j);
  }
  table.classDiameter[2] = 6000;
  fillClassScales(table);
  EXPECT_EQ(table.classPhi[1], -3.0f);
  EXPECT_EQ(table.midDiameterMm[2], 7.0f);
  EXPECT_NEAR(table.classPhi[2], -2.585, 1e-3);
  EXPECT_NEAR(table.midPhi[2], -2.7925, 1e-4);
  EXPECT_EQ(table.midDiameterMm[1], 0);

  // 10 % in the coarsest gravel fraction gives 10 * 7000 / 100 µm of the mean.
  ClassColumn midMicron;
  ClassColumn weight;
  midMicron[2] = table.midDiameterMm[2] * 1000.0f;
  weight[2] = 10;
  weight[30] = 90;  // at a midpoint of 0, so that it adds nothing to the mean
  EXPECT_EQ(momentStatistics(midMicron, weight, true).mean, 700.0f);
}

TEST(Moments, FaultsStopTheSample) {
  struct Case {
    const char* name;
    ClassColumn mid;
    ClassColumn weight;
  };
  Case oneClass{"all the weight in one class: sorting 0", {}, {}};
  oneClass.mid[10] = 2.5;
  oneClass.weight[10] = 100;
  Case negative{"negative weights: a negative sum of squares", {}, {}};
  negative.mid[10] = 1;
  negative.mid[11] = 3;
  negative.weight[10] = -50;
  negative.weight[11] = -50;
  for (const Case& c : {oneClass, negative}) {
    SCOPED_TRACE(c.name);
    for (const bool wide : {false, true}) {
      EXPECT_THROW(momentStatistics(c.mid, c.weight, wide), ComputeFault);
    }
  }

  ClassTable zeroDiameter;
  for (int j = 1; j <= kCombinedClasses; ++j) {
    zeroDiameter.classDiameter[j] = j == 40 ? 0.0f : 100.0f;
  }
  EXPECT_THROW(fillClassScales(zeroDiameter), ComputeFault);
}

}  // namespace
}  // namespace granomet
