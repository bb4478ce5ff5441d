// Mean, sorting, skewness and kurtosis of a sample, by moments or read from its curve (Folk &
// Ward).
#pragma once

#include <optional>

#include "statistics/cumulative_curve.h"

namespace granomet {

// Each value is absent where the curve cannot give it.
struct SizeMeasures {
  std::optional<double> mean;
  std::optional<double> sorting;
  std::optional<double> skewness;
  std::optional<double> kurtosis;
};

// Folk & Ward's (1957) graphical measures in phi, from the percentiles 5, 16,
// 25, 50, 75, 84 and 95 of the curve.
SizeMeasures folkWardOf(const CumulativeCurve& curve);

// Measures in phi told in micrometres, the geometric way: the mean as a diameter,
// the sorting as a ratio, the skewness with its sign turned (phi grows as the
// diameter shrinks) and the kurtosis as it is.
SizeMeasures geometricOf(const SizeMeasures& phiMeasures);

}  // namespace granomet
