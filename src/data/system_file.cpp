#include "data/system_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace granomet {
namespace {

#ifdef _WIN32
using StatBuffer = struct _stat64;
constexpr int kCommonFlags = _O_BINARY | _O_NOINHERIT;
#else
using StatBuffer = struct stat;
constexpr int kCommonFlags = O_CLOEXEC;
#endif

FileKind kindOf(unsigned mode) {
  switch (mode & S_IFMT) {
    case S_IFREG:
      return FileKind::Regular;
    case S_IFDIR:
      return FileKind::Folder;
#ifdef S_IFIFO
    case S_IFIFO:
      return FileKind::NamedPipe;
#endif
    case S_IFCHR:
#ifdef S_IFBLK
    case S_IFBLK:
#endif
      return FileKind::Device;
#ifdef S_IFSOCK
    case S_IFSOCK:
      return FileKind::Socket;
#endif
    default:
      return FileKind::Special;
  }
}

}  // namespace

int openToRead(const std::filesystem::path& path) {
#ifdef _WIN32
  return ::_wopen(path.c_str(), _O_RDONLY | kCommonFlags);
#else
  return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | kCommonFlags);
#endif
}

int openToWrite(const std::filesystem::path& path, bool exclusive) {
  const int creation = exclusive ? O_CREAT | O_EXCL : O_CREAT | O_TRUNC;
#ifdef _WIN32
  return ::_wopen(path.c_str(), _O_WRONLY | creation | kCommonFlags, _S_IREAD | _S_IWRITE);
#else
  return ::open(path.c_str(), O_WRONLY | O_NONBLOCK | creation | kCommonFlags, 0666);
#endif
}

void waitOnDescriptor([[maybe_unused]] int descriptor) {
#ifndef _WIN32
  ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
#endif
}

FileKind kindAtPath(const std::filesystem::path& path) {
  StatBuffer info{};
#ifdef _WIN32
  const int status = ::_wstat64(path.c_str(), &info);
#else
  const int status = ::stat(path.c_str(), &info);
#endif
  return status == 0 ? kindOf(static_cast<unsigned>(info.st_mode)) : FileKind::Regular;
}

std::optional<OpenFileInfo> infoOfDescriptor(int descriptor) {
  StatBuffer info{};
#ifdef _WIN32
  const int status = ::_fstat64(descriptor, &info);
#else
  const int status = ::fstat(descriptor, &info);
#endif
  if (status != 0) {
    return std::nullopt;
  }
  return OpenFileInfo{kindOf(static_cast<unsigned>(info.st_mode)),
                      static_cast<std::uintmax_t>(info.st_size)};
}

namespace {
// The Windows calls take an unsigned int count.
[[maybe_unused]] unsigned windowsCount(std::size_t count) {
  constexpr std::size_t kLargest = std::size_t{1} << 30;
  return static_cast<unsigned>(count < kLargest ? count : kLargest);
}
}  // namespace

long long readSome(int descriptor, char* bytes, std::size_t count) {
#ifdef _WIN32
  return ::_read(descriptor, bytes, windowsCount(count));
#else
  return ::read(descriptor, bytes, count);
#endif
}

long long writeSome(int descriptor, const char* bytes, std::size_t count) {
#ifdef _WIN32
  return ::_write(descriptor, bytes, windowsCount(count));
#else
  return ::write(descriptor, bytes, count);
#endif
}

bool truncateTo(int descriptor, long long size) {
#ifdef _WIN32
  return ::_chsize_s(descriptor, size) == 0 && ::_lseeki64(descriptor, size, SEEK_SET) == size;
#else
  return ::ftruncate(descriptor, static_cast<off_t>(size)) == 0 &&
         ::lseek(descriptor, static_cast<off_t>(size), SEEK_SET) == static_cast<off_t>(size);
#endif
}

int closeDescriptor(int descriptor) {
#ifdef _WIN32
  return ::_close(descriptor);
#else
  return ::close(descriptor);
#endif
}

int currentProcessId() {
#ifdef _WIN32
  return ::_getpid();
#else
  return static_cast<int>(::getpid());
#endif
}

}  // namespace granomet
