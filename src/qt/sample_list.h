// One of the main window's two sample lists: items in the order added, one text colour.
#pragma once

#include <QListWidget>
#include <string>

#include "ui/window_operations.h"

namespace granomet {

// A text too wide for the list is shortened in its middle, keeping what follows
// its last two blanks (a calculated sample's class) whole, and shows whole in
// its tooltip. Tooltips stay while the pointer rests on their item.
class SampleList final : public QListWidget {
 public:
  // The designed look: the system's button-face background, the given text colour.
  SampleList(QWidget* parent, Rgb textColor);

  // reason: why the item is listed, shown in its tooltip; a text too wide for
  // the list shows whole there too.
  void addProgramItem(std::string item, std::string reason = {});
  // The bytes the item was added with.
  std::string programItem(int position) const;
  void setTextColor(Rgb color);
  Rgb textColor() const { return textColor_; }
  // False when the list cuts the text off at its right edge.
  bool showsWhole(const QString& text) const;
  // The text the list shows for the item at `row`, shortened as it is drawn.
  QString shownText(int row) const;

  // The graph's curve an item stands for: -1 unlinks it, and is what an item without one gives.
  void setItemCurve(int row, int curve);
  int itemCurve(int row) const;

 protected:
  bool viewportEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // The width an item's text has inside the list as it is now.
  int textWidth() const;

  Rgb textColor_;
};

// The text shortened to fit `width` pixels: what follows its last two blanks
// kept whole while it takes at most half the width, the rest elided in its middle.
QString elidedItemText(const QString& text, const QFontMetrics& metrics, int width);

}  // namespace granomet
