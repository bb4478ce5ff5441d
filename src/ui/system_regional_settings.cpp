#include "ui/system_regional_settings.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX  // std::min and std::max, not the macros
#endif
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
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
  // A locale object of its own, so the process's locale stays the C one.
  if (const locale_t locale = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr))) {
    const char* radix = ::nl_langinfo_l(RADIXCHAR, locale);
    if (radix != nullptr && radix[0] == ',') {
      decimalMark_ = ',';
    }
    ::freelocale(locale);
  }
#endif
}

}  // namespace granomet
