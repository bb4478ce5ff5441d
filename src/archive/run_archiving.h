// A completed run added to the archive, never stopping the run: what the window and granomet-batch
// call.
#pragma once

#include <filesystem>
#include <string>

#include "archive/archive.h"

namespace granomet {

struct RunArchiving {
  bool archived = false;  // added now, or found already archived
  // UTF-8, one line for the status line or the summary: where it was archived,
  // that it was there already, or that the run was not archived and why.
  std::string text;
};

// Opens the archive at archivePath for writing and adds the run. Never throws: a
// failure (locked, read-only, full, damaged, refused) is told in text.
RunArchiving archiveRun(const std::filesystem::path& archivePath, const RunToArchive& run);

}  // namespace granomet
