// A sample described by all of itself on the Udden-Wentworth scale: its gravel classes, its sand
// and silt classes and its clay, each read from its cumulative curve.
#pragma once

#include <array>
#include <optional>

#include "statistics/cumulative_curve.h"

namespace granomet {

// Very coarse sand to fine silt; each fraction lies between two of these limits (µm).
inline constexpr int kSizeFractions = 9;
inline constexpr std::array<double, kSizeFractions> kFractionFinerLimit = {1000, 500, 250, 125, 63,
                                                                           31,   16,  8,   4};

// The share of the sample that lies between two diameters (µm), as counted.
struct SizeBand {
  std::optional<double> coarserBound;  // none: the open class above the coarsest diameter
  std::optional<double> finerBound;    // none: down to the finest class, for clay
  std::optional<double> percent;       // of the curve's own total
};

// The Udden-Wentworth grades a gravel class of the results file reaches into, finest first.
enum class WentworthGrade {
  Sand,      // below 2 mm, where a file's diameters put a gravel class there
  Granules,  // 2 to 4 mm
  Pebbles,   // 4 to 64 mm
  Cobbles,   // 64 to 256 mm
  Boulders,  // from 256 mm
};

struct GravelClass {
  SizeBand band;
  WentworthGrade finest = WentworthGrade::Granules;
  WentworthGrade coarsest = WentworthGrade::Granules;
};

struct SizeFractions {
  // The results file's gravel classes, coarsest first.
  std::array<GravelClass, kGravelClasses> gravel;
  // Very coarse sand to fine silt; absent from missingLimit on.
  std::array<SizeBand, kSizeFractions> sandAndSilt;
  SizeBand clay;
  // The coarsest limit with no class bound at or below it, where there is one.
  std::optional<double> missingLimit;
};

// Every share is read from the one curve the percentiles are read from: the very
// coarse sand starts where the gravel classes end, at the last one's lower bound,
// so that gravel, sand and silt and clay add up to 100 and a share never
// contradicts a percentile. A limit coarser than that bound counts from it.
SizeFractions sizeFractionsOf(const SizeDistribution& sample, const CumulativeCurve& curve);

}  // namespace granomet
