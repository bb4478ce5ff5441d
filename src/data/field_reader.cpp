#include "data/field_reader.h"

#include <algorithm>
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
[[noreturn, gnu::noinline, gnu::cold]] void notText() {
  throw ReadError(ReadError::Cause::NotText, "NUL byte");
}

bool isContinuationByte(int c) {
  return (c & 0xC0) == 0x80;
}

}  // namespace

FieldFormat commaFormatOf(std::string_view bytes) {
  return {',', '.', isUtf8Text(bytes)};
}

FieldReader FieldReader::open(const std::filesystem::path& path) {
  return fromBytes(readInputFile(path));
}

FieldReader FieldReader::fromBytes(std::string bytes) {
  FieldReader reader;
  reader.storage_ = std::move(bytes);
  reader.bytes_ = reader.storage_;
  reader.utf8_ = isUtf8Text(reader.bytes_);
  reader.skipByteOrderMark();
  return reader;
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

FieldReader::FieldReader(FieldReader&& other) noexcept {
  *this = std::move(other);
}

FieldReader& FieldReader::operator=(FieldReader&& other) noexcept {
  if (this != &other) {
    // A view of the other's own storage must follow the storage it moves into.
    const bool ownBytes = other.bytes_.data() == other.storage_.data();
    const std::size_t size = other.bytes_.size();
    storage_ = std::move(other.storage_);
    bytes_ = ownBytes ? std::string_view(storage_).substr(0, size) : other.bytes_;
    pos_ = other.pos_;
    fieldPending_ = other.fieldPending_;
    utf8_ = other.utf8_;
    separator_ = other.separator_;
    decimalMark_ = other.decimalMark_;
    other.bytes_ = {};
  }
  return *this;
}

void FieldReader::skipByteOrderMark() {
  if (bytes_.substr(pos_).starts_with(kUtf8ByteOrderMark)) {
    utf8_ = true;
    pos_ += kUtf8ByteOrderMark.size();
  }
}

void FieldReader::hold(std::string& text) const {
  if (utf8_) [[unlikely]] {
    text = utf8ToCp1252(text);
  }
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

std::string FieldReader::readLine() {
  fieldPending_ = false;
  if (peek() == EOF) {
    endOfFile();
  }
  std::string line;
  for (int c = get(); c != EOF; c = get()) {
    if (isLineEnd(c)) {
      consumeLineEnd(c);
      break;
    }
    if (line.size() == kMaxFieldBytes) {
      tooLong();
    }
    line.push_back(static_cast<char>(c));
  }
  hold(line);
  return line;
}

LineSummary FieldReader::skipLine() {
  fieldPending_ = false;
  if (peek() == EOF) {
    endOfFile();
  }
  LineSummary summary;
  for (int c = get(); c != EOF; c = get()) {
    if (isLineEnd(c)) {
      consumeLineEnd(c);
      break;
    }
    if (!utf8_ || !isContinuationByte(c)) {
      ++summary.length;
    }
    summary.lastChar = static_cast<char>(c);
  }
  return summary;
}

std::string FieldReader::takeField() {
  while (isBlank(peek())) {
    ++pos_;
  }
  int c = peek();
  if (c == EOF) {
    if (!std::exchange(fieldPending_, false)) {
      endOfFile();
    }
    return {};
  }
  fieldPending_ = false;
  std::string value;
  if (c == '"') {
    ++pos_;
    for (c = get(); c != EOF && c != '"'; c = get()) {
      if (value.size() == kMaxFieldBytes) {
        tooLong();
      }
      value.push_back(static_cast<char>(c));
    }
    if (c == EOF) {
      throw ReadError(ReadError::Cause::UnclosedQuote, "a quoted field runs to the end of file");
    }
    for (c = peek(); c != EOF && c != separator_ && !isLineEnd(c); c = peek()) {
      ++pos_;
    }
  } else {
    for (; c != EOF && c != separator_ && !isLineEnd(c); c = peek()) {
      if (value.size() == kMaxFieldBytes) {
        tooLong();
      }
      value.push_back(static_cast<char>(c));
      ++pos_;
    }
    while (!value.empty() && isBlank(value.back())) {
      value.pop_back();
    }
  }
  c = get();
  if (c == separator_) {
    fieldPending_ = true;
  } else if (isLineEnd(c)) {
    consumeLineEnd(c);
  }
  hold(value);
  return value;
}

std::string FieldReader::takeNumber() {
  std::string text = takeField();
  return decimalMark_ == ',' ? withDecimalPoint(text) : text;
}

std::string FieldReader::readText() {
  return takeField();
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
