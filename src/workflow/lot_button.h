// The lot button: choose a lot file, read it into the lot table and list its samples.
#pragma once

#include "data/tables.h"
#include "ui/platform.h"
#include "ui/window_operations.h"

namespace granomet {

// A read failure shows "Error aproximadamente en la muestra N" (N the order
// number of the last row whose first column was read) followed by the file and
// the cause, leaves what was read in place, keeps the dialog's name so that the
// same file comes back, and disables the export and calculation buttons so that
// no run joins a half-read lot. A file shaped as an export (shapeOf) is
// refused before it is read, and named as such. Cancelling
// the dialog changes nothing: the window keeps its run, its files and its buttons.
void lotebutton(Tables& tables, WindowOperations& window, const Platform& platform);

}  // namespace granomet
