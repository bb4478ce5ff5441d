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

  // The archive in use: the one chosen, else the default place.
  std::filesystem::path archivePath() const;
  // Empty goes back to the default place.
  void setArchivePath(const std::filesystem::path& path);
  bool archivesRuns() const;
  void setArchivesRuns(bool on);

 private:
  EnvironmentLookup environment_;
};

}  // namespace granomet
