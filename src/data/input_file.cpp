#include "data/input_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <system_error>
#include <utility>

#include "data/file_names.h"
#include "data/read_error.h"
#include "data/system_file.h"

namespace granomet {
namespace {

[[noreturn]] void notAFile(const std::filesystem::path& path, FileKind kind) {
  throw ReadError(kind, utf8Of(path) + " is not a regular file");
}

// Closes the descriptor however reading ends.
class OpenDescriptor {
 public:
  explicit OpenDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~OpenDescriptor() {
    if (descriptor_ >= 0) {
      closeDescriptor(descriptor_);
    }
  }
  OpenDescriptor(OpenDescriptor&& other) noexcept
      : descriptor_(std::exchange(other.descriptor_, -1)) {}
  OpenDescriptor& operator=(OpenDescriptor&&) = delete;
  int get() const { return descriptor_; }

 private:
  int descriptor_;
};

// An input opened for reading after the checks both readers make, with the size it had then.
struct OpenInput {
  OpenDescriptor file;
  std::uintmax_t size;
};

OpenInput openInput(const std::filesystem::path& path) {
  // Looked at before opening: opening some devices already does something.
  if (const FileKind kind = fileKindOf(path); kind != FileKind::Regular) {
    notAFile(path, kind);
  }
  const int descriptor = openToRead(path);
  if (descriptor < 0) {
    throw ReadError(ReadError::Cause::CannotOpen, "cannot open " + utf8Of(path));
  }
  OpenInput input{OpenDescriptor(descriptor), 0};
  // Looked at again on what was opened, in case the name changed hands meanwhile.
  const std::optional<OpenFileInfo> info = infoOfDescriptor(input.file.get());
  if (!info) {
    throw ReadError(ReadError::Cause::Io, "cannot look at " + utf8Of(path));
  }
  if (info->kind != FileKind::Regular) {
    notAFile(path, info->kind);
  }
  if (info->size > kMaxFileBytes) {
    throw ReadError(ReadError::Cause::TooLarge, utf8Of(path) + " is larger than 64 MB");
  }
  input.size = info->size;
  // A regular file never blocks; reads go back to the ordinary mode all the same.
  waitOnDescriptor(input.file.get());
  return input;
}

// Fills bytes from the file as far as it goes; fewer bytes than asked only at its end.
std::size_t readFull(const OpenInput& input, char* bytes, std::size_t count) {
  std::size_t filled = 0;
  while (filled < count) {
    const long long got = readSome(input.file.get(), bytes + filled, count - filled);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      throw ReadError(ReadError::Cause::Io, "read error");
    }
    if (got == 0) {
      break;
    }
    filled += static_cast<std::size_t>(got);
  }
  return filled;
}

[[noreturn]] void tooLarge(const std::filesystem::path& path) {
  throw ReadError(ReadError::Cause::TooLarge, utf8Of(path) + " is larger than 64 MB");
}

// FNV-1a over 64-bit words, the last few bytes one by one: no adversary is expected. Each step is
// a bijection of the state (the prime is odd), so a change confined to one word always gives
// another hash. Word by word, an export of 400 KB takes an eighth of the time byte by byte would.
// Fed in pieces whose lengths are whole words, and a last piece of any length.
class FingerprintHasher {
 public:
  void add(std::string_view bytes) {
    std::size_t at = 0;
    for (; at + sizeof(std::uint64_t) <= bytes.size(); at += sizeof(std::uint64_t)) {
      std::uint64_t word = 0;
      std::memcpy(&word, bytes.data() + at, sizeof word);
      hash_ = (hash_ ^ word) * kPrime;
    }
    for (; at < bytes.size(); ++at) {
      hash_ = (hash_ ^ static_cast<unsigned char>(bytes[at])) * kPrime;
    }
    size_ += bytes.size();
  }
  ContentFingerprint result() const { return {size_, hash_}; }

 private:
  static constexpr std::uint64_t kPrime = 1099511628211ull;
  std::uint64_t hash_ = 14695981039346656037ull;
  std::uintmax_t size_ = 0;
};

}  // namespace

FileKind fileKindOf(const std::filesystem::path& path) {
  return kindAtPath(path);
}

std::string readInputFile(const std::filesystem::path& path) {
  const OpenInput input = openInput(path);
  // Read in place, with a spare byte so that the read that finds the end needs no more
  // room; a file that has grown since it was opened gets more, up to the limit.
  std::string bytes(static_cast<std::size_t>(input.size) + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    filled += readFull(input, bytes.data() + filled, bytes.size() - filled);
    if (filled < bytes.size()) {
      bytes.resize(filled);
      return bytes;
    }
    if (filled > kMaxFileBytes) {
      tooLarge(path);
    }
    bytes.resize(std::min(bytes.size() + 64 * 1024, static_cast<std::size_t>(kMaxFileBytes) + 1));
  }
}

ContentFingerprint fingerprintOf(std::string_view bytes) {
  FingerprintHasher hasher;
  hasher.add(bytes);
  return hasher.result();
}

bool stillHolds(const std::filesystem::path& path, const ContentFingerprint& read) {
  // Hashed as it is read, through one small buffer: the run that asks needs the bytes no more,
  // and a copy of the whole export would cost its pages again.
  const OpenInput input = openInput(path);
  FingerprintHasher hasher;
  constexpr std::size_t kPiece = 64 * 1024;  // whole words, so pieces hash as one text
  const auto buffer = std::make_unique_for_overwrite<char[]>(kPiece);
  for (;;) {
    const std::size_t got = readFull(input, buffer.get(), kPiece);
    hasher.add(std::string_view(buffer.get(), got));
    if (hasher.result().size > kMaxFileBytes) {
      tooLarge(path);
    }
    if (got < kPiece) {
      return hasher.result() == read;
    }
  }
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  if (a.empty() || b.empty()) {
    return false;
  }
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error) && !error) {
    return true;
  }
  const auto spelling = [](const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::absolute(path, ignored).lexically_normal();
  };
#ifdef _WIN32
  // Windows takes a name in any case, and with dots or blanks behind it, for the same file.
  return sameNameOnWindows(spelling(a), spelling(b));
#else
  return spelling(a) == spelling(b);
#endif
}

}  // namespace granomet
