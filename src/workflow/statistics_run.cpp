#include "workflow/statistics_run.h"

#include <algorithm>
#include <cctype>

#include "data/file_names.h"
#include "data/input_file.h"
#include "results/results_file.h"
#include "results/whole_file.h"
#include "statistics/results_reader.h"
#include "statistics/sample_statistics.h"
#include "workflow/messages.h"
#include "workflow/statistics_table.h"

namespace granomet {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kTableSuffix = "_estadisticos";
constexpr std::string_view kCsv = ".csv";

bool isCsv(const fs::path& extension) {
  std::string text = utf8Of(extension);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text == kCsv;
}

}  // namespace

fs::path defaultTablePath(const fs::path& firstResultsFile) {
  fs::path table = firstResultsFile;
  const fs::path extension = firstResultsFile.extension();
  if (isCsv(extension)) {
    table.replace_filename(firstResultsFile.stem());
    table += kTableSuffix;
    table += extension;
  } else {
    table += kTableSuffix;
    table += kCsv;
  }
  return table;
}

StatisticsRunResult runStatistics(const std::vector<fs::path>& resultsFiles,
                                  const fs::path& tablePath, char decimalMark) {
  StatisticsRunResult run;
  for (const fs::path& resultsFile : resultsFiles) {
    if (sameFile(tablePath, resultsFile)) {
      run.problems.push_back(messages::tableIsAResultsFile(utf8Of(tablePath)));
      return run;
    }
  }
  if (const FileKind kind = fileKindOf(tablePath); kind != FileKind::Regular) {
    run.problems.push_back(messages::tableIsNoFile(utf8Of(tablePath), kind));
    return run;
  }

  std::string table = statisticsTableHeader();
  for (const fs::path& resultsFile : resultsFiles) {
    try {
      const ResultsFileContents contents = readResultsFile(resultsFile);
      const std::string name = displayName(resultsFile);
      for (const ResultsLine& line : contents.lines) {
        table += statisticsTableLine(name, contents, line, statisticsOf(line.sample), decimalMark);
      }
      ++run.filesRead;
      run.samples += static_cast<int>(contents.lines.size());
    } catch (const ReadError& error) {
      run.problems.push_back(messages::resultsFileUnreadable(utf8Of(resultsFile), error));
    } catch (const ResultsFormatError& error) {
      run.problems.push_back(messages::resultsFileMalformed(utf8Of(resultsFile), error));
    }
  }
  if (run.filesRead == 0) {
    run.problems.push_back(messages::noResultsRead());
    return run;
  }
  try {
    writeWholeFile(tablePath, table);
    run.tableWritten = true;
  } catch (const ResultsFileError& error) {
    run.problems.push_back(messages::tableUnwritable(utf8Of(tablePath), error.systemError()));
  }
  return run;
}

}  // namespace granomet
