// Where the window's archive is and whether each run goes into it, remembered between sessions.
#pragma once

#include <filesystem>

#include "archive/open_archive.h"

namespace granomet {

// Kept in the program's QSettings (organisation and application "Granomet"), keys
// "archivo/fichero" (empty: the default place) and "archivo/archivarEjecuciones"
// (true unless turned off).
class ArchiveSettings {
 public:
  // environment: for the default place (the program passes the process's).
  explicit ArchiveSettings(EnvironmentLookup environment);
  // Kept in this INI file instead, so that a test keeps its own whatever the user chose.
  ArchiveSettings(EnvironmentLookup environment, std::filesystem::path settingsFile);

  // The archive in use: the one chosen, else the default place.
  std::filesystem::path archivePath() const;
  // Empty goes back to the default place.
  void setArchivePath(const std::filesystem::path& path);
  bool archivesRuns() const;
  void setArchivesRuns(bool on);

 private:
  EnvironmentLookup environment_;
  std::filesystem::path settingsFile_;  // empty: the program's QSettings
};

}  // namespace granomet
