#pragma once
// The geometry and pictures of the layered border around a form: where the layer
// rectangle lies for a form's bounds, and the four bands (top, bottom, left, right) cut
// from the layer picture for that rectangle, with per-pixel alpha ready for display.

#include "skin/render/bitmap.h"

#include <QRect>

class TspDataSkinLayerFrame;

// The layer rectangle for a form with screen bounds `form` and a layer picture of
// `picture` size: the form sits in it where clientrect sits in the picture, the
// offsets of the layer frame added.
QRect LayerRect(const TspDataSkinLayerFrame& frame, const QSize& picture, const QRect& form);

struct TspLayerBands {
  // The picture shown whole in one window (rightbottompoint is (0, 0)): only Top is set.
  bool Whole = false;
  TspBitmap Top, Bottom, Left, Right;
  // Where each band lies in the layer rectangle (empty for an empty band).
  QRect TopRect, BottomRect, LeftRect, RightRect;
};

// Composes the bands for a layer rectangle of w x h from `source` (32-bit with alpha):
// corners copied, the top and bottom middles stretched, the sides stretched with
// fullstretch or tiled downwards otherwise; every colour channel is then lowered to at most
// its pixel's alpha, as the premultiplied display expects. Empty bands stay empty.
void ComposeLayerBands(const TspBitmap& source, const TspDataSkinLayerFrame& frame, int w, int h,
                       TspLayerBands& bands);

// `value` x `formAlpha` / 255, rounded to the nearest integer.
int ScaleLayerAlpha(int value, int formAlpha);
