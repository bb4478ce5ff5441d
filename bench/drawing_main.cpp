// The main of the benchmarks that draw with Qt's painter: an off-screen application for its fonts.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "offscreen_arguments.h"

int main(int argc, char** argv) {
  granomet::tools::OffscreenArguments arguments(argc, argv);
  QGuiApplication application(arguments.count(), arguments.values());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
