// The samples of results files as a GeoPackage point layer "muestras" that QGIS opens as it is.
#pragma once

#include <filesystem>
#include <vector>

#include "workflow/results_set.h"

namespace granomet {

// Writes every sample of the results files as a point (EPSG:4326) of the layer
// "muestras", with the statistics table's columns as attributes (numbers REAL,
// texts TEXT); samples without a position have no geometry. The same refusals and
// safe replace as the statistics table: the file is made beside and put in place
// whole, or the one there is left as it was.
OutputRun writeSamplesLayer(const std::vector<std::filesystem::path>& resultsFiles,
                            const std::filesystem::path& output);
// The same, counting the samples written without a point.
OutputRun writeSamplesLayer(const std::vector<std::filesystem::path>& resultsFiles,
                            const std::filesystem::path& output, int& withoutPosition);

// The files a layer is written as: GDAL's GeoPackage or GeoJSON driver.
enum class LayerFormat { GeoPackage, GeoJson };

// The same layer of results already read (an archive's), in the format asked for;
// refused where the output would be one of keptFiles or no regular file.
OutputRun writeSamplesLayer(const ResultsSet& results,
                            const std::vector<std::filesystem::path>& keptFiles,
                            const std::filesystem::path& output, LayerFormat format,
                            int& withoutPosition);

}  // namespace granomet
