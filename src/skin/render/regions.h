#pragma once
// Window shapes from mask pictures: black pixels belong to the window.

#include "skin/render/composition.h"

#include <QRegion>
#include <optional>

// The most rectangles a mask region may hold (one per run of black pixels in a
// row); a mask that would need more has no region.
constexpr int kMaxMaskRegionRects = 10001;

// The region of the mask's exactly black pixels (red + green + blue = 0; alpha
// is ignored), moved by (dx, dy): one one-pixel-high rectangle per run of black
// pixels in a row. An empty region when there is no black pixel; std::nullopt
// when the mask would need more than kMaxMaskRegionRects rectangles, so that
// the window keeps its rectangular shape rather than a partial one.
std::optional<QRegion> CreateMaskRegion(const QImage& mask, int dx, int dy);

// The region of a window of size w x h whose mask picture is drawn at the skin's
// size, for compositions of kind 1, 2 and 3 (ChooseComposition): the mask's
// frame bands are tiled to the window's size (never stretched) and joined with
// the target client rectangle. `skin` is relative to the mask picture's top-left
// corner and `dest` is the target geometry for w x h. For kind 2 the lower points
// are taken equal to the upper ones, for kind 3 the right points to the left ones.
// std::nullopt when there is no region: the target is narrower or lower than the
// fixed parts, the client rectangle is empty, the mask is empty, or a band
// would need too many rectangles.
std::optional<QRegion> CreateComposedMaskRegion(const QImage& mask, const TspNinePartGeometry& skin,
                                                int w, int h, const TspNinePartGeometry& dest,
                                                int kind);
