// Sequential reader of a text file's bytes, by whole lines or by comma-separated fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "data/input_file.h"

namespace granomet {

// No field or line of a lab file comes near this; it bounds what one field holds.
inline constexpr std::size_t kMaxFieldBytes = std::size_t{1} << 20;

// How a file's fields are written. The analyser and an English-language
// spreadsheet write commas and decimal points; a Spanish-language spreadsheet's
// "CSV" has semicolons and decimal commas. Either may be saved as UTF-8.
struct FieldFormat {
  char separator = ',';
  char decimalMark = '.';
  bool utf8 = false;  // texts are turned into Windows-1252 as they are read
  bool operator==(const FieldFormat&) const = default;
};

// Commas and decimal points, UTF-8 when the bytes are (isUtf8Text).
FieldFormat commaFormatOf(std::string_view bytes);

// What the export's counting pass needs of a line without keeping the line.
struct LineSummary {
  std::size_t length = 0;
  char lastChar = '\0';  // '\0' for an empty line
};

// Text stays 8-bit bytes as the file holds them, except in a UTF-8 file (one that
// begins with the byte-order mark, or whose format says so): its texts are turned
// into Windows-1252 and its line lengths count characters. CR LF, LF and a lone
// CR all end a line. Failures throw ReadError (EndOfFile, Overflow, NotText at a
// NUL byte, UnclosedQuote, TooLong); the file itself is loaded by readInputFile.
class FieldReader {
 public:
  // Reads bytes the caller keeps alive for the reader's lifetime, from `start`; a
  // byte-order mark at the bytes' first byte counts wherever `start` lies.
  static FieldReader overBytes(std::string_view bytes, const FieldFormat& format,
                               std::size_t start = 0);

  // The text up to the next line end, without it.
  std::string readLine();
  LineSummary skipLine();

  // Skips blanks, then takes one field up to the next separator or line end and
  // consumes it. Numbers are read with the format's decimal mark. A field opened by a double quote
  // runs to the next double quote (across line ends); what follows the closing quote up to the
  // separator is dropped. An unquoted field loses its trailing blanks.
  std::string readText();
  std::int16_t readInt16();
  float readSingle();
  double readDouble();
  void skipField();

  // True when nothing is left, not even the empty field a final comma promises.
  bool atEnd();
  // Position in the bytes read.
  std::size_t offset() const { return pos_; }

 private:
  FieldReader() = default;

  int peek();
  int get();
  void consumeLineEnd(int c);
  void skipByteOrderMark();
  // Views into the bytes, or into converted_ where the text had to change.
  std::string_view takeField();
  // A field that holds a number, with a decimal point whatever the format's mark.
  std::string_view takeNumber();
  // Ends at the next line end and steps over it; returns where the line ends.
  std::size_t lineEnd(bool limited);
  // A UTF-8 file's text turned into the Windows-1252 the program holds.
  std::string_view held(std::string_view text);
  std::string_view heldFromUtf8(std::string_view text);

  std::string_view bytes_;  // what is being read: storage_ or the caller's bytes
  std::string converted_;   // the last text that differs from its bytes
  std::size_t pos_ = 0;
  // A separator promises one more field even when the file ends right behind it.
  bool fieldPending_ = false;
  bool utf8_ = false;  // UTF-8 by the format or by the byte-order mark
  char separator_ = ',';
  char decimalMark_ = '.';
};

}  // namespace granomet
