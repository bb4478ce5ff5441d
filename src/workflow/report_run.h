// Reading results files and writing their PDF report, drawn by whoever can draw.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "workflow/report_content.h"
#include "workflow/results_set.h"

namespace granomet {

// Pages drawn so far and how many the report has; false stops the drawing.
using ReportProgress = std::function<bool(int pagesDone, int pages)>;

// The report drawn as a PDF file: realised with Qt's PDF writer, which the core does
// not link.
struct ReportRenderer {
  // Why no legible report can be drawn here, for the user (UTF-8); empty when it can.
  std::function<std::string()> unusable;
  // Streams the PDF into the sink, telling progress after each page: Stopped where
  // progress said stop, Failed where it could not be drawn.
  std::function<OutputEnd(const Report& report, WholeFileSink& sink,
                          const ReportProgress& progress)>
      draw;
};

// Beside the first results file, its name with "_informe.pdf" in place of ".csv".
std::filesystem::path defaultReportPath(const std::filesystem::path& firstResultsFile);

// As the statistics table: every readable results file contributes its samples,
// and the report is written whole, never over one of them, when one was read.
// Nothing is read or written where the renderer cannot draw legibly.
OutputRun runReport(const std::vector<std::filesystem::path>& resultsFiles,
                    const std::filesystem::path& reportPath, const ReportContext& context,
                    const ReportRenderer& renderer, const ReportProgress& progress = {});

}  // namespace granomet
