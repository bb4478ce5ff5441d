// Where the archive is and how it is opened.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "archive/archive.h"

namespace granomet {

// An environment variable's value; nullopt where it is not set. Passed in, so that
// tests choose the environment.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The default archive: $XDG_DATA_HOME/granomet/archivo.gpkg ($HOME/.local/share
// when XDG_DATA_HOME is unset, empty or relative) on Linux,
// %LOCALAPPDATA%\Granomet\archivo.gpkg on Windows. Empty where neither can be told.
std::filesystem::path defaultArchivePath(const EnvironmentLookup& environment);

enum class ArchiveAccess {
  Read,  // listing, exporting, checking: a missing archive is an error, never created
  Write  // adding runs: a missing archive is created, with its folder
};

// Opens the archive at path. A file there that is not one of the program's
// archives, or comes from a newer version, is refused and left untouched; an older
// one is brought to the current layout inside a transaction after a copy of it is
// kept beside it. Throws ArchiveError.
std::unique_ptr<Archive> openArchive(const std::filesystem::path& path, ArchiveAccess access);

}  // namespace granomet
