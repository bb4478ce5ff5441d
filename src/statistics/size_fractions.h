// The share of every Udden-Wentworth sand and silt class in a sample, from its cumulative curve.
#pragma once

#include <array>
#include <optional>

#include "statistics/size_distribution.h"

namespace granomet {

// Very coarse sand to fine silt; each fraction lies between two of these limits (µm).
inline constexpr int kSizeFractions = 9;
inline constexpr std::array<double, kSizeFractions> kFractionFinerLimit = {1000, 500, 250, 125, 63,
                                                                           31,   16,  8,   4};

struct SizeFractions {
  // Percent of the sample, coarsest first; absent below missingLimit.
  std::array<std::optional<double>, kSizeFractions> percent;
  // The coarsest limit with no class below it, where there is one.
  std::optional<double> missingLimit;
};

// The curve is read at each limit as the results file reads it at 63 and 4 µm, and
// the results file's gravel is the top of the coarsest sand, so the five sands add
// up to its sand and the four silts to its silt (up to the rounding of its weights).
SizeFractions sizeFractionsOf(const SizeDistribution& sample, double gravelPercent);

}  // namespace granomet
