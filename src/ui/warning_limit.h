// How many per-sample warnings one button press shows before the rest are only counted.
#pragma once

#include "ui/window_operations.h"

namespace granomet {

// A window that gives every warning a box of its own would ask a person for
// thousands of clicks on a damaged export. Between startPress and endPress the
// first `shown` per-sample warnings pass and the rest are held back and
// counted; every other message (errors, questions, single warnings) passes, and
// outside a press nothing is held back.
class WarningLimit {
 public:
  static constexpr int kShownPerPress = 10;

  explicit WarningLimit(int shown = kShownPerPress) : shown_(shown) {}

  void startPress();
  // False: the warning is held back, as if answered with its default button.
  bool passes(const MessageRequest& request);
  // The warnings held back since startPress.
  int endPress();

 private:
  int shown_;
  bool pressing_ = false;
  int passed_ = 0;
  int heldBack_ = 0;
};

}  // namespace granomet
