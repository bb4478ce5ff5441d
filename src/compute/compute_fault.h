// The floating-point faults that stop a sample's computation, and the checked steps that raise
// them.
#pragma once

#include <cmath>
#include <stdexcept>

namespace granomet {

// What was being computed; the message catalogue words it for the user.
enum class ComputeStep {
  NetGravel,
  GravelWeight,
  NetWeight,
  LaserWeight,
  ShellPercent,
  LaserFraction,
  ScaledLaserClasses,
  GravelClasses,
  ClassWeight,
  CumulativeCurve,
  CumulativeAtLimit,
  SandPercent,
  SiltPercent,
  ClayPercent,
  Millimetres,
  PhiUnits,
  ClassMidpoint,
  Mean,
  CentralMoments,
  Sorting,
  Skewness,
  Kurtosis,
  GravelAndSand,
  SandLimit,  // reading the curve at 63 µm
  SiltLimit,  // reading the curve at 4 µm
};

// Why the step failed, where the step knows what it means for the sample.
enum class ComputeReason {
  None,
  NoNetWeight,
  EqualNeighbourDiameters,
  ZeroDiameter,
  NegativeDiameter,
  NegativeSumOfSquares,
  NoSorting,
};

// Every step of a sample's arithmetic is checked, so that no infinity or NaN is
// ever stored or written; the first faulty step ends the sample.
class ComputeFault : public std::runtime_error {
 public:
  enum class Kind { Invalid, DivisionByZero, Overflow, NoClassBelow };

  ComputeFault(Kind kind, ComputeStep step, ComputeReason reason = ComputeReason::None);

  Kind kind() const { return kind_; }
  ComputeStep step() const { return step_; }
  ComputeReason reason() const { return reason_; }

 private:
  Kind kind_;
  ComputeStep step_;
  ComputeReason reason_;
};

// Thrown out of line: the checks below sit in every step of the arithmetic.
[[noreturn, gnu::cold]] void computeFault(ComputeFault::Kind kind, ComputeStep step,
                                          ComputeReason reason = ComputeReason::None);

// NaN is an invalid operation, an infinity an overflow.
template <typename Real>
inline Real checked(Real value, ComputeStep step) {
  // One test on the common path; which fault it is is worked out only on a fault.
  if (!std::isfinite(value)) [[unlikely]] {
    computeFault(std::isnan(value) ? ComputeFault::Kind::Invalid : ComputeFault::Kind::Overflow,
                 step);
  }
  return value;
}

// A zero divisor is a division by zero (0/0 included); zeroDivisor says what it
// means for the sample.
template <typename Real>
inline Real checkedDivide(Real dividend, Real divisor, ComputeStep step,
                          ComputeReason zeroDivisor = ComputeReason::None) {
  if (divisor == 0) [[unlikely]] {
    computeFault(ComputeFault::Kind::DivisionByZero, step, zeroDivisor);
  }
  return checked(dividend / divisor, step);
}

// A 64-bit value beyond the 32-bit range is an overflow, not an infinity.
inline float narrowed(double value, ComputeStep step) {
  checked(value, step);
  return checked(static_cast<float>(value), step);
}

}  // namespace granomet
