// A current folder kept in memory: the program never changes the process's working directory.
#pragma once

#include <filesystem>

#include "ui/platform.h"

namespace granomet {

// Starts at the process's working directory and never changes it. File names are
// the program's Windows-1252 text; the file system is taken to use UTF-8.
class RememberedFolder final : public CurrentFolder {
 public:
  RememberedFolder();
  explicit RememberedFolder(std::filesystem::path folder);

  std::filesystem::path path() const override { return folder_; }
  void change(const std::filesystem::path& folder) override { folder_ = folder; }
  std::filesystem::path resolve(std::string_view name) const override;

 private:
  std::filesystem::path folder_;
};

}  // namespace granomet
