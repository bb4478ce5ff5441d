// Lot and export files so plain that no reader may refuse them, recognised independently.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace granomet::fuzz {

// A file is plain when its lines end in CR LF (the last one too), it holds no
// NUL byte, lone CR or LF, or byte-order mark, its quoted fields close on their
// line and every number is short digits with at most a point and a sign. Bytes
// above 127 are read one character each, so a plain file holding any holds one
// that UTF-8 never does (C0, C1, F5 to FF).
// Plain files must be read without any message.

// The order numbers of the rows the lot's header asks for, in file order: a
// title line, a header line of nine fields whose ninth is the sample count, two
// lines, then one row of sixteen fields per line with column 1 from 1 to 254.
std::optional<std::vector<int>> plainLotOrders(std::string_view bytes);

// The order numbers of the export's blocks in file order: a heading line, then
// only sample lines (longer than 300 characters) of 228 fields, or 229 with the
// last empty when the first ends with a comma, with field 27 from 1 to 254.
std::optional<std::vector<int>> plainExportOrders(std::string_view bytes);

}  // namespace granomet::fuzz
