// The export button: choose a laser export file, read its blocks and report repeated order numbers.
#pragma once

#include "data/tables.h"
#include "ui/platform.h"
#include "ui/window_operations.h"

namespace granomet {

// A file that cannot be read (missing, cut off inside a block, an order number
// outside 1..254, more sample lines than a 16-bit count) gives an error message
// naming the file, the block and the cause; the count goes back to 0 and the
// calculation button is disabled, so no run starts on a broken export. So is a
// lot chosen here (no sample line, a lot's header line), named as such.
// Cancelling the dialog changes nothing.
void exportbutton(Tables& tables, WindowOperations& window, const Platform& platform);

}  // namespace granomet
