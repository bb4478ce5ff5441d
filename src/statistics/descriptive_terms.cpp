#include "statistics/descriptive_terms.h"

#include <array>
#include <cstddef>

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
