// The results file's two number forms: bare numbers and numbers shaped by a pattern.
#pragma once

#include <cstdint>
#include <string>

#include "data/local_date_time.h"

namespace granomet {

// Bare numbers always use a point. Floating-point values keep the precision of
// their width (7 significant digits for 32 bits, 15 for 64) with trailing zeros
// dropped, and take an exponent only where C's %G would (1.234568E-05). A
// negative zero is written 0.
std::string bareNumber(float value);
std::string bareNumber(double value);
std::string bareNumber(std::int16_t value);

// "0" digits always written, "#" only when significant: "###0.000" is at least
// one integer digit and three decimals, "#00.00" two and two, "#00.0" two and one.
struct NumberPattern {
  int integerDigits;
  int decimals;
};
inline constexpr NumberPattern kPatternThreeDecimals{1, 3};  // "###0.000"
inline constexpr NumberPattern kPatternTwoDecimals{2, 2};    // "#00.00"
inline constexpr NumberPattern kPatternOneDecimal{2, 1};     // "#00.0"

// Rounded half away from zero on the value's decimal form (15 significant digits
// for 64 bits, 7 for 32), so 2.675 gives 2.68 as it reads; the integer part is
// never cut; a minus sign only on a value that does not round to zero.
std::string patternNumber(double value, NumberPattern pattern, char decimalMark);
std::string patternNumber(float value, NumberPattern pattern, char decimalMark);
// The same, written at the end of a line being built.
void appendPatternNumber(std::string& line, double value, NumberPattern pattern, char decimalMark);

// dd/mm/yyyy, the form the lab's database reads, whatever the locale.
std::string shortDate(const LocalDateTime& time);

}  // namespace granomet
