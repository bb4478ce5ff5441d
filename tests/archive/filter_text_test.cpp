// The archive's filters as typed: each form the command line and the window take, and what is
// refused.
#include "archive/filter_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>
#include <tuple>

namespace granomet {
namespace {

TEST(FilterText, DepthRanges) {
  using O = std::optional<double>;
  for (const auto& [written, min, max] : {std::tuple<std::string_view, O, O>{"10:50", 10, 50},
                                          {" 2,5 : 7.5 ", 2.5, 7.5},
                                          {"50:", 50, std::nullopt},
                                          {":20", std::nullopt, 20},
                                          {":", std::nullopt, std::nullopt},
                                          {"-3:0", -3, 0},
                                          {"7:7", 7, 7}}) {
    SCOPED_TRACE(written);
    const auto range = depthRangeOf(written);
    ASSERT_TRUE(range.has_value());
    EXPECT_EQ(range->min, min);
    EXPECT_EQ(range->max, max);
  }
  for (const std::string_view refused :
       {"", "50", "10-50", "50:10", "a:b", "1:2:3", "1e3:", "+5:", "nan:", "10,5,1:"}) {
    SCOPED_TRACE(refused);
    EXPECT_FALSE(depthRangeOf(refused).has_value());
  }
}

TEST(FilterText, Zones) {
  for (const auto& [written, west, south, east, north] :
       {std::tuple<std::string_view, double, double, double, double>{"-6.5,36.3,-6.1,36.6", -6.5,
                                                                     36.3, -6.1, 36.6},
        {"-6.1, 36.6, -6.5, 36.3", -6.5, 36.3, -6.1, 36.6},
        {"-180,-90,180,90", -180, -90, 180, 90}}) {
    SCOPED_TRACE(written);
    const auto zone = zoneOf(written);
    ASSERT_TRUE(zone.has_value());
    EXPECT_EQ(zone->west, west);
    EXPECT_EQ(zone->south, south);
    EXPECT_EQ(zone->east, east);
    EXPECT_EQ(zone->north, north);
  }
  for (const std::string_view refused :
       {"", "-6.5,36.3,-6.1", "-6.5,36.3,-6.1,36.6,1", "-6.5;36.3;-6.1;36.6", "-181,36,-6,37",
        "-6,91,-5,36", "-6.5,36.3,-6.5,36.6", "x,36,-6,37"}) {
    SCOPED_TRACE(refused);
    EXPECT_FALSE(zoneOf(refused).has_value());
  }
}

TEST(FilterText, Dates) {
  for (const auto& [written, year, month, day] :
       {std::tuple<std::string_view, int, int, int>{"2016-06-06", 2016, 6, 6},
        {"06/06/2016", 2016, 6, 6},
        {"6/7/2016", 2016, 7, 6},
        {" 29/02/2016 ", 2016, 2, 29},
        {"2000-02-29", 2000, 2, 29},
        {"2016-12-31", 2016, 12, 31}}) {
    SCOPED_TRACE(written);
    const auto date = filterDateOf(written);
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(date->year, year);
    EXPECT_EQ(date->month, month);
    EXPECT_EQ(date->day, day);
  }
  for (const std::string_view refused :
       {"", "2016", "2016-6-6", "29/02/2017", "1900-02-29", "31/04/2016", "2016-13-01",
        "00/01/2016", "06/06/16", "06-06-2016", "2016/06/06", "hoy"}) {
    SCOPED_TRACE(refused);
    EXPECT_FALSE(filterDateOf(refused).has_value());
  }
}

}  // namespace
}  // namespace granomet
