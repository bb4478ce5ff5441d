// A sample's full name from its parts, as Folk (1954) and Blott & Pye (2001) build it: main noun
// and mean size, the modifiers of Folk's group, the sorting.
#pragma once

#include <optional>

#include "statistics/descriptive_terms.h"
#include "statistics/folk_group.h"

namespace granomet {

// The noun a Folk group names the sample by: the last word of its name.
enum class MainComponent { Gravel, Sand, Mud, Silt, Clay };
MainComponent mainComponentOf(FolkGroup group);

struct SedimentName {
  FolkGroup group = FolkGroup::Sand;
  // The Folk & Ward mean's grade, only where it is a grade of the main component:
  // gravel, sand and silt have grades; mud spans silt and clay, and clay has none.
  std::optional<MeanSizeTerm> size;
  std::optional<SortingTerm> sorting;
};

// nullopt without a Folk group: there is nothing to name.
std::optional<SedimentName> sedimentNameOf(std::optional<FolkGroup> group,
                                           std::optional<MeanSizeTerm> meanSize,
                                           std::optional<SortingTerm> sorting);

}  // namespace granomet
