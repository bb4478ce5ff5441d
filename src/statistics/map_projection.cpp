#include "statistics/map_projection.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

namespace granomet {
namespace {

// The mean radius of the WGS 84 ellipsoid.
constexpr double kEarthRadiusMetres = 6371008.8;
constexpr double kMetresPerDegree = kEarthRadiusMetres * std::numbers::pi / 180;
constexpr int kMostLines = 7;
// In minutes of arc.
constexpr std::array<int, 13> kGraticuleSteps{1,  2,   5,   10,  15,  20,  30,
                                              60, 120, 300, 600, 900, 1800};
constexpr char kDegreeSign = '\xB0';  // in Windows-1252

// The smallest step that draws no more than kMostLines lines in [from, to].
double stepFor(double from, double to) {
  for (const int minutes : kGraticuleSteps) {
    const double step = minutes / 60.0;
    const double lines = std::floor(to / step) - std::ceil(from / step) + 1;
    if (lines <= kMostLines) {
      return step;
    }
  }
  return kGraticuleSteps.back() / 60.0;
}

std::vector<GraticuleLine> linesOf(double from, double to, double step, const std::string& positive,
                                   const std::string& negative) {
  std::vector<GraticuleLine> lines;
  for (double n = std::ceil(from / step); n * step <= to; ++n) {
    const double degrees = n * step;
    lines.push_back({degrees, degreesLabel(degrees, positive, negative)});
  }
  return lines;
}

std::string number(double value, char decimalMark) {
  std::array<char, 32> text{};
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
  std::string written(text.data(), error == std::errc() ? end : text.data());
  std::replace(written.begin(), written.end(), '.', decimalMark);
  return written;
}

}  // namespace

MapProjection MapProjection::fitted(const std::vector<GeoPoint>& places, double width,
                                    double height, double margin) {
  double west = 0, east = 0, south = 0, north = 0;
  if (!places.empty()) {
    west = east = places.front().longitude;
    south = north = places.front().latitude;
  }
  for (const GeoPoint& place : places) {
    west = std::min(west, place.longitude);
    east = std::max(east, place.longitude);
    south = std::min(south, place.latitude);
    north = std::max(north, place.latitude);
  }
  MapProjection projection;
  projection.centre_ = {(west + east) / 2, (south + north) / 2};
  projection.cosine_ =
      std::max(std::cos(projection.centre_.latitude * std::numbers::pi / 180), 0.01);
  projection.width_ = width;
  projection.height_ = height;
  // The extent in degrees of latitude, both ways.
  const double least = kLeastExtentMetres / kMetresPerDegree;
  const double across = std::max((east - west) * projection.cosine_, least);
  const double down = std::max(north - south, least);
  const double room = std::min(width - 2 * margin, height - 2 * margin) > 0
                          ? std::min((width - 2 * margin) / across, (height - 2 * margin) / down)
                          : std::min(width / across, height / down);
  projection.unitsPerDegree_ = room;
  return projection;
}

PlanePoint MapProjection::planeOf(GeoPoint place) const {
  return {width_ / 2 + (place.longitude - centre_.longitude) * cosine_ * unitsPerDegree_,
          height_ / 2 - (place.latitude - centre_.latitude) * unitsPerDegree_};
}

GeoPoint MapProjection::placeOf(PlanePoint point) const {
  return {centre_.longitude + (point.x - width_ / 2) / (cosine_ * unitsPerDegree_),
          centre_.latitude - (point.y - height_ / 2) / unitsPerDegree_};
}

double MapProjection::unitsPerMetre() const {
  return unitsPerDegree_ / kMetresPerDegree;
}

Graticule graticuleOf(const MapProjection& projection, const HemisphereLetters& letters) {
  Graticule graticule;
  // A view wider than the world draws its lines once.
  const double west = std::max(projection.west(), -180.0);
  const double east = std::min(projection.east(), 180.0);
  const double south = std::max(projection.south(), -90.0);
  const double north = std::min(projection.north(), 90.0);
  graticule.meridianStep = stepFor(west, east);
  graticule.parallelStep = stepFor(south, north);
  graticule.meridians = linesOf(west, east, graticule.meridianStep, letters.east, letters.west);
  graticule.parallels = linesOf(south, north, graticule.parallelStep, letters.north, letters.south);
  return graticule;
}

std::string degreesLabel(double degrees, const std::string& positive, const std::string& negative) {
  const long long minutes = std::llround(std::abs(degrees) * 60);
  std::string label = std::to_string(minutes / 60) + kDegreeSign;
  if (minutes % 60 != 0) {
    label += std::to_string(minutes % 60) + '\'';
  }
  if (minutes != 0) {
    label += degrees > 0 ? positive : negative;
  }
  return label;
}

ScaleBar scaleBarOf(double unitsPerMetre, double longest, char decimalMark,
                    const std::string& metresWord, const std::string& kilometresWord) {
  ScaleBar bar;
  const double most = longest / unitsPerMetre;
  if (!(most > 0) || !std::isfinite(most)) {
    return bar;
  }
  const double power = std::pow(10.0, std::floor(std::log10(most)));
  for (const double multiple : {5.0, 2.0, 1.0}) {
    if (multiple * power <= most * (1 + 1e-12)) {
      bar.metres = multiple * power;
      break;
    }
  }
  bar.length = bar.metres * unitsPerMetre;
  // Rounded to the digits the step has, so that 0.3 m prints as 0.3, not 0.30000000000000004.
  const auto rounded = [](double value) { return std::round(value * 1e6) / 1e6; };
  bar.label = bar.metres < 1000
                  ? number(rounded(bar.metres), decimalMark) + ' ' + metresWord
                  : number(rounded(bar.metres / 1000), decimalMark) + ' ' + kilometresWord;
  return bar;
}

}  // namespace granomet
