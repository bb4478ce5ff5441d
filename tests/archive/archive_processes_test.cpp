#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <random>
#include <thread>

#include "archive/network_share.h"
#include "archive/open_archive.h"
#include "archive_folder.h"

namespace granomet {
namespace {

namespace fs = std::filesystem;
using testing::ArchiveFolder;
using testing::sqlValue;

// Runs of 12 samples each of three lots, told apart by their lines' date.
std::vector<fs::path> manyRuns(const ArchiveFolder& folder, int count, int first = 0) {
  std::vector<fs::path> runs;
  for (int i = first; i < first + count; ++i) {
    runs.push_back(folder.results("LOTE" + std::to_string(i % 3) + "_" + std::to_string(i) + ".csv",
                                  "plain_comma", "01/01/" + std::to_string(2000 + i)));
  }
  return runs;
}

void importAll(const fs::path& archivePath, const std::vector<fs::path>& files) {
  const auto archive = openArchive(archivePath, ArchiveAccess::Write);
  for (const fs::path& file : files) {
    archive->addRun(testing::importOf(file));
  }
}

// A child process that imports the files, once the pipe `start` is closed if given; exits 0
// when done.
pid_t importer(const fs::path& archivePath, const std::vector<fs::path>& files,
               const int* start = nullptr) {
  const pid_t child = fork();
  if (child != 0) {
    return child;
  }
  char byte = 0;
  if (start != nullptr && close(start[1]) == 0 && read(start[0], &byte, 1) < 0) {
    _exit(1);
  }
  try {
    importAll(archivePath, files);
    _exit(0);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    _exit(1);
  }
}

int exitOf(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The database checked by SQLite, then every run whole (its samples, their lines and their
// 68 weights each) and no sample without its run: the faults found, counted.
void expectSoundAndWhole(const fs::path& archivePath, const std::string& when) {
  EXPECT_EQ(
      sqlValue(
          archivePath,
          "SELECT (SELECT count(*) FROM pragma_integrity_check WHERE integrity_check != 'ok') + "
          "(SELECT count(*) FROM ejecuciones AS e WHERE muestras != "
          "(SELECT count(*) FROM muestras WHERE ejecucion = e.id) OR 68 * muestras != "
          "(SELECT count(*) FROM pesos_clases JOIN muestras ON muestras.fid = pesos_clases.muestra "
          "WHERE ejecucion = e.id) OR muestras != (SELECT count(*) FROM lineas_resultados "
          "JOIN muestras ON muestras.fid = lineas_resultados.muestra WHERE ejecucion = e.id)) + "
          "(SELECT count(*) FROM muestras WHERE ejecucion NOT IN (SELECT id FROM ejecuciones))"),
      "0")
      << when;
}

TEST(ArchiveProcesses, TwoProgramsCreatingAndAddingAtOnceBothFinish) {
  const ArchiveFolder folder("archive_two_writers");
  const auto first = manyRuns(folder, 4);
  const auto second = manyRuns(folder, 4, 4);
  for (int round = 0; round < 3; ++round) {
    fs::remove(folder.archive());
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    const pid_t a = importer(folder.archive(), first, start);
    const pid_t b = importer(folder.archive(), second, start);
    close(start[0]);
    close(start[1]);  // both start now
    EXPECT_EQ(exitOf(a), 0);
    EXPECT_EQ(exitOf(b), 0);
    EXPECT_EQ(openArchive(folder.archive(), ArchiveAccess::Read)->runs().size(), 8U);
    expectSoundAndWhole(folder.archive(), "round " + std::to_string(round));
  }
  // Nothing made on the way is left beside it.
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    EXPECT_EQ(entry.path().filename().string().find(".nuevo"), std::string::npos);
  }
}

TEST(ArchiveProcesses, AReaderSeesEachRunWholeOrNotAtAll) {
  const ArchiveFolder folder("archive_reader");
  const auto files = manyRuns(folder, 10);
  importAll(folder.archive(), {files.front()});
  const pid_t writer = importer(folder.archive(), files);
  ArchiveFilter every;
  every.allVersions = true;
  std::int64_t last = 0;
  int reads = 0;
  const auto archive = openArchive(folder.archive(), ArchiveAccess::Read);
  while (waitpid(writer, nullptr, WNOHANG) == 0) {
    const std::int64_t count = archive->countSamples(every);
    EXPECT_EQ(count % 12, 0);
    EXPECT_GE(count, last);
    last = count;
    ++reads;
  }
  EXPECT_EQ(archive->countSamples(every), 120);
  EXPECT_GT(reads, 0);
}

// Killed anywhere in an import, the archive is sound and holds each run whole or
// not at all; the next import completes it.
TEST(ArchiveProcesses, AnImportKilledAnywhereLeavesEveryRunWholeOrAbsent) {
  const ArchiveFolder folder("archive_killed");
  const auto files = manyRuns(folder, 16);
  const auto started = std::chrono::steady_clock::now();
  importAll(folder.path() / "medida.gpkg", files);
  const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - started);
  std::uniform_int_distribution<long long> after(0, whole.count());
  std::mt19937 random(20161206);
  for (int kill = 0; kill < 24; ++kill) {
    if (kill % 6 == 0) {
      // Now and then from nothing, so that creating the archive is cut short too.
      for (const char* suffix : {"", "-wal", "-shm"}) {
        fs::remove(folder.archive().string() + suffix);
      }
    }
    const pid_t child = importer(folder.archive(), files);
    std::this_thread::sleep_for(std::chrono::microseconds(after(random)));
    ::kill(child, SIGKILL);
    exitOf(child);
    if (fs::exists(folder.archive())) {
      expectSoundAndWhole(folder.archive(), "kill " + std::to_string(kill));
    }
  }
  importAll(folder.archive(), files);
  expectSoundAndWhole(folder.archive(), "after");
  EXPECT_EQ(openArchive(folder.archive(), ArchiveAccess::Read)->runs().size(), files.size());
}

TEST(ArchiveProcesses, TellsANetworkShareFromALocalDisk) {
  const ArchiveFolder folder("archive_network");
  EXPECT_FALSE(onNetworkShare(folder.path()));
  EXPECT_FALSE(onNetworkShare(folder.path() / "no" / "hecho" / "archivo.gpkg"));
  // Any network share this machine has mounted.
  std::ifstream mounts("/proc/mounts");
  for (std::string device, place, type, rest;
       mounts >> device >> place >> type && std::getline(mounts, rest);) {
    if (type == "nfs" || type == "nfs4" || type == "cifs" || type == "smb3") {
      EXPECT_TRUE(onNetworkShare(place)) << place;
    }
  }
}

}  // namespace
}  // namespace granomet
