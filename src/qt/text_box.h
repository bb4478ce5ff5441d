// A text box that gives back the program's bytes exactly as they were set.
#pragma once

#include <QLineEdit>
#include <string>

namespace granomet {

// The file boxes hold Windows-1252 names. A byte that has no Unicode character
// would not survive a round trip through the widget, so the bytes last set are
// kept and returned for as long as the user has not edited the text.
class TextBox final : public QLineEdit {
 public:
  explicit TextBox(QWidget* parent) : QLineEdit(parent) {}

  void setProgramText(std::string text);
  std::string programText() const;

 private:
  std::string bytes_;
  QString shown_;
};

}  // namespace granomet
