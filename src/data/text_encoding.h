// Conversion between the program's Windows-1252 bytes and UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace granomet {

// Lossless: the five bytes that Windows-1252 leaves undefined map to the C1
// control characters of the same value and back.
std::string cp1252ToUtf8(std::string_view text);

// What a file saved as UTF-8 may begin with; such a file's texts are converted.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Characters that Windows-1252 cannot hold, and malformed UTF-8, become "?".
std::string utf8ToCp1252(std::string_view text);

// Whether a file is UTF-8 without a mark: well-formed throughout (as
// utf8ToCp1252 judges it) and holding at least one character of several bytes. A
// file of plain ASCII is not, since it reads the same in either code; a
// Windows-1252 "ñ" between ASCII letters is malformed UTF-8, so lab files in that
// code page are told apart at their first accent.
bool isUtf8Text(std::string_view bytes);

}  // namespace granomet
