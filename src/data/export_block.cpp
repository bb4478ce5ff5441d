#include "data/export_block.h"

#include <limits>

#include "data/field_number.h"
#include "data/read_error.h"

namespace granomet {
namespace {

constexpr int kUnusedLeadingFields = 23;
constexpr int kFieldsAfterOrderNumber = 3;  // IP, survey and an empty field
constexpr int kFieldsPerClass = 3;

[[noreturn]] void badOrderNumber(const std::string& text) {
  throw ReadError(ReadError::Cause::OutOfRange, "order number outside 1..254", text);
}

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
  const std::string orderText = reader.readText();
  try {
    head.orderNumber = fieldInt16(orderText);
  } catch (const ReadError&) {
    badOrderNumber(orderText);
  }
  if (!decltype(table.frequencies)::contains(head.orderNumber)) {
    badOrderNumber(orderText);
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
