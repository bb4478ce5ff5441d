// Numbers of a file written with decimal commas, as a Spanish-language spreadsheet writes them.
#include "data/field_number.h"

#include <gtest/gtest.h>

namespace granomet {
namespace {

TEST(FieldNumber, ADecimalCommaBecomesAPoint) {
  const struct {
    const char* written;
    const char* read;
  } cases[] = {
      {"-6,4270", "-6.4270"},
      {"230,58", "230.58"},
      {"0", "0"},
      {"12,5%", "12.5%"},
      {" 3,5", " 3.5"},
      // Points that group thousands go.
      {"1.234,5", "1234.5"},
      {"1.234", "1234"},
      {"-12.345.678,25", "-12345678.25"},
      // Any other point is a decimal point, kept as text by the spreadsheet.
      {"2.08", "2.08"},
      {"0.500", "0.500"},
      {"1234.5", "1234.5"},
      {"1.23,4", "1.23,4"},
      {"abc", "abc"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(withDecimalPoint(c.written), c.read) << c.written;
  }
  EXPECT_EQ(fieldDouble(withDecimalPoint("1.234,5")), 1234.5);
}

}  // namespace
}  // namespace granomet
