// The command line as the system passes it: each argument as a path and as UTF-8 text.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#ifndef NOMINMAX
#define NOMINMAX  // std::min and std::max, not the macros
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#else
#include <unistd.h>
#endif

#include "data/file_names.h"

namespace granomet {

struct CommandArgument {
  std::filesystem::path path;  // opens whatever it names
  std::string text;            // UTF-8, for options and messages
};

// Without the program's name. On Windows the arguments are read as UTF-16: main's
// own arguments come in the ANSI code page, which cannot hold every name.
inline std::vector<CommandArgument> commandArguments([[maybe_unused]] int argc,
                                                     [[maybe_unused]] char** argv) {
  std::vector<CommandArgument> arguments;
#ifdef _WIN32
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  for (int i = 1; wide != nullptr && i < count; ++i) {
    std::filesystem::path path(wide[i]);
    arguments.push_back({path, utf8Of(path)});
  }
  ::LocalFree(wide);
#else
  for (int i = 1; i < argc; ++i) {
    arguments.push_back({std::filesystem::path(argv[i]), argv[i]});
  }
#endif
  return arguments;
}

// What the program prints reaches its output byte for byte: no CR is added before
// each LF on Windows, so listings compare equal with those of other systems.
inline void useBinaryOutput() {
#ifdef _WIN32
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
#endif
}

// Prints UTF-8 text byte for byte to a file or a pipe. A Windows console is given
// it as wide characters, which it shows whatever its code page: a Spanish
// cmd.exe's 850 would show "Ã³" for the bytes of "ó", and even set to UTF-8 the C
// library's writes may cut a character in two.
inline void printText(std::FILE* stream, std::string_view utf8) {
#ifdef _WIN32
  const auto console = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
  DWORD mode = 0;
  if (console != INVALID_HANDLE_VALUE && ::GetConsoleMode(console, &mode) != 0) {
    std::fflush(stream);
    const int bytes = static_cast<int>(utf8.size());
    std::wstring wide(static_cast<std::size_t>(bytes), L'\0');
    wide.resize(static_cast<std::size_t>(
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, wide.data(), bytes)));
    DWORD written = 0;
    ::WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
#endif
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

// Whether a person is watching the stream: progress that pipes and logs need not see.
inline bool isTerminal(std::FILE* stream) {
#ifdef _WIN32
  return ::_isatty(::_fileno(stream)) != 0;
#else
  return ::isatty(::fileno(stream)) != 0;
#endif
}

}  // namespace granomet
