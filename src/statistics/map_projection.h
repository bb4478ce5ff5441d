// The sample map's geometry: an equirectangular view fitted to the samples, its graticule and
// its scale bar.
#pragma once

#include <string>
#include <vector>

#include "statistics/geo_point.h"

namespace granomet {

// A point of the map's plane: x to the right, y downwards, in the drawing's units from the
// top left corner of the area the view was fitted in.
struct PlanePoint {
  double x = 0;
  double y = 0;
};

// Longitude scaled by the cosine of the central latitude, so that distances are true at the
// centre and a small area keeps its shape (the lab's lots span a few kilometres to a few
// hundred, where the error of this scaling is below what a printed map shows).
class MapProjection {
 public:
  // The smallest extent the view shows: a single station or stations all at one place
  // are drawn in this much of their surroundings.
  static constexpr double kLeastExtentMetres = 1000;

  // Fitted to the places in a width × height area with `margin` units left free on
  // every side, keeping the shape; the places' middle at the area's centre.
  static MapProjection fitted(const std::vector<GeoPoint>& places, double width, double height,
                              double margin);

  PlanePoint planeOf(GeoPoint place) const;
  GeoPoint placeOf(PlanePoint point) const;
  // Drawing units a metre takes, true at the central latitude.
  double unitsPerMetre() const;
  double width() const { return width_; }
  double height() const { return height_; }
  // The places at the area's edges.
  double west() const { return placeOf({0, 0}).longitude; }
  double east() const { return placeOf({width_, 0}).longitude; }
  double north() const { return placeOf({0, 0}).latitude; }
  double south() const { return placeOf({0, height_}).latitude; }

 private:
  GeoPoint centre_;
  double cosine_ = 1;
  double unitsPerDegree_ = 1;
  double width_ = 0;
  double height_ = 0;
};

// The hemisphere letters the graticule is labelled with (the program's 8-bit text).
struct HemisphereLetters {
  std::string north, south, east, west;
};

struct GraticuleLine {
  double degrees = 0;
  std::string label;  // "36°30'N", "6°O" in the program's 8-bit text (Windows-1252)
};

// Meridians and parallels at a round step (1', 2', 5', 10', 15', 20', 30', 1°, 2°, 5°,
// 10°, 15° or 30°), each direction the smallest step that draws no more than seven lines
// across the view.
struct Graticule {
  double meridianStep = 0;  // degrees
  double parallelStep = 0;
  std::vector<GraticuleLine> meridians;  // west to east
  std::vector<GraticuleLine> parallels;  // south to north
};

Graticule graticuleOf(const MapProjection& projection, const HemisphereLetters& letters);

// Degrees and whole minutes, the hemisphere's letter after them; whole degrees without
// minutes; the equator and the prime meridian without a letter.
std::string degreesLabel(double degrees, const std::string& positive, const std::string& negative);

// 1, 2 or 5 × 10^n metres, the longest no longer than `longest` drawing units.
struct ScaleBar {
  double metres = 0;
  double length = 0;  // drawing units
  std::string label;  // "500 m", "2 km"
};

ScaleBar scaleBarOf(double unitsPerMetre, double longest, char decimalMark,
                    const std::string& metresWord, const std::string& kilometresWord);

}  // namespace granomet
