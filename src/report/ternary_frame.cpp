#include "report/ternary_frame.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace granomet::report {
namespace {

// The centre of mass of a polygon's area (its bounding box's centre when it has none).
QPointF centroidOf(const QPolygonF& polygon) {
  double twiceArea = 0;
  double x = 0;
  double y = 0;
  for (qsizetype i = 0; i < polygon.size(); ++i) {
    const QPointF& a = polygon[i];
    const QPointF& b = polygon[(i + 1) % polygon.size()];
    const double cross = a.x() * b.y() - b.x() * a.y();
    twiceArea += cross;
    x += (a.x() + b.x()) * cross;
    y += (a.y() + b.y()) * cross;
  }
  if (std::fabs(twiceArea) < 1e-9) {
    return polygon.boundingRect().center();
  }
  return {x / (3 * twiceArea), y / (3 * twiceArea)};
}

}  // namespace

double TernaryFrame::heightOfUnit() {
  return std::sqrt(3.0) / 2;
}

QPointF TernaryFrame::at(const TernaryShares& shares) const {
  const PlanePoint point = planePointOf(shares);
  return {origin.x() + point.x * side, origin.y() - point.y * side};
}

TernaryShares TernaryFrame::sharesAt(QPointF point) const {
  return granomet::sharesAt({(point.x() - origin.x()) / side, (origin.y() - point.y()) / side});
}

QPolygonF TernaryFrame::outline() const {
  return QPolygonF{at({100, 0, 0}), at({0, 100, 0}), at({0, 0, 100})};
}

QPolygonF TernaryFrame::polygonOf(const TernaryField& field) const {
  QPolygonF polygon;
  for (const TernaryShares& corner : field.corners) {
    polygon << at(corner);
  }
  return polygon;
}

QRectF fieldNamePlace(const QPolygonF& field, QSizeF size, double step,
                      const std::function<bool(const QRectF&)>& taken) {
  const QPointF centre = centroidOf(field);
  const double width = size.width();
  const double height = size.height();
  const QRectF bounds = field.boundingRect();
  std::vector<QPointF> centres;
  for (double y = bounds.top() + height / 2; y <= bounds.bottom() - height / 2; y += step) {
    for (double x = bounds.left() + width / 2; x <= bounds.right() - width / 2; x += step) {
      centres.emplace_back(x, y);
    }
  }
  const auto distance = [&centre](const QPointF& p) {
    return (p.x() - centre.x()) * (p.x() - centre.x()) +
           (p.y() - centre.y()) * (p.y() - centre.y());
  };
  std::sort(centres.begin(), centres.end(),
            [&](const QPointF& a, const QPointF& b) { return distance(a) < distance(b); });
  for (const QPointF& c : centres) {
    const QRectF box(c.x() - width / 2, c.y() - height / 2, width, height);
    const std::array<QPointF, 4> corners{box.topLeft(), box.topRight(), box.bottomLeft(),
                                         box.bottomRight()};
    const bool inside = std::all_of(corners.begin(), corners.end(), [&field](const QPointF& p) {
      return field.containsPoint(p, Qt::OddEvenFill);
    });
    if (inside && !taken(box)) {
      return box;
    }
  }
  return {};
}

}  // namespace granomet::report
