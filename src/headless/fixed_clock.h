// A clock that always tells the time it was given, for tests and reproducible runs.
#pragma once

#include "ui/platform.h"

namespace granomet {

class FixedClock final : public Clock {
 public:
  explicit FixedClock(LocalDateTime time) : time_(time) {}
  LocalDateTime now() const override { return time_; }
  void set(LocalDateTime time) { time_ = time; }

 private:
  LocalDateTime time_;
};

}  // namespace granomet
