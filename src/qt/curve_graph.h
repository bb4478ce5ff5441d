// The main window's graph: one curve of class weight against ln(diameter) per calculated sample.
#pragma once

#include <QChartView>
#include <string_view>

#include "ui/window_operations.h"

class QCategoryAxis;
class QValueAxis;
class QLineSeries;

namespace granomet {

// A run's curves join on one chart, up to the 254 samples a lot can hold; a new
// run clears it. The x axis is the natural logarithm of the diameter, labelled in
// µm and mm, with the gravel (2 mm), sand (63 µm) and silt (4 µm) limits drawn as
// dashed lines. Resting the pointer on a curve shows its sample's name and draws
// the curve wider.
class CurveGraph final : public QChartView, public Graph {
 public:
  // decimalMark: the regional mark, for the axis labels below 1 µm.
  CurveGraph(QWidget* parent, char decimalMark);

  void startRun() override;
  void plotCurve(std::string_view sampleName, const CurveValues& x, const CurveValues& y,
                 const SampleComposition& composition) override;

  int curveCount() const { return curveCount_; }
  // The name of the curve under the pointer, or empty.
  QString hoveredName() const { return hoveredName_; }

 private:
  void addLimitLine(double diameterMicrometres);
  void fitWeightAxis();
  void onHovered(QLineSeries* series, bool entered);

  QChart* chart_;
  QCategoryAxis* axisX_;
  QValueAxis* axisY_;
  int curveCount_ = 0;
  double highestWeight_ = 0;
  QString hoveredName_;
};

}  // namespace granomet
