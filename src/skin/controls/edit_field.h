#pragma once
// What the text fields (the edit family and the spin edit) share: the frame composed from
// the record, the plain frame and buttons, button placement, and the colours of the inner
// edit.

#include "skin/controls/skin_binding.h"
#include "skin/data/control_records.h"
#include "skin/render/geometry.h"

#include <QImage>
#include <QPalette>
#include <QRect>

class QPainter;
class TspInnerEdit;
class TspSkinData;

// The text colours of a field record.
struct TspFieldFontColors {
  TColor fontcolor;
  TColor activefontcolor;
  TColor disabledfontcolor;
};

template <class Record> TspFieldFontColors FieldFontColors(const Record& rec) {
  return {rec.fontcolor, rec.activefontcolor, rec.disabledfontcolor};
}

// Text, disabled text and selection colours of a field's inner edit: the record's colours
// when there is a record (the active one while the field is under the mouse or focused),
// the skin's selection colours while a skin is loaded, the palette's otherwise.
void SetFieldColors(TspInnerEdit& editor, const QPalette& palette, const TspSkinData* skin,
                    const TspFieldFontColors* record, bool active);

// A field's frame image. It always grows sideways with fixed ends, whatever corner points
// the record has; another height than the skin's stretches it. Both images are kept in the
// skin's image cache. Null when the state cannot be composed.
QImage FieldFrameImage(const TspSkinImages& images, const QImage& picture,
                       const TspDataSkinCustomControl& rec, const TspRect& state, QSize size);

// The plain field: `image` filled, framed in the palette's dark colour with an inner ring of
// button face.
void DrawPlainFieldFrame(QImage& image, const QColor& fill, const QPalette& palette);

// A plain button of a field: framed and filled in blue while hot or held, with an arrow
// (a DrawArrow direction; 0 for none) in the button text colour.
void DrawPlainFieldButton(QPainter& p, const QRect& r, const QPalette& palette, bool enabled,
                          bool hot, bool down, int arrow);

// A button rectangle of the record, in skin coordinates, placed in a field of `size`: it
// moves with the right end when it lies right of the right corner point, and scales with
// the height when the frame is stretched to it.
QRect PlaceFieldButton(TspRect button, const TspDataSkinCustomControl& rec, QSize size,
                       bool stretchedHeight);
