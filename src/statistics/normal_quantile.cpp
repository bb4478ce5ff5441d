#include "statistics/normal_quantile.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace granomet {
namespace {

// P. J. Acklam's rational approximations (2003), relative error below 1.15e-9: one
// for the central region, one for both tails.
constexpr double kA[] = {-3.969683028665376e+01, 2.209460984245205e+02,  -2.759285104469687e+02,
                         1.383577518672690e+02,  -3.066479806614716e+01, 2.506628277459239e+00};
constexpr double kB[] = {-5.447609879822406e+01, 1.615858368580409e+02, -1.556989798598866e+02,
                         6.680131188771972e+01, -1.328068155288572e+01};
constexpr double kC[] = {-7.784894002430293e-03, -3.223964580411365e-01, -2.400758277161838e+00,
                         -2.549732539343734e+00, 4.374664141464968e+00,  2.938163982698783e+00};
constexpr double kD[] = {7.784695709041462e-03, 3.224671290700398e-01, 2.445134137142996e+00,
                         3.754408661907416e+00};
constexpr double kLowTail = 0.02425;

// The lower tail: p below kLowTail, z negative.
double lowerTail(double p) {
  const double q = std::sqrt(-2 * std::log(p));
  return (((((kC[0] * q + kC[1]) * q + kC[2]) * q + kC[3]) * q + kC[4]) * q + kC[5]) /
         ((((kD[0] * q + kD[1]) * q + kD[2]) * q + kD[3]) * q + 1);
}

}  // namespace

double normalQuantile(double p) {
  if (!(p >= 0 && p <= 1)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  if (p == 0) {
    return -std::numeric_limits<double>::infinity();
  }
  if (p == 1) {
    return std::numeric_limits<double>::infinity();
  }
  double z = 0;
  if (p < kLowTail) {
    z = lowerTail(p);
  } else if (p > 1 - kLowTail) {
    z = -lowerTail(1 - p);
  } else {
    const double q = p - 0.5;
    const double r = q * q;
    z = (((((kA[0] * r + kA[1]) * r + kA[2]) * r + kA[3]) * r + kA[4]) * r + kA[5]) * q /
        (((((kB[0] * r + kB[1]) * r + kB[2]) * r + kB[3]) * r + kB[4]) * r + 1);
  }
  // One step of Halley's method on the normal distribution (through erfc, exact to
  // the last digits) takes the approximation to full double precision, as Acklam
  // proposes.
  const double error = 0.5 * std::erfc(-z / std::numbers::sqrt2) - p;
  const double u = error * std::sqrt(2 * std::numbers::pi) * std::exp(z * z / 2);
  return z - u / (1 + z * u / 2);
}

}  // namespace granomet
