#include "ui/locale_decimal_mark.h"

#include <algorithm>
#include <array>
#include <string>

namespace granomet {

namespace {

// The languages whose own locale (the language without a territory) writes a
// decimal comma; "no" and "in" are the older names of "nb" and "id".
constexpr std::array<std::string_view, 101> kCommaLanguages = {
    "af",  "agq", "ast", "az",  "bas", "be",  "bg",  "br",  "bs",  "ca",  "cs",  "da", "de",
    "dsb", "dua", "dyo", "el",  "eo",  "es",  "et",  "eu",  "ewo", "ff",  "fi",  "fo", "fr",
    "fur", "fy",  "gl",  "hr",  "hsb", "hu",  "hy",  "ia",  "id",  "in",  "is",  "it", "jgo",
    "jv",  "ka",  "kab", "kea", "kgp", "kk",  "kkj", "kl",  "km",  "ksf", "ksh", "ku", "ky",
    "lb",  "ln",  "lo",  "lt",  "lu",  "lv",  "mgh", "mk",  "mua", "nb",  "nds", "nl", "nmg",
    "nn",  "nnh", "no",  "os",  "pl",  "pt",  "rn",  "ro",  "ru",  "rw",  "sah", "sc", "se",
    "seh", "sg",  "shi", "sk",  "sl",  "smn", "sq",  "sr",  "su",  "sv",  "tg",  "tk", "tr",
    "tt",  "tzm", "uk",  "uz",  "vi",  "wae", "wo",  "yav", "yrl", "zgh"};

// The language and territory pairs whose mark is not their language's.
struct TerritoryMark {
  std::string_view language;
  std::string_view territory;
  char mark;
};
constexpr std::array<TerritoryMark, 36> kTerritoryMarks = {{
    {"ar", "DZ", ','}, {"ar", "LY", ','},  {"ar", "MA", ','}, {"ar", "TN", ','}, {"az", "IR", '.'},
    {"de", "CH", '.'}, {"de", "LI", '.'},  {"en", "AT", ','}, {"en", "BE", ','}, {"en", "DE", ','},
    {"en", "DK", ','}, {"en", "FI", ','},  {"en", "NL", ','}, {"en", "SE", ','}, {"en", "SI", ','},
    {"en", "ZA", ','}, {"es", "419", '.'}, {"es", "BR", '.'}, {"es", "BZ", '.'}, {"es", "CU", '.'},
    {"es", "DO", '.'}, {"es", "GT", '.'},  {"es", "HN", '.'}, {"es", "MX", '.'}, {"es", "NI", '.'},
    {"es", "PA", '.'}, {"es", "PE", '.'},  {"es", "PR", '.'}, {"es", "SV", '.'}, {"es", "US", '.'},
    {"it", "CH", '.'}, {"ms", "BN", ','},  {"ms", "ID", ','}, {"qu", "BO", ','}, {"sw", "CD", ','},
    {"uz", "AF", '.'},
}};

bool isLetters(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

bool isDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string caseOf(std::string_view text, bool upper) {
  std::string changed(text);
  for (char& c : changed) {
    if (upper && c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    } else if (!upper && c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return changed;
}

}  // namespace

std::string_view numericLocaleName(std::string_view lcAll, std::string_view lcNumeric,
                                   std::string_view lang) {
  return !lcAll.empty() ? lcAll : !lcNumeric.empty() ? lcNumeric : lang;
}

char localeDecimalMark(std::string_view localeName) {
  // The codeset and the modifier say nothing of numbers.
  std::string_view rest = localeName.substr(0, localeName.find_first_of(".@"));
  std::string_view parts[3];
  std::size_t count = 0;
  while (count < 3) {
    const std::size_t end = rest.find_first_of("_-");
    parts[count++] = rest.substr(0, end);
    if (end == std::string_view::npos) {
      break;
    }
    rest.remove_prefix(end + 1);
  }
  const std::string language = caseOf(parts[0], false);
  if (language.size() < 2 || language.size() > 3 || !isLetters(language)) {
    return '.';
  }
  // A script ("sr_Latn_RS") stands between the language and the territory.
  const std::size_t territoryPart = count > 2 && parts[1].size() == 4 ? 2 : 1;
  const std::string territory = territoryPart < count ? caseOf(parts[territoryPart], true) : "";
  if ((territory.size() == 2 && isLetters(territory)) ||
      (territory.size() == 3 && isDigits(territory))) {
    for (const TerritoryMark& exception : kTerritoryMarks) {
      if (exception.language == language && exception.territory == territory) {
        return exception.mark;
      }
    }
  }
  const bool comma =
      std::find(kCommaLanguages.begin(), kCommaLanguages.end(), language) != kCommaLanguages.end();
  return comma ? ',' : '.';
}

}  // namespace granomet
