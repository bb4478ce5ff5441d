#include "data/file_names.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "data/spaces.h"
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

bool isDeviceName(const std::filesystem::path& path) {
  const std::string name = utf8Of(path.filename());
  // Windows reads the name up to its first dot or colon, without the blanks before it.
  std::string base = name.substr(0, name.find_first_of(".:"));
  base.erase(base.find_last_not_of(' ') + 1);
  for (char& c : base) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (base == device) {
      return true;
    }
  }
  if (!base.starts_with("COM") && !base.starts_with("LPT")) {
    return false;
  }
  const std::string_view number = std::string_view(base).substr(3);
  // ¹, ² and ³ in UTF-8.
  static constexpr std::array<std::string_view, 3> kSuperscripts = {"\xC2\xB9", "\xC2\xB2",
                                                                    "\xC2\xB3"};
  return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') ||
         std::find(kSuperscripts.begin(), kSuperscripts.end(), number) != kSuperscripts.end();
}

std::string typedResultsName(std::string_view programText) {
  std::string_view name = trimmedSpaces(programText);
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
    name.remove_suffix(1);
  }
  return std::string(name);
}

bool endsInSeparator(std::string_view programText) {
#ifdef _WIN32
  return programText.ends_with('/') || programText.ends_with('\\');
#else
  return programText.ends_with('/');
#endif
}

namespace {

// A part of a path as Windows compares it: its dots and blanks at the end dropped,
// its letters in upper case (UTF-8 Latin-1 letters, U+00E0 to U+00FE but U+00F7,
// taken up by 0x20 as ASCII's are).
std::string windowsComparable(const std::filesystem::path& part) {
  std::string name = utf8Of(part);
  if (name != "." && name != "..") {
    name.erase(name.find_last_not_of(". ") + 1);
  }
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c >= 'a' && c <= 'z') {
      name[i] = static_cast<char>(c - 'a' + 'A');
    } else if (c == 0xC3 && i + 1 < name.size()) {
      const auto next = static_cast<unsigned char>(name[i + 1]);
      if (next >= 0xA0 && next <= 0xBE && next != 0xB7) {
        name[i + 1] = static_cast<char>(next - 0x20);
      }
      ++i;
    }
  }
  return name;
}

}  // namespace

bool sameNameOnWindows(const std::filesystem::path& a, const std::filesystem::path& b) {
  auto x = a.begin();
  auto y = b.begin();
  for (; x != a.end() && y != b.end(); ++x, ++y) {
    if (windowsComparable(*x) != windowsComparable(*y)) {
      return false;
    }
  }
  return x == a.end() && y == b.end();
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
