#include "skin/controls/button_layout.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

QSize CaptionMeasureBox(const TspRect& content, QSize glyphCell, TspButtonLayout layout) {
  const bool across =
      layout == TspButtonLayout::blGlyphLeft || layout == TspButtonLayout::blGlyphRight;
  return across ? QSize(content.Width() - glyphCell.width(), content.Height())
                : QSize(content.Width(), content.Height() - glyphCell.height());
}

TspGlyphCaptionPlacement PlaceGlyphAndCaption(const TspRect& content, QSize glyphCell, QSize text,
                                              TspButtonLayout layout, int margin, int spacing) {
  const int gw = glyphCell.width(), gh = glyphCell.height();
  const int tw = text.width(), th = text.height();
  const int s = glyphCell.isEmpty() ? 0 : spacing;
  const int cx = content.Left + content.Width() / 2;
  const int cy = content.Top + content.Height() / 2;
  if (margin < -1) margin = -1;

  TspGlyphCaptionPlacement p;
  switch (layout) {
  case TspButtonLayout::blGlyphLeft:
  case TspButtonLayout::blGlyphRight:
    p.Glyph.Y = cy - gh / 2;
    p.Caption.Y = cy - th / 2;
    if (margin == -1) {
      const int half = (gw + tw + s) / 2;
      if (layout == TspButtonLayout::blGlyphLeft) {
        p.Glyph.X = cx - half;
        p.Caption.X = cx + half - tw;
      } else {
        p.Caption.X = cx - half;
        p.Glyph.X = cx + half - gw;
      }
    } else if (layout == TspButtonLayout::blGlyphLeft) {
      p.Glyph.X = content.Left + margin;
      p.Caption.X = content.Left + margin + gw + s;
    } else {
      p.Glyph.X = content.Right - gw - margin;
      p.Caption.X = p.Glyph.X - s - tw;
    }
    break;
  case TspButtonLayout::blGlyphTop:
  case TspButtonLayout::blGlyphBottom:
    p.Glyph.X = cx - gw / 2;
    p.Caption.X = cx - tw / 2;
    if (margin == -1) {
      const int half = (th + gh + s) / 2;
      if (layout == TspButtonLayout::blGlyphTop) {
        p.Glyph.Y = cy - half;
        p.Caption.Y = cy + half - th;
      } else {
        p.Caption.Y = cy - half;
        p.Glyph.Y = cy + half - gh;
      }
    } else if (layout == TspButtonLayout::blGlyphTop) {
      p.Glyph.Y = content.Top + margin;
      p.Caption.Y = p.Glyph.Y + gh + s;
    } else {
      p.Glyph.Y = content.Bottom - gh - margin;
      p.Caption.Y = p.Glyph.Y - s - th;
    }
    break;
  }
  return p;
}

int GlyphCellToDraw(bool active, bool down, bool enabled, int numGlyphs) {
  if (active && down && numGlyphs > 2) return 3;
  if (active && numGlyphs > 3) return 4;
  if (enabled || numGlyphs < 2) return 1;
  return 2;
}

QSize GlyphCellSize(const QImage& strip, int numGlyphs) {
  if (strip.isNull() || numGlyphs < 1) return QSize(0, 0);
  const int w = strip.width() / numGlyphs;
  if (w <= 0) return QSize(0, 0);
  return QSize(w, strip.height());
}

int CaptionTextFlags() {
  return Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs |
         Qt::TextShowMnemonic;
}

QSize MeasureCaption(const QFont& font, const QString& caption, QSize box) {
  if (caption.isEmpty()) return QSize(0, 0);
  const QFontMetrics fm(font);
  return fm
      .boundingRect(QRect(0, 0, std::max(box.width(), 0), std::max(box.height(), 0)),
                    CaptionTextFlags(), caption)
      .size();
}

void DrawCaption(QPainter& painter, const QFont& font, const QString& caption, TspPoint at,
                 QSize text) {
  if (caption.isEmpty()) return;
  const int up = QFontInfo(font).pixelSize() % 2 != 0 ? 1 : 0;
  painter.setFont(font);
  painter.drawText(QRect(at.X, at.Y - up, text.width() + 2, text.height()), CaptionTextFlags(),
                   caption);
}
