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

OutputRun runReport(const std::vector<fs::path>& resultsFiles, const fs::path& reportPath,
                    const ReportContext& context, const ReportRenderer& renderer,
                    const ReportProgress& progress) {
  if (std::string why = renderer.unusable(); !why.empty()) {
    OutputRun refused;
    refused.problems.push_back(std::move(why));
    return refused;
  }
  return writeFromResults(messages::Output::Report, resultsFiles, reportPath,
                          [&](const ResultsSet& results, WholeFileSink& sink) {
                            return renderer.draw(reportOf(results, context), sink, progress);
                          });
}

}  // namespace granomet
