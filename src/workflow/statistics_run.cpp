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
  return writeLinesFromResults(
      messages::Output::Table, resultsFiles, tablePath, statisticsTableHeader(),
      [decimalMark](std::string_view fileName, const ResultsFileContents& file,
                    const ResultsLine& line, WholeFileSink& sink) {
        sink.write(
            statisticsTableLine(fileName, file, line, statisticsOf(line.sample), decimalMark));
      });
}

OutputRun runStatistics(const ResultsSet& results, const std::vector<fs::path>& keptFiles,
                        const fs::path& tablePath, char decimalMark) {
  return writeFromResults(
      messages::Output::Table, results, keptFiles, tablePath,
      [decimalMark](const ResultsSet& set, WholeFileSink& sink) {
        sink.write(statisticsTableHeader());
        for (const ResultsSetFile& file : set.files) {
          for (const ResultsLine& line : file.contents.lines) {
            sink.write(statisticsTableLine(file.name, file.contents, line,
                                           statisticsOf(line.sample), decimalMark));
          }
        }
        return OutputEnd::Made;
      });
}

}  // namespace granomet
