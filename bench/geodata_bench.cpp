// The map layers: the samples' GeoPackage of a 254-sample results file, and a coastline of 5 MB
// read as the report's background.
#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <string>

#include "full_lot.h"
#include "geodata/background_layer.h"
#include "geodata/samples_layer.h"

namespace {

using namespace granomet;

void samplesLayerOf254Samples(benchmark::State& state) {
  const FullResults results("granomet_bench_samples_layer_254");
  for (auto _ : state) {
    const OutputRun run = writeSamplesLayer({results.path()}, results.folder() / "muestras.gpkg");
    if (!run.written || run.samples != 254) {
      state.SkipWithError("the layer was not written whole");
      break;
    }
  }
}
BENCHMARK(samplesLayerOf254Samples)->Unit(benchmark::kMillisecond);

// A GeoJSON of 5 MB: a wavy coast in lines of 500 points, and some islands as polygons.
std::filesystem::path writeCoastline(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "costa.geojson";
  std::ofstream out(file);
  out.precision(9);
  out << R"({"type": "FeatureCollection", "features": [)";
  int point = 0;
  for (int line = 0; out.tellp() < 5'000'000; ++line) {
    const bool island = line % 10 == 9;
    out << (line == 0 ? "" : ",") << R"({"type": "Feature", "properties": {}, "geometry": )"
        << (island ? R"({"type": "Polygon", "coordinates": [[)"
                   : R"({"type": "LineString", "coordinates": [)");
    for (int i = 0; i < 500; ++i, ++point) {
      const double t = point * 1e-4;
      const double angle = i * 2 * std::numbers::pi / 499;
      const double longitude = island ? -6.5 + line * 1e-3 + 0.01 * std::cos(angle) : -8 + t;
      const double latitude =
          island ? 36.2 + 0.01 * std::sin(angle) : 36.5 + 0.05 * std::sin(t * 40);
      out << (i == 0 ? "" : ",") << "[" << longitude << "," << latitude << "]";
    }
    out << (island ? "]]}}" : "]}}");
  }
  out << "]}\n";
  return file;
}

void coastlineOf5MB(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "granomet_bench_coastline";
  const std::filesystem::path file = writeCoastline(folder);
  std::size_t points = 0;
  for (auto _ : state) {
    points = 0;
    for (const GeoPath& path : readBackgroundLayer(file)) {
      points += path.points.size();
    }
  }
  state.counters["points"] = static_cast<double>(points);
  std::filesystem::remove_all(folder);
}
BENCHMARK(coastlineOf5MB)->Unit(benchmark::kMillisecond);

}  // namespace
