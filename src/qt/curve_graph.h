// The main window's graph: one curve of class weight against ln(diameter) per calculated sample.
#pragma once

#include <QChartView>
#include <QColor>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window_operations.h"

class QCategoryAxis;
class QValueAxis;
class QLineSeries;

namespace granomet {

// A drawn curve's sample, as the ternary diagram shows it.
struct PlottedSample {
  std::string name;  // the program's 8-bit text
  SampleComposition composition;
  QColor color;
};

// A run's curves join on one chart, up to the 254 samples a lot can hold; a new
// run clears it. The x axis is the natural logarithm of the diameter, labelled in
// µm and mm, with the gravel (2 mm), sand (63 µm) and silt (4 µm) limits drawn as
// dashed lines. Resting the pointer on a curve names its sample for as long as it
// rests there and makes it the highlighted curve: drawn wider, over all others.
class CurveGraph final : public QChartView, public Graph {
  Q_OBJECT

 public:
  // decimalMark: the regional mark, for the axis labels below 1 µm.
  CurveGraph(QWidget* parent, char decimalMark);

  void startRun() override;
  void plotCurve(std::string_view sampleName, const CurveValues& x, const CurveValues& y,
                 const SampleComposition& composition) override;

  int curveCount() const { return static_cast<int>(samples_.size()); }
  // The drawn curves, in the order plotted.
  const std::vector<QLineSeries*>& curves() const { return curves_; }
  const std::vector<PlottedSample>& samples() const { return samples_; }
  // The name of the curve under the pointer, or empty.
  QString hoveredName() const { return hoveredName_; }

  // Draws curve `index` (counted from 0 in the order plotted) wider and over the
  // others; -1, or a curve the graph does not hold, highlights none.
  void highlightCurve(int index);
  int highlightedCurve() const { return highlighted_; }

  // Shown while the pointer rests on the graph but on no curve.
  void setPointerHint(QString hint) { pointerHint_ = std::move(hint); }
  // What the tooltip shows where the pointer is now.
  QString pointerTip() const { return hoveredName_.isEmpty() ? pointerHint_ : hoveredName_; }

 signals:
  // The pointer came to rest on curve `index`.
  void curveHovered(int index);
  // The graph was cleared for a run.
  void runStarted();
  // Curve `index` was drawn: plotted curves beyond the graph's 254 are not.
  void curveAdded(int index);

 protected:
  // Qt's own tooltip handling would hide a curve's name a moment after it shows.
  bool viewportEvent(QEvent* event) override;

 private:
  void addLimitLine(double diameterMicrometres);
  void attach(QLineSeries* series);
  void fitWeightAxis();
  void onHovered(int index, bool entered);
  void onHighlightHovered(bool entered);
  void leave();
  void showTip(const QPoint& globalPosition);
  // Keeps the highlight the last series added, so that it is drawn over all others.
  void raiseHighlight();
  void addHighlight();
  void dropHighlight();

  QChart* chart_;
  QCategoryAxis* axisX_;
  QValueAxis* axisY_;
  std::vector<PlottedSample> samples_;
  std::vector<QLineSeries*> curves_;
  // A copy of the highlighted curve's points, drawn over the others: a series has no
  // stacking order of its own, and moving the curve itself would lose the pointer.
  QLineSeries* highlight_ = nullptr;
  int highlighted_ = -1;
  double highestWeight_ = 0;
  QString hoveredName_;
  QString pointerHint_;
};

}  // namespace granomet
