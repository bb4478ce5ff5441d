// Everything a report says about one sample beyond what its results line holds.
#pragma once

#include <optional>
#include <vector>

#include "statistics/descriptive_terms.h"
#include "statistics/folk_group.h"
#include "statistics/modes.h"
#include "statistics/sediment_name.h"
#include "statistics/size_distribution.h"
#include "statistics/size_fractions.h"
#include "statistics/size_measures.h"

namespace granomet {

// What a results line gives for one sample.
struct ResultsSample {
  SizeDistribution classes;
  // Percent of the shell-free sample, as the line has them.
  double gravelPercent = 0;
  double sandPercent = 0;
  double siltPercent = 0;
  double clayPercent = 0;
  // The lab's moments in phi (the mean and sorting in phi, skewness, kurtosis).
  double meanPhi = 0;
  double sortingPhi = 0;
  double skewnessPhi = 0;
  double kurtosisPhi = 0;
};

// Something in a sample that a reader of its figures must know.
struct QualityWarning {
  enum class Kind {
    NegativeWeight,     // classIndex weighs less than nothing
    ClassSum,           // the classes add up to `value`, not 100 ± 0.5
    NoWeight,           // the classes weigh nothing: no percentile, no mode
    NotMonotonic,       // no percentile from a curve that falls
    PercentileMissing,  // the curve starts at `value` %, above `percentiles`
    ModeUnbounded,      // the heaviest class, classIndex, is the coarsest
    FractionsMissing,   // no class below the limit `value` µm
    NoFolkGroup,        // a size percentage lies outside 0 to 100
    LaserOnlyGravel,    // the gravel, `value` %, is all in class 4, none in the sieve classes
  };
  Kind kind;
  int classIndex = 0;
  double value = 0;
  std::vector<int> percentiles;
};

inline constexpr double kClassSumTolerance = 0.5;  // percent

struct SampleStatistics {
  SizeMeasures geometricMoments;  // µm, from the lab's phi moments
  SizeMeasures folkWardPhi;
  SizeMeasures folkWardMicron;
  std::optional<MeanSizeTerm> meanSizeTerm;
  std::optional<SortingTerm> sortingTerm;
  std::optional<SkewnessTerm> skewnessTerm;
  std::optional<KurtosisTerm> kurtosisTerm;
  std::optional<double> modeMicron;  // the heaviest class's
  std::optional<Modes> modes;        // the peaks of the density per phi
  // x % of the sample finer, µm.
  std::optional<double> d10, d25, d50, d75, d90;
  std::optional<double> d90OverD10, d90MinusD10, d75OverD25, d75MinusD25;
  SizeFractions fractions;
  std::optional<FolkGroup> folkGroup;
  std::optional<SedimentName> sedimentName;
  std::vector<QualityWarning> warnings;
};

SampleStatistics statisticsOf(const ResultsSample& sample);

}  // namespace granomet
