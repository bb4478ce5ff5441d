// The archive kept in one SQLite file laid out as a GeoPackage, which QGIS opens as it is.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "archive/archive.h"
#include "archive/open_archive.h"
#include "archive/sqlite_handles.h"

namespace granomet {

class SqliteArchive final : public Archive {
 public:
  // Opens, creates (Write, where there is nothing at path) or brings an older
  // layout up to date, as openArchive tells. Throws ArchiveError.
  SqliteArchive(const std::filesystem::path& path, ArchiveAccess access);
  ~SqliteArchive() override;

  std::string location() const override { return location_; }
  AddedRun addRun(const RunToArchive& run) override;
  std::int64_t countSamples(const ArchiveFilter& filter) override;
  std::vector<ArchivedSample> samples(const ArchiveFilter& filter, const ArchiveSort& sort,
                                      std::int64_t offset, std::int64_t limit) override;
  std::vector<ArchivedResultsFile> resultsFilesOf(
      const std::vector<std::int64_t>& sampleIds) override;
  std::vector<ArchivedRun> runs() override;
  ArchiveCheck check() override;

 private:
  struct RunFiles;
  // A statement made once for its text and kept: the filters' texts differ only
  // in which conditions they hold.
  SqliteStatement& statement(const std::string& sql);
  [[noreturn]] void fail(const SqliteFailure& failure) const;
  // The run that holds a results file of this SHA-256.
  std::optional<AddedRun> archivedRunOf(const std::string& sha256);
  std::int64_t insertRun(const RunToArchive& run, const RunFiles& files);

  std::filesystem::path path_;
  std::string location_;
  std::unique_ptr<SqliteConnection> db_;
  std::map<std::string, std::unique_ptr<SqliteStatement>> statements_;
};

}  // namespace granomet
