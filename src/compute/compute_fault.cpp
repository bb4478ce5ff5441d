#include "compute/compute_fault.h"

#include <cmath>

namespace granomet {
namespace {

template <typename Real>
Real checkedValue(Real value, ComputeStep step) {
  if (std::isnan(value)) {
    throw ComputeFault(ComputeFault::Kind::Invalid, step);
  }
  if (std::isinf(value)) {
    throw ComputeFault(ComputeFault::Kind::Overflow, step);
  }
  return value;
}

template <typename Real>
Real checkedQuotient(Real dividend, Real divisor, ComputeStep step, ComputeReason zeroDivisor) {
  if (divisor == 0) {
    throw ComputeFault(ComputeFault::Kind::DivisionByZero, step, zeroDivisor);
  }
  return checkedValue(dividend / divisor, step);
}

}  // namespace

ComputeFault::ComputeFault(Kind kind, ComputeStep step, ComputeReason reason)
    : std::runtime_error("a step of the sample's computation failed"),
      kind_(kind),
      step_(step),
      reason_(reason) {}

double checked(double value, ComputeStep step) {
  return checkedValue(value, step);
}
float checked(float value, ComputeStep step) {
  return checkedValue(value, step);
}

double checkedDivide(double dividend, double divisor, ComputeStep step, ComputeReason zeroDivisor) {
  return checkedQuotient(dividend, divisor, step, zeroDivisor);
}
float checkedDivide(float dividend, float divisor, ComputeStep step, ComputeReason zeroDivisor) {
  return checkedQuotient(dividend, divisor, step, zeroDivisor);
}

float narrowed(double value, ComputeStep step) {
  checkedValue(value, step);
  return checkedValue(static_cast<float>(value), step);
}

}  // namespace granomet
