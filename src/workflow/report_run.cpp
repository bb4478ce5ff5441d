#include "workflow/report_run.h"

#include "data/file_names.h"
#include "results/results_file.h"
#include "results/whole_file.h"
#include "workflow/messages.h"
#include "workflow/results_set.h"

namespace granomet {
namespace fs = std::filesystem;

fs::path defaultReportPath(const fs::path& firstResultsFile) {
  return besideResults(firstResultsFile, "_informe", ".pdf");
}

ReportRunResult runReport(const std::vector<fs::path>& resultsFiles, const fs::path& reportPath,
                          const ReportContext& context, const ReportRenderer& render) {
  ReportRunResult run;
  if (auto refusal = outputRefusal(OutputKind::Report, reportPath, resultsFiles)) {
    run.problems.push_back(std::move(*refusal));
    return run;
  }
  ResultsSet results = readResultsFiles(resultsFiles);
  run.problems = std::move(results.problems);
  run.filesRead = static_cast<int>(results.files.size());
  run.samples = results.samples();
  if (run.filesRead == 0) {
    run.problems.push_back(messages::noResultsRead(messages::Output::Report));
    return run;
  }
  const std::optional<std::string> pdf = render(reportOf(results, context));
  if (!pdf) {
    run.problems.push_back(messages::reportNotDrawn(utf8Of(reportPath)));
    return run;
  }
  try {
    writeWholeFile(reportPath, *pdf);
    run.reportWritten = true;
  } catch (const ResultsFileError& error) {
    run.problems.push_back(messages::outputUnwritable(messages::Output::Report, utf8Of(reportPath),
                                                      error.systemError()));
  }
  return run;
}

}  // namespace granomet
