#include "statistics/folk_group.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace granomet {
namespace {

// The percentages compared as whole hundredths, the precision the results file
// gives them: a sand:mud ratio of exactly 9 stays 9 instead of falling a binary
// fraction short of it.
std::int64_t hundredths(double percent) {
  return std::llround(percent * 100);
}

constexpr std::int64_t kTrace = 1;  // 0.01 %

}  // namespace

bool holdsGravel(double gravelPercent) {
  return hundredths(gravelPercent) >= kTrace;
}

std::optional<FolkGroup> folkGroupOf(double gravelPercent, double sandPercent, double siltPercent,
                                     double clayPercent) {
  for (double percent : {gravelPercent, sandPercent, siltPercent, clayPercent}) {
    if (!(percent >= 0 && percent <= 100)) {
      return std::nullopt;
    }
  }
  const std::int64_t gravel = hundredths(gravelPercent);
  const std::int64_t sand = hundredths(sandPercent);
  const std::int64_t silt = hundredths(siltPercent);
  const std::int64_t clay = hundredths(clayPercent);
  const std::int64_t mud = silt + clay;

  // Sand to mud at least 9, at least 1, at least 1/9.
  const bool sandy = sand >= 9 * mud;
  const bool halfSand = sand >= mud;
  const bool someSand = 9 * sand >= mud;

  if (gravel >= 8000) {
    return FolkGroup::Gravel;
  }
  if (gravel >= 3000) {
    return sandy ? FolkGroup::SandyGravel
                 : (halfSand ? FolkGroup::MuddySandyGravel : FolkGroup::MuddyGravel);
  }
  if (gravel >= 500) {
    return sandy ? FolkGroup::GravellySand
                 : (halfSand ? FolkGroup::GravellyMuddySand : FolkGroup::GravellyMud);
  }
  if (holdsGravel(gravelPercent)) {
    if (sandy) {
      return FolkGroup::SlightlyGravellySand;
    }
    if (halfSand) {
      return FolkGroup::SlightlyGravellyMuddySand;
    }
    return someSand ? FolkGroup::SlightlyGravellySandyMud : FolkGroup::SlightlyGravellyMud;
  }

  if (sand >= 9000) {
    return FolkGroup::Sand;
  }
  // Silt to clay at least 2: silty; at least 1/2: muddy; less: clayey.
  const std::size_t mudKind = silt >= 2 * clay ? 0 : (2 * silt >= clay ? 1 : 2);
  constexpr std::array<FolkGroup, 3> kSandBearing = {FolkGroup::SiltySand, FolkGroup::MuddySand,
                                                     FolkGroup::ClayeySand};
  constexpr std::array<FolkGroup, 3> kSandyMud = {FolkGroup::SandySilt, FolkGroup::SandyMud,
                                                  FolkGroup::SandyClay};
  constexpr std::array<FolkGroup, 3> kMud = {FolkGroup::Silt, FolkGroup::Mud, FolkGroup::Clay};
  if (sand >= 5000) {
    return kSandBearing[mudKind];
  }
  if (sand >= 1000) {
    return kSandyMud[mudKind];
  }
  return kMud[mudKind];
}

std::string_view folkCode(FolkGroup group) {
  constexpr std::array<std::string_view, 21> kCodes = {
      "G", "sG", "msG", "mG", "gS", "gmS", "gM", "(g)S", "(g)mS", "(g)sM", "(g)M",
      "S", "zS", "mS",  "cS", "sZ", "sM",  "sC", "Z",    "M",     "C"};
  return kCodes[static_cast<std::size_t>(group)];
}

}  // namespace granomet
