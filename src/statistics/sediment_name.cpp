#include "statistics/sediment_name.h"

namespace granomet {
namespace {

bool isGradeOf(MeanSizeTerm size, MainComponent component) {
  switch (component) {
    case MainComponent::Gravel:
      return size >= MeanSizeTerm::VeryCoarseGravel && size <= MeanSizeTerm::VeryFineGravel;
    case MainComponent::Sand:
      return size >= MeanSizeTerm::VeryCoarseSand && size <= MeanSizeTerm::VeryFineSand;
    case MainComponent::Silt:
      return size >= MeanSizeTerm::VeryCoarseSilt && size <= MeanSizeTerm::FineSilt;
    case MainComponent::Mud:
    case MainComponent::Clay:
      break;
  }
  return false;
}

}  // namespace

MainComponent mainComponentOf(FolkGroup group) {
  switch (group) {
    case FolkGroup::Gravel:
    case FolkGroup::SandyGravel:
    case FolkGroup::MuddySandyGravel:
    case FolkGroup::MuddyGravel:
      return MainComponent::Gravel;
    case FolkGroup::GravellySand:
    case FolkGroup::GravellyMuddySand:
    case FolkGroup::SlightlyGravellySand:
    case FolkGroup::SlightlyGravellyMuddySand:
    case FolkGroup::Sand:
    case FolkGroup::SiltySand:
    case FolkGroup::MuddySand:
    case FolkGroup::ClayeySand:
      return MainComponent::Sand;
    case FolkGroup::SandySilt:
    case FolkGroup::Silt:
      return MainComponent::Silt;
    case FolkGroup::SandyClay:
    case FolkGroup::Clay:
      return MainComponent::Clay;
    case FolkGroup::GravellyMud:
    case FolkGroup::SlightlyGravellySandyMud:
    case FolkGroup::SlightlyGravellyMud:
    case FolkGroup::SandyMud:
    case FolkGroup::Mud:
      break;
  }
  return MainComponent::Mud;
}

std::optional<SedimentName> sedimentNameOf(std::optional<FolkGroup> group,
                                           std::optional<MeanSizeTerm> meanSize,
                                           std::optional<SortingTerm> sorting) {
  if (!group) {
    return std::nullopt;
  }
  SedimentName name{*group, std::nullopt, sorting};
  if (meanSize && isGradeOf(*meanSize, mainComponentOf(*group))) {
    name.size = meanSize;
  }
  return name;
}

}  // namespace granomet
