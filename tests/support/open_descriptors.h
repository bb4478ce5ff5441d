// Counts the process's open file descriptors, to catch a file a failure path forgets to close.
#pragma once

#ifdef _WIN32
#include <io.h>
#else
#include <filesystem>
#endif

namespace granomet::testing {

inline int openDescriptorCount() {
  int count = 0;
#ifdef _WIN32
  // The C runtime's descriptors: at most 2048, each backed by a system handle.
  constexpr int kRuntimeDescriptors = 2048;
  for (int descriptor = 0; descriptor < kRuntimeDescriptors; ++descriptor) {
    count += ::_get_osfhandle(descriptor) != -1 ? 1 : 0;
  }
#else
  // The iterator's own descriptor is counted too, the same on every call.
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
#endif
  return count;
}

}  // namespace granomet::testing
