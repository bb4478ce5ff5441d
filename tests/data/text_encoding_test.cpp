// Conversion between the program's Windows-1252 bytes and UTF-8.
#include "data/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace granomet {
namespace {

// Both ways, except where Windows-1252 cannot hold the character: a question mark
// stands for it, and nothing comes back.
TEST(TextEncoding, ConvertsBothWaysAndMarksWhatWindows1252CannotHold) {
  for (const auto& [cp1252, utf8, bothWays] :
       {std::tuple{"abc, 1.5\r\n", "abc, 1.5\r\n", true},
        {"\xF1", "ñ", true},
        {"\xBA", "º", true},
        {"\xB5", "µ", true},
        {"\x80", "€", true},
        {"\x9F", "Ÿ", true},
        {"\xA0", "\xC2\xA0", true},
        {"\xFF", "ÿ", true},
        // Bytes Windows-1252 leaves undefined travel as the C1 controls of the same value.
        {"\x81", "\xC2\x81", true},
        {"Espa\xF1ol, N\xBA 5", "Español, Nº 5", true},
        {"?=1", "Ω=1", false},
        {"?", "中", false},
        {"a?b", "a😀b", false},     // outside the BMP
        {"a?z", "a\x80z", false},  // a lone continuation byte
        {"a?z", "a\xFFz", false},  // an invalid byte
        {"?(", "\xC3(", false},    // a lead byte followed by ASCII
        {"x?", "x\xC3", false},    // a lead byte at the end
        // Overlong forms are malformed: they must not smuggle in "/" or "A".
        {"??", "\xC0\xAF", false},
        {"???", "\xE0\x81\x81", false}}) {
    SCOPED_TRACE(utf8);
    EXPECT_EQ(utf8ToCp1252(utf8), cp1252);
    if (bothWays) {
      EXPECT_EQ(cp1252ToUtf8(cp1252), utf8);
    }
  }
  // Every byte survives the round trip.
  for (int byte = 0; byte < 256; ++byte) {
    const std::string text(1, static_cast<char>(byte));
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(text)), text) << "byte " << byte;
  }
}

// A file is taken as UTF-8 without a mark only when nothing in it could be Windows-1252 text.
TEST(TextEncoding, TellsAUtf8FileWithoutAMark) {
  for (const auto& [name, bytes, utf8] :
       {std::tuple{"accents in UTF-8", "arena m\xC3\xA1s gruesa", true},
        {"accents in Windows-1252", "arena m\xE1s gruesa", false},
        {"plain ASCII reads the same either way", "Arena fina, 12.5%", false},
        {"empty", "", false},
        {"a UTF-8 file with one Windows-1252 byte", "Espa\xC3\xB1o, Espa\xF1o", false},
        {"outside the BMP", "a\xF0\x9F\x98\x80", true},
        {"cut off at the end", "oliv\xC3", false},
        {"overlong", "\xC0\xAF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
        {"byte-order mark alone", "\xEF\xBB\xBF", true},
        {"an accent behind eight ASCII bytes", "12345678\xC3\xB1", true},
        {"Windows-1252 behind eight ASCII bytes", "12345678\xF1", false},
        // Windows-1252 "Ã¡" is the UTF-8 of "á": such a file is read as UTF-8.
        {"Windows-1252 that happens to be UTF-8", "\xC3\xA1", true}}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(isUtf8Text(bytes), utf8);
  }
}

}  // namespace
}  // namespace granomet
