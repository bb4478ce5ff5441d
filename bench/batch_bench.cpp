// The whole work flow on a full 254-sample lot: lot button, export button and the calculation
// with its results file, on the headless window.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "compute/batch_run.h"
#include "compute/sample_computation.h"
#include "data/export_button.h"
#include "data/lot_button.h"
#include "sample_files.h"
#include "ui/headless/fixed_clock.h"
#include "ui/headless/fixed_regional_settings.h"
#include "ui/headless/headless_folder.h"
#include "ui/headless/headless_window.h"

namespace {

using namespace granomet;

void fullWorkFlow(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / "granomet_bench_run_254";
  std::filesystem::create_directories(folder);
  tools::SampleFileOptions options;
  options.sampleCount = 254;
  tools::writeSampleFiles(options, folder);
  HeadlessFolder currentFolder(folder);
  FixedClock clock({2016, 6, 6, 9, 30, 5});
  FixedRegionalSettings regional(',');
  const Platform platform{clock, regional, currentFolder};
  auto tables = std::make_unique<Tables>();
  for (auto _ : state) {
    HeadlessWindow window(currentFolder);
    window.dialog().queueAnswer(folder / "LOTE12.csv");
    lotebutton(*tables, window, platform);
    window.dialog().queueAnswer(folder / "LOTE12_export.txt");
    exportbutton(*tables, window, platform);
    if (calculatot(*tables, window, platform) != RunOutcome::Completed ||
        window.itemCount(ListId::List1) != 254) {
      state.SkipWithError("the run did not calculate every sample");
      break;
    }
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(fullWorkFlow)->Unit(benchmark::kMillisecond);

// One sample's fractions, moments and class, without files or window.
void oneSample(benchmark::State& state) {
  SampleRecord record;
  record.totalWeight = 230.58;
  record.partialWeight1 = 2.08;
  record.partialWeight2 = 1.55;
  record.partialWeight3 = 3.64;
  record.shellWeight1 = 1.99f;
  IndexedArray<float, kMaxClasses> diameters;
  ClassRow row;
  for (int c = 1; c <= kLaserClasses; ++c) {
    diameters[c] = 0.011f * static_cast<float>(c * c);
    row[c] = 100.0 / kLaserClasses;
  }
  diameters[67] = 6000;
  diameters[68] = 8000;
  for (auto _ : state) {
    benchmark::DoNotOptimize(computeSample(record, diameters, row));
  }
}
BENCHMARK(oneSample)->Unit(benchmark::kMicrosecond);

}  // namespace
