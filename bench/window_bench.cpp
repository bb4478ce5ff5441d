// The Qt window's own cost: building it, and a 254-sample run with every curve drawn.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPixmap>
#include <memory>

#include "full_lot.h"
#include "headless/headless_file_dialog.h"
#include "qt/archive_settings.h"
#include "qt/curve_graph.h"
#include "qt/principal.h"
#include "support/modal_answerer.h"

namespace {

using namespace granomet;

struct ShownWindow {
  // The runs measured are the window's own: none goes into an archive.
  explicit ShownWindow(FullLot& lot)
      : archive([](std::string_view) { return std::optional<std::string>(); },
                lot.folder() / "ajustes.ini") {
    archive.setArchivesRuns(false);
    auto owned = std::make_unique<HeadlessFileDialog>(lot.currentFolder());
    dialog = owned.get();
    window = std::make_unique<principal>(clock, regional, lot.currentFolder(), archive,
                                         std::move(owned));
    window->show();
    QApplication::processEvents();
  }

  void press(const char* button) { window->findChild<QAbstractButton*>(button)->click(); }

  FixedClock clock{{2016, 6, 6, 9, 30, 5}};
  FixedRegionalSettings regional{','};
  ArchiveSettings archive;
  HeadlessFileDialog* dialog = nullptr;
  std::unique_ptr<principal> window;
};

// From nothing to the main window painted once.
void windowShown(benchmark::State& state) {
  FullLot lot("granomet_bench_window_shown");
  for (auto _ : state) {
    ShownWindow shown(lot);
    benchmark::DoNotOptimize(shown.window->grab());
  }
}
BENCHMARK(windowShown)->Unit(benchmark::kMillisecond);

// The calculation button on a read 254-sample lot and export, through to the
// window painted again with all 254 curves.
void runWith254Curves(benchmark::State& state) {
  FullLot lot("granomet_bench_window_run");
  tools::ModalAnswerer boxes;
  for (auto _ : state) {
    state.PauseTiming();
    lot.removeResults();
    ShownWindow shown(lot);
    shown.dialog->queueAnswer(lot.folder() / "LOTE12.csv");
    shown.press("lotebutton");
    shown.dialog->queueAnswer(lot.folder() / "LOTE12_export.txt");
    shown.press("exportbutton");
    QApplication::processEvents();
    state.ResumeTiming();

    shown.press("calculatot");
    benchmark::DoNotOptimize(shown.window->grab());

    state.PauseTiming();
    if (shown.window->findChild<CurveGraph*>("CWGraph1")->curveCount() != 254) {
      state.SkipWithError("the run did not draw 254 curves");
    }
    shown.window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(runWith254Curves)->Unit(benchmark::kMillisecond);

// A repaint of the window as it stands after the run, as when it is uncovered.
void repaintWith254Curves(benchmark::State& state) {
  FullLot lot("granomet_bench_window_repaint");
  tools::ModalAnswerer boxes;
  ShownWindow shown(lot);
  shown.dialog->queueAnswer(lot.folder() / "LOTE12.csv");
  shown.press("lotebutton");
  shown.dialog->queueAnswer(lot.folder() / "LOTE12_export.txt");
  shown.press("exportbutton");
  shown.press("calculatot");
  benchmark::DoNotOptimize(shown.window->grab());
  for (auto _ : state) {
    benchmark::DoNotOptimize(shown.window->grab());
  }
}
BENCHMARK(repaintWith254Curves)->Unit(benchmark::kMillisecond);

}  // namespace
