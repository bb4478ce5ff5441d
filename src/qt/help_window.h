// The help window frmAbout: a fixed page explaining the lot, export and results files, and a
// second page for what came later.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPushButton;

namespace granomet {

// Modeless; "Aceptar y cerrar" is both its default and its cancel button, so Enter
// and Esc close it. Closing discards it: the next showing builds it again.
// "Más ayuda…" turns to the second page (the right-click menu, the report, the
// ternary diagram, the picture, the keyboard) and back.
class frmAbout final : public QDialog {
 public:
  explicit frmAbout(QWidget* parent);

  QPushButton* cmdOK() const { return cmdOK_; }
  QPushButton* moreButton() const { return more_; }
  // The designed page and the second one: one of them is shown.
  QWidget* firstPage() const { return first_; }
  QWidget* secondPage() const { return second_; }

 private:
  void turnPage();

  QWidget* first_;
  QWidget* second_;
  QPushButton* cmdOK_;
  QPushButton* more_;
};

// Where the help window's frame (of `size`) goes: beside the main window's frame,
// on its right or else its left, within the screen's room; where neither fits, at
// the screen's edge that covers less of the main window's buttons. Its top is the
// main window's, moved into the room.
QPoint helpWindowPlace(const QRect& mainFrame, const QRect& buttons, QSize size, const QRect& room);

}  // namespace granomet
