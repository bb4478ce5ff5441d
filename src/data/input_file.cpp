#include "data/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

#include "data/read_error.h"

namespace granomet {
namespace {

FileKind kindOf(mode_t mode) {
  if (S_ISREG(mode)) {
    return FileKind::Regular;
  }
  if (S_ISDIR(mode)) {
    return FileKind::Folder;
  }
  if (S_ISFIFO(mode)) {
    return FileKind::NamedPipe;
  }
  if (S_ISCHR(mode) || S_ISBLK(mode)) {
    return FileKind::Device;
  }
  if (S_ISSOCK(mode)) {
    return FileKind::Socket;
  }
  return FileKind::Special;
}

[[noreturn]] void notAFile(const std::filesystem::path& path, FileKind kind) {
  throw ReadError(kind, path.string() + " is not a regular file");
}

}  // namespace

FileKind fileKindOf(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return FileKind::Regular;
  }
  return kindOf(info.st_mode);
}

InputFile openInputFile(const std::filesystem::path& path) {
  // Looked at before opening: opening some devices already does something.
  if (const FileKind kind = fileKindOf(path); kind != FileKind::Regular) {
    notAFile(path, kind);
  }
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) {
    throw ReadError(ReadError::Cause::CannotOpen, "cannot open " + path.string());
  }
  InputFile file(::fdopen(descriptor, "rb"));
  if (!file) {
    ::close(descriptor);
    throw ReadError(ReadError::Cause::CannotOpen, "cannot open " + path.string());
  }
  // Looked at again on what was opened, in case the name changed hands meanwhile.
  struct stat info {};
  if (::fstat(descriptor, &info) != 0) {
    throw ReadError(ReadError::Cause::Io, "cannot look at " + path.string());
  }
  if (const FileKind kind = kindOf(info.st_mode); kind != FileKind::Regular) {
    notAFile(path, kind);
  }
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxFileBytes) {
    throw ReadError(ReadError::Cause::TooLarge, path.string() + " is larger than 64 MB");
  }
  // A regular file never blocks; reads go back to the ordinary mode all the same.
  ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  return file;
}

std::string readInputFile(const std::filesystem::path& path) {
  const InputFile file = openInputFile(path);
  std::string bytes;
  struct stat info {};
  if (::fstat(::fileno(file.get()), &info) == 0) {
    bytes.reserve(static_cast<std::size_t>(info.st_size));
  }
  char chunk[64 * 1024];
  while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get())) {
    // The file may have grown since it was opened.
    if (bytes.size() + got > kMaxFileBytes) {
      throw ReadError(ReadError::Cause::TooLarge, path.string() + " is larger than 64 MB");
    }
    bytes.append(chunk, got);
  }
  if (std::ferror(file.get()) != 0) {
    throw ReadError(ReadError::Cause::Io, "read error");
  }
  return bytes;
}

std::optional<FileStamp> stampOf(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return std::nullopt;
  }
  FileStamp stamp;
  stamp.size = std::filesystem::file_size(path, error);
  if (error) {
    return std::nullopt;
  }
  stamp.modified = std::filesystem::last_write_time(path, error);
  if (error) {
    return std::nullopt;
  }
  return stamp;
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
  return spelling(a) == spelling(b);
}

}  // namespace granomet
