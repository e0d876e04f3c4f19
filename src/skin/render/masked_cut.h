#pragma once
// Pieces of a picture with alpha from a mask picture, for images drawn blended onto a
// layered window (the caption buttons of a layered border).

#include "skin/render/geometry.h"

#include <QImage>
#include <memory>

class TspBitmap;

// `rect` of `picture` as a 32-bit bitmap drawn blended: mask pixel (x, y) gives the alpha
// of image pixel (x, y), 0 where the mask is smaller than the image; a null mask makes it
// opaque. None for an empty rectangle, a null picture or a rectangle wider or taller than
// the picture. With `pixelsLeft`, the cut takes its pixels from that budget, and one that
// needs more than is left throws EOutOfResources.
std::unique_ptr<TspBitmap> CutWithAlphaMask(const QImage& picture, const TspRect& rect,
                                            const QImage& mask, qint64* pixelsLeft = nullptr);
