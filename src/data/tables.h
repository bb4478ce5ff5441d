// What the main window keeps between presses of its buttons.
#pragma once

#include "data/chosen_files.h"
#include "data/export_table.h"
#include "data/lot_table.h"

namespace granomet {

// Large (254 records): owners keep it on the heap. Never cleared: each reading
// overwrites the entries it reaches.
struct Tables {
  LotTable lot;
  ExportTable exports;
  ChosenFiles chosen;
};

}  // namespace granomet
