// A triangle with its fields named and every sample's point numbered, drawn into a rectangle.
#pragma once

#include <QRectF>
#include <QString>

#include "workflow/report_content.h"

class QPainter;

namespace granomet::report {

// The key, the note and the numbers of points no label could be placed by go
// under the triangle, inside area. unlabelledWord heads that list.
void drawTernaryPlot(QPainter& painter, const QRectF& area, const ReportTriangle& triangle,
                     const QString& unlabelledWord);

}  // namespace granomet::report
