// Every table the main window owns for its whole life.
#pragma once

#include "data/export_table.h"
#include "data/lot_table.h"

namespace granomet {

// Large (the frequencies alone take 140 KB): owners keep it on the heap.
struct Tables {
  LotTable lot;
  ExportTable exports;
};

}  // namespace granomet
