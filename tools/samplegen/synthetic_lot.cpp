#include "samplegen/synthetic_lot.h"

#include <algorithm>
#include <random>
#include <string>

namespace granomet::tools {
namespace {

constexpr GeoPoint kGulf{-6.55, 36.65};

double uniform(std::mt19937& random, double from, double to) {
  return from + (to - from) * std::generate_canonical<double, 32>(random);
}

LotViewSample sampleOf(std::mt19937& random, int number) {
  LotViewSample sample;
  sample.label = std::to_string(number);
  sample.name = "BC16-" + std::to_string(number) +
                "-GOLFO DE C\xC1"
                "DIZ";
  sample.lot = "LOTE12";
  const double mean = uniform(random, -0.5, 8.5);
  sample.meanPhi = mean;
  sample.sortingPhi = uniform(random, 0.3, 3.2);
  sample.skewnessPhi = uniform(random, -0.6, 0.6);
  const double mud = std::clamp((mean + 0.5) / 9, 0.0, 1.0) * 100;
  const double gravel = mean < 1 ? uniform(random, 0, 30) : 0;
  sample.gravel = gravel;
  sample.sand = std::max(0.0, 100 - mud - gravel);
  sample.silt = mud * 0.6;
  sample.clay = 100 - *sample.gravel - *sample.sand - *sample.silt;
  sample.shepardCode = static_cast<int>(random() % 11);  // 0: unknown now and then
  sample.folkGroup = static_cast<FolkGroup>(random() % 21);
  return sample;
}

}  // namespace

LotView syntheticLotView(const SyntheticLotOptions& options) {
  std::mt19937 random(options.seed);
  LotView view;
  int number = 1;
  const auto add = [&](std::optional<GeoPoint> position) {
    LotViewSample sample = sampleOf(random, number++);
    sample.position = position;
    view.samples.push_back(sample);
    return static_cast<int>(view.samples.size()) - 1;
  };
  const auto somewhere = [&random] {
    return GeoPoint{kGulf.longitude + uniform(random, -0.25, 0.25),
                    kGulf.latitude + uniform(random, -0.18, 0.18)};
  };
  for (int core = 0; core < options.cores; ++core) {
    const GeoPoint at = somewhere();
    SampleCore levels{"LOTE12", at, {}, {}};
    MapStation station{at, {}};
    for (int level = 0; level < 4; ++level) {
      const int sample = add(at);
      view.samples.back().subDepth =
          std::to_string(level * 10) + "-" + std::to_string(level * 10 + 10);
      station.samples.push_back(sample);
      levels.levels.push_back({sample, level * 10.0, level * 10.0 + (level == 3 ? 0 : 10)});
    }
    const int unread = add(at);
    view.samples.back().subDepth = "?";
    station.samples.push_back(unread);
    levels.unreadDepths.push_back(unread);
    view.stations.push_back(station);
    view.cores.push_back(levels);
  }
  for (int i = 0; i < options.coincident; ++i) {
    const GeoPoint at = somewhere();
    MapStation station{at, {}};
    for (int k = 0; k < 3; ++k) {
      station.samples.push_back(add(at));
    }
    view.stations.push_back(station);
  }
  for (int i = 0; i < options.unplaced; ++i) {
    view.withoutPosition.push_back(add(std::nullopt));
  }
  while (static_cast<int>(view.samples.size()) < options.samples) {
    const GeoPoint at = somewhere();
    view.stations.push_back({at, {add(at)}});
  }
  return view;
}

std::vector<GeoPath> syntheticCoastline(int paths, int pointsEach, double near, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<GeoPath> coastline;
  for (int i = 0; i < paths; ++i) {
    GeoPath path;
    path.closed = i % 3 == 0;
    // Most far away, as a country's coastline is beyond a lot's few tens of km.
    const double spread = i < near * paths ? 0.4 : 6;
    GeoPoint at{kGulf.longitude + uniform(random, -spread, spread),
                kGulf.latitude + uniform(random, -spread, spread)};
    const double step = 0.004;
    double heading = uniform(random, 0, 6.283);
    for (int k = 0; k < pointsEach; ++k) {
      path.points.push_back(at);
      heading += uniform(random, -0.6, 0.6) + (path.closed ? 6.283 / pointsEach : 0);
      at.longitude += step * std::cos(heading);
      at.latitude += step * std::sin(heading);
    }
    coastline.push_back(std::move(path));
  }
  return coastline;
}

}  // namespace granomet::tools
