// The archive: 100 results files of 254 samples imported, imported again, and a filtered page read.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "archive/open_archive.h"
#include "full_lot.h"

namespace {

using namespace granomet;
namespace fs = std::filesystem;

constexpr int kFiles = 100;

// One run's results file made into 100 lots (LOTE0..LOTE99, their names' lot) of
// ten campaigns.
class HundredFiles {
 public:
  HundredFiles()
      : folder_(fs::temp_directory_path() /
                ("granomet_bench_archive_" + std::to_string(getpid()))) {
    const FullResults results("granomet_bench_archive_lot");
    std::ifstream in(results.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    fs::create_directories(folder_);
    for (int i = 0; i < kFiles; ++i) {
      std::string variant = bytes;
      const std::string campaign = "GOLFO-" + std::to_string(10 + i % 10);
      for (auto at = variant.find("GOLFO-16"); at != std::string::npos;
           at = variant.find("GOLFO-16", at + campaign.size())) {
        variant.replace(at, 8, campaign);
      }
      // Each file its own date, so its own bytes.
      char date[16];
      std::snprintf(date, sizeof date, "%02d/%02d/2016", 1 + i % 28, 1 + i / 28);
      for (auto at = variant.find("06/06/2016"); at != std::string::npos;
           at = variant.find("06/06/2016", at + 10)) {
        variant.replace(at, 10, date);
      }
      files_.push_back(folder_ / ("LOTE" + std::to_string(i) + "_06062016_093005.csv"));
      std::ofstream(files_.back(), std::ios::binary) << variant;
    }
  }
  ~HundredFiles() { fs::remove_all(folder_); }
  HundredFiles(const HundredFiles&) = delete;
  HundredFiles& operator=(const HundredFiles&) = delete;

  fs::path archive() const { return folder_ / "archivo.gpkg"; }
  void removeArchive() const {
    for (const char* suffix : {"", "-wal", "-shm"}) {
      fs::remove(archive().string() + suffix);
    }
  }
  // Samples added; 0 where a run was refused.
  int importAll() const {
    const auto archive = openArchive(this->archive(), ArchiveAccess::Write);
    int samples = 0;
    for (const fs::path& file : files_) {
      RunToArchive run;
      run.resultsFile = file;
      const AddedRun added = archive->addRun(run);
      samples += added.end == AddRunEnd::Added ? added.samples : 0;
    }
    return samples;
  }

 private:
  fs::path folder_;
  std::vector<fs::path> files_;
};

const HundredFiles& hundredFiles() {
  static const HundredFiles files;
  return files;
}

void importHundredFiles(benchmark::State& state) {
  const HundredFiles& files = hundredFiles();
  for (auto _ : state) {
    state.PauseTiming();
    files.removeArchive();
    state.ResumeTiming();
    if (files.importAll() != kFiles * 254) {
      state.SkipWithError("not every sample was archived");
      break;
    }
  }
  const auto size =
      fs::file_size(files.archive()) + (fs::exists(files.archive().string() + "-wal")
                                            ? fs::file_size(files.archive().string() + "-wal")
                                            : 0);
  state.counters["bytes_per_sample"] = static_cast<double>(size) / (kFiles * 254);
}
BENCHMARK(importHundredFiles)->Unit(benchmark::kSecond)->Iterations(2);

void importThemAgain(benchmark::State& state) {
  const HundredFiles& files = hundredFiles();
  if (!fs::exists(files.archive())) {
    files.importAll();
  }
  for (auto _ : state) {
    if (files.importAll() != 0) {
      state.SkipWithError("a run was archived twice");
      break;
    }
  }
}
BENCHMARK(importThemAgain)->Unit(benchmark::kMillisecond);

// What the Archivo window asks for a campaign below 20 m: the count and the first page.
void campaignAndDepthPage(benchmark::State& state) {
  const HundredFiles& files = hundredFiles();
  if (!fs::exists(files.archive())) {
    files.importAll();
  }
  const auto archive = openArchive(files.archive(), ArchiveAccess::Read);
  ArchiveFilter filter;
  filter.campaign = "golfo-13";
  filter.depthMin = 20;
  for (auto _ : state) {
    const std::int64_t count = archive->countSamples(filter);
    const auto page = archive->samples(filter, {}, 0, 100);
    if (count == 0 || page.empty()) {
      state.SkipWithError("no sample found");
      break;
    }
    benchmark::DoNotOptimize(page.data());
  }
}
BENCHMARK(campaignAndDepthPage)->Unit(benchmark::kMillisecond);

}  // namespace
