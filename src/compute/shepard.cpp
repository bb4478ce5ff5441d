#include "compute/shepard.h"

#include "compute/compute_fault.h"
#include "data/size_classes.h"

namespace granomet {
std::int16_t clase(const double& gravel, const double& sand, const double& silt,
                   const double& clay) {
  const double coarse = checked(gravel + sand, ComputeStep::GravelAndSand);
  if (clay >= kShepardDominant) {
    return 1;
  }
  if (coarse >= kShepardDominant) {
    return 2;
  }
  if (silt >= kShepardDominant) {
    return 3;
  }
  if (clay <= kShepardPoor) {
    return coarse >= silt ? 4 : 5;
  }
  if (silt <= kShepardPoor) {
    return coarse >= clay ? 9 : 8;
  }
  if (coarse <= kShepardPoor) {
    return silt >= clay ? 6 : 7;
  }
  return 10;
}

std::string_view shepardName(std::int16_t code) {
  switch (code) {
    case 1:
      return "Clay";
    case 2:
      return "Sand";
    case 3:
      return "Silt";
    case 4:
      return "Silty_Sand";
    case 5:
      return "Sandy_Silt";
    case 6:
      return "Clayed_Silt";
    case 7:
      return "Silty_Clay";
    case 8:
      return "Sandy_Clay";
    case 9:
      return "Clayed_Sand";
    default:
      return "Sand_Silt_Clay";
  }
}

std::int16_t shepardCodeOf(std::string_view name) {
  for (std::int16_t code = 1; code <= 10; ++code) {
    if (shepardName(code) == name) {
      return code;
    }
  }
  return 0;
}

}  // namespace granomet
