// The calculation button: every record of the export matched, computed, written and drawn.
#pragma once

#include <filesystem>

#include "data/tables.h"
#include "ui/platform.h"
#include "ui/window_operations.h"

namespace granomet {

// Pressed before a lot and an export have been read, it clears the graph and says
// which file is missing (NotStarted). The results file is the name in «Fichero de
// salida» taken as typedResultsName takes it (the box then shows it so) and
// resolved against the current folder, or resultsPath where the caller gives one
// (the command line does). Before anything is written the run may be refused, leaving the window
// as it was: an error message says why (refusalBeforeRun), and a results file
// that exists is replaced only when the user answers Yes to the question, or
// when the caller asked for replacing.
//
// Reads the export again record by record. A matched sample is computed, written
// to the results file (created, replacing any file of that name, at the first
// calculated sample), listed in List1 with its class and drawn; records that
// cannot be used are listed in List2 with a warning (a per-sample one, also kept
// as the item's reason), records of other lots nowhere; when no record is of the
// lot, a warning names the lots the export holds. At the end the count of List1
// names in its tooltip the lot's samples that no record reached, and
// tables.lastRun keeps them with the results file's path. A failure that breaks
// the run (a file that cannot be opened, an export cut off inside a record, a
// results file that cannot be written) is shown in an error message; the lines
// written so far stay. Either way every file is closed, the counts and the
// status line show what was done, and the export and calculation buttons are
// disabled.
enum class RunOutcome { NotStarted, Refused, Completed, Broken };
enum class ExistingResults { Ask, Replace };
RunOutcome calculatot(Tables& tables, WindowOperations& window, const Platform& platform,
                      ExistingResults existing = ExistingResults::Ask,
                      const std::filesystem::path& resultsPath = {});

}  // namespace granomet
