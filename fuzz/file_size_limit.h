// Caps the size of every file the process writes, for as long as it lives, so a write can fail.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstddef>

#include "fuzz_check.h"

namespace granomet::fuzz {

// A write past the cap fails with EFBIG instead of the process being stopped by
// SIGXFSZ, as a full disk would fail it. Both are restored on leaving, before
// libFuzzer writes its own files again.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::size_t bytes) {
    require(::getrlimit(RLIMIT_FSIZE, &previous_) == 0, "getrlimit");
    rlimit limited = previous_;
    limited.rlim_cur = static_cast<rlim_t>(bytes);
    previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    require(::setrlimit(RLIMIT_FSIZE, &limited) == 0, "setrlimit");
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousSignal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previousSignal_)(int) = SIG_DFL;
};

}  // namespace granomet::fuzz
