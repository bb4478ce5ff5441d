// Every table the main window owns for its whole life.
#pragma once

#include <string>

#include "compute/class_table.h"
#include "compute/sample_results.h"
#include "data/chosen_files.h"
#include "data/export_table.h"
#include "data/indexed_array.h"
#include "data/lot_table.h"

namespace granomet {

// Large (the frequencies alone take 140 KB): owners keep it on the heap. Never
// cleared: each reading or computation overwrites the entries it reaches.
struct Tables {
  LotTable lot;
  ExportTable exports;
  // Per order number, "F_" and the laser's result file name of the sample's record.
  IndexedArray<std::string, kMaxSamples> laserFile;
  IndexedArray<SampleResults, kMaxSamples> results;
  ClassTable classTable;  // of the sample computed last
  ChosenFiles chosen;
};

}  // namespace granomet
