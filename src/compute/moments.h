// Mean, sorting, skewness and kurtosis of the combined distribution, in µm and in phi.
#pragma once

#include <optional>

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

// The scale columns filled for the last class diameters seen: a lot's samples mostly
// share their diameters, whose logarithms then need not be worked out again.
class ClassScales {
 public:
  // As fillClassScales; the columns kept are copied where the diameters are the same bits.
  void fill(ClassTable& table);

 private:
  std::optional<ClassTable> last_;
};

// Both scales of a class table, its scale columns filled first.
SampleMoments sampleMoments(ClassTable& table, ClassScales& scales);
SampleMoments sampleMoments(ClassTable& table);

}  // namespace granomet
