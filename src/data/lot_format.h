// How a lot file is written, recognised from its header line, the file's second line.
#pragma once

#include <stdexcept>
#include <string_view>

#include "data/field_reader.h"

namespace granomet {

// A lot's header line holds nine fields. With commas between them the lot is read
// with decimal points; with semicolons (the "CSV" of a Spanish-language
// spreadsheet) with decimal commas. UTF-8 is recognised either way. A file that
// ends before its header line is complete is taken as commas, so that its reading
// says where it ends. Throws LotFormatError when the header line holds nine fields
// with neither separator.
FieldFormat lotFormatOf(std::string_view bytes);

// Whether the file's second line is a whole header line of nine or more fields
// with commas or with semicolons, as a lot's is.
bool hasLotHeaderLine(std::string_view bytes);

class LotFormatError : public std::runtime_error {
 public:
  LotFormatError(char separatorFound, int fields)
      : std::runtime_error("the lot's header line has neither nine comma nor semicolon fields"),
        separatorFound_(separatorFound),
        fields_(fields) {}

  // The separator the header line uses most: ',', ';', '\t' or '|'; '\0' for none.
  char separatorFound() const { return separatorFound_; }
  // The header line's fields with that separator.
  int fields() const { return fields_; }

 private:
  char separatorFound_;
  int fields_;
};

}  // namespace granomet
