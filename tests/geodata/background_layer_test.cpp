// A map's background read from the layers the lab has: GeoJSON, and GeoPackages and shapefiles in
// a projected system (made here with ogr2ogr), each read back in longitude and latitude; and
// every file that cannot be drawn, told why.
#include "geodata/background_layer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "data/file_names.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

namespace fs = std::filesystem;
using messages::BackgroundProblem;

// A point, a line and two triangles as one MultiPolygon, the rings' last point repeating
// their first, as GeoJSON writes them.
constexpr const char* kCoast = R"({"type": "FeatureCollection", "features": [
{"type": "Feature", "properties": {}, "geometry": {"type": "Point", "coordinates": [-6.3, 36.5]}},
{"type": "Feature", "properties": {}, "geometry": {"type": "LineString",
  "coordinates": [[-6.5, 36.4], [-6.4, 36.45], [-6.3, 36.6]]}},
{"type": "Feature", "properties": {}, "geometry": {"type": "MultiPolygon", "coordinates": [
  [[[-6.2, 36.3], [-6.1, 36.3], [-6.1, 36.4], [-6.2, 36.3]]],
  [[[-6.0, 36.0], [-5.9, 36.0], [-5.9, 36.1], [-6.0, 36.0]]]]}}]})";

const std::vector<GeoPath> kCoastPaths = {
    {{{-6.5, 36.4}, {-6.4, 36.45}, {-6.3, 36.6}}, false},
    {{{-6.2, 36.3}, {-6.1, 36.3}, {-6.1, 36.4}}, true},
    {{{-6.0, 36.0}, {-5.9, 36.0}, {-5.9, 36.1}}, true},
};

class BackgroundLayerTest : public ::testing::Test {
 protected:
  BackgroundLayerTest() {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    write("costa.geojson", kCoast);
  }
  ~BackgroundLayerTest() override { fs::remove_all(folder_); }

  fs::path write(const std::string& name, const std::string& text) const {
    std::ofstream(folder_ / name) << text;
    return folder_ / name;
  }
  // A command line run in the folder, GDAL's own words kept out of the test's output.
  void shell(const std::string& commandLine) const {
    const std::string command =
        "cd '" + folder_.string() + "' && " + commandLine + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << commandLine;
  }
  fs::path folder(const std::string& name) const { return folder_ / name; }

 private:
  fs::path folder_ =
      fs::temp_directory_path() / ("granomet_background_layer_" + std::to_string(::getpid()));
};

void expectSamePaths(const std::vector<GeoPath>& read, const std::vector<GeoPath>& expected) {
  ASSERT_EQ(read.size(), expected.size());
  for (std::size_t p = 0; p < read.size(); ++p) {
    EXPECT_EQ(read[p].closed, expected[p].closed) << "path " << p;
    ASSERT_EQ(read[p].points.size(), expected[p].points.size()) << "path " << p;
    for (std::size_t i = 0; i < read[p].points.size(); ++i) {
      EXPECT_NEAR(read[p].points[i].longitude, expected[p].points[i].longitude, 1e-6);
      EXPECT_NEAR(read[p].points[i].latitude, expected[p].points[i].latitude, 1e-6);
    }
  }
}

// The same lines and rings, whatever the format and system they were saved in: points are
// left out, several polygons come apart, rings are closed without their repeated point.
// A GeoPackage whose first layer holds points gives its first layer with lines.
TEST_F(BackgroundLayerTest, ReadsEachFormatInLongitudeAndLatitude) {
  const std::string lines = "-sql \"SELECT * FROM costa WHERE OGR_GEOMETRY='LINESTRING'\"";
  shell("ogr2ogr -f GPKG -t_srs EPSG:25829 costa.gpkg costa.geojson");
  shell("ogr2ogr -f 'ESRI Shapefile' -t_srs EPSG:25829 costa.shp costa.geojson " + lines);
  shell("ogr2ogr -f 'ESRI Shapefile' grados.shp costa.geojson " + lines + " && rm grados.prj");
  shell(
      "ogr2ogr -f GPKG -nln estaciones capas.gpkg costa.geojson -sql \"SELECT * FROM costa "
      "WHERE OGR_GEOMETRY='POINT'\" && ogr2ogr -update -f GPKG -t_srs EPSG:3857 -nln "
      "zz_costa capas.gpkg costa.geojson");
  const std::vector<GeoPath> lineOnly(kCoastPaths.begin(), kCoastPaths.begin() + 1);
  for (const auto& [file, expected] :
       {std::tuple{"costa.geojson", kCoastPaths}, std::tuple{"costa.gpkg", kCoastPaths},
        std::tuple{"costa.shp", lineOnly}, std::tuple{"grados.shp", lineOnly},
        std::tuple{"capas.gpkg", kCoastPaths}}) {
    SCOPED_TRACE(file);
    expectSamePaths(readBackgroundLayer(folder(file)), expected);
  }
}

// A circular arc comes as straight segments from its first point to its last.
TEST_F(BackgroundLayerTest, CurvesComeAsSegments) {
  write("arco.csv", "WKT,id\n\"CIRCULARSTRING (-6 36,-5.9 36.1,-5.8 36)\",1\n");
  shell("ogr2ogr -f GPKG -a_srs EPSG:4326 -nlt CIRCULARSTRING arco.gpkg arco.csv");
  const std::vector<GeoPath> read = readBackgroundLayer(folder("arco.gpkg"));
  ASSERT_EQ(read.size(), 1U);
  ASSERT_GT(read[0].points.size(), 10U);
  EXPECT_NEAR(read[0].points.front().longitude, -6, 1e-9);
  EXPECT_NEAR(read[0].points.back().longitude, -5.8, 1e-9);
  for (const GeoPoint& point : read[0].points) {
    // On the circle through the three points: centre (-5.9, 36), radius 0.1.
    EXPECT_NEAR(std::hypot(point.longitude + 5.9, point.latitude - 36), 0.1, 1e-9);
  }
}

TEST_F(BackgroundLayerTest, AFileThatCannotBeDrawnIsToldWhy) {
  write("texto.geojson", "esto no es una capa\n");
  write("puntos.geojson", R"({"type": "FeatureCollection", "features": [{"type": "Feature",
    "properties": {}, "geometry": {"type": "Point", "coordinates": [-6.3, 36.5]}}]})");
  shell(
      "ogr2ogr -f 'ESRI Shapefile' -t_srs EPSG:25829 metros.shp costa.geojson -sql \"SELECT * "
      "FROM costa WHERE OGR_GEOMETRY='LINESTRING'\" && rm metros.prj");
  for (const auto& [file, problem] :
       {std::pair{"falta.gpkg", BackgroundProblem::Missing},
        std::pair{"texto.geojson", BackgroundProblem::NotALayer},
        std::pair{"puntos.geojson", BackgroundProblem::NoLines},
        std::pair{"metros.shp", BackgroundProblem::NoReferenceSystem}}) {
    try {
      readBackgroundLayer(folder(file));
      ADD_FAILURE() << file << " read";
    } catch (const BackgroundLayerError& error) {
      EXPECT_EQ(error.what(), messages::backgroundUnreadable(utf8Of(folder(file)), problem));
    }
  }
}

}  // namespace
}  // namespace granomet
