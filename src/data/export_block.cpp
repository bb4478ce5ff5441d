#include "data/export_block.h"

#include <limits>

#include "data/field_number.h"
#include "data/read_error.h"

namespace granomet {
namespace {

constexpr int kUnusedLeadingFields = 23;
constexpr int kFieldsAfterOrderNumber = 3;  // IP, survey and an empty field
constexpr int kFieldsPerClass = 3;

}  // namespace

void countSampleLines(const std::filesystem::path& path, ExportTable& table) {
  FieldReader reader = FieldReader::open(path);
  reader.skipLine();
  std::int16_t count = 0;
  while (!reader.atEnd()) {
    const LineSummary line = reader.skipLine();
    if (line.length > kSampleLineLength) {
      if (count == std::numeric_limits<std::int16_t>::max()) {
        throw ReadError(ReadError::Cause::Overflow, "too many sample lines");
      }
      ++count;
    }
    if (count == 1) {
      table.trailingComma = line.lastChar == ',' ? 1 : 0;
    }
  }
  table.exportSampleCount = count;
}

ExportBlockHead readExportBlockHead(FieldReader& reader, ExportTable& table) {
  for (int field = 1; field <= kUnusedLeadingFields; ++field) {
    reader.skipField();
  }
  ExportBlockHead head;
  head.resultFileName = reader.readText();
  table.exportSampleName = reader.readText();
  table.exportLotName = reader.readText();
  head.orderText = reader.readText();
  try {
    const std::int16_t number = fieldInt16(head.orderText);
    if (decltype(table.frequencies)::contains(number)) {
      head.orderNumber = number;
    }
  } catch (const ReadError&) {
    // Beyond 16 bits: no order number at all.
  }
  for (int field = 0; field < kFieldsAfterOrderNumber; ++field) {
    reader.skipField();
  }
  return head;
}

void readExportClasses(FieldReader& reader, ExportTable& table, std::int16_t orderNumber) {
  ClassRow& row = table.frequencies[orderNumber];
  for (int c = 1; c <= kLaserClasses; ++c) {
    table.diameters[c] = reader.readSingle();
    row[c] = reader.readDouble();
    reader.skipField();
  }
  if (table.trailingComma == 1) {
    reader.skipField();
  }
}

void skipExportClasses(FieldReader& reader, std::int16_t trailingComma) {
  for (int field = 0; field < kLaserClasses * kFieldsPerClass; ++field) {
    reader.skipField();
  }
  if (trailingComma == 1) {
    reader.skipField();
  }
}

}  // namespace granomet
