#include "report/lot_colours.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace granomet::report {
namespace {

// By code: sands warm, silts green, clays blue and violet, the mixtures between.
constexpr std::array<QRgb, 10> kShepard{
    0x1f4e9c,  // 1 clay
    0xe6ab02,  // 2 sand
    0x1b9e77,  // 3 silt
    0xa6761d,  // 4 silty sand
    0x66a61e,  // 5 sandy silt
    0x17becf,  // 6 clayey silt
    0x7570b3,  // 7 silty clay
    0xe41a1c,  // 8 sandy clay
    0xd95f02,  // 9 clayey sand
    0xe7298a,  // 10 sand-silt-clay
};

// Kelly's colours of maximum contrast, gravels dark and red, sands yellow, muds blue.
constexpr std::array<QRgb, 21> kFolk{
    0x882d17,  // G
    0xbe0032,  // sG
    0xb3446c,  // msG
    0x654522,  // mG
    0xe25822,  // gS
    0xf38400,  // gmS
    0x875692,  // gM
    0xf6a600,  // (g)S
    0xc2b280,  // (g)mS
    0xe68fac,  // (g)sM
    0x604e97,  // (g)M
    0xf3c300,  // S
    0xdcd300,  // zS
    0xf99379,  // mS
    0x8db600,  // cS
    0x008856,  // sZ
    0x2b3d26,  // sM
    0x00a5a5,  // sC
    0xa1caf1,  // Z
    0x222222,  // M
    0x0067a5,  // C
};

// Viridis from coarse (light) to fine (dark).
constexpr std::array<QRgb, 5> kMeanStops{0xfde725, 0x5ec962, 0x21918c, 0x3b528b, 0x440154};

}  // namespace

QColor shepardColour(int code) {
  if (code < 1 || code > static_cast<int>(kShepard.size())) {
    return kUnknownColour;
  }
  return QColor(kShepard[static_cast<std::size_t>(code - 1)]);
}

QColor folkColour(FolkGroup group) {
  const auto index = static_cast<std::size_t>(group);
  return index < kFolk.size() ? QColor(kFolk[index]) : kUnknownColour;
}

QColor meanColour(double phi) {
  if (!std::isfinite(phi)) {
    return kUnknownColour;
  }
  const double at =
      std::clamp((phi - kMeanColourCoarse) / (kMeanColourFine - kMeanColourCoarse), 0.0, 1.0) *
      static_cast<double>(kMeanStops.size() - 1);
  const auto from = std::min(static_cast<std::size_t>(at), kMeanStops.size() - 2);
  const double share = at - static_cast<double>(from);
  const QColor a(kMeanStops[from]), b(kMeanStops[from + 1]);
  const auto mix = [share](int x, int y) {
    return static_cast<int>(std::lround(x + (y - x) * share));
  };
  return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

QColor colourOf(const LotViewSample& sample, MapColouring colouring) {
  switch (colouring) {
    case MapColouring::Shepard:
      return shepardColour(sample.shepardCode);
    case MapColouring::Folk:
      return sample.folkGroup ? folkColour(*sample.folkGroup) : kUnknownColour;
    case MapColouring::Mean:
      return sample.meanPhi ? meanColour(*sample.meanPhi) : kUnknownColour;
  }
  return kUnknownColour;
}

}  // namespace granomet::report
