#include "data/system_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <process.h>
#include <stdlib.h>
#ifndef NOMINMAX
#define NOMINMAX  // std::min and std::max, not the macros
#endif
#include <windows.h>
#else
#include <unistd.h>

#include <vector>
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

#ifdef _WIN32
// The C library tells a file another program holds open (Excel keeps a CSV it
// shows so) as EACCES, like a refused permission: the Windows error tells them apart.
int errnoOfWindowsError(unsigned long windowsError, int otherwise) {
  switch (windowsError) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return EBUSY;
    case ERROR_ACCESS_DENIED:
      return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
      return EINVAL;
    default:
      return otherwise;
  }
}

// After a C library call on a file failed: errno from the Windows error it met.
int failedOpen(int descriptor) {
  if (descriptor < 0) {
    errno = errnoOfWindowsError(static_cast<unsigned long>(_doserrno), errno);
  }
  return descriptor;
}
#endif

}  // namespace

int openToRead(const std::filesystem::path& path) {
#ifdef _WIN32
  return failedOpen(::_wopen(path.c_str(), _O_RDONLY | kCommonFlags));
#else
  return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | kCommonFlags);
#endif
}

int openToWrite(const std::filesystem::path& path, bool exclusive,
                [[maybe_unused]] bool ownerOnly) {
  const int creation = exclusive ? O_CREAT | O_EXCL : O_CREAT | O_TRUNC;
#ifdef _WIN32
  return failedOpen(
      ::_wopen(path.c_str(), _O_WRONLY | creation | kCommonFlags, _S_IREAD | _S_IWRITE));
#else
  return ::open(path.c_str(), O_WRONLY | O_NONBLOCK | creation | kCommonFlags,
                ownerOnly ? 0600 : 0666);
#endif
}

bool createOwnFolder(const std::filesystem::path& path) {
#ifdef _WIN32
  return ::_wmkdir(path.c_str()) == 0;
#else
  return ::mkdir(path.c_str(), 0700) == 0;
#endif
}

void waitOnDescriptor([[maybe_unused]] int descriptor) {
#ifndef _WIN32
  ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
#endif
}

namespace {
// The system's facts about what a path names (links followed); false where nothing is there.
bool statAt(const std::filesystem::path& path, StatBuffer& info) {
#ifdef _WIN32
  return ::_wstat64(path.c_str(), &info) == 0;
#else
  return ::stat(path.c_str(), &info) == 0;
#endif
}
}  // namespace

FileKind kindAtPath(const std::filesystem::path& path) {
  StatBuffer info{};
  return statAt(path, info) ? kindOf(static_cast<unsigned>(info.st_mode)) : FileKind::Regular;
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

int writeAll(int descriptor, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const long long written = writeSome(descriptor, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return written < 0 ? errno : EIO;
    }
    done += static_cast<std::size_t>(written);
  }
  return 0;
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

bool renameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef _WIN32
  if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0) {
    return true;
  }
  errno = errnoOfWindowsError(::GetLastError(), EIO);
  // A file another program holds open fails as access denied too: opening it as
  // a rename would open it tells the two apart.
  if (errno == EACCES) {
    const HANDLE probe =
        ::CreateFileW(to.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
      ::CloseHandle(probe);
    } else if (::GetLastError() == ERROR_SHARING_VIOLATION) {
      errno = EBUSY;
    }
  }
  return false;
#else
  return ::rename(from.c_str(), to.c_str()) == 0;
#endif
}

std::optional<FileProtection> protectionAt(const std::filesystem::path& path) {
  StatBuffer info{};
  if (!statAt(path, info)) {
    return std::nullopt;
  }
  return FileProtection{static_cast<unsigned>(info.st_mode), static_cast<long long>(info.st_uid),
                        static_cast<long long>(info.st_gid)};
}

#ifndef _WIN32
namespace {
bool amongOwnGroups(long long group) {
  if (static_cast<long long>(::getegid()) == group) {
    return true;
  }
  std::vector<gid_t> groups(static_cast<std::size_t>(::getgroups(0, nullptr)) + 1);
  const int count = ::getgroups(static_cast<int>(groups.size()), groups.data());
  for (int i = 0; i < count; ++i) {
    if (static_cast<long long>(groups[static_cast<std::size_t>(i)]) == group) {
      return true;
    }
  }
  return false;
}
}  // namespace
#endif

bool writableByMode(const FileProtection& protection) {
#ifdef _WIN32
  return (protection.mode & _S_IWRITE) != 0;
#else
  // Root, who may write anything, honours the owner's own protection.
  const uid_t user = ::geteuid();
  if (user == 0 || static_cast<long long>(user) == protection.owner) {
    return (protection.mode & S_IWUSR) != 0;
  }
  if (amongOwnGroups(protection.group)) {
    return (protection.mode & S_IWGRP) != 0;
  }
  return (protection.mode & S_IWOTH) != 0;
#endif
}

bool protectLike([[maybe_unused]] int descriptor,
                 [[maybe_unused]] const FileProtection& protection) {
#ifdef _WIN32
  // A new file is writable, as the one it replaces was (a read-only one is refused).
  return true;
#else
  auto mode = static_cast<mode_t>(protection.mode & 0777);
  const auto owner = static_cast<uid_t>(protection.owner);
  const auto group = static_cast<gid_t>(protection.group);
  if (::fchown(descriptor, owner, group) != 0 &&
      ::fchown(descriptor, static_cast<uid_t>(-1), group) != 0) {
    struct stat now {};
    if (::fstat(descriptor, &now) != 0 || now.st_gid != group) {
      mode &= ~static_cast<mode_t>(S_IRWXG);
    }
  }
  if (::fchmod(descriptor, mode) == 0) {
    return true;
  }
  // A file system without modes (a FAT memory stick) refuses any change and shows
  // every file alike: what it shows must only be no wider than the old mode.
  const int systemError = errno;
  struct stat now {};
  if (::fstat(descriptor, &now) == 0 && (now.st_mode & 0777 & ~mode) == 0) {
    return true;
  }
  errno = systemError;
  return false;
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
