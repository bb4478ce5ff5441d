// The export as its button read it: the layout of its lines and every sample block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/laser_classes.h"

namespace granomet {

// One sample block; its order number is from 1 to 254, or the export was refused.
struct ExportBlock {
  std::string resultFileName;  // field 24
  std::string sampleName;      // field 25, as the file holds it
  std::string lotName;         // field 26, as the file holds it
  std::int16_t orderNumber = 0;
  LaserClasses classes;
};

struct ExportTable {
  std::int16_t exportSampleCount = 0;  // sample lines of the file last counted
  std::int16_t trailingComma = 0;      // 1 when sample lines end with ","
  // Of the export last read whole, in the file's order: the calculation works on
  // these, and refuses to start when the file has changed since.
  std::vector<ExportBlock> blocks;
};

}  // namespace granomet
