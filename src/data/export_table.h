// The laser export in memory: sample count, line format, class diameters and frequencies.
#pragma once

#include <cstdint>
#include <string>

#include "data/indexed_array.h"
#include "data/lot_table.h"

namespace granomet {

// 66 classes come from the laser, 67 and 68 are the sieved gravel, 69 and 70 are spare.
inline constexpr int kMaxClasses = 70;
inline constexpr int kLaserClasses = 66;

using ClassRow = IndexedArray<double, kMaxClasses>;

struct ExportTable {
  std::int16_t exportSampleCount = 0;               // sample lines of the file last counted
  std::int16_t trailingComma = 0;                   // 1 when sample lines end with ","
  IndexedArray<float, kMaxClasses> diameters;       // micrometres; every block rewrites 1..66
  IndexedArray<ClassRow, kMaxSamples> frequencies;  // percent, [order number][class]
  std::string exportSampleName;                     // of the block read last
  std::string exportLotName;                        // of the block read last
};

}  // namespace granomet
