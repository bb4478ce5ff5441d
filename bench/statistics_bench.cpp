// The statistics of a full 254-sample results file: the figures alone, and the whole table written.
#include <benchmark/benchmark.h>

#include "full_lot.h"
#include "statistics/results_reader.h"
#include "workflow/statistics_run.h"

namespace {

using namespace granomet;

void statisticsOf254Samples(benchmark::State& state) {
  const FullResults results("granomet_bench_statistics_254");
  const ResultsFileContents contents = readResultsFile(results.path());
  if (contents.lines.size() != 254) {
    state.SkipWithError("the results file does not hold 254 samples");
    return;
  }
  for (auto _ : state) {
    for (const ResultsLine& line : contents.lines) {
      benchmark::DoNotOptimize(statisticsOf(line.sample));
    }
  }
}
BENCHMARK(statisticsOf254Samples)->Unit(benchmark::kMillisecond);

// Reading the file, the statistics and the table written, as granomet-informe does.
void statisticsTableOf254Samples(benchmark::State& state) {
  const FullResults results("granomet_bench_statistics_254");
  for (auto _ : state) {
    const OutputRun run = runStatistics({results.path()}, results.folder() / "tabla.csv", ',');
    if (!run.written || run.samples != 254) {
      state.SkipWithError("the table was not written whole");
      break;
    }
  }
}
BENCHMARK(statisticsTableOf254Samples)->Unit(benchmark::kMillisecond);

}  // namespace
