// Which samples of a lot were taken at one place: the stations a map draws once.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "statistics/geo_point.h"

namespace granomet {

// The samples (by index into positions and lots, which are as long) grouped by
// station: samples of one lot joined wherever one lies within toleranceMetres of
// any sample already in the group (single linkage), so that a core's slices
// positioned a few metres apart stay one station. Samples without a position are
// in none. Each group in index order; the groups in the order of their first sample.
std::vector<std::vector<int>> stationsOf(const std::vector<std::optional<GeoPoint>>& positions,
                                         const std::vector<std::string>& lots,
                                         double toleranceMetres);

}  // namespace granomet
