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

StatisticsRunResult runStatistics(const std::vector<fs::path>& resultsFiles,
                                  const fs::path& tablePath, char decimalMark) {
  StatisticsRunResult run;
  if (auto refusal = outputRefusal(OutputKind::Table, tablePath, resultsFiles)) {
    run.problems.push_back(std::move(*refusal));
    return run;
  }
  ResultsSet results = readResultsFiles(resultsFiles);
  run.problems = std::move(results.problems);
  std::string table = statisticsTableHeader();
  for (const ResultsSetFile& file : results.files) {
    for (const ResultsLine& line : file.contents.lines) {
      table += statisticsTableLine(file.name, file.contents, line, statisticsOf(line.sample),
                                   decimalMark);
    }
  }
  run.filesRead = static_cast<int>(results.files.size());
  run.samples = results.samples();
  if (run.filesRead == 0) {
    run.problems.push_back(messages::noResultsRead(messages::Output::Table));
    return run;
  }
  try {
    writeWholeFile(tablePath, table);
    run.tableWritten = true;
  } catch (const ResultsFileError& error) {
    run.problems.push_back(messages::outputUnwritable(messages::Output::Table, utf8Of(tablePath),
                                                      error.systemError()));
  }
  return run;
}

}  // namespace granomet
