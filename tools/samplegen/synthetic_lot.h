// A made-up lot seen whole, and a coastline-like background, for pictures and benchmarks of the
// lot's views.
#pragma once

#include <vector>

#include "statistics/geo_point.h"
#include "workflow/lot_view.h"

namespace granomet::tools {

struct SyntheticLotOptions {
  int samples = 40;
  int cores = 2;       // stations of four levels each, among the samples
  int unplaced = 3;    // samples without a position
  int coincident = 1;  // stations of three samples without sub-depths
  unsigned seed = 1;
};

// Samples scattered over some 40 km of the Gulf of Cádiz, with every measure the views draw.
LotView syntheticLotView(const SyntheticLotOptions& options);

// Lines and rings wandering over the lot's area and far beyond it: `paths` paths of
// `pointsEach` points (3000 × 100 is about a 5 MB coastline as GDAL reads one), a share
// `near` of them over the lot.
std::vector<GeoPath> syntheticCoastline(int paths, int pointsEach, double near = 0.1,
                                        unsigned seed = 1);

}  // namespace granomet::tools
