// One sample's class weights under their class diameters, coarsest first, as a results file holds
// them.
#pragma once

#include <cmath>
#include <optional>

#include "data/indexed_array.h"

namespace granomet {

// A results file lists its 68 classes from 8000 µm down.
inline constexpr int kResultsClasses = 68;
// Its first four classes are its gravel, whatever their diameters: the open class
// above 8000 µm, the two coarser sieve fractions, and class 4, which the finest
// sieve fraction shares with the laser's coarsest classes.
inline constexpr int kGravelClasses = 4;

// Class j holds what lies between its own diameter and the next coarser one
// (class j - 1); class 1 has no upper bound.
struct SizeDistribution {
  IndexedArray<double, kResultsClasses> lowerDiameter;  // µm, strictly decreasing
  IndexedArray<double, kResultsClasses> weight;         // percent
};

// The phi scale: minus the base-2 logarithm of the diameter in millimetres.
inline double phiOf(double diameterMicron) {
  return -std::log2(diameterMicron / 1000);
}
inline double micronOf(double phi) {
  return 1000 * std::exp2(-phi);
}

// A figure only where it is a finite number: diameters or weights far beyond any
// sediment (a results file edited by hand) can overflow a double or give 0 / 0.
inline std::optional<double> finiteValue(double value) {
  return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

}  // namespace granomet
