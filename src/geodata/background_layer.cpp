#include "geodata/background_layer.h"

#include <gdal_priv.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <memory>
#include <optional>
#include <system_error>

#include "data/file_names.h"
#include "geodata/gdal_session.h"
#include "workflow/messages.h"

namespace granomet {
namespace fs = std::filesystem;
namespace {

using messages::BackgroundProblem;

bool drawable(OGRwkbGeometryType type) {
  const OGRwkbGeometryType flat = wkbFlatten(type);
  return OGR_GT_IsSubClassOf(flat, wkbCurve) || OGR_GT_IsSubClassOf(flat, wkbSurface) ||
         flat == wkbMultiLineString || flat == wkbMultiPolygon || flat == wkbMultiCurve ||
         flat == wkbMultiSurface || flat == wkbGeometryCollection;
}

// Whether the layer has a line or polygon: by its declared type, else (a GeoJSON of
// mixed features says "unknown") by its features.
bool holdsLines(OGRLayer& layer) {
  const OGRwkbGeometryType declared = wkbFlatten(layer.GetGeomType());
  if (declared != wkbUnknown && declared != wkbGeometryCollection) {
    return drawable(declared);
  }
  layer.ResetReading();
  for (const auto& feature : layer) {
    const OGRGeometry* geometry = feature->GetGeometryRef();
    if (geometry != nullptr && !geometry->IsEmpty() &&
        wkbFlatten(geometry->getGeometryType()) != wkbGeometryCollection &&
        drawable(geometry->getGeometryType())) {
      return true;
    }
  }
  return false;
}

void addPoints(const OGRSimpleCurve& curve, bool closed, std::vector<GeoPath>& paths) {
  GeoPath path;
  path.closed = closed;
  path.points.reserve(static_cast<std::size_t>(curve.getNumPoints()));
  for (int i = 0; i < curve.getNumPoints(); ++i) {
    path.points.push_back({curve.getX(i), curve.getY(i)});
  }
  // A ring's last point repeats its first: the closed path joins them itself.
  if (closed && path.points.size() > 1 &&
      path.points.front().longitude == path.points.back().longitude &&
      path.points.front().latitude == path.points.back().latitude) {
    path.points.pop_back();
  }
  if (path.points.size() > 1) {
    paths.push_back(std::move(path));
  }
}

// Lines and rings of a geometry whose curves are already straight segments.
void addGeometry(const OGRGeometry& geometry, std::vector<GeoPath>& paths) {
  switch (wkbFlatten(geometry.getGeometryType())) {
    case wkbLineString:
    case wkbLinearRing:
      addPoints(*geometry.toLineString(), false, paths);
      break;
    case wkbPolygon:
      for (const OGRLinearRing* ring : *geometry.toPolygon()) {
        addPoints(*ring, true, paths);
      }
      break;
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
      for (const OGRGeometry* part : *geometry.toGeometryCollection()) {
        addGeometry(*part, paths);
      }
      break;
    default:  // points are not drawn
      break;
  }
}

bool withinDegrees(const std::vector<GeoPath>& paths) {
  for (const GeoPath& path : paths) {
    for (const GeoPoint& point : path.points) {
      if (!(std::fabs(point.longitude) <= 180 && std::fabs(point.latitude) <= 90)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

std::vector<GeoPath> readBackgroundLayer(const fs::path& file) {
  const std::string name = utf8Of(file);
  const GdalSession session;
  const auto refuse = [&name](BackgroundProblem problem, std::string_view detail = {}) {
    return BackgroundLayerError(messages::backgroundUnreadable(name, problem, detail));
  };
  std::error_code error;
  if (!fs::exists(file, error)) {
    throw refuse(BackgroundProblem::Missing);
  }
  static const char* const kDrivers[] = {"GPKG", "ESRI Shapefile", "GeoJSON", nullptr};
  const GDALDatasetUniquePtr dataset(GDALDataset::Open(
      file.string().c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, kDrivers, nullptr, nullptr));
  if (!dataset) {
    throw refuse(BackgroundProblem::NotALayer);
  }
  // The first layer, in the file's order, with lines or polygons: a GeoPackage saved
  // from QGIS may hold points (stations, labels) before its coastline.
  OGRLayer* chosen = nullptr;
  for (OGRLayer* layer : dataset->GetLayers()) {
    if (holdsLines(*layer)) {
      chosen = layer;
      break;
    }
  }
  if (chosen == nullptr) {
    throw refuse(BackgroundProblem::NoLines);
  }

  std::unique_ptr<OGRCoordinateTransformation> toDegrees;
  if (const OGRSpatialReference* own = chosen->GetSpatialRef(); own != nullptr) {
    OGRSpatialReference source(*own);
    source.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    if (!source.IsSame(&wgs84)) {
      toDegrees.reset(OGRCreateCoordinateTransformation(&source, &wgs84));
      if (!toDegrees) {
        throw refuse(BackgroundProblem::NotConvertible, session.lastError());
      }
    }
  }

  std::vector<GeoPath> paths;
  // A failure while the features are read cuts the layer short: it is told, not drawn half.
  CPLErrorReset();
  chosen->ResetReading();
  for (const auto& feature : chosen) {
    const OGRGeometry* geometry = feature->GetGeometryRef();
    if (geometry == nullptr || geometry->IsEmpty() || !drawable(geometry->getGeometryType())) {
      continue;
    }
    const std::unique_ptr<OGRGeometry> straight(geometry->getLinearGeometry());
    if (!straight) {
      throw refuse(BackgroundProblem::Unreadable, session.lastError());
    }
    if (toDegrees && straight->transform(toDegrees.get()) != OGRERR_NONE) {
      throw refuse(BackgroundProblem::NotConvertible, session.lastError());
    }
    addGeometry(*straight, paths);
  }
  if (CPLGetLastErrorType() >= CE_Failure) {
    throw refuse(BackgroundProblem::Unreadable, session.lastError());
  }
  if (!toDegrees && chosen->GetSpatialRef() == nullptr && !withinDegrees(paths)) {
    throw refuse(BackgroundProblem::NoReferenceSystem);
  }
  return paths;
}

}  // namespace granomet
