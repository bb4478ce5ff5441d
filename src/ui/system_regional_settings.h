// The user's regional settings as the system keeps them, the same for the window and the command
// line.
#pragma once

#include "ui/platform.h"

namespace granomet {

// Read once. On Windows the user's own decimal mark (Control Panel, Region); on
// other systems the mark of the locale LC_ALL, LC_NUMERIC or LANG names
// (localeDecimalMark), as Qt's QLocale::system() gives it. No process-wide locale
// is set, and no Qt is needed.
class SystemRegionalSettings final : public RegionalSettings {
 public:
  SystemRegionalSettings();
  char decimalMark() const override { return decimalMark_; }

 private:
  char decimalMark_ = '.';
};

}  // namespace granomet
