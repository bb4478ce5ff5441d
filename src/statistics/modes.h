// The modes of a sample: the peaks of its frequency per unit phi, and where they lie.
#pragma once

#include <array>
#include <optional>

#include "statistics/size_distribution.h"

namespace granomet {

enum class Modality { Unimodal, Bimodal, Trimodal, Polymodal };

inline constexpr int kModesTold = 3;

struct Modes {
  Modality modality = Modality::Unimodal;
  // Where the highest peaks lie (µm), highest first; absent past the last peak.
  std::array<std::optional<double>, kModesTold> diameters;
};

// A class's weight over its width in phi, so that classes of different widths
// compare; class 1, unbounded, has no width and is left out. A peak is a class, or
// a run of classes of equal density, above its neighbours; it counts when it
// reaches kPeakShare of the highest peak and the curve falls at least kPeakDip of
// its height between it and any higher peak (an equal one counts as higher when
// coarser). Equal peaks rank coarser first. A peak lies at the geometric mean of
// its outer bounds. nullopt when no class from the second on has weight.
inline constexpr double kPeakShare = 0.1;
inline constexpr double kPeakDip = 0.2;
std::optional<Modes> modesOf(const SizeDistribution& classes);

}  // namespace granomet
