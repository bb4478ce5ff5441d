#include "workflow/window_report.h"

#include "data/file_names.h"
#include "workflow/messages.h"

namespace granomet {

std::filesystem::path proposedReportPath(const ShownResults& shown) {
  if (shown.files.empty() || shown.nameBeside.empty()) {
    return {};
  }
  return defaultReportPath(shown.nameBeside);
}

std::filesystem::path proposedReportPath(const Tables& tables) {
  return proposedReportPath(lastRunResults(tables));
}

MessageRequest reportOfShown(const ShownResults& shown, const std::filesystem::path& reportPath,
                             const Platform& platform, const ReportRenderer& renderer,
                             const ReportProgress& progress) {
  if (shown.files.empty()) {
    return messages::reportWithoutRun();
  }
  const ReportContext context{platform.clock.now(), platform.regional.decimalMark(), shown.afterRun,
                              shown.lotName,        shown.unreachedSamples,          {}};
  const OutputRun run = runReport(shown.files, reportPath, context, renderer, progress);
  if (run.stopped) {
    return messages::reportStopped(utf8Of(reportPath));
  }
  if (!run.written || !run.problems.empty()) {
    return messages::reportFailed(run.problems);
  }
  return messages::reportMade(utf8Of(reportPath), run.samples);
}

MessageRequest reportOfLastRun(const Tables& tables, const std::filesystem::path& reportPath,
                               const Platform& platform, const ReportRenderer& renderer,
                               const ReportProgress& progress) {
  return reportOfShown(lastRunResults(tables), reportPath, platform, renderer, progress);
}

}  // namespace granomet
