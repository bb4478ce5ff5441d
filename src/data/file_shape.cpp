#include "data/file_shape.h"

#include <algorithm>
#include <cstddef>

#include "data/export_block.h"
#include "data/lot_format.h"

namespace granomet {
namespace {

// An export's sample line has 228 fields; the lines looked at for one.
constexpr std::ptrdiff_t kExportFields = 228;
constexpr int kLinesLookedAt = 10;

bool hasExportFields(std::string_view line) {
  return std::count(line.begin(), line.end(), ',') + 1 >= kExportFields;
}

}  // namespace

FileShape shapeOf(std::string_view bytes) {
  bool exportFields = false;
  std::size_t start = 0;
  for (int line = 1; line <= kLinesLookedAt && start < bytes.size(); ++line) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
    const std::string_view text = bytes.substr(start, end - start);
    if (line > 1 && hasExportFields(text)) {
      if (text.size() > kSampleLineLength) {
        return FileShape::Export;
      }
      exportFields = true;
    }
    start = bytes.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
  }
  return !exportFields && hasLotHeaderLine(bytes) ? FileShape::Lot : FileShape::Neither;
}

}  // namespace granomet
