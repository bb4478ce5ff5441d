#include "ui/remembered_folder.h"

#include <utility>

namespace granomet {

RememberedFolder::RememberedFolder() : folder_(std::filesystem::current_path()) {}

RememberedFolder::RememberedFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path RememberedFolder::resolve(const std::filesystem::path& name) const {
  return name.is_absolute() ? name : folder_ / name;
}

}  // namespace granomet
