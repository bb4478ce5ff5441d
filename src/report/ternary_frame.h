// A ternary diagram laid on a surface: the mapping between shares and points, the fields' outlines
// and where a field's name goes; the report's triangles and the window's diagram both draw with it.
#pragma once

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <functional>

#include "statistics/ternary_diagram.h"

namespace granomet::report {

// An equilateral triangle standing on its base: its bottom left corner and its side, in the
// surface's units (y grows downwards).
struct TernaryFrame {
  QPointF origin;
  double side = 0;

  // The height of a triangle of side 1.
  static double heightOfUnit();

  QPointF at(const TernaryShares& shares) const;
  TernaryShares sharesAt(QPointF point) const;
  QPolygonF outline() const;
  QPolygonF polygonOf(const TernaryField& field) const;
};

// Where a field's name of the given size goes: the free place inside the field nearest its
// centre, tried every `step` units; a place is free where taken(box) is false (no point lies
// there). An empty rectangle when there is none: a field too thin for the name, or full of
// points; the key or a tooltip names the field then.
QRectF fieldNamePlace(const QPolygonF& field, QSizeF size, double step,
                      const std::function<bool(const QRectF&)>& taken);

}  // namespace granomet::report
