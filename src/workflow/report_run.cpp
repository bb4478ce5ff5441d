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
                    const ReportContext& context, const ReportRenderer& render) {
  return writeFromResults(messages::Output::Report, resultsFiles, reportPath,
                          [&context, &render](const ResultsSet& results) {
                            return render(reportOf(results, context));
                          });
}

}  // namespace granomet
