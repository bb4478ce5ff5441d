// A map's background read with GDAL/OGR: the lines and polygon rings of a layer in WGS 84.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "statistics/geo_point.h"

namespace granomet {

// Why a layer cannot be drawn, in the program's words (UTF-8), naming the file.
class BackgroundLayerError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Every line and polygon ring of the first layer of a GeoPackage, shapefile or
// GeoJSON that holds lines or polygons, reprojected to WGS 84 longitude and latitude
// when its reference system differs. Points are not drawn. Throws
// BackgroundLayerError where the file cannot be opened, holds no such layer, or has
// a reference system that cannot be turned into WGS 84.
std::vector<GeoPath> readBackgroundLayer(const std::filesystem::path& file);

}  // namespace granomet
