#include "statistics/modes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace granomet {
namespace {

// Densities this close are one plateau: a width computed from two logarithms is
// not exact, so a curve drawn flat per phi is flat only to this.
constexpr double kSameDensity = 1e-9;

struct Peak {
  int first = 0;  // its classes, coarsest first
  int last = 0;
  double height = 0;
};

bool sameDensity(double a, double b) {
  return std::fabs(a - b) <= kSameDensity * std::max(std::fabs(a), std::fabs(b));
}

// How far the curve falls from the peak on the way to a higher one: the peak's
// height less the lowest density passed, on the side where that is least; the
// whole height where no side leads higher.
double dipOf(const Peak& peak, const IndexedArray<double, kSizeClasses>& density) {
  double dip = peak.height;
  // Towards the coarse end an equal peak counts as higher: of two equal peaks,
  // the coarser one ranks first.
  double lowest = peak.height;
  for (int j = peak.first - 1; j >= 2; --j) {
    if (density[j] >= peak.height) {
      dip = std::min(dip, peak.height - lowest);
      break;
    }
    lowest = std::min(lowest, density[j]);
  }
  lowest = peak.height;
  for (int j = peak.last + 1; j <= kSizeClasses; ++j) {
    if (density[j] > peak.height) {
      dip = std::min(dip, peak.height - lowest);
      break;
    }
    lowest = std::min(lowest, density[j]);
  }
  return dip;
}

}  // namespace

std::optional<Modes> modesOf(const SizeDistribution& classes) {
  IndexedArray<double, kSizeClasses> density;
  for (int j = 2; j <= kSizeClasses; ++j) {
    density[j] =
        classes.weight[j] / (phiOf(classes.lowerDiameter[j]) - phiOf(classes.lowerDiameter[j - 1]));
    if (!std::isfinite(density[j])) {
      return std::nullopt;
    }
  }

  std::vector<Peak> peaks;
  for (int first = 2; first <= kSizeClasses;) {
    int last = first;
    while (last < kSizeClasses && sameDensity(density[last + 1], density[first])) {
      ++last;
    }
    const double height = density[first];
    if (height > 0 && (first == 2 || density[first - 1] < height) &&
        (last == kSizeClasses || density[last + 1] < height)) {
      peaks.push_back({first, last, height});
    }
    first = last + 1;
  }
  if (peaks.empty()) {
    return std::nullopt;
  }

  double highest = 0;
  for (const Peak& peak : peaks) {
    highest = std::max(highest, peak.height);
  }
  std::vector<Peak> counted;
  for (const Peak& peak : peaks) {
    if (peak.height >= kPeakShare * highest && dipOf(peak, density) >= kPeakDip * peak.height) {
      counted.push_back(peak);
    }
  }
  std::stable_sort(counted.begin(), counted.end(),
                   [](const Peak& a, const Peak& b) { return a.height > b.height; });

  Modes modes;
  modes.modality = static_cast<Modality>(std::min<std::size_t>(counted.size(), 4) - 1);
  for (std::size_t k = 0; k < counted.size() && k < kModesTold; ++k) {
    const Peak& peak = counted[k];
    modes.diameters[k] = finiteValue(
        std::sqrt(classes.lowerDiameter[peak.first - 1] * classes.lowerDiameter[peak.last]));
  }
  return modes;
}

}  // namespace granomet
