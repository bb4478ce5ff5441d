// A sample's two charts against phi, with µm on the opposite axis: its histogram per unit phi and
// its cumulative curve on probability paper.
#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <vector>

#include "report/chart_axes.h"
#include "workflow/report_content.h"

class QPainter;
class QPaintDevice;

namespace granomet::report {

class PhiCharts {
 public:
  // Made once for a report: fonts measured for the device the charts are drawn on,
  // words and the probability scale's labels.
  PhiCharts(const SamplePageWords& words, const std::string& noCurve, char decimalMark,
            QPaintDevice& device);

  // The weight of each class spread over its width in phi, as bars.
  void drawHistogram(QPainter& painter, const QRectF& area, const ReportSamplePage& sample,
                     const QColor& colour) const;
  // The percentage coarser than each class bound on a normal-probability scale, the
  // bounds joined by straight lines.
  void drawProbability(QPainter& painter, const QRectF& area, const ReportSamplePage& sample,
                       const QColor& colour) const;

 private:
  struct Tick {
    double value;
    QString label;
    bool strong;  // a line a reader takes figures from
  };
  class Frame;

  ChartFonts fonts_;
  QString histogramTitle_;
  QString densityAxis_;
  QString probabilityTitle_;
  QString coarserAxis_;
  QString phiUnit_;
  QString micrometreUnit_;
  QString noCurve_;
  char decimalMark_;
  std::vector<Tick> probabilityTicks_;
};

}  // namespace granomet::report
