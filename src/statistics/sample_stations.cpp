#include "statistics/sample_stations.h"

#include <algorithm>
#include <map>
#include <numbers>
#include <numeric>

#include "statistics/sample_position.h"

namespace granomet {
namespace {

// Each sample's group as a tree of parents, joined by their roots.
class Groups {
 public:
  explicit Groups(std::size_t count) : parent_(count) {
    std::iota(parent_.begin(), parent_.end(), std::size_t{0});
  }
  std::size_t rootOf(std::size_t sample) {
    while (parent_[sample] != sample) {
      parent_[sample] = parent_[parent_[sample]];
      sample = parent_[sample];
    }
    return sample;
  }
  // The lower root stays, so a group's root is its first sample.
  void join(std::size_t a, std::size_t b) {
    const std::size_t rootA = rootOf(a);
    const std::size_t rootB = rootOf(b);
    parent_[std::max(rootA, rootB)] = std::min(rootA, rootB);
  }

 private:
  std::vector<std::size_t> parent_;
};

}  // namespace

std::vector<std::vector<int>> stationsOf(const std::vector<std::optional<GeoPoint>>& positions,
                                         const std::vector<std::string>& lots,
                                         double toleranceMetres) {
  const std::size_t count = positions.size();
  std::vector<std::size_t> placed;
  for (std::size_t i = 0; i < count; ++i) {
    if (positions[i]) {
      placed.push_back(i);
    }
  }
  // Two places within the tolerance differ in latitude by no more than its arc:
  // by latitude, each sample is compared with the few that follow it within that arc.
  std::stable_sort(placed.begin(), placed.end(), [&positions](std::size_t a, std::size_t b) {
    return positions[a]->latitude < positions[b]->latitude;
  });
  // (A millionth more, so that rounding never drops a pair due north at the tolerance.)
  const double arcDegrees =
      toleranceMetres / kMeanEarthRadiusMetres * 180 / std::numbers::pi * (1 + 1e-6);
  Groups groups(count);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const GeoPoint here = *positions[placed[i]];
    for (std::size_t j = i + 1;
         j < placed.size() && positions[placed[j]]->latitude - here.latitude <= arcDegrees; ++j) {
      if (lots[placed[i]] == lots[placed[j]] &&
          distanceMetres(here, *positions[placed[j]]) <= toleranceMetres) {
        groups.join(placed[i], placed[j]);
      }
    }
  }

  std::vector<std::vector<int>> stations;
  std::map<std::size_t, std::size_t> stationOfRoot;
  for (std::size_t i = 0; i < count; ++i) {
    if (!positions[i]) {
      continue;
    }
    const auto [at, isNew] = stationOfRoot.try_emplace(groups.rootOf(i), stations.size());
    if (isNew) {
      stations.emplace_back();
    }
    stations[at->second].push_back(static_cast<int>(i));
  }
  return stations;
}

}  // namespace granomet
