// The sedimentologist's words for a sample's Folk & Ward mean, sorting, skewness and kurtosis.
#pragma once

#include <array>
#include <limits>

namespace granomet {

inline constexpr double kAnyValue = -std::numeric_limits<double>::infinity();

// Each term's lower limit, in the order of the terms; the bivariate plots shade the
// same bands the words are given by.
inline constexpr std::array<double, 17> kMeanSizeLimits = {kAnyValue, -8, -6, -5, -4, -3, -2, -1, 0,
                                                           1,         2,  3,  4,  5,  6,  7,  8};
inline constexpr std::array<double, 7> kSortingLimits = {kAnyValue, 0.35, 0.50, 0.70,
                                                         1.00,      2.00, 4.00};
// Folk & Ward's skewness lies between -1 and 1.
inline constexpr std::array<double, 5> kSkewnessLimits = {kAnyValue, -0.3, -0.1, 0.1, 0.3};
inline constexpr std::array<double, 6> kKurtosisLimits = {kAnyValue, 0.67, 0.90, 1.11, 1.50, 3.00};

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
