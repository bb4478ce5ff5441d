#include "report/report_style.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <array>

#include "data/text_encoding.h"

namespace granomet::report {

QFont reportFont(double points, bool bold) {
  QFont font;
  font.setFamilies(QStringList{"Liberation Sans", "Arial", "Helvetica"});
  font.setPointSizeF(points);
  font.setBold(bold);
  // At 72 dots per inch hinting would round every advance to a whole point.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(true);
  return font;
}

QString fromProgramText(std::string_view text) {
  return QString::fromStdString(cp1252ToUtf8(text));
}

void drawTextLine(QPainter& painter, const QRectF& box, Qt::Alignment align, const QString& text) {
  const QFontMetricsF page(painter.font(), painter.device());
  double x = box.left();
  if (align & (Qt::AlignRight | Qt::AlignHCenter)) {
    const double width = page.horizontalAdvance(text);
    x = (align & Qt::AlignRight) ? box.right() - width : box.center().x() - width / 2;
  }
  painter.drawText(QPointF(x, box.top() + page.ascent()), text);
}

QColor curveColour(int index) {
  static constexpr std::array<QRgb, 10> kColours{
      0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd,
      0x8c564b, 0xe377c2, 0x17becf, 0x7f7f7f, 0xbcbd22,
  };
  return QColor(kColours[static_cast<std::size_t>(index) % kColours.size()]);
}

}  // namespace granomet::report
