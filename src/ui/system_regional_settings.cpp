#include "ui/system_regional_settings.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX  // std::min and std::max, not the macros
#endif
#include <windows.h>
#else
#include <cstdlib>

#include "ui/locale_decimal_mark.h"
#endif

namespace granomet {

SystemRegionalSettings::SystemRegionalSettings() {
#ifdef _WIN32
  wchar_t mark[8] = {};
  if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, mark, 8) > 0 &&
      mark[0] == L',') {
    decimalMark_ = ',';
  }
#else
  // As Qt reads it: the name alone decides, whether or not that locale is
  // installed, and no locale is loaded.
  const auto variable = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string_view(value != nullptr ? value : "");
  };
  decimalMark_ = localeDecimalMark(
      numericLocaleName(variable("LC_ALL"), variable("LC_NUMERIC"), variable("LANG")));
#endif
}

}  // namespace granomet
