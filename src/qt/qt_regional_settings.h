// The user's regional settings as Qt reads them from the environment (LC_ALL, LC_NUMERIC, LANG).
#pragma once

#include "ui/platform.h"

namespace granomet {

class QtRegionalSettings final : public RegionalSettings {
 public:
  // Reads QLocale::system() once: the settings of the session the program started in.
  QtRegionalSettings();
  char decimalMark() const override { return decimalMark_; }

 private:
  char decimalMark_ = '.';
};

}  // namespace granomet
