// A current folder kept in memory: the program never changes the process's working directory.
#pragma once

#include <filesystem>

#include "ui/platform.h"

namespace granomet {

// Starts at the process's working directory and never changes it.
class RememberedFolder final : public CurrentFolder {
 public:
  RememberedFolder();
  explicit RememberedFolder(std::filesystem::path folder);

  std::filesystem::path path() const override { return folder_; }
  void change(const std::filesystem::path& folder) override { folder_ = folder; }
  std::filesystem::path resolve(const std::filesystem::path& name) const override;

 private:
  std::filesystem::path folder_;
};

}  // namespace granomet
