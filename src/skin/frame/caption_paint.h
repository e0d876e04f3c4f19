#pragma once
// The skinned caption: its own image (an animation frame, or the active image cross-fading
// with the normal one) stretched to the caption's place, and the caption text with its
// text frame, light, shadow, glow and reflection. TspFramePainter::DrawCaption lives in
// caption_paint.cpp and draws through these.

#include "skin/data/window_records.h"
#include "skin/render/geometry.h"

#include <QImage>
#include <QSize>

// `source` of `picture` brought to `size` the way a caption placed at `skinRect` of the
// frame picture grows: in the top or bottom band the parts left and right of the corner
// points keep their width and the middle is stretched (or tiled without `stretch`); in the
// left or right band the same along the height; otherwise, or without a stretchable middle,
// the image is scaled. The same size is a plain copy.
QImage CaptionImage(const TspFormInfo& info, int pictureWidth, int pictureHeight,
                    const QImage& picture, const TspRect& source, const TspRect& skinRect,
                    QSize size, bool stretch);
