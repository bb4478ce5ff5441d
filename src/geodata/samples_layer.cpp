#include "geodata/samples_layer.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <optional>
#include <string>

#include "data/file_names.h"
#include "data/results_columns.h"
#include "data/text_encoding.h"
#include "geodata/gdal_session.h"
#include "statistics/geo_point.h"
#include "statistics/sample_position.h"
#include "statistics/sample_statistics.h"
#include "workflow/messages.h"
#include "workflow/statistics_table.h"

namespace granomet {
namespace fs = std::filesystem;
namespace {

constexpr const char* kLayerName = "muestras";

// The sample's place, by the rule the lot's views read it with.
std::optional<GeoPoint> positionOf(const ResultsLine& line) {
  return samplePosition(line.fields.at(static_cast<std::size_t>(kLongitudeField - 1)),
                        line.fields.at(static_cast<std::size_t>(kLatitudeField - 1)));
}

// Every sample as a feature, in one transaction; nullopt, or GDAL's words on what failed.
std::optional<std::string> writeLayer(const ResultsSet& results, const fs::path& made,
                                      LayerFormat format, int& withoutPosition) {
  const GdalSession session;
  const auto failed = [&session] {
    const std::string detail = session.lastError();
    return detail.empty() ? std::string("?") : detail;
  };
  GDALDriver* driver =
      GetGDALDriverManager()->GetDriverByName(format == LayerFormat::GeoJson ? "GeoJSON" : "GPKG");
  if (driver == nullptr) {
    return failed();
  }
  GDALDatasetUniquePtr dataset(
      driver->Create(made.string().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
  if (!dataset) {
    return failed();
  }
  // WGS 84 as EPSG:4326, longitude first, as QGIS and the GeoPackage store it.
  OGRSpatialReference wgs84;
  wgs84.SetWellKnownGeogCS("WGS84");
  wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  OGRLayer* layer = dataset->CreateLayer(kLayerName, &wgs84, wkbPoint, nullptr);
  if (layer == nullptr) {
    return failed();
  }
  const auto& columns = statisticsTableColumns();
  for (const StatisticsColumn& column : columns) {
    OGRFieldDefn field(std::string(column.layerField).c_str(),
                       column.kind == ColumnKind::Number ? OFTReal : OFTString);
    if (layer->CreateField(&field) != OGRERR_NONE) {
      return failed();
    }
  }
  // GeoJSON is written at the end whole, without transactions.
  const bool inTransaction = dataset->TestCapability(ODsCTransactions) != 0;
  if (inTransaction && dataset->StartTransaction() != OGRERR_NONE) {
    return failed();
  }
  withoutPosition = 0;
  for (const ResultsSetFile& file : results.files) {
    for (const ResultsLine& line : file.contents.lines) {
      // Texts with the point as decimal mark, as GIS attributes are read everywhere.
      const StatisticsRow row =
          statisticsTableRow(file.name, file.contents, line, statisticsOf(line.sample), '.');
      OGRFeature feature(layer->GetLayerDefn());
      for (std::size_t i = 0; i < kStatisticsColumns; ++i) {
        const int field = static_cast<int>(i);
        if (columns[i].kind == ColumnKind::Text) {
          feature.SetField(field, cp1252ToUtf8(row[i].text).c_str());
        } else if (row[i].number) {
          feature.SetField(field, *row[i].number);
        }
      }
      if (const std::optional<GeoPoint> position = positionOf(line)) {
        OGRPoint point(position->longitude, position->latitude);
        feature.SetGeometry(&point);
      } else {
        ++withoutPosition;
      }
      if (layer->CreateFeature(&feature) != OGRERR_NONE) {
        return failed();
      }
    }
  }
  if (inTransaction && dataset->CommitTransaction() != OGRERR_NONE) {
    return failed();
  }
  CPLErrorReset();
  dataset.reset();
  if (CPLGetLastErrorType() >= CE_Failure) {
    return failed();
  }
  return std::nullopt;
}

// The layer made at `made`; nullopt, or why not, naming the output.
OutputFileMaker layerMaker(const fs::path& output, LayerFormat format, int& withoutPosition) {
  return [&output, format, &withoutPosition](const ResultsSet& results,
                                             const fs::path& made) -> std::optional<std::string> {
    if (std::optional<std::string> detail = writeLayer(results, made, format, withoutPosition)) {
      return messages::layerNotWritten(utf8Of(output), *detail);
    }
    return std::nullopt;
  };
}

}  // namespace

OutputRun writeSamplesLayer(const std::vector<fs::path>& resultsFiles, const fs::path& output,
                            int& withoutPosition) {
  return writeFileFromResults(messages::Output::Layer, resultsFiles, output,
                              layerMaker(output, LayerFormat::GeoPackage, withoutPosition));
}

OutputRun writeSamplesLayer(const ResultsSet& results, const std::vector<fs::path>& keptFiles,
                            const fs::path& output, LayerFormat format, int& withoutPosition) {
  return writeFileFromResults(messages::Output::Layer, results, keptFiles, output,
                              layerMaker(output, format, withoutPosition));
}

OutputRun writeSamplesLayer(const std::vector<fs::path>& resultsFiles, const fs::path& output) {
  int withoutPosition = 0;
  return writeSamplesLayer(resultsFiles, output, withoutPosition);
}

}  // namespace granomet
