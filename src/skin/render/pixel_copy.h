#pragma once
// The one copy primitive every composition is built from: a rectangle of a
// 32-bit source picture into a rectangle of a 32-bit target, each axis either
// scaled by nearest neighbour or repeated (tiled) from the target rectangle's
// start. Both rectangles are clipped: source pixels outside the source picture
// and target pixels outside the target are skipped, so skin rectangles that lie
// outside their picture never read out of bounds.

#include "skin/render/geometry.h"

#include <QImage>

enum class TspAxisFill {
  Scale, // the source span is stretched or shrunk to the target span
  Tile,  // the source span is repeated from the target start, the last repeat cut
};

// `from` is in source picture coordinates, `to` in target coordinates. Nothing
// happens when either rectangle has no positive width and height. Both images
// must be 32 bits per pixel; the target must not share pixels with the source.
void CopyPart(QImage& target, const TspRect& to, const QImage& source, const TspRect& from,
              TspAxisFill columns = TspAxisFill::Scale, TspAxisFill rows = TspAxisFill::Scale);

// The source itself when it is RGB32; else a converted copy kept in `holder`.
const QImage& AsRgb32(const QImage& source, QImage& holder);

// Makes `target` a w x h RGB32 image. A target already of that size and format
// keeps its pixels; a new one starts black. A size without positive width and
// height makes it null. Throws EOutOfResources when the pixels cannot be had.
void ResizeTarget(QImage& target, int w, int h);

// Skin values come from files; keeping coordinates within +-2^24 lets the sums
// of a composition stay inside an int whatever a description says.
constexpr int kCoordLimit = 1 << 24;
int BoundCoord(int v);
TspPoint BoundPoint(TspPoint p);
TspRect BoundRect(const TspRect& r);
struct TspNinePartGeometry;
TspNinePartGeometry BoundGeometry(const TspNinePartGeometry& g); // in composition.cpp
