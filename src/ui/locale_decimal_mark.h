// The decimal mark a locale name such as "es_ES.UTF-8" stands for, as Qt's locale data gives it.
#pragma once

#include <string_view>

namespace granomet {

// The name that decides how numbers are written: the first of LC_ALL, LC_NUMERIC
// and LANG that is not empty (empty when none is), the order Qt reads them in.
std::string_view numericLocaleName(std::string_view lcAll, std::string_view lcNumeric,
                                   std::string_view lang);

// ',' or '.' for a name language[_Script][_TERRITORY][.codeset][@modifier], letters
// in either case, "-" taken as "_". The mark is Qt's (CLDR's) for that language and
// territory; a territory with no mark of its own takes its language's, and an
// unknown language, "C", "POSIX", an empty or malformed name a point. Marks outside
// ASCII (Arabic, Persian) give a point too: the results file is 8-bit text.
char localeDecimalMark(std::string_view localeName);

}  // namespace granomet
