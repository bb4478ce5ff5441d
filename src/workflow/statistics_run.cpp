#include "workflow/statistics_run.h"

#include "data/file_names.h"
#include "results/results_file.h"
#include "results/whole_file.h"
#include "statistics/sample_statistics.h"
#include "workflow/messages.h"
#include "workflow/results_set.h"
#include "workflow/statistics_table.h"

namespace granomet {
namespace fs = std::filesystem;

fs::path defaultTablePath(const fs::path& firstResultsFile) {
  return besideResults(firstResultsFile, "_estadisticos", ".csv");
}

OutputRun runStatistics(const std::vector<fs::path>& resultsFiles, const fs::path& tablePath,
                        char decimalMark) {
  return writeFromResults(
      messages::Output::Table, resultsFiles, tablePath,
      [decimalMark](const ResultsSet& results, WholeFileSink& sink) {
        sink.write(statisticsTableHeader());
        for (const ResultsSetFile& file : results.files) {
          for (const ResultsLine& line : file.contents.lines) {
            sink.write(statisticsTableLine(file.name, file.contents, line,
                                           statisticsOf(line.sample), decimalMark));
          }
        }
        return OutputEnd::Made;
      });
}

}  // namespace granomet
