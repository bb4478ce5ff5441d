// Bare numbers and pattern numbers of the results file.
#include "results/number_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace granomet {
namespace {

TEST(NumberFormat, BareNumbersKeepTheirWidthsPrecisionWithAPoint) {
  for (const auto& [value, single, text] :
       {std::tuple{0.5, true, "0.5"},
        {2.5, true, "2.5"},
        {-3.75, true, "-3.75"},
        {100, true, "100"},
        {1.2345678e-05, true, "1.234568E-05"},
        {-6.4261, true, "-6.4261"},  // a float of -6.4261 shows as it was typed
        {0.1, true, "0.1"},
        {363.5546, true, "363.5546"},
        {12345678, true, "1.234568E+07"},
        {-0.0, true, "0"},
        {0.1, false, "0.1"},
        {1.0 / 3, false, "0.333333333333333"},
        {0.000123, false, "0.000123"},
        {0.0000123, false, "1.23E-05"},
        {-0.0, false, "0"}}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(single ? bareNumber(static_cast<float>(value)) : bareNumber(value), text);
  }
  EXPECT_EQ(bareNumber(std::int16_t{-254}), "-254");
}

TEST(NumberFormat, PatternNumbersRoundAsTheyReadAndUseTheRegionalMark) {
  for (const auto& [value, pattern, point] :
       {std::tuple{8000.0, kPatternThreeDecimals, "8000.000"},
        {0.5, kPatternThreeDecimals, "0.500"},
        {0, kPatternThreeDecimals, "0.000"},
        {0.0005, kPatternThreeDecimals, "0.001"},
        {12345.6789, kPatternThreeDecimals, "12345.679"},
        {5.5, kPatternTwoDecimals, "05.50"},
        {3.456, kPatternTwoDecimals, "03.46"},
        {100, kPatternTwoDecimals, "100.00"},
        {99.999, kPatternTwoDecimals, "100.00"},  // the carry reaches a third digit
        {2.675, kPatternTwoDecimals, "02.68"},    // just below 2.675 in binary
        {0.125, kPatternTwoDecimals, "00.13"},    // half away from zero
        {-3.75, kPatternTwoDecimals, "-03.75"},
        {-0.001, kPatternTwoDecimals, "00.00"},  // no minus on a zero
        {0, kPatternOneDecimal, "00.0"},
        {12.34, kPatternOneDecimal, "12.3"},
        {1.5049, kPatternOneDecimal, "01.5"},
        {1e-20, kPatternOneDecimal, "00.0"},
        {1e20, kPatternOneDecimal, "100000000000000000000.0"}}) {
    SCOPED_TRACE(point);
    EXPECT_EQ(patternNumber(value, pattern, '.'), point);
    std::string comma = point;
    comma[comma.find('.')] = ',';
    EXPECT_EQ(patternNumber(value, pattern, ','), comma);
  }
}

}  // namespace
}  // namespace granomet
