// The report drawn as an A4 PDF with Qt's PDF writer: vector drawing, fonts embedded, text
// searchable.
#pragma once

#include "workflow/report_run.h"

namespace granomet::report {

// Streams the PDF into the sink page by page, telling progress after each page.
// Failed where the painter cannot start; a sink that cannot write has its error
// thrown once the drawing has stopped. Needs a QGuiApplication (any platform,
// offscreen too) for its fonts.
OutputEnd pdfReport(const Report& report, WholeFileSink& sink, const ReportProgress& progress);

// The report's font check and pdfReport, as the workflow takes them.
ReportRenderer pdfRenderer();

}  // namespace granomet::report
