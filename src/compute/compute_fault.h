// The floating-point faults that stop a sample's computation, and the checked steps that raise
// them.
#pragma once

#include <stdexcept>
#include <string>

namespace granomet {

// Every step of a sample's arithmetic is checked, so that no infinity or NaN is
// ever stored or written; the first faulty step ends the sample.
class ComputeFault : public std::runtime_error {
 public:
  enum class Kind { Invalid, DivisionByZero, Overflow, NoClassBelow };

  // step: what was being computed, in Spanish, as the warning tells it;
  // reason: why, where the step knows it.
  ComputeFault(Kind kind, std::string step, std::string reason = {});

  Kind kind() const { return kind_; }
  const std::string& step() const { return step_; }
  // The cause in Spanish (UTF-8), for the warning that names the sample.
  std::string describe() const;

 private:
  Kind kind_;
  std::string step_;
  std::string reason_;
};

// NaN is an invalid operation, an infinity an overflow.
double checked(double value, const char* step);
float checked(float value, const char* step);

// A zero divisor is a division by zero (0/0 included); zeroDivisor says what it
// means for the sample.
double checkedDivide(double dividend, double divisor, const char* step,
                     const char* zeroDivisor = nullptr);
float checkedDivide(float dividend, float divisor, const char* step,
                    const char* zeroDivisor = nullptr);

// A 64-bit value beyond the 32-bit range is an overflow, not an infinity.
float narrowed(double value, const char* step);

}  // namespace granomet
