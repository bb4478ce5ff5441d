// SHA-256 (FIPS 180-4) of bytes held in memory: the identity of the files a run archives.
#pragma once

#include <string>
#include <string_view>

namespace granomet {

// 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

}  // namespace granomet
