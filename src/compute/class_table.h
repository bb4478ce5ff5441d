// The 68 combined classes of the sample being computed, coarsest first, with their scales.
#pragma once

#include "data/indexed_array.h"
#include "data/size_classes.h"

namespace granomet {

using ClassColumn = IndexedArray<float, kSizeClasses>;

// The combined classes in the export's order, finest first: class c = 1 is the
// laser's finest, 67 and 68 the 6000 and 8000 µm sieve classes.
using CombinedDiameters = IndexedArray<float, kSizeClasses>;  // µm
using CombinedWeights = IndexedArray<double, kSizeClasses>;   // percent of the shell-free weight

// The lab's sheet runs the other way: entry j holds combined class 69 - j, so j = 1 is the 8000 µm
// class. All 32-bit, as the lab's sheets carried them.
struct ClassTable {
  ClassColumn classDiameter;     // µm
  ClassColumn classWeight;       // percent of the shell-free weight
  ClassColumn cumulativeWeight;  // percent in this class and coarser
  // Filled by the moment statistics; the mid columns are 0 at j = 1.
  ClassColumn classDiameterMm;
  ClassColumn classPhi;
  ClassColumn midDiameterMm;  // arithmetic midpoint with the next coarser class
  ClassColumn midPhi;         // phi midpoint: phi of the geometric mean diameter
};

}  // namespace granomet
