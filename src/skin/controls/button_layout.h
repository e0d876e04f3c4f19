#pragma once
// Where a push button puts its glyph and caption, which glyph cell it shows, and how the
// caption is measured and drawn. Kept apart from the widget so the arithmetic can be
// checked case by case without painting.

#include "skin/render/geometry.h"

#include <QSize>
#include <QString>

class QFont;
class QImage;
class QPainter;

enum class TspButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Top-left corners of the glyph cell and of the caption box.
struct TspGlyphCaptionPlacement {
  TspPoint Glyph;
  TspPoint Caption;
  friend bool operator==(const TspGlyphCaptionPlacement&,
                         const TspGlyphCaptionPlacement&) = default;
};

// The box the caption is measured in: the content size less the glyph along the layout's
// axis.
QSize CaptionMeasureBox(const TspRect& content, QSize glyphCell, TspButtonLayout layout);

// Places a glyph cell and a caption of size `text` in `content`. `margin` -1 centres the
// pair as a group; a margin m >= 0 keeps the glyph m pixels from its side. Margins below -1
// count as -1; `spacing` counts as 0 without a glyph.
TspGlyphCaptionPlacement PlaceGlyphAndCaption(const TspRect& content, QSize glyphCell, QSize text,
                                              TspButtonLayout layout, int margin, int spacing);

// The 1-based cell of a strip of `numGlyphs` to show: 3 pressed, 4 hot, 2 disabled, 1
// otherwise, each only when the strip has that many cells.
int GlyphCellToDraw(bool active, bool down, bool enabled, int numGlyphs);

// The size of one cell of a strip; an empty strip, or one narrower than its cell count,
// has an empty cell.
QSize GlyphCellSize(const QImage& strip, int numGlyphs);

// Flags of the caption: centred, word-wrapped, tabs expanded, '&' marking the accelerator.
int CaptionTextFlags();

// The caption's size when word-wrapped in `box`; empty for an empty caption.
QSize MeasureCaption(const QFont& font, const QString& caption, QSize box);

// Draws the caption centred in (x, y, x + tw + 2, y + th), one pixel higher when the font's
// pixel height is odd (the caption then sits on the same baseline as the skin expects).
void DrawCaption(QPainter& painter, const QFont& font, const QString& caption, TspPoint at,
                 QSize text);
