#include "compute/fractions.h"

#include "compute/compute_fault.h"

namespace granomet {
namespace {

constexpr float kSandLimit = 63;                 // µm; a class of exactly 63 µm is still sand
constexpr float kSiltLimit = 4;                  // µm
constexpr int kGravelClasses = 4;                // coarser than 2 mm, whatever their diameters
constexpr float kSieveGravelDiameter = 6000;     // µm, the coarsest weighed fraction
constexpr float kCoarsestGravelDiameter = 8000;  // µm, always empty

constexpr const char* kNoNetWeight =
    "el peso sin conchas es 0 (las conchas pesan tanto como la muestra)";

// The sieve fractions' weight in percent of the shell-free weight.
double percentOfNet(double weight, double netWeight, const char* step) {
  return checkedDivide(checked(weight * 100, step), netWeight, step, kNoNetWeight);
}

// The first j from `from` on whose diameter lies strictly below `limit`.
int firstClassBelow(const ClassTable& table, int from, float limit, const char* missing) {
  for (int j = from; j <= kCombinedClasses; ++j) {
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
  const char* netGravel = "el peso de grava sin conchas";
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
  const char* gravel = "el peso de grava";
  weights.gravelWeight = checked(
      checked(record.partialWeight1 + record.partialWeight2, gravel) + record.partialWeight3,
      gravel);
  // The shells are single precision in the lot; their sum is carried in double.
  weights.shellWeight = static_cast<double>(record.shellWeight1) +
                        static_cast<double>(record.shellWeight2) +
                        static_cast<double>(record.shellWeight3);
  weights.netWeight = checked(record.totalWeight - weights.shellWeight, "el peso sin conchas");
  weights.laserWeight =
      checked(weights.netWeight - weights.gravelWeight, "el peso de la fracción láser");
  if (weights.shellWeight > 0) {
    const char* shells = "el porcentaje de bioclastos";
    weights.shellPercent =
        checkedDivide(checked(weights.shellWeight * 100, shells), record.totalWeight, shells);
  }
  weights.laserFraction =
      checkedDivide(weights.laserWeight, weights.netWeight, "la fracción láser", kNoNetWeight);
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
  const char* scaling = "las clases del láser escaladas al peso sin conchas";
  for (int c = 1; c <= kLaserClasses; ++c) {
    row[c] = checked(laser.frequencies[c] * weights.laserFraction, scaling);
  }
  const char* gravel = "las clases de grava";
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
  for (int j = 1; j <= kCombinedClasses; ++j) {
    table.classDiameter[j] = diameters[kCombinedClasses + 1 - j];
    table.classWeight[j] = narrowed(weights[kCombinedClasses + 1 - j], "el peso de una clase");
  }
  table.cumulativeWeight[1] = table.classWeight[1];
  for (int j = 2; j <= kCombinedClasses; ++j) {
    table.cumulativeWeight[j] =
        checked(table.cumulativeWeight[j - 1] + table.classWeight[j], "la curva acumulada");
  }
  return table;
}

float interpolatedCumulative(float upperDiameter, float upperCumulative, float lowerDiameter,
                             float lowerCumulative, float limit) {
  const char* step = "la curva acumulada en un límite de tamaño";
  const float toLimit = checked(upperDiameter - limit, step);
  const float rise = checked(lowerCumulative - upperCumulative, step);
  const float product = checked(toLimit * rise, step);
  const float span = checked(upperDiameter - lowerDiameter, step);
  return checked(upperCumulative +
                     checkedDivide(product, span, step, "dos clases vecinas con el mismo diámetro"),
                 step);
}

SizePercentages sizePercentages(const ClassTable& table) {
  SizePercentages shares;
  shares.gravel = table.cumulativeWeight[kGravelClasses];

  const int sandEnd = firstClassBelow(table, kGravelClasses, kSandLimit,
                                      "ninguna clase de la distribución es menor de 63 µm");
  const float cumulativeAtSand = cumulativeAt(table, sandEnd, kSandLimit);
  shares.sand = checked(cumulativeAtSand - shares.gravel, "el porcentaje de arena");

  const int siltEnd = firstClassBelow(table, sandEnd, kSiltLimit,
                                      "ninguna clase de la distribución es menor de 4 µm");
  const float cumulativeAtSilt = cumulativeAt(table, siltEnd, kSiltLimit);
  shares.silt =
      checked(checked(cumulativeAtSilt - shares.sand, "el porcentaje de limo") - shares.gravel,
              "el porcentaje de limo");

  const char* clay = "el porcentaje de arcilla";
  shares.clay =
      checked(100 - checked(checked(shares.sand + shares.silt, clay) + shares.gravel, clay), clay);
  if (shares.clay < 0) {
    shares.clay = 0;
  }
  return shares;
}

}  // namespace granomet
