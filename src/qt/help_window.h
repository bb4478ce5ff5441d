// The help window frmAbout: a fixed page explaining the lot, export and results files.
#pragma once

#include <QDialog>

class QPushButton;

namespace granomet {

// Modeless; "Aceptar y cerrar" is both its default and its cancel button, so Enter
// and Esc close it. Closing discards it: the next showing builds it again.
class frmAbout final : public QDialog {
 public:
  explicit frmAbout(QWidget* parent);

  QPushButton* cmdOK() const { return cmdOK_; }

 private:
  QPushButton* cmdOK_;
};

}  // namespace granomet
