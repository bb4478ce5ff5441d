// The failures of reading an input file, each with the cause the user is told.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace granomet {

// What a path that is not a regular file is; a missing file counts as regular.
enum class FileKind { Regular, Folder, NamedPipe, Device, Socket, Special };

class ReadError : public std::runtime_error {
 public:
  enum class Cause {
    CannotOpen,     // the file is missing or unreadable
    EndOfFile,      // the file ends where a line or field is expected
    Overflow,       // a number too large for the width it is read into
    OutOfRange,     // an order number outside 1..254
    Io,             // the system failed while reading
    NotText,        // a NUL byte: a damaged file, UTF-16 or no text at all
    UnclosedQuote,  // a field opened by a double quote runs to the end of the file
    TooLong,        // a field or line longer than kMaxFieldBytes
    TooLarge,       // a file larger than kMaxFileBytes
    NotAFile,       // a folder, named pipe, device or socket; fileKind says which
  };

  ReadError(Cause cause, const std::string& detail, std::string subject = {})
      : std::runtime_error(detail), cause_(cause), subject_(shortened(std::move(subject))) {}
  ReadError(FileKind kind, const std::string& detail)
      : std::runtime_error(detail), cause_(Cause::NotAFile), fileKind_(kind) {}

  Cause cause() const { return cause_; }
  // The offending field's text as the file holds it, where there is one; a long
  // one cut to its start, since messages quote it.
  const std::string& subject() const { return subject_; }
  FileKind fileKind() const { return fileKind_; }

 private:
  static std::string shortened(std::string text) {
    constexpr std::size_t kShown = 40;
    if (text.size() > kShown) {
      text.resize(kShown);
      text += "...";
    }
    return text;
  }

  Cause cause_;
  std::string subject_;
  FileKind fileKind_ = FileKind::Regular;
};

}  // namespace granomet
