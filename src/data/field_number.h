// Conversion of a field's text to the number widths the files are read with.
#pragma once

#include <cstdint>
#include <string>
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

// A number of a file written with decimal commas, rewritten with a decimal point
// for the conversions above: "-6,427" gives -6.427 and "1.234,5" 1234.5, since
// a Spanish-language spreadsheet groups thousands with points. A point that does
// not group thousands ("2.08") is a decimal point: such a spreadsheet keeps a
// number typed that way as the text it was given.
std::string withDecimalPoint(std::string_view text);

}  // namespace granomet
