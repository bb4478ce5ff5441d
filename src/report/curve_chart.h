// Every sample's weight or cumulative curve against the diameter on a logarithmic axis, drawn into
// a rectangle.
#pragma once

#include <QRectF>
#include <QString>
#include <vector>

#include "workflow/report_content.h"

class QPainter;

namespace granomet::report {

enum class CurveKind { Frequency, Cumulative };

struct ChartWords {
  QString title;
  QString diameterAxis;
  QString valueAxis;
  QString noCurve;  // said in the chart where none of its curves can be drawn
  char decimalMark = '.';
};

// Each curve in its sample's colour, the first sample's first, with a legend on the
// right that gives each colour's sample by its number and name. The labels of the
// axes and of the limits between gravel, sand, silt and clay stand outside the plot.
void drawCurveChart(QPainter& painter, const QRectF& area, const std::vector<ReportCurve>& curves,
                    CurveKind kind, const ChartWords& words);

}  // namespace granomet::report
