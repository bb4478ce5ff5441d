#include "compute/moments.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "compute/compute_fault.h"

namespace granomet {
namespace {

// The sheet's phi = -log2(diameter in mm): 1/mm in 32 bits, the logarithms in double (the
// statistics' 64-bit phi is phiOf, beside the classes it scales).
double sheetPhiOf(float diameterMm, ComputeStep step) {
  const float inverse = checkedDivide(1.0f, diameterMm, step, ComputeReason::ZeroDiameter);
  if (inverse <= 0) {
    throw ComputeFault(ComputeFault::Kind::Invalid, step, ComputeReason::NegativeDiameter);
  }
  return std::log(static_cast<double>(inverse)) / std::log(2.0);
}

// The first class's phi is rounded to three decimals, so 8000 µm gives exactly -3.
double roundedToThousandths(double value) {
  return std::round(value * 1000) / 1000;
}

// pow(value, 3) or pow(value, 4) of a float's value, with fewer calls to pow. The
// square of a float is exact in a double and fma gives what the last product lost,
// so the power is known exactly: where it lies well away from halfway between two
// doubles (closer than 0.4 ulp to the product), the C library's pow, within 0.52 ulp
// of it, returns the product rounded.
// That was checked against pow for every float; other libraries always call pow.
double cubeOrFourthPower(float value, int order) {
#ifdef __GLIBC__
  const double x = value;
  const double square = x * x;
  const double factor = order == 3 ? x : square;
  const double product = square * factor;
  const double lost = std::fma(square, factor, -product);
  // Below 2^-900 what was lost might not be a double. The power of two at or below the
  // product, times 2^-52, is its ulp.
  const double magnitude = std::fabs(product);
  const double binade =
      std::bit_cast<double>(std::bit_cast<std::uint64_t>(magnitude) & 0x7FF0000000000000u);
  if (magnitude >= 0x1p-900 && magnitude < 0x1p1000 && std::fabs(lost) < binade * 0x1p-52 * 0.4) {
    return product;
  }
#endif
  return std::pow(static_cast<double>(value), order);
}

float powerTerm(float deviation, int order, float weight, ComputeStep step) {
  const double power = order == 2 ? std::pow(static_cast<double>(deviation), 2)
                                  : cubeOrFourthPower(deviation, order);
  return narrowed(power * weight, step);
}

}  // namespace

void fillClassScales(ClassTable& table) {
  const auto millimetres = ComputeStep::Millimetres;
  const auto phi = ComputeStep::PhiUnits;
  table.classDiameterMm[1] = checked(table.classDiameter[1] / 1000.0f, millimetres);
  table.classPhi[1] =
      narrowed(roundedToThousandths(sheetPhiOf(table.classDiameterMm[1], phi)), phi);
  table.midDiameterMm[1] = 0;
  table.midPhi[1] = 0;
  const auto midpoint = ComputeStep::ClassMidpoint;
  for (int j = 2; j <= kSizeClasses; ++j) {
    table.classDiameterMm[j] = checked(table.classDiameter[j] / 1000.0f, millimetres);
    table.midDiameterMm[j] =
        checked(table.classDiameterMm[j - 1] + table.classDiameterMm[j], midpoint) / 2.0f;
    table.classPhi[j] = narrowed(sheetPhiOf(table.classDiameterMm[j], phi), phi);
    table.midPhi[j] = checked(table.classPhi[j - 1] + table.classPhi[j], midpoint) / 2.0f;
  }
}

MomentStatistics momentStatistics(const ClassColumn& mid, const ClassColumn& weight,
                                  bool wideFourthMoment) {
  MomentStatistics result;
  const auto meanStep = ComputeStep::Mean;
  float sum = 0;
  for (int j = 2; j <= kSizeClasses; ++j) {
    sum = checked(sum + checked(mid[j] * weight[j], meanStep), meanStep);
  }
  result.mean = sum / 100.0f;

  const auto momentStep = ComputeStep::CentralMoments;
  float sumOfSquares = 0;
  float sumOfCubes = 0;
  float sumOfFourths = 0;
  double wideSumOfFourths = 0;
  for (int j = 1; j <= kSizeClasses; ++j) {
    const float deviation = checked(mid[j] - result.mean, momentStep);
    // A class without weight adds an exact zero to each sum (which never holds a
    // negative zero), so its powers need not be worked out.
    if (weight[j] == 0) {
      continue;
    }
    sumOfSquares =
        checked(sumOfSquares + powerTerm(deviation, 2, weight[j], momentStep), momentStep);
    sumOfCubes = checked(sumOfCubes + powerTerm(deviation, 3, weight[j], momentStep), momentStep);
    const float fourth = powerTerm(deviation, 4, weight[j], momentStep);
    if (wideFourthMoment) {
      wideSumOfFourths = checked(wideSumOfFourths + fourth, momentStep);
    } else {
      sumOfFourths = checked(sumOfFourths + fourth, momentStep);
    }
  }

  const double variance = sumOfSquares / 100.0f;
  if (variance < 0) {
    throw ComputeFault(ComputeFault::Kind::Invalid, ComputeStep::Sorting,
                       ComputeReason::NegativeSumOfSquares);
  }
  result.sorting = narrowed(std::sqrt(variance), ComputeStep::Sorting);
  // Skewness and kurtosis use the sorting as stored, narrowed to 32 bits.
  const auto skewness = ComputeStep::Skewness;
  const auto noSorting = ComputeReason::NoSorting;
  result.skewness =
      narrowed(checkedDivide(static_cast<double>(sumOfCubes),
                             checked(cubeOrFourthPower(result.sorting, 3) * 100, skewness),
                             skewness, noSorting),
               skewness);
  const auto kurtosis = ComputeStep::Kurtosis;
  const double fourthSum = wideFourthMoment ? wideSumOfFourths : sumOfFourths;
  result.kurtosis = narrowed(
      checkedDivide(fourthSum, checked(cubeOrFourthPower(result.sorting, 4) * 100, kurtosis),
                    kurtosis, noSorting),
      kurtosis);
  return result;
}

void ClassScales::fill(ClassTable& table) {
  static_assert(std::is_trivially_copyable_v<ClassColumn>);
  if (last_ && std::memcmp(&last_->classDiameter, &table.classDiameter, sizeof(ClassColumn)) == 0) {
    table.classDiameterMm = last_->classDiameterMm;
    table.classPhi = last_->classPhi;
    table.midDiameterMm = last_->midDiameterMm;
    table.midPhi = last_->midPhi;
    return;
  }
  fillClassScales(table);
  last_ = table;
}

SampleMoments sampleMoments(ClassTable& table) {
  ClassScales scales;
  return sampleMoments(table, scales);
}

SampleMoments sampleMoments(ClassTable& table, ClassScales& scales) {
  scales.fill(table);
  ClassColumn midMicron;
  for (int j = 1; j <= kSizeClasses; ++j) {
    midMicron[j] = checked(table.midDiameterMm[j] * 1000.0f, ComputeStep::ClassMidpoint);
  }
  SampleMoments moments;
  moments.phi = momentStatistics(table.midPhi, table.classWeight, false);
  moments.micron = momentStatistics(midMicron, table.classWeight, true);
  return moments;
}

}  // namespace granomet
