#include "gallery_glyphs.h"

#include "skin/data/skin_data.h"

#include <QPainter>
#include <QPolygon>

namespace {
constexpr int kCell = 16;
// The key colour is taken from each cell's bottom-left pixel and left undrawn.
const QColor kKey(255, 0, 255);

// Hard edges only: a blended edge pixel would keep a trace of the key colour.
void DrawCell(QPainter& p, TGalleryGlyph glyph, const QColor& color) {
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  switch (glyph) {
  case TGalleryGlyph::Paw:
    p.drawEllipse(QRect(4, 8, 8, 6));
    p.drawEllipse(QRect(1, 5, 3, 4));
    p.drawEllipse(QRect(4, 2, 3, 4));
    p.drawEllipse(QRect(9, 2, 3, 4));
    p.drawEllipse(QRect(12, 5, 3, 4));
    break;
  case TGalleryGlyph::Check:
    p.drawPolygon(QPolygon(
        {QPoint(2, 8), QPoint(4, 6), QPoint(6, 8), QPoint(12, 2), QPoint(14, 4), QPoint(6, 12)}));
    break;
  case TGalleryGlyph::Plus:
    p.drawRect(QRect(7, 2, 2, 12));
    p.drawRect(QRect(2, 7, 12, 2));
    break;
  case TGalleryGlyph::Arrow:
    p.drawRect(QRect(2, 7, 8, 2));
    p.drawPolygon(QPolygon({QPoint(8, 3), QPoint(13, 8), QPoint(8, 13)}));
    break;
  case TGalleryGlyph::Cross:
    p.drawPolygon(QPolygon({QPoint(3, 4), QPoint(4, 3), QPoint(12, 11), QPoint(11, 12)}));
    p.drawPolygon(QPolygon({QPoint(11, 3), QPoint(12, 4), QPoint(4, 12), QPoint(3, 11)}));
    break;
  }
}
} // namespace

TGlyphColors GlyphColorsOf(const TspSkinData* skin, const QString& recordName) {
  TGlyphColors colors;
  if (!skin || skin->IsEmpty()) return colors;
  const int index = skin->FindControlData(recordName);
  if (index < 0) return colors;
  const auto* button =
      dynamic_cast<const TspDataSkinButtonControl*>(skin->ControlList[size_t(index)].get());
  if (!button) return colors;
  colors.Normal = ColorToQColor(button->fontcolor);
  colors.Disabled = ColorToQColor(button->disabledfontcolor);
  colors.Down = ColorToQColor(button->downfontcolor);
  colors.Hot = ColorToQColor(button->activefontcolor);
  return colors;
}

QImage GalleryGlyph(TGalleryGlyph glyph, const TGlyphColors& colors) {
  const QColor* cells[] = {&colors.Normal, &colors.Disabled, &colors.Down, &colors.Hot};
  QImage strip(4 * kCell, kCell, QImage::Format_RGB32);
  strip.fill(kKey);
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (const QColor* color : cells) {
    DrawCell(p, glyph, *color);
    p.translate(kCell, 0);
  }
  return strip;
}
