// The sample's full name in Spanish, built from Folk's group, the Folk & Ward mean and sorting.
#include "statistics/sediment_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/text_encoding.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

struct NameCase {
  std::optional<FolkGroup> group;
  std::optional<double> meanPhi;
  std::optional<double> sortingPhi;
  const char* name;
};

TEST(SedimentName, IsFolksGroupWithTheMeansGradeAndTheSorting) {
  using G = FolkGroup;
  const std::vector<NameCase> cases = {
      {G::Gravel, -3.5, 1.2, "Grava media, mal clasificada"},
      {G::SandyGravel, -1.5, 0.6, "Grava muy fina arenosa, moderadamente bien clasificada"},
      // The mean in sand grades no gravel.
      {G::MuddySandyGravel, 0.5, 2.5, "Grava arenosa fangosa, muy mal clasificada"},
      {G::MuddyGravel, -2.5, 4.5, "Grava fina fangosa, extremadamente mal clasificada"},
      {G::GravellySand, 0.5, 1.5, "Arena gruesa gravosa, mal clasificada"},
      {G::GravellyMuddySand, 3.5, 2.1, "Arena muy fina fangosa gravosa, muy mal clasificada"},
      {G::GravellyMud, 5, 2.1, "Fango gravoso, muy mal clasificado"},
      {G::SlightlyGravellySand, 1.5, 0.8,
       "Arena media ligeramente gravosa, moderadamente clasificada"},
      {G::SlightlyGravellyMuddySand, 4.2, 1.5,
       "Arena fangosa ligeramente gravosa, mal clasificada"},
      {G::SlightlyGravellySandyMud, 4.5, 1.5, "Fango arenoso ligeramente gravoso, mal clasificado"},
      {G::SlightlyGravellyMud, 6, 0.8, "Fango ligeramente gravoso, moderadamente clasificado"},
      {G::Sand, -0.5, 0.4, "Arena muy gruesa, bien clasificada"},
      {G::SiltySand, 3.999, 0.9, "Arena muy fina limosa, moderadamente clasificada"},
      // 4 phi, 63 µm, is silt: the mean grades no sand.
      {G::SiltySand, 4, 0.9, "Arena limosa, moderadamente clasificada"},
      {G::MuddySand, 2.5, 1.5, "Arena fina fangosa, mal clasificada"},
      {G::ClayeySand, 4.5, 2.5, "Arena arcillosa, muy mal clasificada"},
      {G::SandySilt, 5.5, 1.5, "Limo grueso arenoso, mal clasificado"},
      {G::SandyMud, 5.5, 1.5, "Fango arenoso, mal clasificado"},
      {G::SandyClay, 8.5, 2.5, "Arcilla arenosa, muy mal clasificada"},
      {G::Silt, 7.5, 0.3, "Limo fino, muy bien clasificado"},
      {G::Mud, 6.5, 1.5, "Fango, mal clasificado"},
      {G::Clay, 9, 1.5, "Arcilla, mal clasificada"},
      {G::SlightlyGravellySand, std::nullopt, 1.2, "Arena ligeramente gravosa, mal clasificada"},
      {G::Silt, 6.5, std::nullopt, "Limo medio"},
      {std::nullopt, 2, 1, ""},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto meanSize = c.meanPhi ? std::optional(meanSizeTermOf(*c.meanPhi)) : std::nullopt;
    const auto sorting = c.sortingPhi ? std::optional(sortingTermOf(*c.sortingPhi)) : std::nullopt;
    const std::optional<SedimentName> name = sedimentNameOf(c.group, meanSize, sorting);
    EXPECT_EQ(name ? cp1252ToUtf8(messages::sedimentName(*name)) : std::string(), c.name);
  }
}

}  // namespace
}  // namespace granomet
