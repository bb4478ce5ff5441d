// Sieve weights and size percentages where the results files cannot show them: edge cases and
// faults.
#include "compute/fractions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "compute/compute_fault.h"

namespace granomet {
namespace {

TEST(Fractions, ShellsHeavierThanTheirFractionEmptyItButCountInFull) {
  SampleRecord record;
  record.totalWeight = 200;
  record.partialWeight1 = 4;
  record.shellWeight1 = 10;  // more than the fraction weighed
  record.partialWeight2 = 6;
  record.shellWeight2 = 1;
  const SieveWeights weights = netSieveWeights(record);
  EXPECT_EQ((std::vector{record.partialWeight1, record.partialWeight2, weights.shellWeight,
                         weights.netWeight, weights.gravelWeight, weights.laserWeight}),
            (std::vector<double>{0, 5, 11, 189, 5, 184}));
  EXPECT_DOUBLE_EQ(weights.shellPercent, 5.5);
}

// Diameters halving every four classes (below 4 µm from j = 44 on), the
// cumulative curve reaching `total` at j = 40.
ClassTable steadyTable(float total) {
  ClassTable table;
  for (int j = 1; j <= kSizeClasses; ++j) {
    table.classDiameter[j] = 8000.0f / static_cast<float>(1 << (j / 4));
    table.cumulativeWeight[j] = total * static_cast<float>(std::min(j, 40)) / 40;
  }
  return table;
}

// A class of exactly 63 µm is still sand: finest of all, it leaves no class below the limit.
TEST(Fractions, AFinestClassOfExactly63MicrometresStopsTheSampleAtTheSandLimit) {
  ClassTable table = steadyTable(100);
  for (int j = 1; j <= kSizeClasses; ++j) {
    table.classDiameter[j] = static_cast<float>(63 + kSizeClasses - j);
  }
  try {
    sizePercentages(table);
    ADD_FAILURE() << "no fault";
  } catch (const ComputeFault& fault) {
    EXPECT_EQ(fault.kind(), ComputeFault::Kind::NoClassBelow);
    EXPECT_EQ(fault.step(), ComputeStep::SandLimit);
  }
}

}  // namespace
}  // namespace granomet
