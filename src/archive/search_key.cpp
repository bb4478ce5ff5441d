#include "archive/search_key.h"

#include <string_view>

namespace granomet {
namespace {

// U+00C0 to U+00FF as their plain lower-case letter; a blank keeps the character
// (×, ÷, ß, Æ, Ð, Þ... have no plain letter).
constexpr std::string_view kLatin1Letters =
    "aaaaaa ceeeeiiii nooooo ouuuuy  "
    "aaaaaa ceeeeiiii nooooo ouuuuy y";
static_assert(kLatin1Letters.size() == 64);

}  // namespace

std::string searchKeyOf(std::string_view utf8) {
  std::string key;
  key.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte >= 'A' && byte <= 'Z') {
      key += static_cast<char>(byte - 'A' + 'a');
      continue;
    }
    // U+00C0..U+00FF is 0xC3 0x80..0xBF in UTF-8.
    if (byte == 0xC3 && i + 1 < utf8.size()) {
      const auto next = static_cast<unsigned char>(utf8[i + 1]);
      if (next >= 0x80 && next <= 0xBF) {
        const char plain = kLatin1Letters[next - 0x80];
        if (plain != ' ') {
          key += plain;
          ++i;
          continue;
        }
        // Æ, Ð, Þ: their lower-case letter 0x20 further on (× and ß have none).
        if (next < 0x9F && next != 0x97) {
          key += static_cast<char>(byte);
          key += static_cast<char>(next + 0x20);
          ++i;
          continue;
        }
      }
    }
    key += static_cast<char>(byte);
  }
  return key;
}

}  // namespace granomet
