#include "ui/headless/headless_folder.h"

#include <utility>

#include "data/text_encoding.h"

namespace granomet {

HeadlessFolder::HeadlessFolder() : folder_(std::filesystem::current_path()) {}

HeadlessFolder::HeadlessFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path HeadlessFolder::resolve(std::string_view name) const {
  const std::filesystem::path native(cp1252ToUtf8(name));
  return native.is_absolute() ? native : folder_ / native;
}

}  // namespace granomet
