#include "data/export_block.h"

#include <limits>

#include "data/field_number.h"
#include "data/lot_table.h"
#include "data/read_error.h"

namespace granomet {
namespace {

constexpr int kUnusedLeadingFields = 23;
constexpr int kFieldsAfterOrderNumber = 3;  // IP, survey and an empty field

}  // namespace

void countSampleLines(FieldReader& reader, ExportTable& table) {
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

ExportBlockHead readExportBlockHead(FieldReader& reader) {
  for (int field = 1; field <= kUnusedLeadingFields; ++field) {
    reader.skipField();
  }
  ExportBlockHead head;
  head.resultFileName = reader.readText();
  head.sampleName = reader.readText();
  head.lotName = reader.readText();
  head.orderText = reader.readText();
  try {
    const std::int16_t number = fieldInt16(head.orderText);
    if (number >= 1 && number <= kMaxSamples) {
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

LaserClasses readBlockClasses(FieldReader& reader, std::int16_t trailingComma) {
  LaserClasses classes;
  for (int c = 1; c <= kLaserClasses; ++c) {
    classes.diameters[c] = reader.readSingle();
    classes.frequencies[c] = reader.readDouble();
    reader.skipField();
  }
  if (trailingComma == 1) {
    reader.skipField();
  }
  return classes;
}

}  // namespace granomet
