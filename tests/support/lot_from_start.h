// A lot row read the plain way, from the file's first line: what the rereader must agree with.
#pragma once

#include <cstdint>

#include "data/field_reader.h"
#include "data/lot_file.h"

namespace granomet {

// The preamble, orderNumber - 1 whole lines, then one row with its name as read
// and its carbonate converted. Throws as readLotRowWithCarbonate does.
inline std::int16_t rereadLotRow(FieldReader& reader, std::int16_t orderNumber, LotTable& table,
                                 char decimalMark) {
  readLotPreamble(reader, table.header);
  for (int line = 1; line < orderNumber; ++line) {
    reader.skipLine();
  }
  return readLotRowWithCarbonate(reader, table, decimalMark);
}

}  // namespace granomet
