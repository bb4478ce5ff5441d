// A CSV field in double quotes, as the results file and the statistics table write their texts.
#pragma once

#include <string>
#include <string_view>

namespace granomet {

// A double quote inside is doubled, so a database or spreadsheet import still
// counts the line's fields.
inline void appendQuoted(std::string& line, std::string_view field) {
  line += '"';
  for (std::size_t quote = field.find('"'); quote != std::string_view::npos;
       quote = field.find('"')) {
    line.append(field.substr(0, quote + 1));
    line += '"';
    field.remove_prefix(quote + 1);
  }
  line.append(field);
  line += '"';
}

}  // namespace granomet
