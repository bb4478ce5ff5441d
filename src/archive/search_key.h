// The archive's search keys: a text as its filters compare it, without case or accents.
#pragma once

#include <string>
#include <string_view>

namespace granomet {

// UTF-8 in, UTF-8 out: ASCII and Latin-1 letters lower-case and without their
// accents ("Peñón": "penon", "CÁDIZ": "cadiz"); any other character kept as it is.
std::string searchKeyOf(std::string_view utf8);

}  // namespace granomet
