#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <set>

#include "archive/open_archive.h"
#include "archive_folder.h"

namespace granomet {
namespace {

namespace fs = std::filesystem;
using testing::ArchiveFolder;
using testing::fileBytes;
using testing::importOf;
using testing::sqlValue;
using Cause = ArchiveError::Cause;

std::set<fs::path> filesIn(const fs::path& folder) {
  std::set<fs::path> files;
  std::ranges::transform(fs::directory_iterator(folder), std::inserter(files, files.end()),
                         [](const fs::directory_entry& entry) { return entry.path().filename(); });
  return files;
}

// An archive with one run, closed.
void makeArchive(const ArchiveFolder& folder, const fs::path& archive) {
  openArchive(archive, ArchiveAccess::Write)
      ->addRun(importOf(folder.results("LOTE12_06062016_103105.csv")));
}

TEST(ArchiveRefusals, AFileThatIsNotOneOfTheProgramsArchivesIsLeftAsItIs) {
  // Each put where the archive is asked for: its bytes, else a new database its SQL makes
  // (an archive it changes, for a later version's), else a folder where the SQL is empty.
  struct Placed {
    const char* name;
    std::string bytes;
    const char* sql = nullptr;
    Cause cause = Cause::NotAnArchive;
  };
  const Placed cases[] = {
      {"a text", "hola\n"},
      {"a results file", fileBytes(testing::batchExpected("plain_comma.csv"))},
      {"an empty file", ""},
      {"a SQLite database", "", "CREATE TABLE t (x);"},
      {"another program's GeoPackage", "",
       "PRAGMA application_id = 1196444487; PRAGMA user_version = 10300;"
       "CREATE TABLE gpkg_contents (table_name TEXT PRIMARY KEY, data_type TEXT);"
       "CREATE TABLE muestras (fid INTEGER PRIMARY KEY);"},
      {"a folder", "", ""},
      {"a later version's archive", "",
       "UPDATE granomet_metadatos SET valor = '3' WHERE clave = 'version_esquema'",
       Cause::NewerVersion},
  };
  for (const Placed& c : cases) {
    for (const ArchiveAccess access : {ArchiveAccess::Write, ArchiveAccess::Read}) {
      const ArchiveFolder folder("archive_refused");
      const fs::path at = folder.path() / "otro.gpkg";
      if (c.cause == Cause::NewerVersion) {
        makeArchive(folder, at);
      }
      if (c.sql == nullptr) {
        folder.write("otro.gpkg", c.bytes);
      } else if (*c.sql == '\0') {
        fs::create_directory(at);
      } else {
        sqlValue(at, c.sql);
      }
      const auto mode = fs::status(at).permissions();
      const std::string bytes = fs::is_directory(at) ? "" : fileBytes(at);
      const auto files = filesIn(folder.path());
      try {
        openArchive(at, access);
        ADD_FAILURE() << c.name << " opened";
      } catch (const ArchiveError& error) {
        EXPECT_EQ(error.cause(), c.cause) << c.name;
        EXPECT_NE(std::string(error.what()).find("otro.gpkg"), std::string::npos) << error.what();
      }
      EXPECT_EQ(fs::is_directory(at) ? "" : fileBytes(at), bytes) << c.name;
      EXPECT_EQ(fs::status(at).permissions(), mode) << c.name;
      // SQLite's own files beside a database in write-ahead mode outlive a
      // connection that may not write: a reader leaves them (empty) as they are.
      auto after = filesIn(folder.path());
      if (access == ArchiveAccess::Read) {
        after.erase("otro.gpkg-wal");
        after.erase("otro.gpkg-shm");
      }
      EXPECT_EQ(after, files) << c.name;
    }
  }
}

// The fuzz targets' hostile results files, and malformed ones, change nothing:
// each is refused with its file named, or archived whole.
TEST(ArchiveRefusals, AResultsFileThatCannotBeReadChangesNothing) {
  const ArchiveFolder folder("archive_hostile");
  makeArchive(folder, folder.archive());
  const std::string good = fileBytes(folder.results("g.csv"));
  const std::pair<const char*, std::string> malformed[] = {
      {"empty", ""},
      {"a text", "hola\r\n"},
      {"header alone", good.substr(0, good.find("\r\n") + 2)},
      {"a short line", good.substr(0, good.find("\r\n") + 2) + "1,\"M-01\",\"X\"\r\n"},
      {"a word for a number", testing::replacedAll(good, "363.5546", "mucho")},
      {"a NUL byte", good.substr(0, good.size() / 2) + std::string(1, '\0') + "\r\n"},
      {"an unclosed quote", good + "13,\"M-13\r\n"},
  };
  std::vector<fs::path> files;
  for (const auto& [name, bytes] : malformed) {
    files.push_back(folder.write(std::string(name) + ".csv", bytes));
  }
  for (const char* place : {GRANOMET_SOURCE_DIR "/fuzz/seeds/statistics_table",
                            GRANOMET_SOURCE_DIR "/tests/fuzz/regressions/statistics_table"}) {
    for (const auto& entry : fs::directory_iterator(place)) {
      files.push_back(entry.path());
    }
  }
  files.push_back(folder.path());  // a folder
  files.push_back(folder.path() / "falta.csv");
  const auto archive = openArchive(folder.archive(), ArchiveAccess::Write);
  for (const fs::path& file : files) {
    const std::int64_t before = archive->countSamples({});
    const auto runs = archive->runs().size();
    AddedRun added;
    try {
      added = archive->addRun(importOf(file));
      // The malformed, the folder and falta.csv are refused.
      EXPECT_FALSE(file.parent_path() == folder.path() || file == folder.path()) << file;
      EXPECT_EQ(sqlValue(folder.archive(),
                         "SELECT count(*) FROM pesos_clases WHERE muestra IN "
                         "(SELECT fid FROM muestras WHERE ejecucion = " +
                             std::to_string(added.runId) + ")"),
                std::to_string(68 * added.samples));
    } catch (const ArchiveError& error) {
      EXPECT_EQ(error.cause(), Cause::ResultsRefused) << file;
      EXPECT_NE(std::string(error.what()).find(file.filename().string()), std::string::npos)
          << error.what();
      EXPECT_EQ(archive->runs().size(), runs) << file;
    }
    EXPECT_EQ(archive->countSamples({}), before + added.samples) << file;
  }
}

// A version 1 archive, as the first versions wrote it: no search keys.
TEST(ArchiveRefusals, AnOlderArchiveIsBroughtUpToDateAfterACopyIsKept) {
  for (const ArchiveAccess access : {ArchiveAccess::Write, ArchiveAccess::Read}) {
    const ArchiveFolder folder("archive_older");
    makeArchive(folder, folder.archive());
    sqlValue(folder.archive(),
             "DROP INDEX muestras_clave_campana; DROP INDEX muestras_clave_lote;"
             "ALTER TABLE muestras DROP COLUMN clave_lote;"
             "ALTER TABLE muestras DROP COLUMN clave_campana;"
             "ALTER TABLE muestras DROP COLUMN clave_muestra;"
             "UPDATE granomet_metadatos SET valor = '1' WHERE clave = 'version_esquema';"
             "PRAGMA journal_mode = DELETE;");
    ArchiveFilter filter;
    filter.campaign = "golfo-16";
    filter.sample = "m-1";
    EXPECT_EQ(openArchive(folder.archive(), access)->countSamples(filter), 3);
    EXPECT_EQ(sqlValue(folder.path() / "archivo.gpkg.v1.copia",
                       "SELECT valor || '/' || (SELECT count(*) FROM muestras) FROM "
                       "granomet_metadatos"),
              "1/12");
    EXPECT_EQ(sqlValue(folder.archive(), "SELECT valor FROM granomet_metadatos"), "2");
    // Opened again: brought up to date once.
    openArchive(folder.archive(), access);
    EXPECT_FALSE(fs::exists(folder.path() / "archivo.gpkg.v1.copia2"));
  }
}

TEST(ArchiveRefusals, AnArchiveWithoutWritePermissionIsReadOnly) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "root writes through any mode";
  }
  const ArchiveFolder folder("archive_read_only");
  makeArchive(folder, folder.archive());
  chmod(folder.archive().c_str(), 0444);
  const std::string bytes = fileBytes(folder.archive());
  try {
    openArchive(folder.archive(), ArchiveAccess::Write)
        ->addRun(importOf(folder.results("LOTE20_07072017_080000.csv", "mixed_comma")));
    ADD_FAILURE() << "written";
  } catch (const ArchiveError& error) {
    EXPECT_EQ(error.cause(), Cause::ReadOnly) << error.what();
  }
  EXPECT_EQ(fileBytes(folder.archive()), bytes);
  EXPECT_EQ(openArchive(folder.archive(), ArchiveAccess::Read)->countSamples({}), 12);
}

// Pages overwritten behind SQLite's back: told as damage, on opening where the
// tables' descriptions are hit, else by the check and by the queries that read them.
TEST(ArchiveRefusals, ADamagedArchiveIsToldSo) {
  for (const bool schema : {true, false}) {
    const ArchiveFolder folder("archive_damaged");
    makeArchive(folder, folder.archive());
    std::string bytes = fileBytes(folder.archive());
    for (std::size_t at = schema ? 4096 : bytes.size() - 4 * 4096; at + 4096 < bytes.size();
         at += 4096) {
      bytes.replace(at + 100, 2000, std::string(2000, '\x5A'));
    }
    folder.write("archivo.gpkg", bytes);
    try {
      const auto archive = openArchive(folder.archive(), ArchiveAccess::Read);
      EXPECT_FALSE(schema);
      const ArchiveCheck check = archive->check();
      EXPECT_FALSE(check.databaseSound || check.problems.empty());
      archive->resultsFilesOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
      ADD_FAILURE() << "read";
    } catch (const ArchiveError& error) {
      EXPECT_EQ(error.cause(), Cause::Damaged) << error.what();
    }
  }
}

}  // namespace
}  // namespace granomet
