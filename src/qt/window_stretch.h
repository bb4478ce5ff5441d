// How the main window's controls follow the window as it is enlarged beyond its designed size.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace granomet {

// The share of the window's growth each edge of a control moves by: 0 keeps the
// edge where it was designed, 1 moves it with the window's right or bottom edge.
struct EdgeShares {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// At the designed size, and below it, every control stands at its designed place.
class WindowStretch {
 public:
  explicit WindowStretch(QSize designed) : designed_(designed) {}

  // Takes the control's place now as its designed one.
  void add(QWidget& control, EdgeShares shares);
  void apply(QSize window) const;

 private:
  struct Control {
    QWidget* widget;
    QRect designed;
    EdgeShares shares;
  };
  QSize designed_;
  std::vector<Control> controls_;
};

}  // namespace granomet
