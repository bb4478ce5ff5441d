// Fixed-size arrays indexed from 1, as the lab numbers samples and size classes.
#pragma once

#include <array>

#include "data/index_error.h"

namespace granomet {

// Every access is checked: an index outside 1..Size throws IndexError instead of
// reaching memory next to the table.
template <typename T, int Size>
class IndexedArray {
 public:
  static constexpr int size() { return Size; }
  static constexpr bool contains(int index) { return index >= 1 && index <= Size; }

  T& operator[](int index) {
    check(index);
    return items_[static_cast<std::size_t>(index - 1)];
  }
  const T& operator[](int index) const {
    check(index);
    return items_[static_cast<std::size_t>(index - 1)];
  }

 private:
  static void check(int index) {
    if (!contains(index)) {
      throw IndexError(index, Size);
    }
  }

  std::array<T, Size> items_{};
};

}  // namespace granomet
