// The sample's full name in Spanish, built from Folk's group, the Folk & Ward mean and sorting.
#include "statistics/sediment_name.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "data/text_encoding.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

TEST(SedimentName, IsFolksGroupWithTheMeansGradeAndTheSorting) {
  using enum FolkGroup;
  for (const auto& [group, meanPhi, sortingPhi, expected] :
       {std::tuple{std::optional<FolkGroup>(), std::optional(2.0), std::optional(1.0), ""},
        {Gravel, -3.5, 1.2, "Grava media, mal clasificada"},
        {SandyGravel, -1.5, 0.6, "Grava muy fina arenosa, moderadamente bien clasificada"},
        // The mean in sand grades no gravel.
        {MuddySandyGravel, 0.5, 2.5, "Grava arenosa fangosa, muy mal clasificada"},
        {MuddyGravel, -2.5, 4.5, "Grava fina fangosa, extremadamente mal clasificada"},
        {GravellySand, 0.5, 1.5, "Arena gruesa gravosa, mal clasificada"},
        {GravellyMuddySand, 3.5, 2.1, "Arena muy fina fangosa gravosa, muy mal clasificada"},
        {GravellyMud, 5, 2.1, "Fango gravoso, muy mal clasificado"},
        {SlightlyGravellySand, 1.5, 0.8,
         "Arena media ligeramente gravosa, moderadamente clasificada"},
        {SlightlyGravellyMuddySand, 4.2, 1.5, "Arena fangosa ligeramente gravosa, mal clasificada"},
        {SlightlyGravellySandyMud, 4.5, 1.5, "Fango arenoso ligeramente gravoso, mal clasificado"},
        {SlightlyGravellyMud, 6, 0.8, "Fango ligeramente gravoso, moderadamente clasificado"},
        {Sand, -0.5, 0.4, "Arena muy gruesa, bien clasificada"},
        {SiltySand, 3.999, 0.9, "Arena muy fina limosa, moderadamente clasificada"},
        // 4 phi, 63 µm, is silt: the mean grades no sand.
        {SiltySand, 4, 0.9, "Arena limosa, moderadamente clasificada"},
        {MuddySand, 2.5, 1.5, "Arena fina fangosa, mal clasificada"},
        {ClayeySand, 4.5, 2.5, "Arena arcillosa, muy mal clasificada"},
        {SandySilt, 5.5, 1.5, "Limo grueso arenoso, mal clasificado"},
        {SandyMud, 5.5, 1.5, "Fango arenoso, mal clasificado"},
        {SandyClay, 8.5, 2.5, "Arcilla arenosa, muy mal clasificada"},
        {Silt, 7.5, 0.3, "Limo fino, muy bien clasificado"},
        {Mud, 6.5, 1.5, "Fango, mal clasificado"},
        {Clay, 9, 1.5, "Arcilla, mal clasificada"},
        {SlightlyGravellySand, std::nullopt, 1.2, "Arena ligeramente gravosa, mal clasificada"},
        {Silt, 6.5, std::nullopt, "Limo medio"}}) {
    SCOPED_TRACE(expected);
    const auto meanSize = meanPhi ? std::optional(meanSizeTermOf(*meanPhi)) : std::nullopt;
    const auto sorting = sortingPhi ? std::optional(sortingTermOf(*sortingPhi)) : std::nullopt;
    const std::optional<SedimentName> name = sedimentNameOf(group, meanSize, sorting);
    EXPECT_EQ(name ? cp1252ToUtf8(messages::sedimentName(*name)) : std::string(), expected);
  }
}

}  // namespace
}  // namespace granomet
