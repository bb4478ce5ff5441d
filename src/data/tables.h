// What the main window keeps between presses of its buttons.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "data/chosen_files.h"
#include "data/export_table.h"
#include "data/lot_table.h"

namespace granomet {

// What the last calculation left for a later press to use (a report made from the
// window names the samples left out on its first page). The lot button empties it,
// and so does each calculation that starts.
struct LastRun {
  // The results file the run created, as the system opens it; empty when it
  // created none. A run that broke off may leave one holding the lines written.
  std::filesystem::path resultsPath;
  // True when the run went through every record of the export.
  bool completed = false;
  // The lot's samples that no export record of the lot reached: no record at their
  // order number, or only records naming another sample there. Samples that a
  // record reached but that could not be calculated are in the red list instead.
  // Each as "007  M-07": the order number in three digits, two blanks and the name
  // as the lot lists it (Windows-1252), in the lot's order. Filled only by a
  // completed run.
  std::vector<std::string> unreachedSamples;
};

// Large (254 records): owners keep it on the heap. Never cleared: each reading
// overwrites the entries it reaches.
struct Tables {
  LotTable lot;
  ExportTable exports;
  ChosenFiles chosen;
  LastRun lastRun;
};

}  // namespace granomet
