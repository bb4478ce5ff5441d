// The calculation's reading of the lot at one order number, from bytes read once per run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/lot_table.h"

namespace granomet {

// Each reading behaves as if the lot file were opened and read from its first
// line (the preamble stored again, orderNumber - 1 lines skipped, one row read),
// but the file is read from disk only once, at the first reading, and the line
// starts found on the way are kept: 254 readings of a 254-row lot stay linear.
class LotRereader {
 public:
  explicit LotRereader(std::filesystem::path path) : path_(std::move(path)) {}

  // Returns the row's own order number. Throws ReadError (CannotOpen and Io
  // when the file cannot be read; EndOfFile, Overflow, OutOfRange for the row)
  // or CarbonateError.
  std::int16_t reread(std::int16_t orderNumber, LotTable& table, char decimalMark);

 private:
  std::size_t lineStart(int line);

  std::filesystem::path path_;
  std::optional<std::string> bytes_;
  // lineStarts_[k]: where the (k+1)-th line behind the preamble begins.
  std::vector<std::size_t> lineStarts_;
};

}  // namespace granomet
