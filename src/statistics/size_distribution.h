// One sample's class weights under their class diameters, coarsest first, as a results file holds
// them.
#pragma once

#include <cmath>
#include <optional>

#include "data/indexed_array.h"
#include "data/size_classes.h"

namespace granomet {

// Class j holds what lies between its own diameter and the next coarser one
// (class j - 1); class 1 has no upper bound.
struct SizeDistribution {
  IndexedArray<double, kSizeClasses> lowerDiameter;  // µm, strictly decreasing
  IndexedArray<double, kSizeClasses> weight;         // percent
};

// A figure only where it is a finite number: diameters or weights far beyond any
// sediment (a results file edited by hand) can overflow a double or give 0 / 0.
inline std::optional<double> finiteValue(double value) {
  return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

}  // namespace granomet
