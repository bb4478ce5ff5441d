// What the export button learnt of the export's layout, for the calculation that reads it again.
#pragma once

#include <cstdint>

namespace granomet {

struct ExportTable {
  std::int16_t exportSampleCount = 0;  // sample lines of the file last counted
  std::int16_t trailingComma = 0;      // 1 when sample lines end with ","
};

}  // namespace granomet
