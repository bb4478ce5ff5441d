#include "ui/remembered_folder.h"

#include <utility>

#include "data/text_encoding.h"

namespace granomet {

RememberedFolder::RememberedFolder() : folder_(std::filesystem::current_path()) {}

RememberedFolder::RememberedFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path RememberedFolder::resolve(std::string_view name) const {
  const std::filesystem::path native(cp1252ToUtf8(name));
  return native.is_absolute() ? native : folder_ / native;
}

}  // namespace granomet
