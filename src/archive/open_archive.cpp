#include "archive/open_archive.h"

#include "archive/sqlite_archive.h"
#include "data/file_names.h"

namespace granomet {

std::filesystem::path defaultArchivePath(const EnvironmentLookup& environment) {
#ifdef _WIN32
  const auto local = environment("LOCALAPPDATA");
  if (!local || local->empty()) {
    return {};
  }
  return pathOfUtf8(*local) / "Granomet" / "archivo.gpkg";
#else
  // The XDG base directories: a relative XDG_DATA_HOME is to be ignored.
  if (const auto data = environment("XDG_DATA_HOME");
      data && !data->empty() && data->front() == '/') {
    return std::filesystem::path(*data) / "granomet" / "archivo.gpkg";
  }
  const auto home = environment("HOME");
  if (!home || home->empty()) {
    return {};
  }
  return std::filesystem::path(*home) / ".local" / "share" / "granomet" / "archivo.gpkg";
#endif
}

std::unique_ptr<Archive> openArchive(const std::filesystem::path& path, ArchiveAccess access) {
  return std::make_unique<SqliteArchive>(path, access);
}

}  // namespace granomet
