// A temporary folder of the process's own for archive tests, and the results files put in it.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/test_data.h"

namespace granomet::testing {

class ArchiveFolder {
 public:
  explicit ArchiveFolder(const std::string& name)
      : path_(std::filesystem::temp_directory_path() /
              ("granomet_" + name + "_" + std::to_string(getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ArchiveFolder() { std::filesystem::remove_all(path_); }
  ArchiveFolder(const ArchiveFolder&) = delete;
  ArchiveFolder& operator=(const ArchiveFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path archive() const { return path_ / "archivo.gpkg"; }

  std::filesystem::path write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }

  // One of the batch tests' results files (plain_comma: 12 samples, mixed_comma:
  // 14, edited_comma: 6) with its lines' date, under a name of this folder.
  std::filesystem::path results(const std::string& name,
                                const std::string& expected = "plain_comma",
                                const std::string& date = "06/06/2016") const {
    return write(name, replacedAll(fileBytes(batchExpected(expected + ".csv")), "@FECHA@", date));
  }

 private:
  std::filesystem::path path_;
};

}  // namespace granomet::testing
