// Command-line arguments that start a QApplication off-screen unless QT_QPA_PLATFORM names a
// platform.
#pragma once

#include <QtGlobal>
#include <vector>

namespace granomet::tools {

// Pictures and measurements need no screen. The arguments must outlive the
// QApplication built from them.
class OffscreenArguments {
 public:
  OffscreenArguments(int argc, char** argv) : values_(argv, argv + argc) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
      values_.insert(values_.begin() + 1, {platformOption_, offscreen_});
    }
    count_ = static_cast<int>(values_.size());
  }
  OffscreenArguments(const OffscreenArguments&) = delete;
  OffscreenArguments& operator=(const OffscreenArguments&) = delete;

  int& count() { return count_; }
  char** values() { return values_.data(); }

 private:
  char platformOption_[10] = "-platform";
  char offscreen_[10] = "offscreen";
  std::vector<char*> values_;
  int count_ = 0;
};

}  // namespace granomet::tools
