// Answers the program's modal message boxes and acts on its other modal dialogs from the event
// loop, as a person at the window would.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace granomet::tools {

// While it lives, every message box that becomes the active modal window is
// recorded and answered: with the next queued button, or else its default one.
// Any other dialog is left to the first act of the script, once the shown modal
// window has the name the act was queued with. An act must not open a modal window
// itself: the answerer waits for the act to end.
class ModalAnswerer {
 public:
  struct Seen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  };
  using Act = std::function<void(QDialog&)>;

  ModalAnswerer() {
    timer_.callOnTimeout([this] { answerShownDialog(); });
    timer_.start(5);
  }

  void queue(QMessageBox::StandardButton answer) { answers_.push_back(answer); }
  const std::vector<Seen>& seen() const { return seen_; }
  void clear() { seen_.clear(); }
  void then(const char* dialogName, Act act) { acts_.push_back({dialogName, std::move(act)}); }
  // Whether every act of the script was done; those left are dropped.
  bool endScript() { return std::exchange(acts_, {}).empty(); }

 private:
  void answerShownDialog() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) {
      return;
    }
    auto* box = qobject_cast<QMessageBox*>(dialog);
    if (box == nullptr) {
      if (!acts_.empty() && dialog->objectName() == acts_.front().first) {
        const Act act = std::move(acts_.front().second);
        acts_.pop_front();
        act(*dialog);
      }
      return;
    }
    seen_.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                     box->standardButton(box->defaultButton())});
    QAbstractButton* chosen = box->defaultButton();
    if (!answers_.empty()) {
      chosen = box->button(answers_.front());
      answers_.pop_front();
    }
    chosen == nullptr ? void(box->close()) : chosen->click();
  }

  QTimer timer_;
  std::deque<QMessageBox::StandardButton> answers_;
  std::vector<Seen> seen_;
  std::deque<std::pair<QString, Act>> acts_;
};

}  // namespace granomet::tools
