// A file-open dialog answered from a queue that the caller fills.
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ui/platform.h"
#include "ui/window_operations.h"

namespace granomet {

class HeadlessFileDialog final : public FileDialog {
 public:
  explicit HeadlessFileDialog(CurrentFolder& folder) : folder_(folder) {}

  // The next showing chooses this file (relative paths are taken from the
  // current folder) or, for nullopt, is cancelled. With no answer queued the
  // dialog is cancelled.
  void queueAnswer(std::optional<std::filesystem::path> file) {
    answers_.push_back(std::move(file));
  }
  std::size_t pendingAnswers() const { return answers_.size(); }

  void setFilter(std::string filter) override { filter_ = std::move(filter); }
  void setFilterIndex(int entry) override { filterIndex_ = entry; }
  void showOpen() override;
  std::filesystem::path fileName() const override { return heldName_; }
  void setFileName(std::filesystem::path name) override { heldName_ = std::move(name); }

  const std::string& filter() const { return filter_; }
  int filterIndex() const { return filterIndex_; }
  int showings() const { return showings_; }
  // The held name each showing opened with.
  const std::vector<std::filesystem::path>& shownNames() const { return shownNames_; }

 private:
  CurrentFolder& folder_;
  std::deque<std::optional<std::filesystem::path>> answers_;
  std::string filter_;
  int filterIndex_ = 0;
  std::filesystem::path heldName_;
  int showings_ = 0;
  std::vector<std::filesystem::path> shownNames_;
};

}  // namespace granomet
