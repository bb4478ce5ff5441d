// Arrays indexed from 1: an index outside 1..size never reaches memory.
#include "data/indexed_array.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

namespace granomet {
namespace {

TEST(IndexedArray, AcceptsOnlyIndicesFromOneToItsSize) {
  IndexedArray<double, 70> classes;
  for (const int index : {1, 70}) {
    classes[index] = index;
    EXPECT_EQ(std::as_const(classes)[index], index);
  }
  for (const int index : {0, -1, 71, INT_MIN, INT_MAX}) {
    for (const bool readOnly : {false, true}) {
      try {
        (void)(readOnly ? std::as_const(classes)[index] : classes[index]);
        ADD_FAILURE() << "index " << index << " was accepted";
      } catch (const IndexError& error) {
        EXPECT_EQ(error.index(), index);
      }
    }
  }
}

}  // namespace
}  // namespace granomet
