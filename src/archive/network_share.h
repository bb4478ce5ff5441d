// Whether a file lies on a network share, where SQLite's write-ahead log cannot be used safely.
#pragma once

#include <filesystem>

namespace granomet {

// The file's folder (or, for a file not yet made, the nearest folder that exists)
// is on NFS or SMB/CIFS (Linux), or on a remote drive or UNC path (Windows).
// False where it cannot be told.
bool onNetworkShare(const std::filesystem::path& path);

}  // namespace granomet
