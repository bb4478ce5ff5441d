#include "statistics/sample_statistics.h"

#include <array>
#include <cmath>

namespace granomet {
namespace {

// Every percentile a sample's figures read from its curve (percent coarser).
constexpr std::array<int, 9> kPercentilesRead = {5, 10, 16, 25, 50, 75, 84, 90, 95};

// The midpoint of the heaviest class, the coarsest of equal ones: the geometric
// mean of its bounds. The coarsest class has no upper bound, and so no midpoint.
std::optional<double> modeOf(const SizeDistribution& classes,
                             std::vector<QualityWarning>& warnings) {
  int heaviest = 1;
  for (int j = 2; j <= kSizeClasses; ++j) {
    if (classes.weight[j] > classes.weight[heaviest]) {
      heaviest = j;
    }
  }
  if (heaviest == 1) {
    warnings.push_back({QualityWarning::Kind::ModeUnbounded, 1, 0, {}});
    return std::nullopt;
  }
  return finiteValue(
      std::sqrt(classes.lowerDiameter[heaviest] * classes.lowerDiameter[heaviest - 1]));
}

std::optional<double> ratio(std::optional<double> a, std::optional<double> b) {
  if (!a || !b) {
    return std::nullopt;
  }
  return finiteValue(*a / *b);
}

std::optional<double> difference(std::optional<double> a, std::optional<double> b) {
  if (!a || !b) {
    return std::nullopt;
  }
  return finiteValue(*a - *b);
}

template <typename Term>
std::optional<Term> termOf(std::optional<double> value, Term (*classify)(double)) {
  if (!value) {
    return std::nullopt;
  }
  return classify(*value);
}

void curveWarnings(const CumulativeCurve& curve, std::vector<QualityWarning>& warnings) {
  switch (curve.gap()) {
    case CurveGap::NoWeight:
      warnings.push_back({QualityWarning::Kind::NoWeight, 0, 0, {}});
      return;
    case CurveGap::NotMonotonic:
      warnings.push_back({QualityWarning::Kind::NotMonotonic, 0, 0, {}});
      return;
    case CurveGap::None:
    case CurveGap::NotReached:
      break;
  }
  QualityWarning missing{QualityWarning::Kind::PercentileMissing, 0, curve.percentCoarser(1), {}};
  for (int percent : kPercentilesRead) {
    if (curve.gapAt(percent) == CurveGap::NotReached) {
      missing.percentiles.push_back(percent);
    }
  }
  if (!missing.percentiles.empty()) {
    warnings.push_back(missing);
  }
}

// Classes 1 to 3 take only sieve gravel; class 4 takes the laser's coarsest
// classes and the finest sieve fraction, which a results file cannot tell apart.
// Gravel with nothing in 1 to 3 may so be the laser's alone: a few coarse grains,
// or a tail of its curve, that make a sand "slightly gravelly".
bool laserOnlyGravel(const ResultsSample& sample) {
  for (int j = 1; j < kGravelClasses; ++j) {
    if (sample.classes.weight[j] != 0) {
      return false;
    }
  }
  return holdsGravel(sample.gravelPercent);
}

}  // namespace

SampleStatistics statisticsOf(const ResultsSample& sample) {
  SampleStatistics statistics;
  std::vector<QualityWarning>& warnings = statistics.warnings;

  double sum = 0;
  for (int j = 1; j <= kSizeClasses; ++j) {
    sum += sample.classes.weight[j];
    if (sample.classes.weight[j] < 0) {
      warnings.push_back({QualityWarning::Kind::NegativeWeight, j, sample.classes.weight[j], {}});
    }
  }
  if (!(std::fabs(sum - 100) <= kClassSumTolerance)) {
    warnings.push_back({QualityWarning::Kind::ClassSum, 0, sum, {}});
  }

  statistics.geometricMoments =
      geometricOf({sample.meanPhi, sample.sortingPhi, sample.skewnessPhi, sample.kurtosisPhi});

  const CumulativeCurve curve(sample.classes);
  curveWarnings(curve, warnings);
  statistics.folkWardPhi = folkWardOf(curve);
  statistics.folkWardMicron = geometricOf(statistics.folkWardPhi);
  statistics.meanSizeTerm = termOf(statistics.folkWardPhi.mean, meanSizeTermOf);
  statistics.sortingTerm = termOf(statistics.folkWardPhi.sorting, sortingTermOf);
  statistics.skewnessTerm = termOf(statistics.folkWardPhi.skewness, skewnessTermOf);
  statistics.kurtosisTerm = termOf(statistics.folkWardPhi.kurtosis, kurtosisTermOf);

  if (curve.total() > 0) {
    statistics.modeMicron = modeOf(sample.classes, warnings);
  }
  statistics.d10 = diameterFiner(curve, 10);
  statistics.d25 = diameterFiner(curve, 25);
  statistics.d50 = diameterFiner(curve, 50);
  statistics.d75 = diameterFiner(curve, 75);
  statistics.d90 = diameterFiner(curve, 90);
  statistics.d90OverD10 = ratio(statistics.d90, statistics.d10);
  statistics.d90MinusD10 = difference(statistics.d90, statistics.d10);
  statistics.d75OverD25 = ratio(statistics.d75, statistics.d25);
  statistics.d75MinusD25 = difference(statistics.d75, statistics.d25);

  if (curve.gap() != CurveGap::NoWeight) {
    statistics.modes = modesOf(sample.classes);
  }
  statistics.fractions = sizeFractionsOf(sample.classes, curve);
  if (statistics.fractions.missingLimit) {
    warnings.push_back(
        {QualityWarning::Kind::FractionsMissing, 0, *statistics.fractions.missingLimit, {}});
  }
  statistics.folkGroup =
      folkGroupOf(sample.gravelPercent, sample.sandPercent, sample.siltPercent, sample.clayPercent);
  if (!statistics.folkGroup) {
    warnings.push_back({QualityWarning::Kind::NoFolkGroup, 0, 0, {}});
  }
  statistics.sedimentName =
      sedimentNameOf(statistics.folkGroup, statistics.meanSizeTerm, statistics.sortingTerm);
  if (laserOnlyGravel(sample)) {
    warnings.push_back({QualityWarning::Kind::LaserOnlyGravel, 0, sample.gravelPercent, {}});
  }
  return statistics;
}

}  // namespace granomet
