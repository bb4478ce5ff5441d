// The lab's "SProf(cm)": every form it writes read, anything else never guessed.
#include "statistics/sub_depth.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

namespace granomet {
namespace {

using R = SubDepth::Reading;

// "\x96": an en dash.
TEST(SubDepth, ReadsTheLabsForms) {
  for (const auto& [written, top, bottom] :
       {std::tuple<std::string_view, double, double>{"0-2", 0, 2},
        {"0 - 2", 0, 2},
        {" 2,5-5 ", 2.5, 5},
        {"2.5-5", 2.5, 5},
        {"10\x96"
         "12",
         10, 12},
        {"4-6cm", 4, 6},
        {"4-6 CM", 4, 6},
        {"10", 10, 10},
        {"7,5 cm", 7.5, 7.5},
        {"3-3", 3, 3},
        {"superficial", 0, 0},
        {"Superficial", 0, 0},
        {"SUP.", 0, 0}}) {
    SCOPED_TRACE(::testing::Message() << '"' << written << '"');
    const SubDepth depth = subDepthOf(written);
    EXPECT_EQ(depth.reading, R::Read);
    EXPECT_EQ(depth.topCm, top);
    EXPECT_EQ(depth.bottomCm, bottom);
  }
}

// Nothing written is no level and no problem; what cannot be read (words, a sign,
// a bottom above its top, three figures, an exponent) is told apart from it.
TEST(SubDepth, NeverGuesses) {
  for (const std::string_view written : {"", "   "}) {
    EXPECT_EQ(subDepthOf(written).reading, R::Empty) << '"' << written << '"';
  }
  for (const std::string_view written : {"s/d", "cm", "5-2", "-5", "-5-0", "0-2-4", "0-", "2,5,0-5",
                                         "1e1", "0-2 m", "sup", "superficie", "."}) {
    EXPECT_EQ(subDepthOf(written).reading, R::Unreadable) << '"' << written << '"';
  }
}

}  // namespace
}  // namespace granomet
