#include "ui/warning_limit.h"

namespace granomet {

void WarningLimit::startPress() {
  pressing_ = true;
  passed_ = 0;
  heldBack_ = 0;
}

bool WarningLimit::passes(const MessageRequest& request) {
  // A question's answer decides what happens next, and an error stops something:
  // neither is held back, however it is marked.
  const bool mayBeHeld = request.perSampleWarning && request.buttons == MessageButtons::Ok &&
                         request.icon != MessageIcon::Error;
  if (!pressing_ || !mayBeHeld) {
    return true;
  }
  if (passed_ < shown_) {
    ++passed_;
    return true;
  }
  ++heldBack_;
  return false;
}

int WarningLimit::endPress() {
  pressing_ = false;
  return heldBack_;
}

}  // namespace granomet
