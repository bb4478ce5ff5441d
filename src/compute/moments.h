// Mean, sorting, skewness and kurtosis of the combined distribution, in µm and in phi.
#pragma once

#include "compute/class_table.h"

namespace granomet {

struct MomentStatistics {
  float mean = 0;
  float sorting = 0;
  float skewness = 0;
  float kurtosis = 0;  // the plain fourth standardised moment: 3 is not subtracted
};

struct SampleMoments {
  MomentStatistics micron;
  MomentStatistics phi;
};

// Fills the millimetre, phi and midpoint columns from classDiameter, in class
// order (the first phi is rounded to three decimals). Throws ComputeFault.
void fillClassScales(ClassTable& table);

// Moments of classes represented by their midpoints (mid[1] is never weighted),
// each sum divided by 100 whatever the weights add up to. `wideFourthMoment`:
// the fourth-order sum is carried in 64 bits (the µm scale's is, the phi
// scale's is not). Throws ComputeFault.
MomentStatistics momentStatistics(const ClassColumn& mid, const ClassColumn& weight,
                                  bool wideFourthMoment);

// Both scales of a filled class table.
SampleMoments sampleMoments(ClassTable& table);

}  // namespace granomet
