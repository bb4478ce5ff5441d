// Acts on the program's own modal dialogs, in turn, each once it is shown, as a person would.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <deque>
#include <functional>
#include <utility>

namespace granomet::tools {

// While it lives, the first queued act whose dialog (by object name) is the shown
// modal window acts on it.
class DialogScript {
 public:
  using Act = std::function<void(QDialog&)>;
  DialogScript() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { actOnShownDialog(); });
    timer_.start();
  }
  void then(const char* dialogName, Act act) { acts_.push_back({dialogName, std::move(act)}); }
  bool done() const { return acts_.empty(); }

 private:
  void actOnShownDialog() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (acts_.empty() || dialog == nullptr || !dialog->isVisible() ||
        dialog->objectName() != acts_.front().first) {
      return;
    }
    const Act act = std::move(acts_.front().second);
    acts_.pop_front();
    act(*dialog);
  }

  QTimer timer_;
  std::deque<std::pair<QString, Act>> acts_;
};

}  // namespace granomet::tools
