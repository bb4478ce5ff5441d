#include "statistics/size_fractions.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace granomet {
namespace {

// Lower bounds of the Udden-Wentworth gravel grades (µm), in the order of WentworthGrade.
constexpr std::array<double, 5> kGradeFrom = {0, 2000, 4000, 64000, 256000};

// The grades the diameters from `finer` to `coarser` reach into.
void gradesOf(double finer, std::optional<double> coarser, GravelClass& gravel) {
  const double top = coarser.value_or(std::numeric_limits<double>::infinity());
  bool found = false;
  for (std::size_t g = 0; g < kGradeFrom.size(); ++g) {
    const double gradeTop =
        g + 1 < kGradeFrom.size() ? kGradeFrom[g + 1] : std::numeric_limits<double>::infinity();
    if (finer < gradeTop && top > kGradeFrom[g]) {
      const auto grade = static_cast<WentworthGrade>(g);
      gravel.coarsest = grade;
      if (!found) {
        gravel.finest = grade;
        found = true;
      }
    }
  }
}

std::optional<double> between(std::optional<double> finer, std::optional<double> coarser) {
  if (!finer || !coarser) {
    return std::nullopt;
  }
  return finiteValue(*finer - *coarser);
}

}  // namespace

SizeFractions sizeFractionsOf(const SizeDistribution& sample, const CumulativeCurve& curve) {
  SizeFractions fractions;
  const bool weighed = curve.gap() != CurveGap::NoWeight;

  for (int j = 1; j <= kGravelClasses; ++j) {
    GravelClass& gravel = fractions.gravel[static_cast<std::size_t>(j - 1)];
    if (j > 1) {
      gravel.band.coarserBound = sample.lowerDiameter[j - 1];
    }
    gravel.band.finerBound = sample.lowerDiameter[j];
    gradesOf(sample.lowerDiameter[j], gravel.band.coarserBound, gravel);
    if (weighed) {
      gravel.band.percent =
          finiteValue(curve.percentCoarser(j) - (j > 1 ? curve.percentCoarser(j - 1) : 0));
    }
  }

  // Nothing is counted twice: a limit above the gravel's end counts from there.
  const double gravelEnd = sample.lowerDiameter[kGravelClasses];
  double coarser = gravelEnd;
  std::optional<double> coarserShare;
  if (weighed) {
    coarserShare = curve.percentCoarser(kGravelClasses);
  }
  bool missing = false;
  for (std::size_t f = 0; f < kSizeFractions; ++f) {
    const double finer = std::min(kFractionFinerLimit[f], gravelEnd);
    SizeBand& band = fractions.sandAndSilt[f];
    band.coarserBound = coarser;
    band.finerBound = finer;
    const std::optional<double> finerShare = curve.percentCoarserAt(finer);
    if (!missing && !(sample.lowerDiameter[kSizeClasses] <= finer)) {
      missing = true;
      fractions.missingLimit = kFractionFinerLimit[f];
    }
    band.percent = missing ? std::nullopt : between(finerShare, coarserShare);
    coarser = finer;
    coarserShare = finerShare;
  }
  fractions.clay.coarserBound = coarser;
  if (!missing && coarserShare) {
    fractions.clay.percent = finiteValue(100 - *coarserShare);
  }
  return fractions;
}

}  // namespace granomet
