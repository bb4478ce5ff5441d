#include "statistics/size_measures.h"

#include <cmath>

namespace granomet {

SizeMeasures folkWardOf(const CumulativeCurve& curve) {
  const auto phi5 = curve.phiCoarser(5);
  const auto phi16 = curve.phiCoarser(16);
  const auto phi25 = curve.phiCoarser(25);
  const auto phi50 = curve.phiCoarser(50);
  const auto phi75 = curve.phiCoarser(75);
  const auto phi84 = curve.phiCoarser(84);
  const auto phi95 = curve.phiCoarser(95);

  SizeMeasures measures;
  if (phi16 && phi50 && phi84) {
    measures.mean = finiteValue((*phi16 + *phi50 + *phi84) / 3);
  }
  // The percentiles grow with the percentage on a curve that gives them, so the
  // spans below are zero only where class diameters lie a rounding apart.
  if (phi5 && phi16 && phi84 && phi95) {
    measures.sorting = finiteValue((*phi84 - *phi16) / 4 + (*phi95 - *phi5) / 6.6);
  }
  if (phi5 && phi16 && phi50 && phi84 && phi95) {
    measures.skewness = finiteValue((*phi16 + *phi84 - 2 * *phi50) / (2 * (*phi84 - *phi16)) +
                                    (*phi5 + *phi95 - 2 * *phi50) / (2 * (*phi95 - *phi5)));
  }
  if (phi5 && phi25 && phi75 && phi95) {
    measures.kurtosis = finiteValue((*phi95 - *phi5) / (2.44 * (*phi75 - *phi25)));
  }
  return measures;
}

SizeMeasures geometricOf(const SizeMeasures& phiMeasures) {
  SizeMeasures micron;
  if (phiMeasures.mean) {
    micron.mean = finiteValue(micronOf(*phiMeasures.mean));
  }
  if (phiMeasures.sorting) {
    micron.sorting = finiteValue(std::exp2(*phiMeasures.sorting));
  }
  if (phiMeasures.skewness) {
    micron.skewness = -*phiMeasures.skewness;
  }
  micron.kurtosis = phiMeasures.kurtosis;
  return micron;
}

}  // namespace granomet
