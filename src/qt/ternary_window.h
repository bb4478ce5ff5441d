// The window of Shepard's ternary diagram: its fields and the calculated samples as points.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "qt/curve_graph.h"
#include "report/ternary_frame.h"
#include "statistics/ternary_diagram.h"

namespace granomet {

// Clay at the top, sand (with its gravel) bottom left, silt bottom right; the
// triangle keeps its shape and grows with the window. Each sample is a point in
// its curve's colour; the highlighted one is drawn larger, over the others.
// Resting the pointer on a point names the sample and its class; elsewhere in
// the triangle, the field under it.
class TernaryWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit TernaryWindow(QWidget* parent);

  // The samples in the order of the graph's curves: a point's index is its curve's.
  void setSamples(const std::vector<PlottedSample>& samples);
  int sampleCount() const { return static_cast<int>(points_.size()); }
  // -1, or a sample the window does not hold, highlights none.
  void highlightSample(int index);
  int highlightedSample() const { return highlighted_; }

  // Where sample `index` is drawn; nullopt for a sample with no place in the
  // triangle (a percentage that is no number).
  std::optional<QPointF> pointOf(int index) const;
  // The sample whose point is under the position, or -1.
  int sampleAt(QPointF position) const;
  // The Shepard class code of the field under the position; nullopt outside the triangle.
  std::optional<int> fieldAt(QPointF position) const;
  // What the tooltip says at the position, empty outside the triangle.
  QString tipAt(QPointF position) const;

 signals:
  // The pointer came to rest on the point of sample `index`.
  void sampleHovered(int index);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  struct Point {
    QString tip;
    std::optional<TernaryShares> shares;
    QColor color;
  };
  // In pixels.
  report::TernaryFrame frame() const;
  // Where each field's name goes, found again when the window's size or its points change.
  const std::vector<QRectF>& fieldNamePlaces() const;
  QPointF toWidget(const TernaryShares& shares) const;
  TernaryShares toShares(QPointF position) const;
  QFont fieldNameFont() const;
  void drawFields(QPainter& painter) const;
  void drawCorners(QPainter& painter) const;
  void drawPoint(QPainter& painter, const Point& point, bool highlighted) const;

  std::vector<TernaryField> fields_;
  std::vector<Point> points_;
  int highlighted_ = -1;
  int hovered_ = -1;
  mutable std::vector<QRectF> namePlaces_;
  mutable QSize namePlacesSize_;
};

}  // namespace granomet
