// The fuzz process's own temporary folder, made at first use and removed when the process ends.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "fuzz_check.h"

namespace granomet::fuzz {

class ScratchFolder {
 public:
  ScratchFolder()
      : path_(std::filesystem::temp_directory_path() /
              ("granomet_fuzz_" + std::to_string(::getpid()))) {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);  // left by an earlier process of this id
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Replaces the file `name` with exactly these bytes and returns its path.
  std::filesystem::path write(const std::string& name, std::string_view bytes) const {
    const std::filesystem::path file = path_ / name;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file.c_str(), "wb"),
                                                              &std::fclose);
    require(out != nullptr, "no se puede crear " + file.string());
    require(std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size(),
            "no se puede escribir " + file.string());
    return file;
  }

 private:
  std::filesystem::path path_;
};

// One folder per process, reused by every input: making a folder per input
// would cost more than most inputs' whole run.
inline const ScratchFolder& scratchFolder() {
  static const ScratchFolder folder;
  return folder;
}

}  // namespace granomet::fuzz
