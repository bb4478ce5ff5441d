#include "statistics/cumulative_curve.h"

#include <cmath>

namespace granomet {

CumulativeCurve::CumulativeCurve(const SizeDistribution& sample) {
  IndexedArray<double, kSizeClasses> coarser;
  double running = 0;
  for (int j = 1; j <= kSizeClasses; ++j) {
    lowerDiameter_[j] = sample.lowerDiameter[j];
    phi_[j] = phiOf(sample.lowerDiameter[j]);
    running += sample.weight[j];
    coarser[j] = running;
    if (sample.weight[j] < 0) {
      monotonic_ = false;
    }
  }
  total_ = running;
  if (total_ > 0) {
    for (int j = 1; j <= kSizeClasses; ++j) {
      percentCoarser_[j] = 100 * (coarser[j] / total_);
    }
  }
}

CurveGap CumulativeCurve::gap() const {
  if (!(total_ > 0) || !std::isfinite(total_)) {
    return CurveGap::NoWeight;
  }
  return monotonic_ ? CurveGap::None : CurveGap::NotMonotonic;
}

CurveGap CumulativeCurve::gapAt(double percent) const {
  if (const CurveGap whole = gap(); whole != CurveGap::None) {
    return whole;
  }
  // Nothing bounds the coarsest class from above, so the curve has no point
  // coarser than its lower bound to interpolate from.
  if (percentCoarser_[1] > percent) {
    return CurveGap::NotReached;
  }
  return CurveGap::None;
}

std::optional<double> CumulativeCurve::phiCoarser(double percent) const {
  if (gapAt(percent) != CurveGap::None) {
    return std::nullopt;
  }
  if (percentCoarser_[1] == percent) {
    return phi_[1];
  }
  for (int j = 2; j <= kSizeClasses; ++j) {
    if (percentCoarser_[j] >= percent) {
      // The class before lies below the percentile, so the rise is never zero.
      const double rise = percentCoarser_[j] - percentCoarser_[j - 1];
      return finiteValue(phi_[j - 1] +
                         (percent - percentCoarser_[j - 1]) * (phi_[j] - phi_[j - 1]) / rise);
    }
  }
  return std::nullopt;
}

std::optional<double> CumulativeCurve::percentCoarserAt(double diameter) const {
  if (gap() == CurveGap::NoWeight) {
    return std::nullopt;
  }
  for (int j = 1; j <= kSizeClasses; ++j) {
    if (lowerDiameter_[j] == diameter) {
      return percentCoarser_[j];
    }
    if (lowerDiameter_[j] < diameter) {
      if (j == 1) {
        return std::nullopt;
      }
      const double phi = phiOf(diameter);
      return finiteValue(percentCoarser_[j - 1] +
                         (phi - phi_[j - 1]) * (percentCoarser_[j] - percentCoarser_[j - 1]) /
                             (phi_[j] - phi_[j - 1]));
    }
  }
  return std::nullopt;
}

std::optional<double> diameterFiner(const CumulativeCurve& curve, double percent) {
  const std::optional<double> phi = curve.phiCoarser(100 - percent);
  if (!phi) {
    return std::nullopt;
  }
  return finiteValue(micronOf(*phi));
}

}  // namespace granomet
