#include "qt/curve_graph.h"

#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QGraphicsLayout>
#include <QHelpEvent>
#include <QLineSeries>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <cmath>

#include "qt/lasting_tool_tip.h"
#include "qt/qt_text.h"
#include "qt/window_geometry.h"
#include "report/chart_axes.h"
#include "report/report_style.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

// Laser classes start near 0.01 µm; the coarsest gravel class is 8 mm.
constexpr double kFinestMicrometres = 0.02;
constexpr double kCoarsestMicrometres = 10000;
constexpr double kLowestTopPercent = 5;
constexpr std::array kWeightSteps{1.0, 2.0, 5.0, 10.0, 20.0, 25.0, 50.0};

struct Tick {
  const char* label;
  double micrometres;
};

constexpr std::array kTicks{
    Tick{"0#1 µm", 0.1}, Tick{"1 µm", 1},     Tick{"4 µm", 4},    Tick{"16 µm", 16},
    Tick{"63 µm", 63},   Tick{"250 µm", 250}, Tick{"2 mm", 2000}, Tick{"8 mm", 8000},
};

// A lot holds at most 254 samples. An export that repeats order numbers can hand a
// run thousands of records; their curves would only hide one another and make
// the window slow to draw, so the first 254 of a run are drawn.
constexpr int kMostCurves = 254;

constexpr int kCurveWidth = 1;
constexpr int kHighlightedWidth = 3;

}  // namespace

CurveGraph::CurveGraph(QWidget* parent, char decimalMark)
    // Built with its chart: a chart set later would leave the view's own one behind.
    : QChartView(new QChart, parent),
      chart_(chart()),
      axisX_(new QCategoryAxis),
      axisY_(new QValueAxis) {
  setObjectName("CWGraph1");
  setRenderHint(QPainter::Antialiasing);
  chart_->setAnimationOptions(QChart::NoAnimation);
  chart_->legend()->hide();
  chart_->setBackgroundRoundness(0);
  chart_->setMargins(QMargins(4, 4, 8, 2));
  chart_->layout()->setContentsMargins(0, 0, 0, 0);

  const QFont labels = windowFont(FontFace::Arial, 10, false);
  axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  axisX_->setRange(std::log(kFinestMicrometres), std::log(kCoarsestMicrometres));
  axisX_->setLabelsFont(labels);
  axisX_->setTitleText(toQString(messages::graphDiameterAxis()));
  axisX_->setTitleFont(labels);
  for (const Tick& tick : kTicks) {
    QString label = QString::fromUtf8(tick.label);
    label.replace('#', QChar(decimalMark));
    axisX_->append(label, std::log(tick.micrometres));
  }
  axisX_->setGridLineColor(QColor(220, 220, 220));

  axisY_->setTickType(QValueAxis::TicksDynamic);
  axisY_->setTickAnchor(0);
  axisY_->setLabelFormat("%g");
  axisY_->setLabelsFont(labels);
  axisY_->setTitleText(toQString(messages::graphWeightAxis()));
  axisY_->setTitleFont(labels);
  axisY_->setGridLineColor(QColor(220, 220, 220));

  chart_->addAxis(axisX_, Qt::AlignBottom);
  chart_->addAxis(axisY_, Qt::AlignLeft);
  startRun();
}

void CurveGraph::startRun() {
  highlightCurve(-1);
  chart_->removeAllSeries();
  samples_.clear();
  curves_.clear();
  highestWeight_ = 0;
  hoveredName_.clear();
  fitWeightAxis();
  // Sediment is named by its share of gravel, sand, silt and clay: the limits
  // between them stay on the chart.
  for (const report::SizeLimit& limit : report::kSizeLimits) {
    addLimitLine(limit.micrometres);
  }
  emit runStarted();
}

void CurveGraph::attach(QLineSeries* series) {
  chart_->addSeries(series);
  series->attachAxis(axisX_);
  series->attachAxis(axisY_);
}

void CurveGraph::addLimitLine(double diameterMicrometres) {
  auto* line = new QLineSeries;
  const double x = std::log(diameterMicrometres);
  // Taller than any percentage: the axis range clips it.
  line->append(x, 0);
  line->append(x, 100);
  QPen pen(QColor(150, 150, 150));
  pen.setStyle(Qt::DashLine);
  line->setPen(pen);
  attach(line);
}

void CurveGraph::plotCurve(std::string_view sampleName, const CurveValues& x, const CurveValues& y,
                           const SampleComposition& composition) {
  if (curveCount() >= kMostCurves) {
    return;
  }
  QList<QPointF> points;
  points.reserve(kSizeClasses);
  for (int i = 0; i < kSizeClasses; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    points.append(QPointF(x[slot], y[slot]));
    if (std::isfinite(y[slot]) && y[slot] > highestWeight_) {
      highestWeight_ = y[slot];
    }
  }
  const int index = curveCount();
  const QColor color = report::curveColour(index);
  auto* series = new QLineSeries;
  series->setName(toQString(sampleName));
  series->replace(points);
  QPen pen(color);
  pen.setWidth(kCurveWidth);
  series->setPen(pen);
  attach(series);
  connect(series, &QLineSeries::hovered, this,
          [this, index](const QPointF&, bool entered) { onHovered(index, entered); });
  samples_.push_back({std::string(sampleName), composition, color});
  curves_.push_back(series);
  raiseHighlight();

  if (highestWeight_ > axisY_->max()) {
    fitWeightAxis();
  }
  emit curveAdded(index);
}

// Whole-number ticks, at most about five of them, with the highest curve inside.
void CurveGraph::fitWeightAxis() {
  const double top = std::max(highestWeight_, kLowestTopPercent);
  double step = kWeightSteps.back();
  for (const double candidate : kWeightSteps) {
    if (top / candidate <= 5) {
      step = candidate;
      break;
    }
  }
  axisY_->setTickInterval(step);
  axisY_->setRange(0, std::ceil(top / step) * step);
}

void CurveGraph::highlightCurve(int index) {
  if (index < 0 || index >= curveCount()) {
    index = -1;
  }
  if (index == highlighted_) {
    return;
  }
  highlighted_ = index;
  dropHighlight();
  if (index >= 0) {
    addHighlight();
  }
}

void CurveGraph::raiseHighlight() {
  if (highlight_ != nullptr) {
    dropHighlight();
    addHighlight();
  }
}

// A series taken off the chart and added again leaves Qt Charts an item of its earlier
// place, which the next drawing after it is taken off once more reads when gone (the
// window crashed when a new lot was read after two samples had been selected in turn):
// each highlight is a series of its own.
void CurveGraph::addHighlight() {
  const QLineSeries* curve = curves_[static_cast<std::size_t>(highlighted_)];
  highlight_ = new QLineSeries(this);
  highlight_->setObjectName("highlightedCurve");
  highlight_->replace(curve->points());
  QPen pen = curve->pen();
  pen.setWidth(kHighlightedWidth);
  highlight_->setPen(pen);
  connect(highlight_, &QLineSeries::hovered, this,
          [this](const QPointF&, bool entered) { onHighlightHovered(entered); });
  attach(highlight_);
}

void CurveGraph::dropHighlight() {
  if (highlight_ == nullptr) {
    return;
  }
  chart_->removeSeries(highlight_);
  // Later: the pointer's leaving it may be what is being handled.
  highlight_->deleteLater();
  highlight_ = nullptr;
}

// Once the highlight covers the hovered curve the pointer rests on the highlight:
// the curve's leaving is followed at once by the highlight's entering.
void CurveGraph::onHovered(int index, bool entered) {
  if (entered) {
    hoveredName_ = curves_[static_cast<std::size_t>(index)]->name();
    highlightCurve(index);
    showTip(QCursor::pos());
    emit curveHovered(index);
    return;
  }
  leave();
}

void CurveGraph::onHighlightHovered(bool entered) {
  if (entered && highlighted_ >= 0) {
    hoveredName_ = curves_[static_cast<std::size_t>(highlighted_)]->name();
    showTip(QCursor::pos());
    return;
  }
  leave();
}

void CurveGraph::leave() {
  hoveredName_.clear();
  // Hidden only if no other curve was entered by the same pointer move.
  QTimer::singleShot(0, this, [this] {
    if (hoveredName_.isEmpty()) {
      QToolTip::hideText();
    }
  });
}

void CurveGraph::showTip(const QPoint& globalPosition) {
  showLastingTip(globalPosition, pointerTip(), viewport());
}

bool CurveGraph::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::ToolTip:
      showTip(static_cast<QHelpEvent*>(event)->globalPos());
      return true;
    case QEvent::MouseMove:
      // The name follows the pointer along the curve.
      if (!hoveredName_.isEmpty()) {
        showTip(QCursor::pos());
      }
      break;
    default:
      break;
  }
  return QChartView::viewportEvent(event);
}

}  // namespace granomet
