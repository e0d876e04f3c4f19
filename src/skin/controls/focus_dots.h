#pragma once
// The dotted focus rectangle of buttons and tabs.

#include <QColor>
#include <QImage>
#include <QRect>

// Every second pixel of the edge of `r` (right and bottom edges on its last pixels inside),
// the pattern running on around the corners from the top-left one, in opaque `color`.
// Pixels outside the image are left out; an image of fewer than 32 bits becomes RGB32.
void DrawFocusDots(QImage& image, const QRect& r, const QColor& color);
