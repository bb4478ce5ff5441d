#include "headless/headless_file_dialog.h"

namespace granomet {

void HeadlessFileDialog::showOpen() {
  ++showings_;
  shownNames_.push_back(heldName_);
  if (answers_.empty()) {
    return;
  }
  const std::optional<std::filesystem::path> answer = std::move(answers_.front());
  answers_.pop_front();
  if (!answer) {
    return;
  }
  const std::filesystem::path chosen =
      (answer->is_absolute() ? *answer : folder_.path() / *answer).lexically_normal();
  heldName_ = chosen;
  folder_.change(chosen.parent_path());
}

}  // namespace granomet
