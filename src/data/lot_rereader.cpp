#include "data/lot_rereader.h"

#include "data/lot_file.h"

namespace granomet {

std::int16_t LotRereader::reread(std::int16_t orderNumber, LotTable& table,
                                 char regionalDecimalMark) {
  // The bytes never change: once the preamble has been read and stored whole,
  // reading it again would store the same values.
  if (lineStarts_.empty()) {
    FieldReader preamble = FieldReader::overBytes(bytes_, format_);
    readLotPreamble(preamble, table.header);
    lineStarts_.push_back(preamble.offset());
  }
  FieldReader row = FieldReader::overBytes(bytes_, format_, lineStart(orderNumber - 1));
  // A spreadsheet that writes decimal commas writes the carbonate with one too.
  const char carbonateMark = format_.decimalMark == ',' ? ',' : regionalDecimalMark;
  return readLotRowWithCarbonate(row, table, carbonateMark);
}

std::size_t LotRereader::lineStart(int skipped) {
  while (static_cast<int>(lineStarts_.size()) <= skipped) {
    FieldReader reader = FieldReader::overBytes(bytes_, format_, lineStarts_.back());
    reader.skipLine();  // throws EndOfFile where the lot has run out of lines
    lineStarts_.push_back(reader.offset());
  }
  return lineStarts_[static_cast<std::size_t>(skipped < 0 ? 0 : skipped)];
}

}  // namespace granomet
