// Numbers of a file written with decimal commas, as a Spanish-language spreadsheet writes them.
#include "data/field_number.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace granomet {
namespace {

TEST(FieldNumber, ADecimalCommaBecomesAPoint) {
  for (const auto& [written, read] :
       {std::pair{"-6,4270", "-6.4270"},
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
        {"", ""}}) {
    EXPECT_EQ(withDecimalPoint(written), read) << written;
  }
  EXPECT_EQ(fieldDouble(withDecimalPoint("1.234,5")), 1234.5);
}

// The value, to the last bit, that from_chars reads, whatever the digits' count, the
// point's place and what follows them.
TEST(FieldNumber, ReadsEachDecimalAsFromCharsDoes) {
  std::vector<std::string> numbers({"9007199254740992", "9007199254740993", "90071992547409.93",
                                    "0.0000000000000000000001", "0.00000000000000000000001", "1e5",
                                    "2.5E-3", "12.5%", "0.1", "5.", "000123.4500", "3.14.15"});
  std::mt19937_64 random(20161306);
  for (int i = 0; i < 100000; ++i) {
    std::string number(1 + random() % 20, '0');
    for (char& c : number) {
      c = static_cast<char>('0' + random() % 10);
    }
    number.insert(random() % (number.size() + 1), random() % 8 != 0 ? "." : "");
    if (number.front() == '.') {
      number.insert(0, "0");
    }
    numbers.push_back(number);
  }
  for (const std::string& number : numbers) {
    double expected = 0;
    std::from_chars(number.data(), number.data() + number.size(), expected);
    const double read = fieldDouble(number);
    EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << number;
    const double negative = fieldDouble("-" + number);
    EXPECT_EQ(negative, -expected) << number;
  }
}

}  // namespace
}  // namespace granomet
