// Reading a full lot and its export through the lot and export buttons on the headless window.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "data/export_button.h"
#include "data/field_reader.h"
#include "data/lot_button.h"
#include "sample_files.h"
#include "ui/headless/fixed_clock.h"
#include "ui/headless/fixed_regional_settings.h"
#include "ui/headless/headless_folder.h"
#include "ui/headless/headless_window.h"

namespace {

using namespace granomet;

std::filesystem::path writeFullLot() {
  const auto folder = std::filesystem::temp_directory_path() / "granomet_bench_254";
  std::filesystem::create_directories(folder);
  tools::SampleFileOptions options;
  options.sampleCount = 254;
  tools::writeSampleFiles(options, folder);
  return folder;
}

void lotAndExportButtons(benchmark::State& state) {
  const std::filesystem::path folder = writeFullLot();
  HeadlessFolder currentFolder(folder);
  FixedClock clock({2016, 6, 6, 9, 30, 5});
  FixedRegionalSettings regional;
  const Platform platform{clock, regional, currentFolder};
  auto tables = std::make_unique<Tables>();
  for (auto _ : state) {
    HeadlessWindow window(currentFolder);
    window.dialog().queueAnswer(folder / "LOTE12.csv");
    lotebutton(*tables, window, platform);
    window.dialog().queueAnswer(folder / "LOTE12_export.txt");
    exportbutton(*tables, window, platform);
    benchmark::DoNotOptimize(tables->exports.exportSampleCount);
  }
}
BENCHMARK(lotAndExportButtons)->Unit(benchmark::kMillisecond);

void fieldsOfExport(benchmark::State& state) {
  tools::SampleFileOptions options;
  options.sampleCount = 254;
  const std::string bytes = tools::makeExportFile(options);
  for (auto _ : state) {
    FieldReader reader = FieldReader::fromBytes(bytes);
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
