// Stops a fuzz input with a report when one of the program's promises does not hold.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace granomet::fuzz {

// abort() rather than an exception, so that libFuzzer keeps the input as a crash
// and the replay test fails, whatever the code under test catches.
inline void require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "Fuzz: invariante incumplido: %s\n", what);
    std::abort();
  }
}
inline void require(bool holds, const std::string& what) {
  require(holds, what.c_str());
}

}  // namespace granomet::fuzz
