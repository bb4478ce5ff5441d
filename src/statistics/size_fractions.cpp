#include "statistics/size_fractions.h"

#include <cstddef>

namespace granomet {
namespace {

// The classes coarser than 2 mm, whatever their diameters: the results file's
// gravel; a limit is looked for from the last of them on.
constexpr int kGravelClasses = 4;

// Percent coarser than `limit`, interpolated linearly in micrometres between the
// first class below it and the class before; nullopt when no class lies below.
std::optional<double> cumulativeAt(const SizeDistribution& sample,
                                   const IndexedArray<double, kResultsClasses>& coarser,
                                   double limit) {
  for (int j = kGravelClasses; j <= kResultsClasses; ++j) {
    if (sample.lowerDiameter[j] < limit) {
      const double upper = sample.lowerDiameter[j - 1];
      const double lower = sample.lowerDiameter[j];
      return coarser[j - 1] + (upper - limit) * (coarser[j] - coarser[j - 1]) / (upper - lower);
    }
  }
  return std::nullopt;
}

}  // namespace

SizeFractions sizeFractionsOf(const SizeDistribution& sample, double gravelPercent) {
  IndexedArray<double, kResultsClasses> coarser;
  double running = 0;
  for (int j = 1; j <= kResultsClasses; ++j) {
    running += sample.weight[j];
    coarser[j] = running;
  }

  SizeFractions fractions;
  double above = gravelPercent;
  for (std::size_t f = 0; f < kFractionFinerLimit.size(); ++f) {
    const std::optional<double> at = cumulativeAt(sample, coarser, kFractionFinerLimit[f]);
    if (!at) {
      fractions.missingLimit = kFractionFinerLimit[f];
      break;
    }
    fractions.percent[f] = finiteValue(*at - above);
    above = *at;
  }
  return fractions;
}

}  // namespace granomet
