// A widget drawing one or more of the lot's views, laid out anew at its size.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace granomet {

// One view laid out in its rectangle: the report's map, plot or profile behind three calls.
struct LotPanel {
  std::function<void(QPainter& painter, int highlighted)> draw;
  std::function<int(QPointF position)> sampleAt;
  std::function<std::optional<QPointF>(int sample)> placeOf;
};

// The views of a rectangle, whose smallest text is textSize (its units: the canvas's pixels).
using LotLayout = std::function<std::vector<LotPanel>(const QRectF& area, double textSize)>;

// Lays its views out when its size or what they show changes, draws them with the
// highlighted sample over the others, tells a click on a sample and names the
// sample under the resting pointer.
class LotCanvas final : public QWidget {
  Q_OBJECT

 public:
  // tipOf: what the tooltip says over a sample.
  LotCanvas(QWidget* parent, LotLayout layout, std::function<QString(int)> tipOf);

  // What the views show changed (the lot, the colours, the background, the font).
  void relayout();
  void setHighlighted(int sample);
  void setTextSize(double pixels);
  std::optional<QPointF> placeOf(int sample) const;
  int sampleAt(QPointF position) const;
  // The views laid out as the canvas shows them, magnified to fill `size` when it is
  // larger, for a saved picture.
  void paintPicture(QPainter& painter, QSize size) const;

 signals:
  void sampleClicked(int sample);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const std::vector<LotPanel>& panels() const;

  LotLayout layout_;
  std::function<QString(int)> tipOf_;
  double textSize_ = 9;
  int highlighted_ = -1;
  mutable std::vector<LotPanel> panels_;
  mutable QSize laidOutSize_;
};

}  // namespace granomet
