// Counts the process's open file descriptors, to catch a file a failure path forgets to close.
#pragma once

#include <filesystem>

namespace granomet::fuzz {

// The iterator's own descriptor is counted too, the same on every call.
inline int openDescriptorCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

}  // namespace granomet::fuzz
