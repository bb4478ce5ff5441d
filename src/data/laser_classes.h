// The 66 size classes of one laser export record, finest first as the analyser lists them.
#pragma once

#include "data/indexed_array.h"

namespace granomet {

inline constexpr int kLaserClasses = 66;

struct LaserClasses {
  IndexedArray<float, kLaserClasses> diameters;     // µm
  IndexedArray<double, kLaserClasses> frequencies;  // percent of what the laser measured
};

}  // namespace granomet
