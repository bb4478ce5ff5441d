// The size classes and limits every part of the program counts with: 68 classes, four of them
// gravel, the gravel, sand and silt limits, the phi scale and Shepard's limits.
#pragma once

#include <cmath>

namespace granomet {

// Two arithmetics read these, and they are kept apart on purpose. The results (compute/) repeat
// the lab's sheet step by step in 32-bit floats, so that a results file matches the lab's to its
// last digit: they take the limits as float, and their phi is 1/mm in 32 bits with the logarithm
// in double (compute/moments.cpp), as the sheet had it. The statistics (statistics/) are read back
// from a results file and follow the published formulas in 64 bits, with phiOf below. Neither
// borrows the other's intermediate figures: mixing them would move the results file's digits or
// the statistics' agreement with their independent calculation.

// The combined classes, 66 laser classes less the coarsest merged into its neighbour plus three
// sieve classes, as a results file lists them from 8000 µm down.
inline constexpr int kSizeClasses = 68;
// The coarsest four are gravel whatever their diameters: the open class above 8000 µm, the two
// coarser sieve fractions, and class 4, which the finest sieve fraction shares with the laser's
// coarsest classes.
inline constexpr int kGravelClasses = 4;

inline constexpr double kGravelLimitMicron = 2000;
inline constexpr double kSandLimitMicron = 63;  // a class of exactly 63 µm is still sand
inline constexpr double kSiltLimitMicron = 4;

// Shepard (1954): a component of at least kShepardDominant percent names the sample alone; one
// of at most kShepardPoor percent does not enter its name.
inline constexpr double kShepardDominant = 75;
inline constexpr double kShepardPoor = 20;

// The phi scale: minus the base-2 logarithm of the diameter in millimetres.
inline double phiOf(double diameterMicron) {
  return -std::log2(diameterMicron / 1000);
}
inline double micronOf(double phi) {
  return 1000 * std::exp2(-phi);
}

}  // namespace granomet
