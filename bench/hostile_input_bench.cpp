// One press of a button on inputs built to make it slow or large: huge lines, quotes
// left open, the most sample lines a count can hold.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "headless/fixed_clock.h"
#include "headless/fixed_regional_settings.h"
#include "headless/headless_window.h"
#include "samplegen/sample_files.h"
#include "ui/remembered_folder.h"
#include "workflow/batch_run.h"
#include "workflow/export_button.h"
#include "workflow/lot_button.h"

namespace {

using namespace granomet;

constexpr std::size_t kTenMegabytes = 10'000'000;
constexpr int kLargestSampleCount = 32767;  // what a 16-bit count holds

std::string headingLine(const std::string& file) {
  return file.substr(0, file.find("\r\n") + 2);
}

// The sample lines of a generated export, repeated until there are `lines` of them.
std::string exportWithLines(int lines) {
  const std::string good = tools::makeExportFile({});
  const std::string blocks = good.substr(headingLine(good).size());
  std::string text = headingLine(good);
  for (std::size_t start = 0; lines > 0; --lines) {
    const std::size_t end = blocks.find("\r\n", start) + 2;
    text.append(blocks, start, end - start);
    start = end == blocks.size() ? 0 : end;
  }
  return text;
}

// A lot of `rows` rows whose order numbers run 1..254 over and over.
std::string lotWithRows(int rows) {
  tools::SampleFileOptions options;
  options.sampleCount = 254;
  const std::string full = tools::makeLotFile(options);
  const std::size_t firstRow = full.find("\r\n1,") + 2;
  std::string text = full.substr(0, firstRow);
  text.replace(text.find(",254\r\n"), 6, "," + std::to_string(rows) + "\r\n");
  for (std::size_t start = firstRow; rows > 0; --rows) {
    const std::size_t end = full.find("\r\n", start) + 2;
    text.append(full, start, end - start);
    start = end == full.size() ? firstRow : end;
  }
  return text;
}

// LOTE12.csv and LOTE12_export.txt in a temporary folder, and a window to press.
class Files {
 public:
  Files(const std::string& lot, const std::string& exported)
      : folder_(std::filesystem::temp_directory_path() / "granomet_bench_hostile"),
        currentFolder_(folder_) {
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "LOTE12.csv", std::ios::binary) << lot;
    std::ofstream(folder_ / "LOTE12_export.txt", std::ios::binary) << exported;
  }
  ~Files() { std::filesystem::remove_all(folder_); }
  Files(const Files&) = delete;
  Files& operator=(const Files&) = delete;

  void pressLot(Tables& tables, HeadlessWindow& window) {
    window.dialog().queueAnswer(folder_ / "LOTE12.csv");
    lotebutton(tables, window, platform_);
  }
  void pressExport(Tables& tables, HeadlessWindow& window) {
    window.dialog().queueAnswer(folder_ / "LOTE12_export.txt");
    exportbutton(tables, window, platform_);
  }
  // Each run replaces the previous run's file.
  void pressCalculate(Tables& tables, HeadlessWindow& window) {
    calculatot(tables, window, platform_, ExistingResults::Replace);
  }
  HeadlessWindow window() { return HeadlessWindow(currentFolder_); }

 private:
  std::filesystem::path folder_;
  RememberedFolder currentFolder_;
  FixedClock clock_{{2016, 6, 6, 9, 30, 5}};
  FixedRegionalSettings regional_;
  Platform platform_{clock_, regional_, currentFolder_};
};

enum class Press { Lot, Export, Calculate };

// Times the one press; the presses before it are set-up.
void pressOn(benchmark::State& state, Press press, const std::string& lot,
             const std::string& exported) {
  Files files(lot, exported);
  auto tables = std::make_unique<Tables>();
  for (auto _ : state) {
    state.PauseTiming();
    HeadlessWindow window = files.window();
    if (press != Press::Lot) {
      files.pressLot(*tables, window);
    }
    if (press == Press::Calculate) {
      files.pressExport(*tables, window);
    }
    const std::size_t messagesBefore = window.messages().size();
    state.ResumeTiming();
    switch (press) {
      case Press::Lot:
        files.pressLot(*tables, window);
        break;
      case Press::Export:
        files.pressExport(*tables, window);
        break;
      case Press::Calculate:
        files.pressCalculate(*tables, window);
        break;
    }
    state.counters["listed"] = window.itemCount(ListId::List1);
    state.counters["messages"] = static_cast<double>(window.messages().size() - messagesBefore);
  }
}

const std::string& goodLot() {
  static const std::string lot = tools::makeLotFile({});
  return lot;
}
const std::string& goodExport() {
  static const std::string exported = tools::makeExportFile({});
  return exported;
}

void lotTenMegabyteLine(benchmark::State& state) {
  pressOn(state, Press::Lot, std::string(kTenMegabytes, 'A'), goodExport());
}
BENCHMARK(lotTenMegabyteLine)->Unit(benchmark::kMillisecond);

void lotQuoteOpenToTheEnd(benchmark::State& state) {
  const std::string lot = goodLot();
  const std::size_t firstRow = lot.find("\r\n1,") + 2;
  pressOn(state, Press::Lot, lot.substr(0, firstRow) + "1,\"" + std::string(kTenMegabytes, 'x'),
          goodExport());
}
BENCHMARK(lotQuoteOpenToTheEnd)->Unit(benchmark::kMillisecond);

void lotLargestRowCount(benchmark::State& state) {
  pressOn(state, Press::Lot, lotWithRows(kLargestSampleCount), goodExport());
}
BENCHMARK(lotLargestRowCount)->Unit(benchmark::kMillisecond);

void exportTenMegabyteLine(benchmark::State& state) {
  pressOn(state, Press::Export, goodLot(),
          headingLine(goodExport()) + std::string(kTenMegabytes, 'A'));
}
BENCHMARK(exportTenMegabyteLine)->Unit(benchmark::kMillisecond);

void exportQuoteOpenToTheEnd(benchmark::State& state) {
  const std::string exported = goodExport();
  const std::size_t name = exported.find(",M-01,");
  pressOn(state, Press::Export, goodLot(),
          exported.substr(0, name) + ",\"" + std::string(kTenMegabytes, 'x'));
}
BENCHMARK(exportQuoteOpenToTheEnd)->Unit(benchmark::kMillisecond);

void exportFortyThousandLines(benchmark::State& state) {
  pressOn(state, Press::Export, goodLot(), exportWithLines(40000));
}
BENCHMARK(exportFortyThousandLines)->Unit(benchmark::kMillisecond);

void exportLargestLineCount(benchmark::State& state) {
  pressOn(state, Press::Export, goodLot(), exportWithLines(kLargestSampleCount));
}
BENCHMARK(exportLargestLineCount)->Unit(benchmark::kMillisecond);

void calculateLargestRecordCount(benchmark::State& state) {
  pressOn(state, Press::Calculate, goodLot(), exportWithLines(kLargestSampleCount));
}
BENCHMARK(calculateLargestRecordCount)->Unit(benchmark::kMillisecond);

// The calculation reads the lot again by lines; junk behind the last row is never needed.
void calculateLotWithTenMegabyteTail(benchmark::State& state) {
  pressOn(state, Press::Calculate, goodLot() + std::string(kTenMegabytes, 'A'), goodExport());
}
BENCHMARK(calculateLotWithTenMegabyteTail)->Unit(benchmark::kMillisecond);

}  // namespace
