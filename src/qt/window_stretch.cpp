#include "qt/window_stretch.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace granomet {
namespace {

// Each edge rounds the same way, so that neighbours sharing a share stay the same distance apart.
int moved(double share, int growth) {
  return static_cast<int>(std::floor(share * growth));
}

}  // namespace

void WindowStretch::add(QWidget& control, EdgeShares shares) {
  controls_.push_back({&control, control.geometry(), shares});
}

void WindowStretch::apply(QSize window) const {
  const int wider = std::max(0, window.width() - designed_.width());
  const int taller = std::max(0, window.height() - designed_.height());
  for (const Control& control : controls_) {
    const QRect& place = control.designed;
    const int left = place.left() + moved(control.shares.left, wider);
    const int top = place.top() + moved(control.shares.top, taller);
    const int right = place.left() + place.width() + moved(control.shares.right, wider);
    const int bottom = place.top() + place.height() + moved(control.shares.bottom, taller);
    control.widget->setGeometry(left, top, right - left, bottom - top);
  }
}

}  // namespace granomet
