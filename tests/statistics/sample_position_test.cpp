// A sample's place from its results line, each field that gives none, and great-circle distances.
#include "statistics/sample_position.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>
#include <tuple>

namespace granomet {
namespace {

// 0 alone is a place (the meridian of Greenwich), 0 and 0 an empty cell.
TEST(SamplePosition, ReadsDegreesAndRefusesWhatIsNoPlace) {
  const std::optional<GeoPoint> none;
  for (const auto& [longitude, latitude, expected] : {
           std::tuple<std::string_view, std::string_view, std::optional<GeoPoint>>{
               "-6.427", "36.5752", GeoPoint{-6.427, 36.5752}},
           {"-6,427", " 36,5752 ", GeoPoint{-6.427, 36.5752}},
           {"0", "36.5", GeoPoint{0, 36.5}},
           {"-180", "-90", GeoPoint{-180, -90}},
           {"180", "90", GeoPoint{180, 90}},
           {"", "36.5", none},
           {"-6.4", "", none},
           {"-6.4", "N36", none},
           {"0", "0", none},
           {"0,0", "0.0", none},
           {"180.01", "36.5", none},
           {"-6.4", "-90.5", none},
           {"inf", "36.5", none},
           {"-6.4", "nan", none},
       }) {
    SCOPED_TRACE(::testing::Message() << '"' << longitude << "\" \"" << latitude << '"');
    const std::optional<GeoPoint> position = samplePosition(longitude, latitude);
    ASSERT_EQ(position.has_value(), expected.has_value());
    if (position) {
      EXPECT_EQ(position->longitude, expected->longitude);
      EXPECT_EQ(position->latitude, expected->latitude);
    }
  }
}

// Distances on the sphere of the mean radius, worked out apart from the program.
TEST(SamplePosition, MeasuresAlongTheGreatCircle) {
  for (const auto& [from, to, metres] : {
           std::tuple{GeoPoint{0, 0}, GeoPoint{0, 1}, 111195.0802},
           {GeoPoint{0, 60}, GeoPoint{1, 60}, 55597.0109},            // meridians close in
           {GeoPoint{179.9999, 0}, GeoPoint{-179.9999, 0}, 22.2390},  // across 180°
           {GeoPoint{-6.2375, 36.5296}, GeoPoint{-6.427, 36.5752}, 17670.0946},
           {GeoPoint{0, 0}, GeoPoint{180, 0}, 20015114.4420},
           {GeoPoint{5, 5}, GeoPoint{5, 5}, 0.0},
       }) {
    SCOPED_TRACE(::testing::Message() << metres);
    EXPECT_NEAR(distanceMetres(from, to), metres, 1e-3);
    EXPECT_NEAR(distanceMetres(to, from), metres, 1e-3);
  }
}

}  // namespace
}  // namespace granomet
