// Where a sample was taken, read from its results line, and how far apart two places lie.
#pragma once

#include <optional>
#include <string_view>

#include "statistics/geo_point.h"

namespace granomet {

// The mean radius of the Earth (IUGG, R1): the sphere the distances are measured on.
inline constexpr double kMeanEarthRadiusMetres = 6'371'008.8;

// The sample's place from its "Longº" and "Latº " fields, in decimal degrees with
// either decimal mark. None where a field holds no number, where both are exactly 0
// (what a spreadsheet writes for an empty cell: no lab station lies there), or
// where the longitude lies outside ±180 or the latitude outside ±90.
std::optional<GeoPoint> samplePosition(std::string_view longitudeField,
                                       std::string_view latitudeField);

// Along the great circle, on a sphere of the mean radius (haversine): within 0.5 %
// of the ellipsoid's distance, far closer than the lab's positions.
double distanceMetres(GeoPoint from, GeoPoint to);

}  // namespace granomet
