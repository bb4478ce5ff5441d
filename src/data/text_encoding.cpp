#include "data/text_encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace granomet {
namespace {

// Code points of bytes 0x80..0x9F; the rest of the upper half equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

char toCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    return static_cast<char>(cp);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) {
      return static_cast<char>(0x80 + i);
    }
  }
  return '?';
}

// The smallest code point each length may carry: anything below is an overlong form.
constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};

// A character's first byte: how many bytes the character has (0 when the byte
// cannot begin one) and the code point bits it carries.
struct Lead {
  int length = 0;
  char32_t bits = 0;
};

Lead leadOf(unsigned char byte) {
  if (byte < 0x80) {
    return {1, byte};
  }
  if ((byte & 0xE0) == 0xC0) {
    return {2, static_cast<char32_t>(byte & 0x1F)};
  }
  if ((byte & 0xF0) == 0xE0) {
    return {3, static_cast<char32_t>(byte & 0x0F)};
  }
  if ((byte & 0xF8) == 0xF0) {
    return {4, static_cast<char32_t>(byte & 0x07)};
  }
  return {};
}

bool validCodePoint(char32_t cp, int length) {
  // Overlong forms and surrogates are malformed: an overlong "/" must not slip
  // into a file name.
  return cp >= kSmallest[length] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

struct Decoded {
  char32_t codePoint = 0;
  int length = 0;  // 0: malformed
};

// The character that starts at `at`, or a length of 0 where none is well formed.
Decoded decodedAt(std::string_view text, std::size_t at) {
  const auto [length, bits] = leadOf(static_cast<unsigned char>(text[at]));
  char32_t cp = bits;
  bool valid = length > 0 && at + static_cast<std::size_t>(length) <= text.size();
  for (int k = 1; valid && k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(k)]);
    valid = (next & 0xC0) == 0x80;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (!valid || !validCodePoint(cp, length)) {
    return {};
  }
  return {cp, length};
}

}  // namespace

std::string cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out.push_back(c);
    } else if (byte < 0xA0) {
      appendUtf8(out, kHighControls[byte - 0x80]);
    } else {
      appendUtf8(out, byte);
    }
  }
  return out;
}

std::string utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Decoded character = decodedAt(text, i);
    if (character.length == 0) {
      out.push_back('?');
      ++i;
      continue;
    }
    out.push_back(toCp1252(character.codePoint));
    i += static_cast<std::size_t>(character.length);
  }
  return out;
}

bool isUtf8Text(std::string_view bytes) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  bool multiByte = false;
  for (std::size_t i = 0; i < bytes.size();) {
    // Eight ASCII bytes at a time: most of any lab file.
    if (i + 8 <= bytes.size()) {
      std::uint64_t word = 0;
      std::memcpy(&word, bytes.data() + i, sizeof word);
      if ((word & kHighBits) == 0) {
        i += 8;
        continue;
      }
    }
    const Decoded character = decodedAt(bytes, i);
    if (character.length == 0) {
      return false;
    }
    multiByte = multiByte || character.length > 1;
    i += static_cast<std::size_t>(character.length);
  }
  return multiByte;
}

}  // namespace granomet
