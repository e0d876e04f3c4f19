#pragma once
// What every skinned control shares when it paints without a skin: the colour
// conversion of skin colours (system colour references included) and the colours
// of the plain button face.

#include "skin/render/draw_helpers.h"
#include "skin/render/geometry.h"

#include <QColor>

inline QColor SkinColor(TColor c) {
  return ColorToQColor(ColorToRGB(c));
}

constexpr TColor kPlainFrame = 12020539;    // RGB(59, 107, 183)
constexpr TColor kPlainDownFill = 14990498; // RGB(162, 188, 228)
constexpr TColor kPlainHotFill = 15979713;  // RGB(193, 212, 243)
