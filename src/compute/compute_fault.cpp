#include "compute/compute_fault.h"

#include <cmath>
#include <utility>

namespace granomet {
namespace {

template <typename Real>
Real checkedValue(Real value, const char* step) {
  if (std::isnan(value)) {
    throw ComputeFault(ComputeFault::Kind::Invalid, step);
  }
  if (std::isinf(value)) {
    throw ComputeFault(ComputeFault::Kind::Overflow, step);
  }
  return value;
}

template <typename Real>
Real checkedQuotient(Real dividend, Real divisor, const char* step, const char* zeroDivisor) {
  if (divisor == 0) {
    throw ComputeFault(ComputeFault::Kind::DivisionByZero, step,
                       zeroDivisor == nullptr ? "" : zeroDivisor);
  }
  return checkedValue(dividend / divisor, step);
}

}  // namespace

ComputeFault::ComputeFault(Kind kind, std::string step, std::string reason)
    : std::runtime_error(step), kind_(kind), step_(std::move(step)), reason_(std::move(reason)) {}

std::string ComputeFault::describe() const {
  std::string text;
  switch (kind_) {
    case Kind::Invalid:
      text = "operación no válida al calcular " + step_;
      break;
    case Kind::DivisionByZero:
      text = "división por cero al calcular " + step_;
      break;
    case Kind::Overflow:
      text = "desbordamiento numérico al calcular " + step_;
      break;
    case Kind::NoClassBelow:
      text = step_;
      break;
  }
  return reason_.empty() ? text : text + ": " + reason_;
}

double checked(double value, const char* step) {
  return checkedValue(value, step);
}
float checked(float value, const char* step) {
  return checkedValue(value, step);
}

double checkedDivide(double dividend, double divisor, const char* step, const char* zeroDivisor) {
  return checkedQuotient(dividend, divisor, step, zeroDivisor);
}
float checkedDivide(float dividend, float divisor, const char* step, const char* zeroDivisor) {
  return checkedQuotient(dividend, divisor, step, zeroDivisor);
}

float narrowed(double value, const char* step) {
  checkedValue(value, step);
  return checkedValue(static_cast<float>(value), step);
}

}  // namespace granomet
