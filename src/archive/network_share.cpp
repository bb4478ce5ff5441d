#include "archive/network_share.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/vfs.h>
#endif

#include <string>
#include <system_error>

namespace granomet {
namespace fs = std::filesystem;
namespace {

// The nearest part of the path that exists: the file, or a folder above it.
fs::path existingPart(const fs::path& path) {
  std::error_code error;
  fs::path part = fs::absolute(path, error);
  if (error) {
    part = path;
  }
  while (!part.empty() && !fs::exists(part, error)) {
    const fs::path parent = part.parent_path();
    if (parent == part) {
      break;
    }
    part = parent;
  }
  return part;
}

}  // namespace

bool onNetworkShare(const fs::path& path) {
  const fs::path existing = existingPart(path);
#ifdef _WIN32
  const std::wstring name = existing.wstring();
  if (name.rfind(L"\\\\", 0) == 0 || name.rfind(L"//", 0) == 0) {
    return true;  // UNC: \\server\share
  }
  const std::wstring root = existing.root_path().wstring();
  return !root.empty() && GetDriveTypeW(root.c_str()) == DRIVE_REMOTE;
#else
  struct statfs info {};
  if (statfs(existing.c_str(), &info) != 0) {
    return false;
  }
  // The file system magic numbers of linux/magic.h and the CIFS client.
  constexpr unsigned long kNfs = 0x6969;
  constexpr unsigned long kSmb = 0x517B;
  constexpr unsigned long kCifs = 0xFF534D42;
  constexpr unsigned long kSmb2 = 0xFE534D42;
  const auto type = static_cast<unsigned long>(info.f_type) & 0xFFFFFFFFUL;
  return type == kNfs || type == kSmb || type == kCifs || type == kSmb2;
#endif
}

}  // namespace granomet
