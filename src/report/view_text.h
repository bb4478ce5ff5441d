// The lot views' text, laid out in the drawing device's own units (the page's points, the
// window's pixels) before a device is at hand, and drawn at that size on any device.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QString>

class QPainter;

namespace granomet::report {

class ViewText {
 public:
  // units: the smallest text's size in the device's units.
  explicit ViewText(double units);
  double units() const { return units_; }
  // The view's font `scale` times the smallest size, and its metrics in device units.
  QFont font(double scale = 1, bool bold = false) const;
  QFontMetricsF metrics(const QFont& font) const { return QFontMetricsF(font, &measure_); }
  // Sets the font on the painter at the size it was measured at, whatever the device's
  // resolution.
  static void use(QPainter& painter, const QFont& font);

 private:
  double units_;
  QImage measure_;  // a device of 72 dots per inch, where a point is a unit
};

}  // namespace granomet::report
