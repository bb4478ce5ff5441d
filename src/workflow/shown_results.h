// The samples List1 shows as a run's: the last run's results file, or results files brought back
// from the archive, listed and drawn as a run lists and draws its calculated samples.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "data/tables.h"
#include "ui/window_operations.h"
#include "workflow/results_set.h"

namespace granomet {

// Where the samples of List1 come from, for what is made of them: the lot's views,
// the report and the graph's picture.
struct ShownResults {
  // Read again, in this order; empty when no run wrote one.
  std::vector<std::filesystem::path> files;
  // What is made of them is proposed beside it and named after it: the run's
  // results file, or the archived files' first name in the current folder.
  std::filesystem::path nameBeside;
  // The run's lot (program text); empty: each file's name tells its own.
  std::string lotName;
  // The lot's samples the run did not reach (LastRun::unreachedSamples).
  std::vector<std::string> unreachedSamples;
  bool afterRun = false;
};

// The last run's, as tables.lastRun keeps it.
ShownResults lastRunResults(const Tables& tables);

struct SamplesShown {
  int samples = 0;
  int lots = 0;  // distinct, as the files' names tell them
};

// Clears the graph and both lists, then lists in List1 (its number, name and
// Shepard's class) and draws every sample of the files, file after file, in their
// lines' order, so that the lot's views read from the same files link to the curves;
// the counts and the status line say how many samples of how many lots the archive
// gave.
SamplesShown showArchivedResults(const ResultsSet& results, WindowOperations& window);

}  // namespace granomet
