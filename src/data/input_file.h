// Opening a file the user chose as input: a regular file no larger than a lab file can be.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "data/read_error.h"

namespace granomet {

// No lab file comes near this; it bounds what one press reads and holds, whatever
// file is chosen. The largest export a 16-bit sample count allows, 32767 lines of
// about 1.8 KB, stays below it.
inline constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{64} << 20;

// The whole file, opened without waiting: a named pipe would block the window until
// someone wrote to it. A folder, pipe, device or socket throws ReadError(NotAFile),
// whose subject says what it is; a missing or unreadable file CannotOpen; a file
// beyond kMaxFileBytes TooLarge; a failed read Io.
std::string readInputFile(const std::filesystem::path& path);

// What a file held when a button read it, in a few bytes: a later reading of
// another fingerprint is no longer the file that was read, whatever its size and
// modification time say (a copy over it may keep both).
struct ContentFingerprint {
  std::uintmax_t size = 0;
  std::uint64_t hash = 0;
  bool operator==(const ContentFingerprint&) const = default;
};

ContentFingerprint fingerprintOf(std::string_view bytes);

// Whether the file at path still holds what was read as `read`; a file that can
// no longer be read throws readInputFile's ReadError.
bool stillHolds(const std::filesystem::path& path, const ContentFingerprint& read);

// Whether two paths name the same file, however spelt or linked; a path not yet
// made is compared by its spelling, made absolute and normal (on Windows as the
// system compares names, sameNameOnWindows).
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// What a path is; a regular or missing file is Regular.
FileKind fileKindOf(const std::filesystem::path& path);

}  // namespace granomet
