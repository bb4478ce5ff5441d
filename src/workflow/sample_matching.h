// One block of the export during a calculation: of another lot, ignored, or matched with its lot
// row.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "data/export_table.h"
#include "data/lot_rereader.h"
#include "data/lot_table.h"
#include "data/read_error.h"
#include "ui/window_operations.h"

namespace granomet {

struct OtherLotRecord {};

// A block of the loaded lot that cannot be used: its red list item and the
// warning that says why.
struct IgnoredRecord {
  std::string listItem;
  MessageRequest warning;
};

// A block whose order number and name agree with the lot row read again at
// that number. Texts are the program's 8-bit text.
struct MatchedRecord {
  std::int16_t orderNumber = 0;
  std::string sampleName;  // as the export writes it
  std::string laserFile;   // "F_" and the laser's result file name
  SampleRecord lotRow;
  const LaserClasses& classes;
};

using ExportRecord = std::variant<OtherLotRecord, IgnoredRecord, MatchedRecord>;

// The lot file could not be read at all during a calculation; ends the run.
struct LotFileUnreadable {
  ReadError error;
};

// Ignored: a name that disagrees with the lot row, no such lot row, a bad
// carbonate. The lot row read again is stored in the lot table, at the row's own
// order number. Throws LotFileUnreadable.
ExportRecord matchRecord(const ExportBlock& block, LotTable& lot, LotRereader& rereader,
                         char decimalMark);

// The warning of a matched record whose sample could not be computed.
IgnoredRecord uncalculated(const MatchedRecord& record, const std::string& cause);

}  // namespace granomet
