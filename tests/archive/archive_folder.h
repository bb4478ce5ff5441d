// A temporary folder of the process's own for archive tests, the results files put in it, and
// the database read as another program would.
#pragma once

#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "archive/archive.h"
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

inline RunToArchive importOf(const std::filesystem::path& results) {
  RunToArchive run;
  run.resultsFile = results;
  return run;
}

// The first value of the first row SQL gives, outside the archive's code; "(none)"
// for no row or an error. SQL without a result runs as it is.
inline std::string sqlValue(const std::filesystem::path& database, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open(database.string().c_str(), &db);
  sqlite3_stmt* statement = nullptr;
  std::string value = "(none)";
  const char* rest = sql.c_str();
  while (*rest != 0 && sqlite3_prepare_v2(db, rest, -1, &statement, &rest) == SQLITE_OK) {
    if (statement != nullptr && sqlite3_step(statement) == SQLITE_ROW) {
      const auto* text = sqlite3_column_text(statement, 0);
      value = text != nullptr ? reinterpret_cast<const char*>(text) : "NULL";
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return value;
}

}  // namespace granomet::testing
