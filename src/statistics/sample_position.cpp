#include "statistics/sample_position.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "statistics/results_reader.h"

namespace granomet {

std::optional<GeoPoint> samplePosition(std::string_view longitudeField,
                                       std::string_view latitudeField) {
  const std::optional<double> longitude = resultsNumber(longitudeField);
  const std::optional<double> latitude = resultsNumber(latitudeField);
  if (!longitude || !latitude || (*longitude == 0 && *latitude == 0)) {
    return std::nullopt;
  }
  if (!(std::fabs(*longitude) <= 180) || !(std::fabs(*latitude) <= 90)) {
    return std::nullopt;
  }
  return GeoPoint{*longitude, *latitude};
}

double distanceMetres(GeoPoint from, GeoPoint to) {
  constexpr double kRadians = std::numbers::pi / 180;
  const double halfLatitude = std::sin((to.latitude - from.latitude) * kRadians / 2);
  const double halfLongitude = std::sin((to.longitude - from.longitude) * kRadians / 2);
  const double a = halfLatitude * halfLatitude + std::cos(from.latitude * kRadians) *
                                                     std::cos(to.latitude * kRadians) *
                                                     halfLongitude * halfLongitude;
  // Rounding may carry a to just above 1 for places at opposite ends of the Earth.
  return 2 * kMeanEarthRadiusMetres * std::asin(std::sqrt(std::min(a, 1.0)));
}

}  // namespace granomet
