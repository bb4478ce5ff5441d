// The Archivo window over an archive of 100 runs of 254 samples (25,400 current samples): opened
// with its count and first page, and every sample selected and asked for as results files.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <memory>

#include "archive/open_archive.h"
#include "headless/fixed_clock.h"
#include "headless/fixed_regional_settings.h"
#include "headless/headless_window.h"
#include "qt/archive_model.h"
#include "qt/archive_window.h"
#include "samplegen/sample_files.h"
#include "ui/remembered_folder.h"
#include "workflow/batch_run.h"
#include "workflow/export_button.h"
#include "workflow/lot_button.h"

namespace {

using namespace granomet;

constexpr int kRuns = 100;

// Lots LOTE001 to LOTE100 generated, each run as the window runs it and archived.
class BigArchive {
 public:
  BigArchive()
      : folder_(std::filesystem::temp_directory_path() /
                ("granomet_bench_archive_" + std::to_string(getpid()))) {
    RememberedFolder current(folder_);
    const FixedClock clock({2016, 6, 6, 9, 30, 5});
    const FixedRegionalSettings regional('.');
    const Platform platform{clock, regional, current};
    const auto archive = openArchive(path(), ArchiveAccess::Write);
    for (int run = 1; run <= kRuns; ++run) {
      char lot[16];
      std::snprintf(lot, sizeof lot, "LOTE%03d", run);
      tools::SampleFileOptions options;
      options.sampleCount = 254;
      options.lotName = lot;
      options.seed = static_cast<unsigned>(run);
      tools::writeSampleFiles(options, folder_);
      auto tables = std::make_unique<Tables>();
      HeadlessWindow window(current);
      window.dialog().queueAnswer(folder_ / (std::string(lot) + ".csv"));
      lotebutton(*tables, window, platform);
      window.dialog().queueAnswer(folder_ / (std::string(lot) + "_export.txt"));
      exportbutton(*tables, window, platform);
      const auto results = folder_ / (std::string(lot) + "_06062016_093005.csv");
      calculatot(*tables, window, platform, ExistingResults::Replace, results);
      RunToArchive added;
      added.resultsFile = results;
      archive->addRun(added);
    }
  }
  ~BigArchive() { std::filesystem::remove_all(folder_); }
  BigArchive(const BigArchive&) = delete;
  BigArchive& operator=(const BigArchive&) = delete;

  std::filesystem::path path() const { return folder_ / "archivo.gpkg"; }

 private:
  std::filesystem::path folder_;
};

BigArchive& bigArchive() {
  static BigArchive archive;
  return archive;
}

struct OpenedWindow {
  explicit OpenedWindow(std::filesystem::path at)
      : path(std::move(at)),
        window(
            nullptr,
            {[this] { return path; }, [](const std::filesystem::path&) {}, [] { return true; },
             [](bool) {}},
            ',', [this](std::vector<ArchivedResultsFile> files) { shown = std::move(files); },
            openArchiveToRead) {}
  std::filesystem::path path;
  std::vector<ArchivedResultsFile> shown;
  ArchiveWindow window;
};

// From nothing to the window painted with its count and first page.
void archiveWindowOpened(benchmark::State& state) {
  const std::filesystem::path archive = bigArchive().path();
  for (auto _ : state) {
    OpenedWindow opened(archive);
    opened.window.show();
    benchmark::DoNotOptimize(opened.window.grab());
    if (opened.window.model().total() != kRuns * 254) {
      state.SkipWithError("the archive does not hold 25,400 current samples");
    }
  }
}
BENCHMARK(archiveWindowOpened)->Unit(benchmark::kMillisecond);

// Every sample selected (every page read) and handed on as results files.
void everySampleShown(benchmark::State& state) {
  OpenedWindow opened(bigArchive().path());
  opened.window.show();
  for (auto _ : state) {
    opened.window.refresh();
    opened.window.selectAll();
    opened.window.showSelected();
    if (opened.shown.size() != kRuns) {
      state.SkipWithError("the selection did not give one results file a run");
    }
  }
}
BENCHMARK(everySampleShown)->Unit(benchmark::kMillisecond);

// A header clicked: the first page again in another order.
void sortedByMean(benchmark::State& state) {
  OpenedWindow opened(bigArchive().path());
  bool descending = false;
  for (auto _ : state) {
    opened.window.model().sort(static_cast<int>(ArchiveColumn::MeanPhi),
                               descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    descending = !descending;
  }
}
BENCHMARK(sortedByMean)->Unit(benchmark::kMillisecond);

}  // namespace
