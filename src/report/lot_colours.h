// The lot views' colours: one palette for Shepard's classes, one for Folk's groups and a
// continuous scale for the mean, the same in the report and the window.
#pragma once

#include <QColor>

#include "statistics/folk_group.h"
#include "workflow/lot_view.h"

namespace granomet::report {

// Where the mean's scale starts and ends, phi: the coarsest colour up to very fine gravel,
// the finest from fine silt on.
inline constexpr double kMeanColourCoarse = -1;
inline constexpr double kMeanColourFine = 9;

inline const QColor kUnknownColour(160, 160, 160);

QColor shepardColour(int code);  // 1 to 10; grey for any other
QColor folkColour(FolkGroup group);
QColor meanColour(double phi);  // beyond the scale's ends, its end colours

// A sample's colour as the views colour it; grey where its class, group or mean is unknown.
QColor colourOf(const LotViewSample& sample, MapColouring colouring);

}  // namespace granomet::report
