// One block of the export during a calculation: of another lot, ignored, or matched with its lot
// row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "data/chosen_files.h"
#include "data/export_table.h"
#include "data/lot_rereader.h"
#include "data/lot_table.h"
#include "data/read_error.h"
#include "ui/window_operations.h"

namespace granomet {

// lotName: the block's, blanks around it trimmed.
struct OtherLotRecord {
  std::string lotName;
};

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

// The lot's rows that no block of the lot reaches: none has the row's order
// number and name (blanks around either trimmed). A row a block reaches is
// calculated or listed in red with its reason, so these are the samples the run
// would otherwise pass over in silence: measured but not exported, or exported
// under another order number. Each as LastRun keeps it ("007  M-07"), in the
// rows' order.
std::vector<std::string> unreachedSamples(const std::vector<LotRowName>& rows,
                                          const std::vector<ExportBlock>& blocks,
                                          std::string_view lotName);

}  // namespace granomet
