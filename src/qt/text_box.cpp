#include "qt/text_box.h"

#include "qt/qt_text.h"

namespace granomet {

void TextBox::setProgramText(std::string text) {
  bytes_ = std::move(text);
  shown_ = toQString(bytes_);
  setText(shown_);
  // Long paths show their end, where the file's name is.
  setCursorPosition(static_cast<int>(shown_.size()));
}

std::string TextBox::programText() const {
  return text() == shown_ ? bytes_ : toProgramText(text());
}

}  // namespace granomet
