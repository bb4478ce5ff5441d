// One of the main window's two sample lists: items in the order added, one text colour.
#pragma once

#include <QListWidget>
#include <string>

#include "ui/window_operations.h"

namespace granomet {

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

 private:
  Rgb textColor_;
};

}  // namespace granomet
