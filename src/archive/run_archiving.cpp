#include "archive/run_archiving.h"

#include "archive/open_archive.h"
#include "workflow/messages.h"

namespace granomet {

RunArchiving archiveRun(const std::filesystem::path& archivePath, const RunToArchive& run) {
  try {
    const auto archive = openArchive(archivePath, ArchiveAccess::Write);
    const AddedRun added = archive->addRun(run);
    if (added.end == AddRunEnd::AlreadyArchived) {
      return {true, messages::runAlreadyArchived(archive->location())};
    }
    return {true, messages::runArchived(archive->location(), added.samples)};
  } catch (const ArchiveError& error) {
    return {false, messages::runNotArchived(error.what())};
  } catch (const std::exception& error) {
    // Memory or the library's own failures: the run stands, the archive is told.
    return {false, messages::runNotArchived(error.what())};
  }
}

}  // namespace granomet
