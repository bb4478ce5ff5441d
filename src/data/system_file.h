// The few file calls the program makes to the system, on the platform's own path type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "data/read_error.h"

namespace granomet {

// Descriptors are binary (a CR LF stays CR LF on Windows too) and never handed to
// a child process. Each call returns -1 (or false) with errno set when it fails.

// Opened without waiting where the system can wait (POSIX): a named pipe would
// block the program until someone wrote to it or read from it.
int openToRead(const std::filesystem::path& path);
// Created, or emptied when it exists; `exclusive` fails on a name already taken.
int openToWrite(const std::filesystem::path& path, bool exclusive);
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
bool truncateTo(int descriptor, long long size);
int closeDescriptor(int descriptor);

int currentProcessId();

}  // namespace granomet
