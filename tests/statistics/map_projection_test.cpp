// The sample map's geometry: where a place is drawn, the graticule's round steps and labels, and
// the scale bar's length.
#include "statistics/map_projection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace granomet {
namespace {

constexpr double kMetresPerDegree = 6371008.8 * std::numbers::pi / 180;

double cosineOf(double latitude) {
  return std::cos(latitude * std::numbers::pi / 180);
}

struct Fit {
  std::vector<GeoPoint> places;
  double width, height, margin;
};

// A 1° × 1° lot at 36.5°N: 100 units a degree of latitude, a degree of longitude
// shorter by the cosine, the middle at the area's centre.
TEST(MapProjection, PlacesLandWhereTheirCoordinatesSay) {
  const double c = cosineOf(36.5) * 100;
  struct Case {
    Fit fit;
    GeoPoint place;
    PlanePoint expected;
  };
  const Fit square{{{-7, 36}, {-6, 37}}, 100, 100, 0};
  const Fit wide{{{-7, 36}, {-6, 37}}, 200, 100, 0};
  const Fit framed{{{-6, 37}, {-7, 36}}, 120, 120, 10};
  const Fit equator{{{0, 0}, {4, 0}}, 400, 100, 0};
  for (const auto& [fit, place, expected] : std::vector<Case>{
           {square, {-6.5, 36.5}, {50, 50}},
           {square, {-6.5, 37}, {50, 0}},
           {square, {-6.5, 36}, {50, 100}},
           {square, {-7, 36.5}, {50 - c / 2, 50}},
           {square, {-6, 36}, {50 + c / 2, 100}},
           {wide, {-7, 37}, {100 - c / 2, 0}},
           {wide, {-6, 36}, {100 + c / 2, 100}},
           {framed, {-7, 37}, {60 - c / 2, 10}},
           {framed, {-6, 36}, {60 + c / 2, 110}},
           {equator, {0, 0}, {0, 50}},
           {equator, {4, 0}, {400, 50}},
           {equator, {2, 0.25}, {200, 25}},
       }) {
    SCOPED_TRACE(testing::Message() << fit.width << "x" << fit.height << " at " << place.longitude
                                    << " " << place.latitude);
    const MapProjection projection =
        MapProjection::fitted(fit.places, fit.width, fit.height, fit.margin);
    const PlanePoint point = projection.planeOf(place);
    EXPECT_NEAR(point.x, expected.x, 1e-9);
    EXPECT_NEAR(point.y, expected.y, 1e-9);
    const GeoPoint back = projection.placeOf(point);
    EXPECT_NEAR(back.longitude, place.longitude, 1e-12);
    EXPECT_NEAR(back.latitude, place.latitude, 1e-12);
  }
}

// Distances are true at the centre, east as north; a single place is shown in a
// kilometre of its surroundings, the longer way wider.
TEST(MapProjection, DistancesAreTrueAtTheCentre) {
  for (const double latitude : {0.0, 36.5, -43.0, 70.0}) {
    SCOPED_TRACE(latitude);
    const GeoPoint place{-6.3, latitude};
    const MapProjection projection = MapProjection::fitted({place, place}, 300, 200, 0);
    const double perMetre = projection.unitsPerMetre();
    EXPECT_NEAR(200 / perMetre, MapProjection::kLeastExtentMetres, 1e-6);
    EXPECT_NEAR(300 / perMetre, 1.5 * MapProjection::kLeastExtentMetres, 1e-6);
    const double east = 400 / (kMetresPerDegree * cosineOf(latitude));
    const double north = 300 / kMetresPerDegree;
    const PlanePoint at = projection.planeOf({place.longitude + east, place.latitude + north});
    EXPECT_NEAR(at.x, 150 + 400 * perMetre, 1e-6);
    EXPECT_NEAR(at.y, 100 - 300 * perMetre, 1e-6);
  }
}

TEST(MapProjection, TheGraticuleTakesRoundStepsInsideTheView) {
  const std::vector<double> steps{1, 2, 5, 10, 15, 20, 30, 60, 120, 300, 600, 900, 1800};
  const HemisphereLetters letters{"N", "S", "E", "O"};
  for (const Fit& fit : std::vector<Fit>{
           {{{-6.42, 36.5}}, 400, 300, 0},                 // one place: a kilometre
           {{{-6.9, 36.4}, {-6.2, 36.9}}, 1000, 700, 40},  // a gulf
           {{{-9.5, 36}, {3.3, 43.8}}, 500, 500, 0},       // a country
           {{{-60, -40}, {60, 60}}, 800, 400, 0},          // an ocean
           {{{0.0004, -0.0003}}, 300, 300, 0},             // on both zero lines
       }) {
    const MapProjection projection = MapProjection::fitted(fit.places, fit.width, fit.height, 0);
    const Graticule graticule = graticuleOf(projection, letters);
    const auto check = [&steps](const std::vector<GraticuleLine>& lines, double step, double from,
                                double to) {
      SCOPED_TRACE(testing::Message() << from << " to " << to << ", step " << step);
      const double minutes = step * 60;
      ASSERT_NE(std::find_if(steps.begin(), steps.end(),
                             [minutes](double s) { return std::abs(s - minutes) < 1e-9; }),
                steps.end());
      EXPECT_LE(lines.size(), 7U);
      // The smallest step that does: half of it (or the step before) would draw more.
      const auto smaller = std::find_if(
          steps.begin(), steps.end(), [minutes](double s) { return std::abs(s - minutes) < 1e-9; });
      if (smaller != steps.begin()) {
        const double finer = *(smaller - 1) / 60;
        EXPECT_GT(std::floor(to / finer) - std::ceil(from / finer) + 1, 7);
      }
      for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_GE(lines[i].degrees, from - 1e-9);
        EXPECT_LE(lines[i].degrees, to + 1e-9);
        EXPECT_NEAR(lines[i].degrees / step, std::round(lines[i].degrees / step), 1e-9);
        if (i > 0) {
          EXPECT_NEAR(lines[i].degrees - lines[i - 1].degrees, step, 1e-9);
        }
      }
      // No round value inside the view is missed at either end.
      ASSERT_FALSE(lines.empty());
      EXPECT_LT(lines.front().degrees - step, from);
      EXPECT_GT(lines.back().degrees + step, to);
    };
    check(graticule.meridians, graticule.meridianStep, projection.west(), projection.east());
    check(graticule.parallels, graticule.parallelStep, projection.south(), projection.north());
  }
}

TEST(MapProjection, DegreesAreLabelledInDegreesAndMinutes) {
  for (const auto& [degrees, label] : std::vector<std::pair<double, std::string>>{
           {36.5,
            "36\xB0"
            "30'N"},
           {-6.4166666667,
            "6\xB0"
            "25'O"},
           {37, "37\xB0N"},
           {-0.5,
            "0\xB0"
            "30'O"},
           {0, "0\xB0"},
           {10.99999999, "11\xB0N"},
           {-179.0 - 59.0 / 60,
            "179\xB0"
            "59'O"},
       }) {
    EXPECT_EQ(degreesLabel(degrees, "N", "O"), label) << degrees;
  }
}

TEST(MapProjection, TheScaleBarIsARoundLengthNoLongerThanAllowed) {
  struct Case {
    double unitsPerMetre, longest;
    char mark;
    double metres;
    std::string label;
  };
  for (const auto& [perMetre, longest, mark, metres, label] : std::vector<Case>{
           {0.01, 250, ',', 20000, "20 km"},
           {1, 450, ',', 200, "200 m"},
           {1, 500, ',', 500, "500 m"},
           {0.001, 120, '.', 100000, "100 km"},
           {0.5, 2500, ',', 5000, "5 km"},
           {0.1, 99.9, ',', 500, "500 m"},
           {0.1, 100, ',', 1000, "1 km"},
           {100, 30, ',', 0.2, "0,2 m"},
           {100, 30, '.', 0.2, "0.2 m"},
       }) {
    SCOPED_TRACE(testing::Message() << perMetre << " " << longest);
    const ScaleBar bar = scaleBarOf(perMetre, longest, mark, "m", "km");
    EXPECT_DOUBLE_EQ(bar.metres, metres);
    EXPECT_DOUBLE_EQ(bar.length, metres * perMetre);
    EXPECT_LE(bar.length, longest * (1 + 1e-12));
    EXPECT_EQ(bar.label, label);
  }
}

}  // namespace
}  // namespace granomet
