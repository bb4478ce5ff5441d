// Everything computed for one matched sample, in the lab's order, all or nothing.
#pragma once

#include "compute/class_table.h"
#include "compute/moments.h"
#include "compute/sample_results.h"
#include "data/laser_classes.h"
#include "data/lot_table.h"

namespace granomet {

struct ComputedSample {
  CombinedDiameters diameters;
  CombinedWeights distribution;
  ClassTable classTable;
  SampleResults results;
};

// Weights and combined distribution, class table, moments, size percentages,
// class. Throws ComputeFault at the first faulty step; nothing else is touched.
ComputedSample computeSample(const SampleRecord& record, const LaserClasses& laser);
// The same, the class scales taken from those of the samples before where they fit.
ComputedSample computeSample(const SampleRecord& record, const LaserClasses& laser,
                             ClassScales& scales);

}  // namespace granomet
