#include "data/file_names.h"

#include <cstdio>

#include "data/text_encoding.h"

namespace granomet {

std::string fileNamePart(std::string_view path) {
  const auto cut = path.find_last_of("/\\");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::filesystem::path pathOfUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::filesystem::path typedPath(std::string_view programText) {
  return pathOfUtf8(cp1252ToUtf8(programText));
}

std::string pathText(const std::filesystem::path& path) {
  return utf8ToCp1252(utf8Of(path));
}

std::string displayName(const std::filesystem::path& path) {
  return pathText(path.filename());
}

std::optional<std::string> lotNameOf(std::string_view fileName) {
  const auto dot = fileName.rfind('.');
  if (dot == std::string_view::npos) {
    return std::nullopt;
  }
  return std::string(fileName.substr(0, dot));
}

std::string proposedResultsName(std::string_view lotName, const LocalDateTime& time) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "_%02d%02d%04d_%02d%02d%02d.csv", time.day % 100,
                time.month % 100, time.year % 10000, time.hour % 100, time.minute % 100,
                time.second % 100);
  return std::string(lotName) + stamp;
}

}  // namespace granomet
