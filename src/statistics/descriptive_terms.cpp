#include "statistics/descriptive_terms.h"

#include <array>
#include <cstddef>
#include <limits>

namespace granomet {
namespace {

// The term whose lower limit is the last one at or below the value.
template <typename Term, std::size_t N>
Term termOf(double value, const std::array<double, N>& lowerLimits) {
  std::size_t term = 0;
  while (term + 1 < N && value >= lowerLimits[term + 1]) {
    ++term;
  }
  return static_cast<Term>(term);
}

constexpr double kAny = -std::numeric_limits<double>::infinity();

// Lower limits in the order of the terms.
constexpr std::array<double, 17> kMeanSizeLimits = {kAny, -8, -6, -5, -4, -3, -2, -1, 0,
                                                    1,    2,  3,  4,  5,  6,  7,  8};
constexpr std::array<double, 7> kSortingLimits = {kAny, 0.35, 0.50, 0.70, 1.00, 2.00, 4.00};
// Folk & Ward's skewness lies between -1 and 1.
constexpr std::array<double, 5> kSkewnessLimits = {kAny, -0.3, -0.1, 0.1, 0.3};
constexpr std::array<double, 6> kKurtosisLimits = {kAny, 0.67, 0.90, 1.11, 1.50, 3.00};

}  // namespace

MeanSizeTerm meanSizeTermOf(double meanPhi) {
  return termOf<MeanSizeTerm>(meanPhi, kMeanSizeLimits);
}

SortingTerm sortingTermOf(double sortingPhi) {
  return termOf<SortingTerm>(sortingPhi, kSortingLimits);
}

SkewnessTerm skewnessTermOf(double skewnessPhi) {
  return termOf<SkewnessTerm>(skewnessPhi, kSkewnessLimits);
}

KurtosisTerm kurtosisTermOf(double kurtosis) {
  return termOf<KurtosisTerm>(kurtosis, kKurtosisLimits);
}

}  // namespace granomet
