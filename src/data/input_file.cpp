#include "data/input_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

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
  ~OpenDescriptor() { closeDescriptor(descriptor_); }
  OpenDescriptor(const OpenDescriptor&) = delete;
  OpenDescriptor& operator=(const OpenDescriptor&) = delete;
  int get() const { return descriptor_; }

 private:
  int descriptor_;
};

}  // namespace

FileKind fileKindOf(const std::filesystem::path& path) {
  return kindAtPath(path);
}

std::string readInputFile(const std::filesystem::path& path) {
  // Looked at before opening: opening some devices already does something.
  if (const FileKind kind = fileKindOf(path); kind != FileKind::Regular) {
    notAFile(path, kind);
  }
  const int descriptor = openToRead(path);
  if (descriptor < 0) {
    throw ReadError(ReadError::Cause::CannotOpen, "cannot open " + utf8Of(path));
  }
  const OpenDescriptor file(descriptor);
  // Looked at again on what was opened, in case the name changed hands meanwhile.
  const std::optional<OpenFileInfo> info = infoOfDescriptor(file.get());
  if (!info) {
    throw ReadError(ReadError::Cause::Io, "cannot look at " + utf8Of(path));
  }
  if (info->kind != FileKind::Regular) {
    notAFile(path, info->kind);
  }
  if (info->size > kMaxFileBytes) {
    throw ReadError(ReadError::Cause::TooLarge, utf8Of(path) + " is larger than 64 MB");
  }
  // A regular file never blocks; reads go back to the ordinary mode all the same.
  waitOnDescriptor(file.get());

  // Read in place, with a spare byte so that the read that finds the end needs no more
  // room; a file that has grown since it was opened gets more, up to the limit.
  std::string bytes(static_cast<std::size_t>(info->size) + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      bytes.resize(std::min(bytes.size() + 64 * 1024, static_cast<std::size_t>(kMaxFileBytes) + 1));
    }
    const long long got = readSome(file.get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      throw ReadError(ReadError::Cause::Io, "read error");
    }
    if (got == 0) {
      bytes.resize(filled);
      return bytes;
    }
    filled += static_cast<std::size_t>(got);
    if (filled > kMaxFileBytes) {
      throw ReadError(ReadError::Cause::TooLarge, utf8Of(path) + " is larger than 64 MB");
    }
  }
}

ContentFingerprint fingerprintOf(std::string_view bytes) {
  // FNV-1a over 64-bit words, the last few bytes one by one: no adversary is expected. Each step
  // is a bijection of the state (the prime is odd), so a change confined to one word always gives
  // another hash. Word by word, an export of 400 KB takes an eighth of the time byte by byte
  // would, which a command-line run, hashing it twice, notices.
  constexpr std::uint64_t kPrime = 1099511628211ull;
  std::uint64_t hash = 14695981039346656037ull;
  std::size_t at = 0;
  for (; at + sizeof(std::uint64_t) <= bytes.size(); at += sizeof(std::uint64_t)) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + at, sizeof word);
    hash = (hash ^ word) * kPrime;
  }
  for (; at < bytes.size(); ++at) {
    hash = (hash ^ static_cast<unsigned char>(bytes[at])) * kPrime;
  }
  return {bytes.size(), hash};
}

bool stillHolds(const std::filesystem::path& path, const ContentFingerprint& read) {
  return fingerprintOf(readInputFile(path)) == read;
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
