// Sieve weights net of shells, the combined 68-class distribution and the size percentages.
#pragma once

#include "compute/class_table.h"
#include "data/laser_classes.h"
#include "data/lot_table.h"

namespace granomet {

// The weight steps' working values, in the lot's unit of mass.
struct SieveWeights {
  double gravelWeight = 0;  // the three net gravel fractions
  double shellWeight = 0;
  double netWeight = 0;    // shell-free weight of the sample
  double laserWeight = 0;  // what passed the sieves and went to the laser
  double shellPercent = 0;
  double laserFraction = 0;
};

// Replaces a zero total by 100 (the partial weights are then percentages) and
// each gravel weight by its shell-free value, never below 0, in record.
// Throws ComputeFault.
SieveWeights netSieveWeights(SampleRecord& record);

// The laser's 66 diameters, then the sieves' 6000 and 8000 µm.
CombinedDiameters combinedDiameters(const LaserClasses& laser);

// Classes 1 to 68 in percent of the sample's shell-free weight: laser classes
// scaled by the laser fraction, the coarsest laser class merged into class 65
// with the finest gravel fraction, the middle and coarsest gravel fractions in
// classes 66 and 67, class 68 empty. Throws ComputeFault.
CombinedWeights combineDistribution(const LaserClasses& laser, const SampleRecord& netRecord,
                                    const SieveWeights& weights);

// Diameters and 32-bit weights coarsest first, with the cumulative weights.
ClassTable classTableOf(const CombinedDiameters& diameters, const CombinedWeights& weights);

struct SizePercentages {
  double gravel = 0;
  double sand = 0;
  double silt = 0;
  double clay = 0;
};

// The cumulative curve read at 63 µm and 4 µm, interpolated linearly in µm.
// Throws ComputeFault, also when no class lies below a limit.
SizePercentages sizePercentages(const ClassTable& table);

// Cumulative percentage at `limit` between a coarser class (upper) and the next
// finer one (lower), all in 32 bits as the lab's sheet does it.
float interpolatedCumulative(float upperDiameter, float upperCumulative, float lowerDiameter,
                             float lowerCumulative, float limit);

}  // namespace granomet
