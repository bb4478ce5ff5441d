// Regional settings with a decimal mark chosen by the caller.
#pragma once

#include "ui/platform.h"

namespace granomet {

class FixedRegionalSettings final : public RegionalSettings {
 public:
  explicit FixedRegionalSettings(char decimalMark = '.') : decimalMark_(decimalMark) {}
  char decimalMark() const override { return decimalMark_; }

 private:
  char decimalMark_;
};

}  // namespace granomet
