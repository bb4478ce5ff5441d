#include "qt/archive_settings.h"

#include <QSettings>
#include <memory>

#include "data/file_names.h"
#include "qt/qt_file_dialog.h"

namespace granomet {
namespace {

constexpr const char* kOrganisation = "Granomet";
constexpr const char* kApplication = "Granomet";
constexpr const char* kPathKey = "archivo/fichero";
constexpr const char* kArchivesRunsKey = "archivo/archivarEjecuciones";

std::unique_ptr<QSettings> settingsOf(const std::filesystem::path& file) {
  if (file.empty()) {
    return std::make_unique<QSettings>(kOrganisation, kApplication);
  }
  return std::make_unique<QSettings>(qtPath(file), QSettings::IniFormat);
}

}  // namespace

ArchiveSettings::ArchiveSettings(EnvironmentLookup environment)
    : environment_(std::move(environment)) {}

ArchiveSettings::ArchiveSettings(EnvironmentLookup environment, std::filesystem::path settingsFile)
    : environment_(std::move(environment)), settingsFile_(std::move(settingsFile)) {}

std::filesystem::path ArchiveSettings::archivePath() const {
  const QString chosen = settingsOf(settingsFile_)->value(kPathKey).toString();
  if (!chosen.isEmpty()) {
    return systemPath(chosen);
  }
#if GRANOMET_ARCHIVE
  return defaultArchivePath(environment_);
#else
  // Built without the archive: no place to keep one.
  return {};
#endif
}

void ArchiveSettings::setArchivePath(const std::filesystem::path& path) {
  const auto settings = settingsOf(settingsFile_);
  if (path.empty()) {
    settings->remove(kPathKey);
  } else {
    settings->setValue(kPathKey, qtPath(path));
  }
}

bool ArchiveSettings::archivesRuns() const {
  return settingsOf(settingsFile_)->value(kArchivesRunsKey, true).toBool();
}

void ArchiveSettings::setArchivesRuns(bool on) {
  settingsOf(settingsFile_)->setValue(kArchivesRunsKey, on);
}

}  // namespace granomet
