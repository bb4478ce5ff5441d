// Samples of a lot taken at one place grouped into stations, and those kept apart.
#include "statistics/sample_stations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "statistics/sample_position.h"

namespace granomet {
namespace {

// A sample so many metres north and east of a place, in its lot; none: no position.
struct Placed {
  double north = 0;
  double east = 0;
  std::string lot = "L1";
  bool placed = true;
};

struct StationCase {
  const char* what;
  double latitude;  // of the place the samples lie around
  std::vector<Placed> samples;
  std::vector<std::vector<int>> stations;
};

TEST(SampleStations, JoinsSamplesOfALotWithinTheToleranceOfAnyOfTheStation) {
  constexpr double kDegree = std::numbers::pi / 180;
  const Placed none{0, 0, "L1", false};
  const StationCase cases[] = {
      {"just within, north", 36.5, {{0, 0}, {9.9, 0}}, {{0, 1}}},
      {"just beyond, north", 36.5, {{0, 0}, {10.1, 0}}, {{0}, {1}}},
      {"just within, east at 60 N", 60, {{0, 0}, {0, 9.9}}, {{0, 1}}},
      {"just beyond, east at 60 N", 60, {{0, 0}, {0, 10.1}}, {{0}, {1}}},
      {"one place, two lots", 36.5, {{0, 0}, {0, 0, "L2"}, {0, 0}}, {{0, 2}, {1}}},
      {"a chain", 36.5, {{0, 0}, {8, 0}, {16, 0}, {24, 0}}, {{0, 1, 2, 3}}},
      {"a chain whose link comes last", 36.5, {{0, 0}, {0, 16}, {40, 0}, {0, 8}}, {{0, 1, 3}, {2}}},
      {"in the order of their first sample",
       36.5,
       {{500, 0}, none, {0, 0}, {500, 3}, {0, 4}},
       {{0, 3}, {2, 4}}},
      {"none placed", 36.5, {none, none}, {}},
  };
  for (const StationCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::optional<GeoPoint>> positions;
    std::vector<std::string> lots;
    for (const Placed& sample : c.samples) {
      const double latitude = c.latitude + sample.north / kMeanEarthRadiusMetres / kDegree;
      const double longitude =
          -6.3 + sample.east / (kMeanEarthRadiusMetres * std::cos(c.latitude * kDegree)) / kDegree;
      positions.push_back(sample.placed ? std::optional(GeoPoint{longitude, latitude})
                                        : std::nullopt);
      lots.push_back(sample.lot);
    }
    EXPECT_EQ(stationsOf(positions, lots, 10), c.stations);
  }
}

}  // namespace
}  // namespace granomet
