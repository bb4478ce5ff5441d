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
