// Splits a results file into records and fields as a CSV reader that knows doubled quotes does.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace granomet::fuzz {

struct ResultsField {
  std::string text;  // without its quotes, a doubled quote made single
  bool quoted = false;
};
using ResultsRecord = std::vector<ResultsField>;

// The records, or why the bytes are not whole records each ended by CR LF: a
// line cut off, a lone CR or LF outside quotes, a quote that never closes, a
// quote inside a bare field or text behind a closing quote. A line end inside
// quotes belongs to its field, as CSV readers take it. No bytes, no records.
std::variant<std::vector<ResultsRecord>, std::string> parseResults(std::string_view bytes);

}  // namespace granomet::fuzz
