#include "report/report_style.h"

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

WrappedText wrapped(const QFontMetricsF& metrics, const QString& text, double width) {
  constexpr double kTall = 1e6;
  const int words = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
  const QRectF box = metrics.boundingRect(QRectF(0, 0, width, kTall), words, text);
  if (box.width() <= width) {
    return {words, box.height()};
  }
  const int anywhere = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;
  return {anywhere, metrics.boundingRect(QRectF(0, 0, width, kTall), anywhere, text).height()};
}

QString fromProgramText(std::string_view text) {
  return QString::fromStdString(cp1252ToUtf8(text));
}

QColor curveColour(int index) {
  static constexpr std::array<QRgb, 10> kColours{
      0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd,
      0x8c564b, 0xe377c2, 0x17becf, 0x7f7f7f, 0xbcbd22,
  };
  return QColor(kColours[static_cast<std::size_t>(index) % kColours.size()]);
}

}  // namespace granomet::report
