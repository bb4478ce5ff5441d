// The PDF report of a full 254-sample results file: its content, and the whole PDF drawn and
// written.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "full_lot.h"
#include "report/pdf_report.h"
#include "support/offscreen_arguments.h"
#include "workflow/report_run.h"
#include "workflow/results_set.h"

namespace {

using namespace granomet;

const ReportContext kContext{{2026, 12, 7, 10, 0, 0}, ',', false, {}, {}};

void reportContentOf254Samples(benchmark::State& state) {
  const FullResults results("granomet_bench_report_254");
  const ResultsSet set = readResultsFiles({results.path()});
  for (auto _ : state) {
    benchmark::DoNotOptimize(reportOf(set, kContext));
  }
}
BENCHMARK(reportContentOf254Samples)->Unit(benchmark::kMillisecond);

// Reading, content, drawing and writing, as granomet-informe -p does.
void pdfReportOf254Samples(benchmark::State& state) {
  const FullResults results("granomet_bench_report_254");
  for (auto _ : state) {
    const OutputRun run = runReport({results.path()}, results.folder() / "informe.pdf", kContext,
                                    report::pdfRenderer());
    if (!run.written || run.samples != 254) {
      state.SkipWithError("the report was not written whole");
      break;
    }
  }
}
BENCHMARK(pdfReportOf254Samples)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  tools::OffscreenArguments arguments(argc, argv);
  QGuiApplication application(arguments.count(), arguments.values());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
