#include "workflow/window_report.h"

#include "data/file_names.h"
#include "workflow/messages.h"

namespace granomet {

std::filesystem::path proposedReportPath(const Tables& tables) {
  if (tables.lastRun.resultsPath.empty()) {
    return {};
  }
  return defaultReportPath(tables.lastRun.resultsPath);
}

MessageRequest reportOfLastRun(const Tables& tables, const std::filesystem::path& reportPath,
                               const Platform& platform, const ReportRenderer& renderer,
                               const ReportProgress& progress) {
  if (tables.lastRun.resultsPath.empty()) {
    return messages::reportWithoutRun();
  }
  const ReportContext context{platform.clock.now(),      platform.regional.decimalMark(), true,
                              tables.lot.header.lotName, tables.lastRun.unreachedSamples, {}};
  const OutputRun run =
      runReport({tables.lastRun.resultsPath}, reportPath, context, renderer, progress);
  if (run.stopped) {
    return messages::reportStopped(utf8Of(reportPath));
  }
  if (!run.written || !run.problems.empty()) {
    return messages::reportFailed(run.problems);
  }
  return messages::reportMade(utf8Of(reportPath), run.samples);
}

}  // namespace granomet
