// The few file calls the program makes to the system, on the platform's own path type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "data/read_error.h"

namespace granomet {

// Descriptors are binary (a CR LF stays CR LF on Windows too) and never handed to
// a child process. Each call returns -1 (or false) with errno set when it fails.

// Opened without waiting where the system can wait (POSIX): a named pipe would
// block the program until someone wrote to it or read from it.
int openToRead(const std::filesystem::path& path);
// Created, or emptied when it exists; `exclusive` fails on a name already taken.
// `ownerOnly` creates it readable by its owner alone (POSIX), until protectLike
// gives it the protection of the file it is to replace. A file another program
// holds open on Windows fails with EBUSY.
int openToWrite(const std::filesystem::path& path, bool exclusive, bool ownerOnly = false);
// A new folder its owner alone may enter (POSIX; on Windows an ordinary one), made at
// once with that mode; false with errno (EEXIST where the name is taken).
bool createOwnFolder(const std::filesystem::path& path);
// Reads and writes on the descriptor wait again as usual.
void waitOnDescriptor(int descriptor);

// What a path names (a missing path counts as Regular), and what an open
// descriptor is, with its size.
FileKind kindAtPath(const std::filesystem::path& path);
struct OpenFileInfo {
  FileKind kind = FileKind::Regular;
  std::uintmax_t size = 0;
};
std::optional<OpenFileInfo> infoOfDescriptor(int descriptor);

// -1 with errno, else the bytes moved (fewer than asked may be; 0 reading is the end).
long long readSome(int descriptor, char* bytes, std::size_t count);
long long writeSome(int descriptor, const char* bytes, std::size_t count);
// Writes every byte, again after an interrupted call: 0, or the system's error
// (EIO where the system took nothing without saying why).
int writeAll(int descriptor, std::string_view bytes);
bool truncateTo(int descriptor, long long size);
int closeDescriptor(int descriptor);

// Renames `from` over `to`, which it replaces whole at once when it exists; false
// with errno (EBUSY where another program holds `to` open on Windows).
bool renameOver(const std::filesystem::path& from, const std::filesystem::path& to);

// Who may do what with an existing file: its permission bits and owner.
struct FileProtection {
  unsigned mode = 0;
  long long owner = -1;
  long long group = -1;
};
// nullopt when nothing is at the path.
std::optional<FileProtection> protectionAt(const std::filesystem::path& path);
// Whether the mode bits that apply to this process (the owner's, the group's or
// the others'; on Windows the read-only attribute) let it write. Root, who could
// write anyway, is held to the owner's.
bool writableByMode(const FileProtection& protection);
// Gives an open file that replaces another the other's permission bits and, where
// the process may, its owner and group; a group it cannot keep loses the group's
// bits, so no one gains access. False with errno where the bits cannot be set
// and the file's own are wider.
bool protectLike(int descriptor, const FileProtection& protection);

int currentProcessId();

}  // namespace granomet
