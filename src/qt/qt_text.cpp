#include "qt/qt_text.h"

#include <QByteArray>

#include "data/text_encoding.h"

namespace granomet {

// Through UTF-8 with the core's own table, so that the window and the files
// agree on every byte.
QString toQString(std::string_view programText) {
  return QString::fromStdString(cp1252ToUtf8(programText));
}

std::string toProgramText(const QString& text) {
  return utf8ToCp1252(text.toStdString());
}

}  // namespace granomet
