// Moment statistics where the results files cannot show them: the class scales and the faults.
#include "compute/moments.h"

#include <gtest/gtest.h>

#include "compute/compute_fault.h"

namespace granomet {
namespace {

// Only the coarsest class's phi is rounded, so that 8000 µm gives exactly -3.
TEST(Moments, TheCoarsestClassPhiIsRoundedToThousandths) {
  ClassTable table;
  for (int j = 1; j <= kSizeClasses; ++j) {
    table.classDiameter[j] = 9000.0f / static_cast<float>(j);
  }
  fillClassScales(table);
  EXPECT_EQ(table.classPhi[1], -3.17f);
  EXPECT_NEAR(table.classPhi[2], -2.169925, 1e-6);
}

// Scales kept from one sample serve the next only where its diameters are the same.
TEST(Moments, KeptScalesServeOnlyTheSameDiameters) {
  ClassScales scales;
  for (const float coarsest : {9000.0f, 9000.0f, 8000.0f}) {
    ClassTable kept;
    ClassTable fresh;
    for (int j = 1; j <= kSizeClasses; ++j) {
      kept.classDiameter[j] = fresh.classDiameter[j] = coarsest / static_cast<float>(j);
    }
    scales.fill(kept);
    fillClassScales(fresh);
    for (int j = 1; j <= kSizeClasses; ++j) {
      ASSERT_EQ(kept.midPhi[j], fresh.midPhi[j]) << coarsest << " class " << j;
      ASSERT_EQ(kept.midDiameterMm[j], fresh.midDiameterMm[j]) << coarsest << " class " << j;
    }
  }
}

TEST(Moments, FaultsStopTheSample) {
  // All the weight in one class: sorting 0; negative weights: a negative sum of squares.
  ClassColumn mid;
  ClassColumn oneClass;
  ClassColumn negative;
  mid[10] = 1;
  mid[11] = 3;
  oneClass[10] = 100;
  negative[10] = negative[11] = -50;
  for (const bool wide : {false, true}) {
    EXPECT_THROW(momentStatistics(mid, oneClass, wide), ComputeFault);
    EXPECT_THROW(momentStatistics(mid, negative, wide), ComputeFault);
  }
  ClassTable zeroDiameter;
  for (int j = 1; j <= kSizeClasses; ++j) {
    zeroDiameter.classDiameter[j] = j == 40 ? 0.0f : 100.0f;
  }
  EXPECT_THROW(fillClassScales(zeroDiameter), ComputeFault);
}

}  // namespace
}  // namespace granomet
