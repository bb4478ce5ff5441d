// The whole work flow on a full 254-sample lot: lot button, export button and the calculation
// with its results file, on the headless window.
#include <benchmark/benchmark.h>

#include <memory>

#include "compute/sample_computation.h"
#include "full_lot.h"
#include "workflow/batch_run.h"

namespace {

using namespace granomet;

void fullWorkFlow(benchmark::State& state) {
  FullLot files("granomet_bench_run_254", ',');
  auto tables = std::make_unique<Tables>();
  for (auto _ : state) {
    HeadlessWindow window = files.window();
    files.pressLotAndExport(*tables, window);
    // Each run replaces the previous run's file, as a script's -o does.
    if (calculatot(*tables, window, files.platform(), ExistingResults::Replace) !=
            RunOutcome::Completed ||
        window.itemCount(ListId::List1) != 254) {
      state.SkipWithError("the run did not calculate every sample");
      break;
    }
  }
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
  LaserClasses laser;
  for (int c = 1; c <= kLaserClasses; ++c) {
    laser.diameters[c] = 0.011f * static_cast<float>(c * c);
    laser.frequencies[c] = 100.0 / kLaserClasses;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(computeSample(record, laser));
  }
}
BENCHMARK(oneSample)->Unit(benchmark::kMicrosecond);

}  // namespace
