// Starting granomet-informe-pdf, the program that draws the PDF report with Qt, and waiting for it.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace granomet {

// Draws the report of the results files with granomet-informe-pdf, which tells on
// the standard streams what it wrote and what it could not read. True when the
// report was written and every file (the background layer too) was read; a program
// that would not start or was stopped is told here. The caller's own output comes
// first: both streams are flushed before it starts.
bool drawReportWithProgram(const std::filesystem::path& report,
                           const std::optional<std::filesystem::path>& background,
                           const std::vector<std::filesystem::path>& resultsFiles);

}  // namespace granomet
