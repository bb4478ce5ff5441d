// Control places and fonts given in the window's design units (twips, points at 96 dpi).
#pragma once

#include <QFont>
#include <QRect>

namespace granomet {

// The window was laid out at 15 twips to the pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr QRect twips(int left, int top, int width, int height) {
  return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
               height / kTwipsPerPixel);
}

enum class FontFace { MsSansSerif, Arial };

// Sizes are pixels (8.25 pt = 11 px, 9.75 pt = 13 px, 12 pt = 16 px at 96 dpi), so
// texts keep their boxes whatever the screen's dpi. The designed faces are Windows
// fonts; elsewhere the metric-compatible Liberation Sans stands in for both.
QFont windowFont(FontFace face, int pixelSize, bool bold);

}  // namespace granomet
