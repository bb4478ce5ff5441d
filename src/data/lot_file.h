// The layout of the lot file: its preamble and its sixteen-column sample rows.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "data/field_reader.h"
#include "data/lot_table.h"

namespace granomet {

// Title line, the nine header fields (ip, campaign, sampleCount kept) and the two
// lines behind them; when the header line holds more than nine fields the first
// of those two reads is the rest of that line.
void readLotPreamble(FieldReader& reader, LotHeader& header);

enum class NameSpaces { Trim, Keep };

// Takes the next sixteen fields, whatever lines they span: a row with a
// seventeenth field shifts every later row. Column 1 goes into
// currentOrderNumber before it is checked, so a failure can quote it; an order
// number outside 1..254 throws ReadError(OutOfRange) and stores nothing more.
// The record is stored at the row's own order number, the carbonate left out:
// column 9 is returned as text.
struct LotRow {
  std::int16_t orderNumber = 0;
  std::string carbonateText;
};
LotRow readLotRow(FieldReader& reader, LotTable& table, NameSpaces nameSpaces);

// The calculation's reading of a row: the next sixteen fields, name as read,
// carbonate converted into the record of the row's own order number. Throws
// ReadError, or CarbonateError when column 9 is not a percentage.
std::int16_t readLotRowWithCarbonate(FieldReader& reader, LotTable& table, char decimalMark);

// Column 9 less its last character ("12.5%" gives 12.5), read with the regional
// decimal mark; a point is accepted too, so that "12.5%" is never read as 125.
// Empty or not a number: nullopt.
std::optional<float> parseCarbonate(std::string_view text, char decimalMark);

class CarbonateError : public std::runtime_error {
 public:
  explicit CarbonateError(std::string text)
      : std::runtime_error("carbonate is not a number"), text_(std::move(text)) {}
  // Column 9 as the file holds it.
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace granomet
