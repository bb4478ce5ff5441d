#include "compute/lot_rereader.h"

#include <cstdio>
#include <memory>

#include "data/field_reader.h"
#include "data/lot_file.h"
#include "data/read_error.h"

namespace granomet {
namespace {

std::string readWholeFile(const std::filesystem::path& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             &std::fclose);
  if (!file) {
    throw ReadError(ReadError::Cause::CannotOpen, "cannot open " + path.string());
  }
  std::string bytes;
  char chunk[64 * 1024];
  while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get())) {
    if (bytes.size() + got > kMaxFileBytes) {
      throw ReadError(ReadError::Cause::TooLarge, path.string() + " is larger than 64 MB");
    }
    bytes.append(chunk, got);
  }
  if (std::ferror(file.get()) != 0) {
    throw ReadError(ReadError::Cause::Io, "read error");
  }
  return bytes;
}

}  // namespace

std::int16_t LotRereader::reread(std::int16_t orderNumber, LotTable& table, char decimalMark) {
  if (!bytes_) {
    bytes_ = readWholeFile(path_);
  }
  FieldReader preamble = FieldReader::overBytes(*bytes_);
  readLotPreamble(preamble, table.header);
  if (lineStarts_.empty()) {
    lineStarts_.push_back(preamble.offset());
  }
  FieldReader row = FieldReader::overBytes(*bytes_, lineStart(orderNumber - 1));
  return readLotRowWithCarbonate(row, table, decimalMark);
}

std::size_t LotRereader::lineStart(int skipped) {
  while (static_cast<int>(lineStarts_.size()) <= skipped) {
    FieldReader reader = FieldReader::overBytes(*bytes_, lineStarts_.back());
    reader.skipLine();  // throws EndOfFile where the lot has run out of lines
    lineStarts_.push_back(reader.offset());
  }
  return lineStarts_[static_cast<std::size_t>(skipped < 0 ? 0 : skipped)];
}

}  // namespace granomet
