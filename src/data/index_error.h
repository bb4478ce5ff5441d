// The failure of a table access whose index lies outside the table.
#pragma once

#include <stdexcept>
#include <string>

namespace granomet {

class IndexError : public std::out_of_range {
 public:
  IndexError(int index, int size)
      : std::out_of_range("index " + std::to_string(index) + " outside 1.." + std::to_string(size)),
        index_(index) {}

  int index() const { return index_; }

 private:
  int index_;
};

}  // namespace granomet
