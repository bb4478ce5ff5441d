#include "report/view_text.h"

#include <QPaintDevice>
#include <QPainter>

#include "report/report_style.h"

namespace granomet::report {
namespace {

// 72 dots per inch, as QImage rounds its dots per metre.
constexpr int kDotsPerMetre = 2835;

}  // namespace

ViewText::ViewText(double units) : units_(units), measure_(1, 1, QImage::Format_RGB32) {
  measure_.setDotsPerMeterX(kDotsPerMetre);
  measure_.setDotsPerMeterY(kDotsPerMetre);
}

QFont ViewText::font(double scale, bool bold) const {
  QFont font = reportFont(kSmallestPoints, bold);
  font.setPointSizeF(units_ * scale);
  return font;
}

void ViewText::use(QPainter& painter, const QFont& font) {
  QFont scaled = font;
  const int dpi = painter.device() ? painter.device()->logicalDpiY() : kPointsPerInch;
  scaled.setPointSizeF(font.pointSizeF() * kPointsPerInch / (dpi > 0 ? dpi : kPointsPerInch));
  painter.setFont(scaled);
}

}  // namespace granomet::report
