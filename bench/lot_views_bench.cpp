// The lot's views of a 254-sample lot: the map over a 5 MB coastline drawn as the window draws
// it, and the report's pages of the lot drawn and written as a PDF.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include "report/lot_charts.h"
#include "report/lot_pages.h"
#include "report/report_style.h"
#include "samplegen/synthetic_lot.h"

namespace {

using namespace granomet;

// About 300 000 points in 3000 paths: a tenth of them over the lot, or all.
std::vector<GeoPath> coastline(double near = 0.1) {
  return tools::syntheticCoastline(3000, 100, near);
}

LotView lotOf254() {
  return tools::syntheticLotView({254, 12, 10, 4, 1});
}

// Laid out and drawn, as the window does when the map is first shown.
void mapOf254SamplesOverACoastline(benchmark::State& state, double near) {
  const LotView view = lotOf254();
  const std::vector<GeoPath> background = coastline(near);
  const LotViewWords words = lotViewWords();
  QImage image(1000, 700, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    report::SampleMap(view, background, MapColouring::Shepard, words, QRectF(0, 0, 1000, 700), 12)
        .draw(painter, 3);
  }
}
BENCHMARK_CAPTURE(mapOf254SamplesOverACoastline, a_tenth_in_view, 0.1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(mapOf254SamplesOverACoastline, all_in_view, 1.0)->Unit(benchmark::kMillisecond);

// The report's map of a 10,000-sample results file: every label placed.
void mapOf10000Samples(benchmark::State& state) {
  const LotView view = tools::syntheticLotView({10000, 12, 100, 40, 1});
  const LotViewWords words = lotViewWords();
  QImage image(1000, 700, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    report::SampleMap(view, {}, MapColouring::Shepard, words, QRectF(0, 0, 1000, 700), 12)
        .draw(painter);
  }
}
BENCHMARK(mapOf10000Samples)->Unit(benchmark::kMillisecond);

// Drawn again, as the window repaints it.
void mapRepainted(benchmark::State& state) {
  const LotView view = lotOf254();
  const LotViewWords words = lotViewWords();
  QImage image(1000, 700, QImage::Format_ARGB32_Premultiplied);
  const std::vector<GeoPath> background = coastline(1.0);
  const report::SampleMap map(view, background, MapColouring::Shepard, words,
                              QRectF(0, 0, 1000, 700), 12);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    map.draw(painter, 3);
  }
}
BENCHMARK(mapRepainted)->Unit(benchmark::kMillisecond);

// The pages the lot adds to a report: map, plots, summary and profiles.
void reportPagesOfTheLot(benchmark::State& state, bool withCoastline) {
  Report content;
  content.lot = lotOf254();
  content.lotWords = lotViewWords();
  if (withCoastline) {
    content.mapBackground = coastline();
  }
  ReportTable table{"Resumen", {"N", "Muestra", "Media"}, {}};
  for (const LotViewSample& sample : content.lot.samples) {
    table.rows.push_back({sample.label, sample.name, std::to_string(*sample.meanPhi)});
  }
  content.lotSummary = {table, table};
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    report::drawLotPagesAlone(content, writer);
    state.counters["bytes"] = static_cast<double>(buffer.size());
  }
}
BENCHMARK_CAPTURE(reportPagesOfTheLot, without_background, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reportPagesOfTheLot, over_a_coastline, true)->Unit(benchmark::kMillisecond);

}  // namespace
