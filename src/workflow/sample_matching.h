// One record of the export during a calculation: of another lot, ignored, or matched and loaded.
#pragma once

#include <cstdint>
#include <string>

#include "data/field_reader.h"
#include "data/lot_rereader.h"
#include "data/read_error.h"
#include "ui/window_operations.h"
#include "workflow/tables.h"

namespace granomet {

enum class RecordOutcome { OtherLot, Ignored, Matched };

struct RecordResult {
  RecordOutcome outcome = RecordOutcome::OtherLot;
  std::int16_t currentSample = 0;  // the matched sample's order number
};

// The lot file could not be read at all during a calculation; ends the run.
struct LotFileUnreadable {
  ReadError error;
};

// Reads the next record (30 fields, 66 classes of three, and the empty field of
// a trailing comma), so the export is left at the next record in every outcome.
// A record of the loaded lot whose order number and name agree with the lot row
// read again at that number is loaded into the tables. A record that cannot be
// used (a name that disagrees, a bad order number, no such lot row, a bad
// carbonate, a value too large) is ignored: listed in List2 with a warning.
// Throws ReadError when the export ends inside the record, LotFileUnreadable.
RecordResult handleNextRecord(FieldReader& exportFile, Tables& tables, LotRereader& lot,
                              WindowOperations& window, char decimalMark);

// List2 gets "NAME ¿n?" and a warning names the sample and why (cause: 8-bit
// text) it was not calculated.
void reportUncalculated(WindowOperations& window, const std::string& exportSampleName,
                        const std::string& orderText, const std::string& cause);

}  // namespace granomet
