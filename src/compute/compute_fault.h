// The floating-point faults that stop a sample's computation, and the checked steps that raise
// them.
#pragma once

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

// NaN is an invalid operation, an infinity an overflow.
double checked(double value, ComputeStep step);
float checked(float value, ComputeStep step);

// A zero divisor is a division by zero (0/0 included); zeroDivisor says what it
// means for the sample.
double checkedDivide(double dividend, double divisor, ComputeStep step,
                     ComputeReason zeroDivisor = ComputeReason::None);
float checkedDivide(float dividend, float divisor, ComputeStep step,
                    ComputeReason zeroDivisor = ComputeReason::None);

// A 64-bit value beyond the 32-bit range is an overflow, not an infinity.
float narrowed(double value, ComputeStep step);

}  // namespace granomet
