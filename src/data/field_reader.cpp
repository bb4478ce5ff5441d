#include "data/field_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "data/field_number.h"
#include "data/read_error.h"
#include "data/text_encoding.h"

namespace granomet {
namespace {

bool isBlank(int c) {
  return c == ' ' || c == '\t';
}
bool isLineEnd(int c) {
  return c == '\r' || c == '\n';
}

[[noreturn]] void endOfFile() {
  throw ReadError(ReadError::Cause::EndOfFile, "unexpected end of file");
}

// Out of line, so that the per-byte paths stay small enough to inline.
[[noreturn, gnu::noinline, gnu::cold]] void tooLong() {
  throw ReadError(ReadError::Cause::TooLong, "a field or line longer than 1 MB");
}
[[noreturn, gnu::noinline, gnu::cold]] void unclosedQuote() {
  throw ReadError(ReadError::Cause::UnclosedQuote, "a quoted field runs to the end of file");
}
[[noreturn, gnu::noinline, gnu::cold]] void notText() {
  throw ReadError(ReadError::Cause::NotText, "NUL byte");
}

bool isContinuationByte(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

}  // namespace

FieldFormat commaFormatOf(std::string_view bytes) {
  return {',', '.', isUtf8Text(bytes)};
}

FieldReader FieldReader::overBytes(std::string_view bytes, const FieldFormat& format,
                                   std::size_t start) {
  FieldReader reader;
  reader.bytes_ = bytes;
  reader.utf8_ = format.utf8;
  reader.separator_ = format.separator;
  reader.decimalMark_ = format.decimalMark;
  // The mark at the bytes' start rules wherever the reading starts.
  reader.skipByteOrderMark();
  reader.pos_ = std::max(reader.pos_, std::min(start, bytes.size()));
  return reader;
}

void FieldReader::skipByteOrderMark() {
  if (bytes_.substr(pos_).starts_with(kUtf8ByteOrderMark)) {
    utf8_ = true;
    pos_ += kUtf8ByteOrderMark.size();
  }
}

std::string_view FieldReader::held(std::string_view text) {
  return utf8_ ? heldFromUtf8(text) : text;
}

std::string_view FieldReader::heldFromUtf8(std::string_view text) {
  const bool ascii = std::all_of(text.begin(), text.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (!ascii) {
    converted_ = utf8ToCp1252(text);
    return converted_;
  }
  return text;
}

int FieldReader::peek() {
  if (pos_ >= bytes_.size()) {
    return EOF;
  }
  const auto c = static_cast<unsigned char>(bytes_[pos_]);
  // No text file holds a NUL: it is a damaged file, UTF-16, or no text at all.
  if (c == '\0') [[unlikely]] {
    notText();
  }
  return c;
}

int FieldReader::get() {
  const int c = peek();
  if (c != EOF) {
    ++pos_;
  }
  return c;
}

bool FieldReader::atEnd() {
  return peek() == EOF && !fieldPending_;
}

void FieldReader::consumeLineEnd(int c) {
  if (c == '\r' && peek() == '\n') {
    ++pos_;
  }
}

// The scans below look at each byte in place, in the order the per-byte rules
// give: a NUL is met where it lies, a field or line too long where its byte past
// the limit lies.
std::size_t FieldReader::lineEnd(bool limited) {
  const std::size_t start = pos_;
  const char* const data = bytes_.data();
  const std::size_t size = bytes_.size();
  // Found with memchr, which looks at many bytes at once: the first LF, an
  // earlier CR, then a NUL before them or a line past the limit.
  std::size_t end = size;
  if (const void* lf = std::memchr(data + start, '\n', size - start)) {
    end = static_cast<std::size_t>(static_cast<const char*>(lf) - data);
  }
  if (const void* cr = std::memchr(data + start, '\r', end - start)) {
    end = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
  }
  const bool tooLongLine = limited && end - start > kMaxFieldBytes;
  // The byte just past the limit is looked at for a NUL before the line is too long.
  const std::size_t scanned = tooLongLine ? kMaxFieldBytes + 1 : end - start;
  if (const void* nul = std::memchr(data + start, '\0', scanned)) {
    pos_ = static_cast<std::size_t>(static_cast<const char*>(nul) - data);
    notText();
  }
  if (tooLongLine) {
    pos_ = start + kMaxFieldBytes + 1;
    tooLong();
  }
  pos_ = end;
  if (pos_ < size) {
    consumeLineEnd(get());
  }
  return end;
}

std::string FieldReader::readLine() {
  fieldPending_ = false;
  if (peek() == EOF) {
    endOfFile();
  }
  const std::size_t start = pos_;
  const std::size_t end = lineEnd(true);
  return std::string(held(bytes_.substr(start, end - start)));
}

LineSummary FieldReader::skipLine() {
  fieldPending_ = false;
  if (peek() == EOF) {
    endOfFile();
  }
  const std::size_t start = pos_;
  const std::size_t end = lineEnd(false);
  LineSummary summary;
  const std::string_view line = bytes_.substr(start, end - start);
  summary.length =
      utf8_ ? static_cast<std::size_t>(std::count_if(
                  line.begin(), line.end(),
                  [](char c) { return !isContinuationByte(static_cast<unsigned char>(c)); }))
            : line.size();
  summary.lastChar = line.empty() ? '\0' : line.back();
  return summary;
}

std::string_view FieldReader::takeField() {
  // Scanned with locals: the reader's own members, stored to at every byte, would be
  // read again after each byte loaded, since a char may alias them.
  const char* const data = bytes_.data();
  const std::size_t size = bytes_.size();
  const char separator = separator_;
  std::size_t pos = pos_;
  while (pos < size && isBlank(data[pos])) {
    ++pos;
  }
  if (pos >= size) {
    pos_ = pos;
    if (!std::exchange(fieldPending_, false)) {
      endOfFile();
    }
    return {};
  }
  fieldPending_ = false;
  std::string_view value;
  if (data[pos] == '"') {
    const std::size_t start = ++pos;
    for (;; ++pos) {
      if (pos >= size) {
        pos_ = pos;
        unclosedQuote();
      }
      const char byte = data[pos];
      if (byte == '\0') [[unlikely]] {
        pos_ = pos;
        notText();
      }
      if (byte == '"') {
        break;
      }
      if (pos - start == kMaxFieldBytes) [[unlikely]] {
        pos_ = pos + 1;
        tooLong();
      }
    }
    value = std::string_view(data + start, pos - start);
    ++pos;
    for (; pos < size; ++pos) {
      const char byte = data[pos];
      if (byte == '\0') [[unlikely]] {
        pos_ = pos;
        notText();
      }
      if (byte == separator || isLineEnd(byte)) {
        break;
      }
    }
  } else {
    const std::size_t start = pos;
    // The byte past the longest field is looked at too: a NUL there is no text, a
    // separator or line end ends a field of the greatest length.
    const std::size_t limit = std::min(size, start + kMaxFieldBytes + 1);
    for (; pos < limit; ++pos) {
      const char byte = data[pos];
      // NUL, LF and CR all lie below '\r' + 1: one test passes most bytes on.
      if (static_cast<unsigned char>(byte) <= '\r' || byte == separator) {
        if (byte == '\0') [[unlikely]] {
          pos_ = pos;
          notText();
        }
        if (byte == separator || isLineEnd(byte)) {
          break;
        }
      }
    }
    if (pos - start > kMaxFieldBytes) [[unlikely]] {
      pos_ = start + kMaxFieldBytes;
      tooLong();
    }
    value = std::string_view(data + start, pos - start);
    while (!value.empty() && isBlank(value.back())) {
      value.remove_suffix(1);
    }
  }
  // The separator or line end behind the field; a CR's next byte is looked at as a byte
  // read, so a NUL there is found now.
  if (pos < size) {
    const char end = data[pos++];
    if (end == separator) {
      fieldPending_ = true;
    } else if (end == '\r' && pos < size) {
      if (data[pos] == '\0') [[unlikely]] {
        pos_ = pos;
        notText();
      }
      pos += data[pos] == '\n' ? 1 : 0;
    }
  }
  pos_ = pos;
  return held(value);
}

std::string_view FieldReader::takeNumber() {
  const std::string_view text = takeField();
  if (decimalMark_ == ',') {
    converted_ = withDecimalPoint(text);
    return converted_;
  }
  return text;
}

std::string FieldReader::readText() {
  return std::string(takeField());
}
std::int16_t FieldReader::readInt16() {
  return fieldInt16(takeNumber());
}
float FieldReader::readSingle() {
  return fieldSingle(takeNumber());
}
double FieldReader::readDouble() {
  return fieldDouble(takeNumber());
}
void FieldReader::skipField() {
  (void)takeField();
}

}  // namespace granomet
