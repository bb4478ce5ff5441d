// The PDF report of a full 254-sample results file and of one of 10,000 samples: its content, and
// the whole PDF drawn and written.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>

#include "full_lot.h"
#include "report/pdf_report.h"
#include "workflow/report_run.h"
#include "workflow/results_set.h"

namespace {

using namespace granomet;

const ReportContext kContext{{2026, 12, 7, 10, 0, 0}, ',', false, {}, {}, {}};

// The first `samples` lines of generated 254-sample lots' results, each lot with a
// seed of its own, in one results file.
class ManyResults {
 public:
  ManyResults(const char* folderName, int samples)
      : folder_(std::filesystem::temp_directory_path() / folderName) {
    std::filesystem::create_directories(folder_);
    std::ofstream out(path(), std::ios::binary);
    int written = 0;
    for (unsigned seed = 1; written < samples; ++seed) {
      const FullResults lot((std::string(folderName) + "_lot").c_str(), seed);
      std::ifstream in(lot.path(), std::ios::binary);
      std::string line;
      for (bool header = true; std::getline(in, line) && written < samples; header = false) {
        if (!header || seed == 1) {
          out << line << '\n';
          written += header ? 0 : 1;
        }
      }
    }
  }
  ~ManyResults() { std::filesystem::remove_all(folder_); }
  ManyResults(const ManyResults&) = delete;
  ManyResults& operator=(const ManyResults&) = delete;
  std::filesystem::path path() const { return folder_ / "resultados.csv"; }
  std::filesystem::path folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

void reportContentOf254Samples(benchmark::State& state) {
  const FullResults results("granomet_bench_report_254");
  const ResultsSet set = readResultsFiles({results.path()});
  for (auto _ : state) {
    benchmark::DoNotOptimize(reportOf(set, kContext));
  }
}
BENCHMARK(reportContentOf254Samples)->Unit(benchmark::kMillisecond);

// Reading, content, drawing and writing, as granomet-informe -p does.
void writeReport(benchmark::State& state, const std::filesystem::path& results, int samples) {
  std::chrono::duration<double, std::milli> taken{0};
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const OutputRun run = runReport({results}, results.parent_path() / "informe.pdf", kContext,
                                    report::pdfRenderer());
    taken += std::chrono::steady_clock::now() - start;
    if (!run.written || run.samples != samples) {
      state.SkipWithError("the report was not written whole");
      break;
    }
  }
  state.counters["ms_per_sample"] =
      taken.count() /
      static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations())) / samples;
}

void pdfReportOf254Samples(benchmark::State& state) {
  const FullResults results("granomet_bench_report_254");
  writeReport(state, results.path(), 254);
}
BENCHMARK(pdfReportOf254Samples)->Unit(benchmark::kMillisecond);

void pdfReportOf10000Samples(benchmark::State& state) {
  const ManyResults results("granomet_bench_report_10000", 10000);
  writeReport(state, results.path(), 10000);
}
BENCHMARK(pdfReportOf10000Samples)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
