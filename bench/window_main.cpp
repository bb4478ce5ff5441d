// The main of the benchmarks of the windows: an off-screen widget application, the same drawing
// without a display's latency.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "offscreen_arguments.h"

int main(int argc, char** argv) {
  granomet::tools::OffscreenArguments arguments(argc, argv);
  QApplication application(arguments.count(), arguments.values());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
