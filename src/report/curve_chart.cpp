#include "report/curve_chart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "report/chart_axes.h"
#include "report/report_style.h"

namespace granomet::report {
namespace {

// Laser classes reach down to about 0.01 µm; the coarsest gravel class is 8 mm.
constexpr double kFinestLog = -2;   // 0.01 µm
constexpr double kCoarsestLog = 4;  // 10 mm
constexpr int kMostSteps = 5;
constexpr double kLegendSwatch = 12;  // the stroke of a curve's colour
constexpr double kLegendGap = 14;     // room for the coarsest diameter's label, centred on the edge
constexpr double kLegendShare = 0.25;  // of the chart's width at most

}  // namespace

void drawCurveChart(QPainter& painter, const QRectF& area, const std::vector<ReportCurve>& curves,
                    CurveKind kind, const ChartWords& words) {
  const ChartFonts fonts(painter.device());
  const QFont& titleFont = fonts.title;
  const QFont& labelFont = fonts.label;
  const QFontMetricsF& titleMetrics = fonts.titleMetrics;
  const QFontMetricsF& labelMetrics = fonts.labelMetrics;

  double top = 0;
  for (const ReportCurve& curve : curves) {
    for (const double weight : kind == CurveKind::Frequency ? curve.weight : curve.percentFiner) {
      if (std::isfinite(weight)) {
        top = std::max(top, weight);
      }
    }
  }
  double step = 20;
  if (kind == CurveKind::Frequency) {
    top = std::max(top, 5.0);
    // Whole percentages, at most five steps: a hand-edited results file may hold
    // weights far beyond 100 %.
    step = niceStep(top, kMostSteps, 1);
    top = std::ceil(top / step) * step;
  } else {
    top = 100;
  }

  // The title above; then the limits' names, over the plot; the value labels and
  // axis title on its left, the legend on its right; the diameter labels and axis
  // title below. A value label at the plot's foot reaches half a line below it: the
  // diameter labels keep clear of it.
  const double line = labelMetrics.lineSpacing();
  const double clear = line / 2 + 1;
  // Room for 100 at least, so that both charts of a page share their diameter axis.
  const QString widest = QString::number(std::max(top, 100.0), 'g', 4);
  const double left = area.left() + line + 3 + labelMetrics.horizontalAdvance(widest) + 4;
  double numberWidth = 0;
  double nameWidth = 0;
  for (const ReportCurve& curve : curves) {
    numberWidth =
        std::max(numberWidth, labelMetrics.horizontalAdvance(fromProgramText(curve.label)));
    nameWidth = std::max(nameWidth, labelMetrics.horizontalAdvance(fromProgramText(curve.name)));
  }
  const double legendWidth =
      std::min(kLegendSwatch + 4 + numberWidth + 4 + nameWidth, area.width() * kLegendShare);
  const double plotTop = area.top() + titleMetrics.lineSpacing() + 2 + line + 2;
  const QRectF plot(left, plotTop, area.right() - legendWidth - kLegendGap - left,
                    area.bottom() - clear - 2 * line - plotTop);
  const auto xOf = [&plot](double micrometres) {
    return plot.left() +
           (std::log10(micrometres) - kFinestLog) / (kCoarsestLog - kFinestLog) * plot.width();
  };
  const auto yOf = [&plot, top](double value) {
    return plot.bottom() - value / top * plot.height();
  };

  painter.save();
  painter.setFont(titleFont);
  painter.setPen(kInk);
  painter.drawText(QRectF(area.left(), area.top(), area.width(), titleMetrics.lineSpacing()),
                   Qt::AlignHCenter | Qt::AlignTop, words.title);

  painter.setFont(labelFont);
  for (int power = static_cast<int>(kFinestLog); power <= static_cast<int>(kCoarsestLog); ++power) {
    const double x = xOf(std::pow(10.0, power));
    painter.setPen(QPen(kLightRule, 0.4));
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    painter.setPen(kInk);
    painter.drawText(QRectF(x - 20, plot.bottom() + clear, 40, line),
                     Qt::AlignHCenter | Qt::AlignTop, decadeLabel(power, words.decimalMark));
  }
  for (int i = 0; i <= kMostSteps + 1 && i * step <= top * (1 + 1e-12); ++i) {
    const double value = i * step;
    const double y = yOf(value);
    painter.setPen(QPen(kLightRule, 0.4));
    painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    painter.setPen(kInk);
    painter.drawText(QRectF(area.left(), y - line / 2, plot.left() - area.left() - 3, line),
                     Qt::AlignRight | Qt::AlignVCenter, QString::number(value, 'g', 4));
  }
  painter.drawText(QRectF(plot.left(), plot.bottom() + clear + line, plot.width(), line),
                   Qt::AlignHCenter | Qt::AlignTop, words.diameterAxis);
  painter.save();
  painter.translate(area.left(), plot.center().y());
  painter.rotate(-90);
  painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line),
                   Qt::AlignHCenter | Qt::AlignTop, words.valueAxis);
  painter.restore();

  for (const SizeLimit& limit : kSizeLimits) {
    const double x = xOf(limit.micrometres);
    QPen dashed(kRule, 0.6);
    dashed.setStyle(Qt::DashLine);
    painter.setPen(dashed);
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    painter.setPen(kGreyInk);
    painter.drawText(QRectF(x - 30, plot.top() - 2 - line, 60, line),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(limit.label));
  }

  // The legend: a stroke of each curve's colour, its sample's number and name.
  const double legendLeft = plot.right() + kLegendGap;
  double legendY = plot.top();
  for (const ReportCurve& curve : curves) {
    if (legendY + line > plot.bottom()) {
      break;
    }
    painter.setPen(QPen(curveColour(curve.colour), 1.5));
    painter.drawLine(QPointF(legendLeft, legendY + line / 2),
                     QPointF(legendLeft + kLegendSwatch, legendY + line / 2));
    painter.setPen(kInk);
    const double numberLeft = legendLeft + kLegendSwatch + 4;
    drawTextLine(painter, QRectF(numberLeft, legendY, numberWidth, line), Qt::AlignRight,
                 fromProgramText(curve.label));
    const double nameLeft = numberLeft + numberWidth + 4;
    drawTextLine(painter, QRectF(nameLeft, legendY, area.right() - nameLeft, line), Qt::AlignLeft,
                 labelMetrics.elidedText(fromProgramText(curve.name), Qt::ElideRight,
                                         area.right() - nameLeft));
    legendY += line + 1;
  }

  painter.setClipRect(plot);
  painter.setRenderHint(QPainter::Antialiasing);
  const double width = curves.size() > 1 ? 0.7 : 1.2;
  bool drawn = false;
  for (const ReportCurve& curve : curves) {
    const std::vector<double>& values =
        kind == CurveKind::Frequency ? curve.weight : curve.percentFiner;
    QPainterPath path;
    bool started = false;
    for (std::size_t i = 0; i < values.size() && i < curve.diameter.size(); ++i) {
      if (!(curve.diameter[i] > 0) || !std::isfinite(values[i])) {
        started = false;
        continue;
      }
      const QPointF point(xOf(curve.diameter[i]), yOf(values[i]));
      if (started) {
        path.lineTo(point);
      } else {
        path.moveTo(point);
        started = true;
      }
    }
    if (!path.isEmpty()) {
      painter.setPen(QPen(curveColour(curve.colour), width));
      painter.drawPath(path);
      drawn = true;
    }
  }
  painter.setClipping(false);
  painter.setPen(QPen(kInk, 0.6));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plot);
  if (!drawn && !words.noCurve.isEmpty()) {
    painter.setPen(kGreyInk);
    const QRectF box = plot.adjusted(8, 8, -8, -8);
    painter.drawText(box, Qt::AlignCenter, wrapped(labelMetrics, words.noCurve, box.width()).text);
  }
  painter.restore();
}

}  // namespace granomet::report
