// Sieve weights, the combined distribution and the size percentages, with the lab's worked numbers.
#include "compute/fractions.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "compute/compute_fault.h"

namespace granomet {
namespace {

// A laser curve of 66 classes.
struct Sample {
  SampleRecord record;
  LaserClasses laser;

  Sample() {
    for (int c = 1; c <= kLaserClasses; ++c) {
      laser.diameters[c] = static_cast<float>(c);  // replaced where a test needs real sizes
    }
  }
};

TEST(Fractions, ZeroTotalReadsThePartialWeightsAsPercentages) {
  Sample sample;
  sample.record.partialWeight1 = 5;
  sample.record.partialWeight2 = 3;
  sample.record.partialWeight3 = 2;
  for (int c = 1; c <= kLaserClasses; ++c) {
    sample.laser.frequencies[c] = c == 65 ? 40 : c == 66 ? 10 : 50.0 / 64;
  }
  const SieveWeights weights = netSieveWeights(sample.record);
  EXPECT_EQ(sample.record.totalWeight, 100);
  EXPECT_EQ(weights.netWeight, 100);
  EXPECT_DOUBLE_EQ(weights.laserFraction, 0.9);
  EXPECT_EQ(weights.shellPercent, 0);

  const CombinedWeights row = combineDistribution(sample.laser, sample.record, weights);
  EXPECT_DOUBLE_EQ(row[65], (10 * 0.9 + 40 * 0.9) + 2);
  EXPECT_EQ(row[66], 3);
  EXPECT_EQ(row[67], 5);
  EXPECT_EQ(row[68], 0);
  double sum = 0;
  for (int c = 1; c <= 68; ++c) {
    sum += row[c];
  }
  EXPECT_NEAR(sum, 100, 1e-9);
}

TEST(Fractions, NoGravelNoShellsKeepsTheLaserCurveWithItsTwoCoarsestClassesMerged) {
  Sample sample;
  sample.record.totalWeight = 250.4;
  for (int c = 1; c <= kLaserClasses; ++c) {
    sample.laser.frequencies[c] = c;
  }
  const SieveWeights weights = netSieveWeights(sample.record);
  EXPECT_EQ(weights.laserFraction, 1);
  const CombinedWeights row = combineDistribution(sample.laser, sample.record, weights);
  EXPECT_EQ(row[64], 64);
  EXPECT_EQ(row[65], 65 + 66);
  EXPECT_EQ(row[66], 0);
  EXPECT_EQ(row[67], 0);
  EXPECT_EQ(weights.shellPercent, 0);
}

TEST(Fractions, ShellsHeavierThanTheirFractionEmptyItButCountInFull) {
  SampleRecord record;
  record.totalWeight = 200;
  record.partialWeight1 = 4;
  record.shellWeight1 = 10;  // more than the fraction weighed
  record.partialWeight2 = 6;
  record.shellWeight2 = 1;
  const SieveWeights weights = netSieveWeights(record);
  EXPECT_EQ(record.partialWeight1, 0);
  EXPECT_EQ(record.partialWeight2, 5);
  EXPECT_EQ(weights.shellWeight, 11);
  EXPECT_EQ(weights.netWeight, 189);
  EXPECT_EQ(weights.gravelWeight, 5);
  EXPECT_EQ(weights.laserWeight, 184);
  EXPECT_DOUBLE_EQ(weights.shellPercent, 5.5);
}

TEST(Fractions, InterpolatesTheCumulativeCurveLinearlyInMicrometres) {
  // The lab's worked example: 70 and 60 µm with 40 % and 50 % above them.
  EXPECT_EQ(interpolatedCumulative(70, 40, 60, 50, 63), 47.0f);

  ClassTable table;
  for (int j = 1; j <= kCombinedClasses; ++j) {
    table.classDiameter[j] = j <= 20 ? 70.0f + static_cast<float>(20 - j) : 60.0f - j;
    table.cumulativeWeight[j] = j < 4 ? 0 : j == 4 ? 5 : j < 20 ? 40 : j == 20 ? 40 : 50 + j * 0.5f;
  }
  table.classDiameter[20] = 70;
  table.classDiameter[21] = 60;
  table.cumulativeWeight[21] = 50;
  table.classDiameter[40] = 5;
  table.classDiameter[41] = 3;
  table.cumulativeWeight[40] = 90;
  table.cumulativeWeight[41] = 96;
  const SizePercentages shares = sizePercentages(table);
  EXPECT_EQ(shares.gravel, 5);
  EXPECT_EQ(shares.sand, 42);
  EXPECT_EQ(shares.silt, 93 - 42 - 5);
  EXPECT_EQ(shares.clay, 100 - 93);
}

// Diameters halving every four classes (below 4 µm from j = 44 on), the
// cumulative curve reaching `total` at j = 40.
ClassTable steadyTable(float total) {
  ClassTable table;
  for (int j = 1; j <= kCombinedClasses; ++j) {
    table.classDiameter[j] = 8000.0f / static_cast<float>(1 << (j / 4));
    table.cumulativeWeight[j] = total * static_cast<float>(std::min(j, 40)) / 40;
  }
  return table;
}

TEST(Fractions, AClassOfExactly63MicrometresIsStillSand) {
  ClassTable table = steadyTable(100);
  for (int j = 1; j <= kCombinedClasses; ++j) {
    table.classDiameter[j] = 200.0f - static_cast<float>(j) * 2.5f;  // 63 at j = 54.8: none
  }
  table.classDiameter[30] = 64;
  table.classDiameter[31] = 63;
  table.classDiameter[32] = 62;
  table.cumulativeWeight[31] = 60;
  table.cumulativeWeight[32] = 61;
  for (int j = 33; j <= kCombinedClasses; ++j) {
    table.classDiameter[j] = 3;
  }
  const SizePercentages shares = sizePercentages(table);
  // Interpolated between 63 and 62 µm, not between 64 and 63.
  EXPECT_EQ(shares.sand + shares.gravel, 60);
}

TEST(Fractions, AClayShareJustBelowZeroFromRoundingIsStoredAsZero) {
  ClassTable table = steadyTable(100.0001f);
  const SizePercentages shares = sizePercentages(table);
  EXPECT_EQ(shares.clay, 0);
  EXPECT_GT(shares.sand + shares.silt + shares.gravel, 100);
}

TEST(Fractions, FaultsStopTheSample) {
  struct Case {
    const char* name;
    void (*run)();
    ComputeFault::Kind kind;
  };
  const Case cases[] = {
      {"shells as heavy as the whole sample",
       [] {
         SampleRecord record;
         record.totalWeight = 150.5;
         record.partialWeight1 = 150.5;
         record.shellWeight1 = 150.5f;
         netSieveWeights(record);
       },
       ComputeFault::Kind::DivisionByZero},
      // Only reachable when the export's two coarsest classes share a size below
      // 63 µm: the search starts at the fourth class, the interpolation reaches the third.
      {"equal adjacent diameters at the 63 µm interpolation",
       [] {
         ClassTable table = steadyTable(100);
         table.classDiameter[3] = 50;
         table.classDiameter[4] = 50;
         sizePercentages(table);
       },
       ComputeFault::Kind::DivisionByZero},
      {"no class below 63 µm",
       [] {
         ClassTable table = steadyTable(100);
         for (int j = 1; j <= kCombinedClasses; ++j) {
           table.classDiameter[j] = 100;
         }
         sizePercentages(table);
       },
       ComputeFault::Kind::NoClassBelow},
      {"no class below 4 µm",
       [] {
         ClassTable table = steadyTable(100);
         for (int j = 1; j <= kCombinedClasses; ++j) {
           table.classDiameter[j] = j < 10 ? 100.0f : 10.0f;
         }
         sizePercentages(table);
       },
       ComputeFault::Kind::NoClassBelow},
      {"a class weight beyond single precision",
       [] {
         CombinedWeights row;
         row[3] = 1e300;
         classTableOf(CombinedDiameters(), row);
       },
       ComputeFault::Kind::Overflow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      c.run();
      ADD_FAILURE() << "no fault";
    } catch (const ComputeFault& fault) {
      EXPECT_EQ(fault.kind(), c.kind);
    }
  }
}

}  // namespace
}  // namespace granomet
