#include "qt/window_geometry.h"

#include <QStringList>

namespace granomet {

QFont windowFont(FontFace face, int pixelSize, bool bold) {
  QFont font;
  const QString designed = face == FontFace::Arial ? "Arial" : "MS Sans Serif";
  font.setFamilies(QStringList{designed, "Liberation Sans", "Arial", "Helvetica"});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

}  // namespace granomet
