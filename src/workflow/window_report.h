// The PDF report of the window's last run: from the results file it wrote, with the samples it did
// not reach.
#pragma once

#include <filesystem>

#include "data/tables.h"
#include "ui/platform.h"
#include "ui/window_operations.h"
#include "workflow/report_run.h"

namespace granomet {

// Beside the results file the last run wrote, its name with "_informe.pdf" in place
// of ".csv"; empty when no run has written one since the lot was read.
std::filesystem::path proposedReportPath(const Tables& tables);

// Writes the report of the last run's results file to reportPath (asked for and
// confirmed by the window beforehand) and returns the message that says how it
// went: where it is, why it is not, or that the user stopped it through progress.
MessageRequest reportOfLastRun(const Tables& tables, const std::filesystem::path& reportPath,
                               const Platform& platform, const ReportRenderer& renderer,
                               const ReportProgress& progress = {});

}  // namespace granomet
