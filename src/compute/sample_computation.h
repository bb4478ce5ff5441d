// Everything computed for one matched sample, in the lab's order, all or nothing.
#pragma once

#include "compute/class_table.h"
#include "compute/sample_results.h"
#include "data/export_table.h"
#include "data/lot_table.h"

namespace granomet {

struct ComputedSample {
  SampleRecord record;    // total and gravel weights replaced by their net values
  ClassRow distribution;  // the 68 combined classes, percent of the shell-free weight
  ClassTable classTable;
  SampleResults results;
};

// Weights and combined distribution, class table, moments, size percentages,
// class. Works on copies, so a ComputeFault leaves nothing half-computed behind.
ComputedSample computeSample(const SampleRecord& record,
                             const IndexedArray<float, kMaxClasses>& diameters,
                             const ClassRow& laserRow);

}  // namespace granomet
