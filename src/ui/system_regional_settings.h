// The user's regional settings as the system keeps them, for programs built without Qt.
#pragma once

#include "ui/platform.h"

namespace granomet {

// Read once. On Windows the user's own decimal mark (Control Panel, Region); on
// other systems the mark of the locale LC_ALL, LC_NUMERIC or LANG names, where
// that locale is installed, else a point. No process-wide locale is set.
class SystemRegionalSettings final : public RegionalSettings {
 public:
  SystemRegionalSettings();
  char decimalMark() const override { return decimalMark_; }

 private:
  char decimalMark_ = '.';
};

}  // namespace granomet
