// Reading results files and writing the statistics table of all their samples.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "workflow/results_set.h"

namespace granomet {

// Beside the first results file, its name with "_estadisticos" before ".csv".
std::filesystem::path defaultTablePath(const std::filesystem::path& firstResultsFile);

// Every results file that can be read contributes its samples, in order; one that
// cannot is named in problems and the others are still read. The table is written
// whole when at least one file was read, never over one of the results files.
OutputRun runStatistics(const std::vector<std::filesystem::path>& resultsFiles,
                        const std::filesystem::path& tablePath, char decimalMark);

// The same table of results already read (an archive's), its files in order; refused
// where the table would be one of keptFiles or no regular file.
OutputRun runStatistics(const ResultsSet& results,
                        const std::vector<std::filesystem::path>& keptFiles,
                        const std::filesystem::path& tablePath, char decimalMark);

}  // namespace granomet
