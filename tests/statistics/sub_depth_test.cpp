// The lab's "SProf(cm)": every form it writes read, anything else never guessed.
#include "statistics/sub_depth.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

namespace granomet {
namespace {

TEST(SubDepth, ReadsTheLabsFormsAndNothingElse) {
  using R = SubDepth::Reading;
  for (const auto& [written, reading, top, bottom] : {
           std::tuple<std::string_view, R, double, double>{"0-2", R::Read, 0, 2},
           {"0 - 2", R::Read, 0, 2},
           {" 2,5-5 ", R::Read, 2.5, 5},
           {"2.5-5", R::Read, 2.5, 5},
           {"10\x96"
            "12",
            R::Read, 10, 12},  // an en dash
           {"4-6cm", R::Read, 4, 6},
           {"4-6 CM", R::Read, 4, 6},
           {"10", R::Read, 10, 10},
           {"7,5 cm", R::Read, 7.5, 7.5},
           {"3-3", R::Read, 3, 3},
           {"superficial", R::Read, 0, 0},
           {"Superficial", R::Read, 0, 0},
           {"SUP.", R::Read, 0, 0},
           {"", R::Empty, 0, 0},
           {"   ", R::Empty, 0, 0},
           {"s/d", R::Unreadable, 0, 0},
           {"cm", R::Unreadable, 0, 0},
           {"5-2", R::Unreadable, 0, 0},  // the bottom above the top
           {"-5", R::Unreadable, 0, 0},
           {"-5-0", R::Unreadable, 0, 0},
           {"0-2-4", R::Unreadable, 0, 0},
           {"0-", R::Unreadable, 0, 0},
           {"2,5,0-5", R::Unreadable, 0, 0},
           {"1e1", R::Unreadable, 0, 0},
           {"0-2 m", R::Unreadable, 0, 0},
           {"sup", R::Unreadable, 0, 0},
           {"superficie", R::Unreadable, 0, 0},
           {".", R::Unreadable, 0, 0},
       }) {
    SCOPED_TRACE(::testing::Message() << '"' << written << '"');
    const SubDepth depth = subDepthOf(written);
    EXPECT_EQ(depth.reading, reading);
    if (reading == R::Read) {
      EXPECT_EQ(depth.topCm, top);
      EXPECT_EQ(depth.bottomCm, bottom);
    }
  }
}

}  // namespace
}  // namespace granomet
