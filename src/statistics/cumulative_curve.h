// The cumulative curve of one sample against phi, and the percentiles read from it.
#pragma once

#include <optional>

#include "statistics/size_distribution.h"

namespace granomet {

// Why a percentile cannot be read from a curve.
enum class CurveGap {
  None,
  NoWeight,      // the classes weigh nothing, or more than a double adds up
  NotMonotonic,  // a class weighs less than nothing
  NotReached,    // the coarsest class alone holds more than the percentile
};

class CumulativeCurve {
 public:
  explicit CumulativeCurve(const SizeDistribution& sample);

  // The phi value with `percent` of the sample coarser (Folk's phi_x),
  // interpolated linearly in phi between the classes' lower bounds; nullopt where
  // gapAt says why not.
  std::optional<double> phiCoarser(double percent) const;
  CurveGap gapAt(double percent) const;
  // What keeps the whole curve from giving any percentile: NoWeight, NotMonotonic or None.
  CurveGap gap() const;

  // Percent of the curve's own total coarser than `diameter` (µm), interpolated
  // linearly in phi between the classes' lower bounds like phiCoarser, so that a
  // share read here and a percentile read there always agree. nullopt when the
  // classes weigh nothing, or no class bound lies at or below the diameter, or it
  // lies above the coarsest class's lower bound, beyond which nothing is known.
  std::optional<double> percentCoarserAt(double diameter) const;

  // Percent of the curve's own total coarser than class j's lower bound.
  double percentCoarser(int j) const { return percentCoarser_[j]; }
  double total() const { return total_; }
  bool monotonic() const { return monotonic_; }

 private:
  IndexedArray<double, kSizeClasses> lowerDiameter_;
  IndexedArray<double, kSizeClasses> phi_;
  IndexedArray<double, kSizeClasses> percentCoarser_;
  double total_ = 0;
  bool monotonic_ = true;
};

// x % of the sample finer: the sedimentologist's D10, D50, D90 (µm).
std::optional<double> diameterFiner(const CumulativeCurve& curve, double percent);

}  // namespace granomet
