// One record of the export during a calculation: of another lot, ignored, or matched with its lot
// row.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "data/field_reader.h"
#include "data/laser_classes.h"
#include "data/lot_rereader.h"
#include "data/lot_table.h"
#include "data/read_error.h"
#include "ui/window_operations.h"

namespace granomet {

struct OtherLotRecord {};

// A record of the loaded lot that cannot be used: its red list item and the
// warning that says why.
struct IgnoredRecord {
  std::string listItem;
  MessageRequest warning;
  // The export ended inside the record's classes, after the record was judged:
  // the warning is shown, then the run breaks.
  std::optional<ReadError> cutOff;
};

// A record whose order number and name agree with the lot row read again at
// that number. Texts are the program's 8-bit text.
struct MatchedRecord {
  std::int16_t orderNumber = 0;
  std::string sampleName;  // as the export writes it
  std::string laserFile;   // "F_" and the laser's result file name
  SampleRecord lotRow;
  LaserClasses classes;
};

using ExportRecord = std::variant<OtherLotRecord, IgnoredRecord, MatchedRecord>;

// The lot file could not be read at all during a calculation; ends the run.
struct LotFileUnreadable {
  ReadError error;
};

// Reads the next record (30 fields, 66 classes of three, and the empty field of
// a trailing comma), so the export is left at the next record in every outcome.
// Ignored: a name that disagrees, a bad order number, no such lot row, a bad
// carbonate, a value too large. The lot row read again is stored in the lot
// table, at the row's own order number. Throws ReadError when the export ends
// inside the record (except as IgnoredRecord::cutOff), LotFileUnreadable.
ExportRecord readNextRecord(FieldReader& exportFile, std::int16_t trailingComma, LotTable& lot,
                            LotRereader& rereader, char decimalMark);

// The warning of a matched record whose sample could not be computed.
IgnoredRecord uncalculated(const MatchedRecord& record, const std::string& cause);

}  // namespace granomet
