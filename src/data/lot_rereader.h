// The calculation's reading of the lot at one order number, from the bytes the lot button kept.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "data/field_reader.h"
#include "data/lot_table.h"

namespace granomet {

// Each reading behaves as if the lot file were opened and read from its first
// line (the preamble stored again, orderNumber - 1 lines skipped, one row read),
// but it reads the bytes the lot button read, and keeps the line starts found on
// the way: 254 readings of a 254-row lot stay linear.
class LotRereader {
 public:
  // bytes: kept alive by the caller for the rereader's lifetime.
  LotRereader(std::string_view bytes, const FieldFormat& format) : bytes_(bytes), format_(format) {}

  // Stores into the same table at every call. Returns the row's own order
  // number. The carbonate is read with the regional
  // decimal mark, or with a comma in a lot written with decimal commas. Throws
  // ReadError (EndOfFile, Overflow, OutOfRange, NotText, UnclosedQuote, TooLong)
  // or CarbonateError.
  std::int16_t reread(std::int16_t orderNumber, LotTable& table, char regionalDecimalMark);

 private:
  std::size_t lineStart(int line);

  std::string_view bytes_;
  FieldFormat format_;
  // lineStarts_[k]: where the (k+1)-th line behind the preamble begins.
  std::vector<std::size_t> lineStarts_;
};

}  // namespace granomet
