// The machine's local date and time of day.
#pragma once

#include "ui/platform.h"

namespace granomet {

class SystemClock final : public Clock {
 public:
  LocalDateTime now() const override;
};

}  // namespace granomet
