#include "compute/fractions.h"

#include "compute/compute_fault.h"

namespace granomet {
namespace {

// The limits in the sheet's 32 bits.
constexpr auto kSandLimit = static_cast<float>(kSandLimitMicron);
constexpr auto kSiltLimit = static_cast<float>(kSiltLimitMicron);
constexpr float kSieveGravelDiameter = 6000;     // µm, the coarsest weighed fraction
constexpr float kCoarsestGravelDiameter = 8000;  // µm, always empty

// The shells weigh as much as the whole sample.
constexpr auto kNoNetWeight = ComputeReason::NoNetWeight;

// The sieve fractions' weight in percent of the shell-free weight.
double percentOfNet(double weight, double netWeight, ComputeStep step) {
  return checkedDivide(checked(weight * 100, step), netWeight, step, kNoNetWeight);
}

// The first j from `from` on whose diameter lies strictly below `limit`.
int firstClassBelow(const ClassTable& table, int from, float limit, ComputeStep missing) {
  for (int j = from; j <= kSizeClasses; ++j) {
    if (table.classDiameter[j] < limit) {
      return j;
    }
  }
  throw ComputeFault(ComputeFault::Kind::NoClassBelow, missing);
}

float cumulativeAt(const ClassTable& table, int below, float limit) {
  return interpolatedCumulative(table.classDiameter[below - 1], table.cumulativeWeight[below - 1],
                                table.classDiameter[below], table.cumulativeWeight[below], limit);
}

}  // namespace

SieveWeights netSieveWeights(SampleRecord& record) {
  if (record.totalWeight == 0) {
    record.totalWeight = 100;
  }
  // Each fraction was weighed with its own shells; a shell weight above its
  // fraction's weight leaves that fraction empty.
  const auto netGravel = ComputeStep::NetGravel;
  record.partialWeight1 = checked(record.partialWeight1 - record.shellWeight1, netGravel);
  record.partialWeight2 = checked(record.partialWeight2 - record.shellWeight2, netGravel);
  record.partialWeight3 = checked(record.partialWeight3 - record.shellWeight3, netGravel);
  if (record.partialWeight1 < 0) {
    record.partialWeight1 = 0;
  }
  if (record.partialWeight2 < 0) {
    record.partialWeight2 = 0;
  }
  if (record.partialWeight3 < 0) {
    record.partialWeight3 = 0;
  }

  SieveWeights weights;
  const auto gravel = ComputeStep::GravelWeight;
  weights.gravelWeight = checked(
      checked(record.partialWeight1 + record.partialWeight2, gravel) + record.partialWeight3,
      gravel);
  // The shells are single precision in the lot; their sum is carried in double.
  weights.shellWeight = static_cast<double>(record.shellWeight1) +
                        static_cast<double>(record.shellWeight2) +
                        static_cast<double>(record.shellWeight3);
  weights.netWeight = checked(record.totalWeight - weights.shellWeight, ComputeStep::NetWeight);
  weights.laserWeight = checked(weights.netWeight - weights.gravelWeight, ComputeStep::LaserWeight);
  if (weights.shellWeight > 0) {
    const auto shells = ComputeStep::ShellPercent;
    weights.shellPercent =
        checkedDivide(checked(weights.shellWeight * 100, shells), record.totalWeight, shells);
  }
  weights.laserFraction = checkedDivide(weights.laserWeight, weights.netWeight,
                                        ComputeStep::LaserFraction, kNoNetWeight);
  return weights;
}

CombinedDiameters combinedDiameters(const LaserClasses& laser) {
  CombinedDiameters diameters;
  for (int c = 1; c <= kLaserClasses; ++c) {
    diameters[c] = laser.diameters[c];
  }
  diameters[67] = kSieveGravelDiameter;
  diameters[68] = kCoarsestGravelDiameter;
  return diameters;
}

CombinedWeights combineDistribution(const LaserClasses& laser, const SampleRecord& netRecord,
                                    const SieveWeights& weights) {
  CombinedWeights row;
  const auto scaling = ComputeStep::ScaledLaserClasses;
  for (int c = 1; c <= kLaserClasses; ++c) {
    row[c] = checked(laser.frequencies[c] * weights.laserFraction, scaling);
  }
  const auto gravel = ComputeStep::GravelClasses;
  row[65] = checked(checked(row[66] + row[65], gravel) +
                        percentOfNet(netRecord.partialWeight3, weights.netWeight, gravel),
                    gravel);
  row[66] = percentOfNet(netRecord.partialWeight2, weights.netWeight, gravel);
  row[67] = percentOfNet(netRecord.partialWeight1, weights.netWeight, gravel);
  row[68] = 0;
  return row;
}

ClassTable classTableOf(const CombinedDiameters& diameters, const CombinedWeights& weights) {
  ClassTable table;
  for (int j = 1; j <= kSizeClasses; ++j) {
    table.classDiameter[j] = diameters[kSizeClasses + 1 - j];
    table.classWeight[j] = narrowed(weights[kSizeClasses + 1 - j], ComputeStep::ClassWeight);
  }
  table.cumulativeWeight[1] = table.classWeight[1];
  for (int j = 2; j <= kSizeClasses; ++j) {
    table.cumulativeWeight[j] =
        checked(table.cumulativeWeight[j - 1] + table.classWeight[j], ComputeStep::CumulativeCurve);
  }
  return table;
}

float interpolatedCumulative(float upperDiameter, float upperCumulative, float lowerDiameter,
                             float lowerCumulative, float limit) {
  const auto step = ComputeStep::CumulativeAtLimit;
  const float toLimit = checked(upperDiameter - limit, step);
  const float rise = checked(lowerCumulative - upperCumulative, step);
  const float product = checked(toLimit * rise, step);
  const float span = checked(upperDiameter - lowerDiameter, step);
  return checked(
      upperCumulative + checkedDivide(product, span, step, ComputeReason::EqualNeighbourDiameters),
      step);
}

SizePercentages sizePercentages(const ClassTable& table) {
  SizePercentages shares;
  shares.gravel = table.cumulativeWeight[kGravelClasses];

  const int sandEnd = firstClassBelow(table, kGravelClasses, kSandLimit, ComputeStep::SandLimit);
  const float cumulativeAtSand = cumulativeAt(table, sandEnd, kSandLimit);
  shares.sand = checked(cumulativeAtSand - shares.gravel, ComputeStep::SandPercent);

  const int siltEnd = firstClassBelow(table, sandEnd, kSiltLimit, ComputeStep::SiltLimit);
  const float cumulativeAtSilt = cumulativeAt(table, siltEnd, kSiltLimit);
  shares.silt =
      checked(checked(cumulativeAtSilt - shares.sand, ComputeStep::SiltPercent) - shares.gravel,
              ComputeStep::SiltPercent);

  const auto clay = ComputeStep::ClayPercent;
  shares.clay =
      checked(100 - checked(checked(shares.sand + shares.silt, clay) + shares.gravel, clay), clay);
  if (shares.clay < 0) {
    shares.clay = 0;
  }
  return shares;
}

}  // namespace granomet
