#include "compute/sample_computation.h"

#include "compute/fractions.h"
#include "compute/shepard.h"

namespace granomet {

ComputedSample computeSample(const SampleRecord& record, const LaserClasses& laser) {
  ClassScales scales;
  return computeSample(record, laser, scales);
}

ComputedSample computeSample(const SampleRecord& record, const LaserClasses& laser,
                             ClassScales& scales) {
  ComputedSample sample;
  // The weights are replaced by their net values on a copy: the lot keeps what was weighed.
  SampleRecord net = record;
  const SieveWeights weights = netSieveWeights(net);
  sample.diameters = combinedDiameters(laser);
  sample.distribution = combineDistribution(laser, net, weights);
  sample.classTable = classTableOf(sample.diameters, sample.distribution);

  // The moments need only the class table; the size percentages do not need them.
  const SampleMoments moments = sampleMoments(sample.classTable, scales);
  const SizePercentages shares = sizePercentages(sample.classTable);

  SampleResults& results = sample.results;
  results.gravelPercent = shares.gravel;
  results.sandPercent = shares.sand;
  results.siltPercent = shares.silt;
  results.clayPercent = shares.clay;
  results.shellPercent = weights.shellPercent;
  results.meanMicron = moments.micron.mean;
  results.sortingMicron = moments.micron.sorting;
  results.skewnessMicron = moments.micron.skewness;
  results.kurtosisMicron = moments.micron.kurtosis;
  results.meanPhi = moments.phi.mean;
  results.sortingPhi = moments.phi.sorting;
  results.skewnessPhi = moments.phi.skewness;
  results.kurtosisPhi = moments.phi.kurtosis;
  results.shepardCode =
      clase(results.gravelPercent, results.sandPercent, results.siltPercent, results.clayPercent);
  results.shepardName = shepardName(results.shepardCode);
  return sample;
}

}  // namespace granomet
