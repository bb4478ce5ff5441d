// A place on the Earth in WGS 84 degrees, and a line or ring of places: what a map draws.
#pragma once

#include <vector>

namespace granomet {

struct GeoPoint {
  double longitude = 0;  // degrees east, -180 to 180
  double latitude = 0;   // degrees north, -90 to 90
};

// A line of a background layer, or a polygon's ring (closed: its last point joins its first).
struct GeoPath {
  std::vector<GeoPoint> points;
  bool closed = false;
};

}  // namespace granomet
