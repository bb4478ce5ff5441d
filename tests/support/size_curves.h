// Size distributions on the lab's own 68 classes, built from populations normal in phi.
#pragma once

#include <cmath>

#include "statistics/results_reader.h"
#include "support/test_data.h"

namespace granomet::testing {

// The lab's class diameters, as its results files give them, with no weight.
inline SizeDistribution labClasses() {
  SizeDistribution classes =
      readResultsFile(batchExpected("plain_point.csv")).lines.at(0).sample.classes;
  classes.weight = {};
  return classes;
}

// Adds `percent` of a population normal in phi to the classes, each class taking
// what lies between its lower bound and the next coarser one (the first, all above).
inline void addPopulation(SizeDistribution& sample, double percent, double mean, double deviation) {
  double coarser = 0;
  for (int j = 1; j <= kSizeClasses; ++j) {
    const double phi = phiOf(sample.lowerDiameter[j]);
    const double below = 0.5 * std::erfc(-(phi - mean) / (deviation * std::sqrt(2.0)));
    sample.weight[j] += percent * (below - coarser);
    coarser = below;
  }
}

}  // namespace granomet::testing
