#include "qt/qt_regional_settings.h"

#include <QLocale>
#include <QString>

namespace granomet {

QtRegionalSettings::QtRegionalSettings() {
  const QString mark = QLocale::system().decimalPoint();
  // The results file is 8-bit text: a mark outside Latin-1 falls back to a point.
  if (mark.size() == 1 && mark.front().unicode() < 0x80) {
    decimalMark_ = static_cast<char>(mark.front().unicode());
  }
}

}  // namespace granomet
