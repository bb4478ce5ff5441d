// The PDF report of the samples the window shows: from the results file its last run wrote, with
// the samples it did not reach, or from the archived files shown as a run's.
#pragma once

#include <filesystem>

#include "data/tables.h"
#include "ui/platform.h"
#include "ui/window_operations.h"
#include "workflow/report_run.h"
#include "workflow/shown_results.h"

namespace granomet {

// Beside the file the shown samples are named after, its name with "_informe.pdf" in
// place of ".csv"; empty when they come from no file (no run has written one since
// the lot was read).
std::filesystem::path proposedReportPath(const ShownResults& shown);
std::filesystem::path proposedReportPath(const Tables& tables);

// Writes the report of the shown samples' results files to reportPath (asked for and
// confirmed by the window beforehand) and returns the message that says how it
// went: where it is, why it is not, or that the user stopped it through progress.
MessageRequest reportOfShown(const ShownResults& shown, const std::filesystem::path& reportPath,
                             const Platform& platform, const ReportRenderer& renderer,
                             const ReportProgress& progress = {});
// The last run's: lastRunResults(tables).
MessageRequest reportOfLastRun(const Tables& tables, const std::filesystem::path& reportPath,
                               const Platform& platform, const ReportRenderer& renderer,
                               const ReportProgress& progress = {});

}  // namespace granomet
