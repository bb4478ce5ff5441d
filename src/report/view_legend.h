// What a lot view's colours say: the classes or groups its samples fall in, or the mean's scale.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <utility>
#include <vector>

#include "report/view_text.h"
#include "workflow/lot_view.h"

class QPainter;

namespace granomet::report {

class ViewLegend {
 public:
  ViewLegend(const LotView& view, MapColouring colouring, const LotViewWords& words,
             const ViewText& text);
  QSizeF size() const { return size_; }
  void draw(QPainter& painter, QPointF topLeft) const;

 private:
  double swatch() const;

  const ViewText* text_;
  QFont titleFont_;
  QFont font_;
  QString title_;
  std::vector<std::pair<QColor, QString>> entries_;
  bool meanScale_ = false;
  QSizeF size_;
};

}  // namespace granomet::report
