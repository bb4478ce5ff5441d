// Reading results files and writing their PDF report, drawn by whoever can draw.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "workflow/report_content.h"
#include "workflow/results_set.h"

namespace granomet {

// The report's PDF file as bytes; nullopt where it could not be drawn. Realised
// with Qt's PDF writer, which the core does not link.
using ReportRenderer = std::function<std::optional<std::string>(const Report&)>;

// Beside the first results file, its name with "_informe.pdf" in place of ".csv".
std::filesystem::path defaultReportPath(const std::filesystem::path& firstResultsFile);

// As the statistics table: every readable results file contributes its samples,
// and the report is written whole, never over one of them, when one was read.
OutputRun runReport(const std::vector<std::filesystem::path>& resultsFiles,
                    const std::filesystem::path& reportPath, const ReportContext& context,
                    const ReportRenderer& render);

}  // namespace granomet
