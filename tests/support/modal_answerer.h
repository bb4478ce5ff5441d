// Answers the program's modal message boxes from the event loop, as a person at the window would.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <vector>

namespace granomet::tools {

// While it lives, every message box that becomes the active modal window is
// recorded and answered: with the next queued button, or else its default one.
class ModalAnswerer {
 public:
  struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  };

  ModalAnswerer() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { answerShownBox(); });
    timer_.start();
  }

  void queue(QMessageBox::StandardButton answer) { answers_.push_back(answer); }
  const std::vector<Seen>& seen() const { return seen_; }
  void clear() { seen_.clear(); }

 private:
  void answerShownBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
      return;
    }
    seen_.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                     box->standardButton(box->defaultButton())});
    QAbstractButton* chosen = box->defaultButton();
    if (!answers_.empty()) {
      chosen = box->button(answers_.front());
      answers_.pop_front();
    }
    if (chosen == nullptr) {
      box->close();
    } else {
      chosen->click();
    }
  }

  QTimer timer_;
  std::deque<QMessageBox::StandardButton> answers_;
  std::vector<Seen> seen_;
};

}  // namespace granomet::tools
