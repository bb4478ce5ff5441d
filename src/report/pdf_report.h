// The report drawn as an A4 PDF with Qt's PDF writer: vector drawing, fonts embedded, text
// searchable.
#pragma once

#include <optional>
#include <string>

#include "workflow/report_content.h"

namespace granomet::report {

// The PDF file's bytes; nullopt where the painter cannot start. Needs a
// QGuiApplication (any platform, offscreen too) for its fonts.
std::optional<std::string> pdfReport(const Report& report);

}  // namespace granomet::report
