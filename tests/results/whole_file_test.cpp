// A file written whole: the new content in full, or the old one untouched and nothing left beside
// it.
#include "results/whole_file.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX  // std::min and std::max, not the macros
#endif
#include <windows.h>
#else
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "results/results_file.h"
#include "support/test_data.h"

namespace granomet {
namespace {

namespace fs = std::filesystem;

class WholeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("granomet_whole_file_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    std::ofstream(target()) << "antes";
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path target() const { return folder_ / "tabla.csv"; }
  // The target holds `bytes`, and nothing was left beside it.
  void expectAlone(const std::string& bytes) const {
    EXPECT_EQ(testing::fileBytes(target()), bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 1) << "a file was left beside";
  }

  fs::path folder_;
};

TEST_F(WholeFileTest, PiecesOfEverySizeArriveInOrder) {
  // Pieces below, at and above the block the sink passes on at once.
  const std::string small(1000, 'a');
  const std::string large((std::size_t{1} << 20) + 7, 'b');
  std::string expected;
  ASSERT_TRUE(writeWholeFile(target(), [&](WholeFileSink& sink) {
    for (const std::string* piece : {&small, &large, &small, &small, &large}) {
      sink.write(*piece);
      expected += *piece;
    }
    return true;
  }));
  expectAlone(expected);
}

TEST_F(WholeFileTest, GivingUpOrFailingLeavesTheOldFileAlone) {
  const std::string large((std::size_t{1} << 21), 'c');
  EXPECT_FALSE(writeWholeFile(target(), [&](WholeFileSink& sink) {
    sink.write(large);
    return false;
  }));
  expectAlone("antes");

  EXPECT_THROW(writeWholeFile(target(),
                              [&](WholeFileSink& sink) -> bool {
                                sink.write(large);
                                throw std::runtime_error("el dibujo falló");
                              }),
               std::runtime_error);
  expectAlone("antes");

  // A writer of its own that gives up leaves its file and whatever it kept beside it.
  EXPECT_FALSE(writeWholeFileBy(target(), [&](const fs::path& made) {
    std::ofstream(made) << large;
    std::ofstream(made.string() + "-journal") << "diario";
    return false;
  }));
  expectAlone("antes");
}

#ifdef _WIN32
// Excel keeps a CSV it shows open without sharing it: the file is neither replaced
// nor emptied, and the cause is told apart from a refused permission.
TEST_F(WholeFileTest, AFileAnotherProgramHoldsOpenIsLeftAlone) {
  const HANDLE held = ::CreateFileW(target().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  for (const auto& write : std::vector<std::function<void()>>{
           [this] { writeWholeFile(target(), std::string_view("nuevo")); },
           [this] { ResultsFile::create(target()); }}) {
    try {
      write();
      ADD_FAILURE() << "written";
    } catch (const ResultsFileError& error) {
      EXPECT_EQ(error.systemError(), EBUSY);
    }
  }
  ::CloseHandle(held);
  expectAlone("antes");
}
#endif

// What becomes of a file replaced whole: it keeps who may read and write it, a
// read-only one and one in a read-only folder stay as they were, with the cause.
enum class Outcome { Replaced, FileReadOnly, FolderReadOnly };
struct Protection {
  const char* name;
  fs::perms file;
  fs::perms folder;
  Outcome outcome;
  std::size_t nameBytes = 0;     // the file's name this long, else tabla.csv
  bool posixOnly = true;         // Windows has a read-only attribute, no modes
  bool ofNobody = false;         // the file belongs to "nobody": root alone can set that
  bool forOrdinaryUser = false;  // root writes in a read-only folder
};

void PrintTo(const Protection& protection, std::ostream* out) {
  *out << protection.name;
}

class WholeFileProtectionTest : public ::testing::TestWithParam<Protection> {};

TEST_P(WholeFileProtectionTest, KeepsTheOldFilesProtectionOrLeavesItAlone) {
  const Protection& c = GetParam();
#ifdef _WIN32
  if (c.posixOnly) {
    GTEST_SKIP() << "no modes nor owners on Windows";
  }
  const bool root = false;
#else
  const bool root = ::geteuid() == 0;
#endif
  if ((c.ofNobody && !root) || (c.forOrdinaryUser && root)) {
    GTEST_SKIP() << (root ? "root writes in a read-only folder" : "only root gives files away");
  }
  const fs::path folder =
      fs::temp_directory_path() / ("granomet_protection_" + std::string(c.name));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path file = folder / (c.nameBytes == 0 ? std::string("tabla.csv")
                                                   : std::string(c.nameBytes - 4, 'n') + ".csv");
  std::ofstream(file) << "antes";
#ifndef _WIN32
  const passwd* nobody = ::getpwnam("nobody");
  if (c.ofNobody) {
    ASSERT_NE(nobody, nullptr);
    ASSERT_EQ(::chown(file.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  }
#endif
  fs::permissions(file, c.file);
  fs::permissions(folder, c.folder);

  // Written by the program, and by a writer that makes its file itself, as GDAL does.
  const std::vector<std::function<void()>> writers = {
      [&file] { writeWholeFile(file, std::string_view("nuevo")); },
      [&file] {
        writeWholeFileBy(file, [](const fs::path& made) {
          std::ofstream(made) << "nuevo";
          return true;
        });
      }};
  for (const auto& write : writers) {
    try {
      write();
      EXPECT_EQ(c.outcome, Outcome::Replaced);
    } catch (const ResultsFileError& error) {
      EXPECT_EQ(error.refusal() == ResultsFileError::Refusal::ReadOnly,
                c.outcome == Outcome::FileReadOnly);
      EXPECT_EQ(error.place() == ResultsFileError::Place::Folder && error.systemError() == EACCES,
                c.outcome == Outcome::FolderReadOnly);
    }
  }
  EXPECT_EQ(testing::fileBytes(file), c.outcome == Outcome::Replaced ? "nuevo" : "antes");
#ifdef _WIN32
  // Windows tells only whether the file is read-only.
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::owner_write,
            c.file & fs::perms::owner_write);
#else
  EXPECT_EQ(fs::status(file).permissions(), c.file);
  if (c.ofNobody) {
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(std::pair(info.st_uid, info.st_gid), std::pair(nobody->pw_uid, nobody->pw_gid));
  }
#endif
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << "a file was left beside";
  fs::permissions(folder, fs::perms::owner_all);
  fs::permissions(file, fs::perms::owner_all);
  fs::remove_all(folder);
}

constexpr auto kRW = fs::perms::owner_read | fs::perms::owner_write;
constexpr auto kGroupR = fs::perms::group_read;
constexpr auto kAll = fs::perms::owner_all;
constexpr auto kReadOnly = fs::perms::owner_read | fs::perms::owner_exec;
using enum Outcome;

INSTANTIATE_TEST_SUITE_P(
    EveryProtection, WholeFileProtectionTest,
    ::testing::Values(
        Protection{"OwnerOnly", kRW, kAll, Replaced},
        Protection{"GroupReads", kRW | kGroupR, kAll, Replaced},
        Protection{"AnotherUsersFile", kRW | kGroupR, kAll, Replaced, 0, true, true},
        Protection{"ReadOnlyFile", fs::perms::owner_read | kGroupR, kAll, FileReadOnly, 0, false},
        Protection{"ReadOnlyFolder", kRW, kReadOnly, FolderReadOnly, 0, true, false, true},
        // The longest name a folder takes: the new file's own name must not outgrow it.
        Protection{"NameOf255Bytes", kRW, kAll, Replaced, 255, false}),
    [](const ::testing::TestParamInfo<Protection>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace granomet
