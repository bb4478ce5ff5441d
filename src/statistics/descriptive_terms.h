// The sedimentologist's words for a sample's Folk & Ward mean, sorting, skewness and kurtosis.
#pragma once

namespace granomet {

// Each term covers an interval closed at its lower end, in phi (the mean by whole
// phi units of the Udden-Wentworth scale, clay from 8 phi = 4 µm).
enum class MeanSizeTerm {
  Boulders,
  Cobbles,
  VeryCoarseGravel,
  CoarseGravel,
  MediumGravel,
  FineGravel,
  VeryFineGravel,
  VeryCoarseSand,
  CoarseSand,
  MediumSand,
  FineSand,
  VeryFineSand,
  VeryCoarseSilt,
  CoarseSilt,
  MediumSilt,
  FineSilt,
  Clay,
};

enum class SortingTerm {
  VeryWellSorted,
  WellSorted,
  ModeratelyWellSorted,
  ModeratelySorted,
  PoorlySorted,
  VeryPoorlySorted,
  ExtremelyPoorlySorted,
};

enum class SkewnessTerm {
  VeryCoarseSkewed,
  CoarseSkewed,
  Symmetrical,
  FineSkewed,
  VeryFineSkewed,
};

enum class KurtosisTerm {
  VeryPlatykurtic,
  Platykurtic,
  Mesokurtic,
  Leptokurtic,
  VeryLeptokurtic,
  ExtremelyLeptokurtic,
};

MeanSizeTerm meanSizeTermOf(double meanPhi);
SortingTerm sortingTermOf(double sortingPhi);
SkewnessTerm skewnessTermOf(double skewnessPhi);
KurtosisTerm kurtosisTermOf(double kurtosis);

}  // namespace granomet
