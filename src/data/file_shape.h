// What a chosen input file looks like, told from its first lines: a lot, an export, or neither.
#pragma once

#include <string_view>

namespace granomet {

// Told so that a file chosen at the wrong button is named for what it is. Export:
// one of its first lines behind the first is an export's sample line, longer than
// kSampleLineLength with at least 228 comma-separated fields (a lot's rows have
// 16). Lot: no line of as many fields, and its second line a lot's header line
// (hasLotHeaderLine).
enum class FileShape { Neither, Lot, Export };
FileShape shapeOf(std::string_view bytes);

}  // namespace granomet
