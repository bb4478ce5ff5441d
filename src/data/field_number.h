// Conversion of a field's text to the number widths the files are read with.
#pragma once

#include <cstdint>
#include <string_view>

namespace granomet {

// Numbers are written with a decimal point whatever the regional settings say.
// A text that does not begin with a number reads as 0, and a number followed by
// other characters ("12.5%") reads as its leading number, as the lab's
// spreadsheets have always been read. Values beyond the width throw
// ReadError(Overflow) rather than turning into infinities.
double fieldDouble(std::string_view text);
float fieldSingle(std::string_view text);
// Rounded to the nearest integer, halves to even.
std::int16_t fieldInt16(std::string_view text);

}  // namespace granomet
