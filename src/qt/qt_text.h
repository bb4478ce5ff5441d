// Conversion between the program's Windows-1252 bytes and the window's Unicode text.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace granomet {

QString toQString(std::string_view programText);

// Characters that Windows-1252 cannot hold become "?", as the file system's
// 8-bit names would show them.
std::string toProgramText(const QString& text);

}  // namespace granomet
