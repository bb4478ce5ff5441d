#include "qt/qt_text.h"

#include <QByteArray>
#include <QTextCodec>

namespace granomet {
namespace {

QTextCodec& windows1252() {
  // Qt owns its codecs for the life of the process; Core5Compat always has this one.
  return *QTextCodec::codecForName("Windows-1252");
}

}  // namespace

QString toQString(std::string_view programText) {
  return windows1252().toUnicode(programText.data(), static_cast<int>(programText.size()));
}

std::string toProgramText(const QString& text) {
  const QByteArray bytes = windows1252().fromUnicode(text);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace granomet
