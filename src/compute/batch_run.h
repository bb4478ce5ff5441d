// The calculation button: every record of the export matched, computed, written and drawn.
#pragma once

#include "data/tables.h"
#include "ui/platform.h"
#include "ui/window_operations.h"

namespace granomet {

// Reads the export again record by record. A matched sample is computed, written
// to the results file (created, replacing any file of that name, at the first
// calculated sample), listed in List1 with its class and drawn; records that
// cannot be used are listed in List2 with a warning, records of other lots
// nowhere. A failure that breaks the run (a file that cannot be opened, an
// export cut off inside a record, a results file that cannot be written) is
// shown in an error message; the lines written so far stay. Either way every
// file is closed, the counts and the status line show what was done, and the
// export and calculation buttons are disabled.
enum class RunOutcome { NotStarted, Completed, Broken };
RunOutcome calculatot(Tables& tables, WindowOperations& window, const Platform& platform);

}  // namespace granomet
