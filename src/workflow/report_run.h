// Reading results files and writing their PDF report, drawn by whoever can draw.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "workflow/report_content.h"

namespace granomet {

// The report's PDF file as bytes; nullopt where it could not be drawn. Realised
// with Qt's PDF writer, which the core does not link.
using ReportRenderer = std::function<std::optional<std::string>(const Report&)>;

struct ReportRunResult {
  // In UTF-8, one line each: a results file that could not be read, or why the
  // report was not written.
  std::vector<std::string> problems;
  int filesRead = 0;
  int samples = 0;
  bool reportWritten = false;
};

// Beside the first results file, its name with "_informe.pdf" in place of ".csv".
std::filesystem::path defaultReportPath(const std::filesystem::path& firstResultsFile);

// As the statistics table: every readable results file contributes its samples,
// and the report is written whole, never over one of them, when one was read.
ReportRunResult runReport(const std::vector<std::filesystem::path>& resultsFiles,
                          const std::filesystem::path& reportPath, const ReportContext& context,
                          const ReportRenderer& render);

}  // namespace granomet
