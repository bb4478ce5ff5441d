// The layout of one sample block of the laser export file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/export_table.h"
#include "data/field_reader.h"
#include "data/laser_classes.h"

namespace granomet {

// Lines longer than this are sample lines; shorter ones are not counted.
inline constexpr std::size_t kSampleLineLength = 300;

// From the start of the file: counts the sample lines behind the heading line
// into exportSampleCount and sets trailingComma from the last character of each
// line read while the count is exactly 1. More sample lines than a 16-bit count
// holds throw ReadError(Overflow); an empty file throws ReadError(EndOfFile).
void countSampleLines(FieldReader& reader, ExportTable& table);

struct ExportBlockHead {
  std::string resultFileName;  // field 24
  std::string sampleName;      // field 25, as the file holds it
  std::string lotName;         // field 26, as the file holds it
  std::string orderText;       // field 27 as the file holds it
  // Empty unless field 27 is a number from 1 to 254 (a text that is no number
  // reads as 0), so that nothing is ever stored under a bad order number.
  std::optional<std::int16_t> orderNumber;
};

// Fields 1 to 30.
ExportBlockHead readExportBlockHead(FieldReader& reader);

// Fields 31 to 228 (66 triples of diameter, frequency and a discarded
// cumulative value), then the empty field behind a trailing comma. A value too
// large for its width throws ReadError(Overflow).
LaserClasses readBlockClasses(FieldReader& reader, std::int16_t trailingComma);

}  // namespace granomet
