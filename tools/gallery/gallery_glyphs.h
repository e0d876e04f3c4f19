#pragma once
// Glyph strips for the gallery's buttons, drawn here so the tool needs no picture files:
// four 16 x 16 cells (normal, disabled, pressed, hot) in the caption colours of a button
// record, so that glyphs read like the captions beside them in every skin. The key colour
// fills every cell's bottom-left pixel.

#include <QColor>
#include <QImage>
#include <QString>

class TspSkinData;

enum class TGalleryGlyph { Paw, Check, Plus, Arrow, Cross };

struct TGlyphColors {
  QColor Normal{0x1E, 0x24, 0x30};
  QColor Disabled{0x8A, 0x93, 0xA3};
  QColor Down{0x1E, 0x24, 0x30};
  QColor Hot{0x1E, 0x24, 0x30};
};

// The caption colours of the button record `recordName` in `skin`; dark on light (the
// plain look's colours) when the skin has no such record.
TGlyphColors GlyphColorsOf(const TspSkinData* skin, const QString& recordName);

QImage GalleryGlyph(TGalleryGlyph glyph, const TGlyphColors& colors = {});
