// Reading a full lot and its export through the lot and export buttons on the headless window.
#include <benchmark/benchmark.h>

#include <memory>

#include "data/field_reader.h"
#include "full_lot.h"
#include "samplegen/sample_files.h"

namespace {

using namespace granomet;

void lotAndExportButtons(benchmark::State& state) {
  FullLot files("granomet_bench_254");
  auto tables = std::make_unique<Tables>();
  for (auto _ : state) {
    HeadlessWindow window = files.window();
    files.pressLotAndExport(*tables, window);
    benchmark::DoNotOptimize(tables->exports.exportSampleCount);
  }
}
BENCHMARK(lotAndExportButtons)->Unit(benchmark::kMillisecond);

void fieldsOfExport(benchmark::State& state) {
  tools::SampleFileOptions options;
  options.sampleCount = 254;
  const std::string bytes = tools::makeExportFile(options);
  for (auto _ : state) {
    FieldReader reader = FieldReader::overBytes(bytes, commaFormatOf(bytes));
    reader.readLine();
    double sum = 0;
    while (!reader.atEnd()) {
      sum += reader.readDouble();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(fieldsOfExport)->Unit(benchmark::kMillisecond);

}  // namespace
