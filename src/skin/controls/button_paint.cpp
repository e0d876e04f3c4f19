// Painting of the buttons (both bases): choosing the state image, composing it, and the
// glyph, caption and focus dots on it; the plain look without a record.

#include "skin/controls/button.h"
#include "skin/controls/plain_look.h"

#include "skin/controls/focus_dots.h"
#include "skin/controls/paint_parent_background.h"
#include "skin/render/composition.h"
#include "skin/render/draw_helpers.h"
#include "skin/render/effect_bitmap.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace {

// System colour references (see ColorToRGB): button face and button shadow.
constexpr TColor kBtnFace = 0x80000000u | 15;
constexpr TColor kBtnShadow = 0x80000000u | 16;

// Puts a composed image into the paint bitmap: shared when it has the bitmap's size.
void PlaceImage(QImage& bitmap, const QImage& composed) {
  if (composed.isNull()) return;
  if (composed.size() == bitmap.size() && composed.format() == QImage::Format_RGB32) {
    bitmap = composed;
    return;
  }
  QPainter p(&bitmap);
  p.drawImage(0, 0, composed);
}

} // namespace

// --- State image, glyph and caption
// ----------------------------------------------------------------------------------

template <class Base> TspButtonLook TspButtonControl<Base>::Look() const {
  TspButtonLook l;
  l.Enabled = this->isEnabled();
  l.Down = FDown;
  l.MouseIn = FMouseIn;
  l.FocusedLook = FocusedLook();
  l.MousePressed = FMousePressed;
  l.GroupIndex = FGroupIndex;
  l.HasDisabledRect = !FSkin.disabledskinrect.IsEmpty();
  l.HasFocusedRect = !FSkin.focusedskinrect.IsEmpty();
  l.FrameAnimationRunning = FAnimationTimer.isActive();
  l.Morphing = MorphingOn();
  l.MorphValue = FMorphValue;
  return l;
}

template <class Base> TspRect TspButtonControl<Base>::ContentRect() const {
  const int w = this->width(), h = this->height();
  if (!this->Record()) return {0, 0, w, h};
  if (!FUseSkinSize) {
    TspRect r = FSkin.clientrect;
    r.Right += w - FSkin.skinrect.Width();
    r.Bottom += h - FSkin.skinrect.Height();
    return r;
  }
  const TspRect& fitted = this->FittedClientRect();
  // A record without a client rectangle lends the whole control to the content.
  return fitted.IsEmpty() ? TspRect{0, 0, w, h} : fitted;
}

template <class Base> void TspButtonControl<Base>::DrawSkinImage(QImage& image) {
  const TspButtonImageChoice choice = ChooseButtonImage(Look());
  if (choice.Image == TspButtonImage::Morph) {
    QImage normal = image, active = image;
    ComposeButtonImage(normal, FSkin.skinrect, false, false);
    ComposeButtonImage(active, FSkin.activeskinrect, true, false);
    TspEffectBmp from(normal);
    ApplyMorph(from, TspEffectBmp(active), FSkin.morphkind, FMorphValue);
    image = from.ToImage();
    return;
  }
  TspRect rect;
  switch (choice.Image) {
  case TspButtonImage::Disabled:
    rect = FSkin.disabledskinrect;
    break;
  case TspButtonImage::Down:
    rect = FSkin.downskinrect;
    break;
  case TspButtonImage::Focused:
    rect = FSkin.focusedskinrect;
    break;
  case TspButtonImage::Active:
  case TspButtonImage::Normal: {
    const bool active = choice.Image == TspButtonImage::Active;
    rect = active ? FSkin.activeskinrect : FSkin.skinrect;
    // A hover animation shows its frame on the hot image going in, on the normal one out.
    if (FAnimationTimer.isActive() && FAnimationForward == active) {
      const TspRect frame = AnimationFrameRect(FSkin.animateskinrect, FSkin.skinrect,
                                               FSkin.framecount, FAnimationFrame);
      if (!frame.IsEmpty()) rect = frame;
    }
    break;
  }
  case TspButtonImage::Morph:
    break;
  }
  ComposeButtonImage(image, rect, choice.Active, choice.Down);
}

template <class Base>
QImage TspButtonControl<Base>::StretchedStateImage(const QImage& picture, const TspRect& rect) {
  const QSize size = this->size();
  if (this->GeometryMode() == TspGeometryMode::Fixed)
    return this->ImageCache().Piece(picture, rect, size);
  const TspRect& c = FSkin.clientrect;
  return this->ImageCache().Image(
      picture, {TspSkinImages::kStretchedButtonKind, c.Left, c.Top, c.Right, c.Bottom}, rect, size,
      [&] {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        ComposeStretchedImage(image, picture, rect, c, true);
        return image;
      });
}

template <class Base>
void TspButtonControl<Base>::ComposeButtonImage(QImage& bitmap, const TspRect& rect, bool active,
                                                bool down) {
  const QSize size = this->size();
  if (bitmap.size() != size || bitmap.format() != QImage::Format_RGB32)
    bitmap = QImage(size, QImage::Format_RGB32);
  // 1. Background.
  if ((FTransparent && !active && !down) || !DrawsBackground(active, down)) {
    PaintParentBackground(this, bitmap);
  } else if (const QImage* picture = this->SkinPicture(); picture && !rect.IsEmpty()) {
    const bool asRecord = FUseSkinSize || this->GeometryMode() == TspGeometryMode::NinePart;
    PlaceImage(bitmap, asRecord ? this->StateImage(rect) : StretchedStateImage(*picture, rect));
  }
  // 2 to 6. Font, colour, content rectangle, focus rectangle, OnPaint, glyph and caption.
  const bool focusRect = FSkin.showfocus && this->hasFocus();
  DrawContent(bitmap, ContentRect(), CaptionFont(), CaptionColor(active, down), active, down,
              focusRect);
}

template <class Base> QFont TspButtonControl<Base>::CaptionFont() const {
  if (!FSkin.FromButtonRecord) return this->DefaultFont();
  return this->SkinFont(FSkin.fontname, FSkin.fontheight, FSkin.fontstyle);
}

template <class Base> QColor TspButtonControl<Base>::CaptionColor(bool active, bool down) const {
  const bool enabled = this->isEnabled();
  if (!FSkin.FromButtonRecord)
    return SkinColor(enabled ? FDefaultFontColor : FSkin.disabledfontcolor);
  if (enabled && !FUseSkinFontColor) return SkinColor(FDefaultFontColor);
  if (!enabled) return SkinColor(FSkin.disabledfontcolor);
  if (active && down) return SkinColor(FSkin.downfontcolor);
  if (active) return SkinColor(FSkin.activefontcolor);
  return SkinColor(FSkin.fontcolor);
}

template <class Base> void TspButtonControl<Base>::DrawDefaultImage(QImage& image) {
  const TspButtonLook look = Look();
  const bool down = ShowsDownLook(look);
  const bool hot = FMouseIn || look.FocusedLook;
  const QRect r = image.rect();
  if (!DrawsBackground(hot || down, down)) {
    PaintParentBackground(this, image);
  } else {
    const TColor frame = down || hot ? kPlainFrame : kBtnShadow;
    const TColor fill = down ? kPlainDownFill : hot ? kPlainHotFill : kBtnFace;
    QPainter p(&image);
    p.fillRect(r, SkinColor(fill));
    p.setPen(SkinColor(frame));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
  const QColor color = SkinColor(this->isEnabled() ? FDefaultFontColor : kBtnShadow);
  DrawContent(image, TspRect::FromQRect(r), this->DefaultFont(), color, hot || down, down, false);
}

template <class Base> QSize TspButtonControl<Base>::GlyphSize() const {
  if (FImageList && FImageList->ValidIndex(FImageIndex))
    return FImageList->Images[size_t(FImageIndex)].size();
  return GlyphCellSize(FGlyph, FNumGlyphs);
}

template <class Base> QSize TspButtonControl<Base>::CaptionSize(const QFont& font, QSize box) {
  if (FCaption != FMeasuredCaption || box != FMeasuredBox || font != FMeasuredFont) {
    FMeasuredCaption = FCaption;
    FMeasuredBox = box;
    FMeasuredFont = font;
    FMeasured = MeasureCaption(font, FCaption, box);
  }
  return FMeasured;
}

template <class Base>
void TspButtonControl<Base>::DrawGlyph(QPainter& p, TspPoint at, QSize cell, bool active,
                                       bool down) {
  if (cell.isEmpty()) return;
  if (FImageList && FImageList->ValidIndex(FImageIndex)) {
    const QImage& image = FImageList->Images[size_t(FImageIndex)];
    if (this->isEnabled()) {
      p.drawImage(at.X, at.Y, image);
    } else {
      QStyleOption option;
      option.initFrom(this);
      p.drawPixmap(
          at.X, at.Y,
          this->style()->generatedIconPixmap(QIcon::Disabled, QPixmap::fromImage(image), &option));
    }
    return;
  }
  DrawGlyphFromStrip(p, at.X, at.Y, GlyphCellToDraw(active, down, this->isEnabled(), FNumGlyphs),
                     FNumGlyphs, FGlyph);
}

template <class Base>
void TspButtonControl<Base>::DrawContent(QImage& bitmap, const TspRect& content, const QFont& font,
                                         const QColor& color, bool active, bool down,
                                         bool focusRect) {
  if (focusRect) DrawFocusDots(bitmap, content.ToQRect(), color);
  QPainter p(&bitmap);
  bool drawDefault = true;
  if (OnPaint) {
    OnPaint(this, p, content, down, FMouseIn, drawDefault);
    if (!drawDefault) return;
  }
  const QSize cell = GlyphSize();
  const QString caption = DrawsCaption() ? FCaption : QString();
  const QSize text = caption.isEmpty()
                         ? QSize(0, 0)
                         : CaptionSize(font, CaptionMeasureBox(content, cell, FLayout));
  const TspGlyphCaptionPlacement at =
      PlaceGlyphAndCaption(content, cell, text, FLayout, FMargin, FSpacing);
  DrawGlyph(p, at.Glyph, cell, active, down);
  p.setPen(color);
  DrawCaption(p, font, caption, at.Caption, text);
}

template <class Base> bool TspButtonControl<Base>::DrawsBackground(bool, bool) const {
  return true;
}

// button.cpp instantiates the rest of the template; these members are defined here.
#define TSP_BUTTON_PAINTING(B)                                                                     \
  template TspButtonLook TspButtonControl<B>::Look() const;                                        \
  template TspRect TspButtonControl<B>::ContentRect() const;                                       \
  template void TspButtonControl<B>::DrawSkinImage(QImage&);                                       \
  template QImage TspButtonControl<B>::StretchedStateImage(const QImage&, const TspRect&);         \
  template void TspButtonControl<B>::ComposeButtonImage(QImage&, const TspRect&, bool, bool);      \
  template QFont TspButtonControl<B>::CaptionFont() const;                                         \
  template QColor TspButtonControl<B>::CaptionColor(bool, bool) const;                             \
  template void TspButtonControl<B>::DrawDefaultImage(QImage&);                                    \
  template QSize TspButtonControl<B>::GlyphSize() const;                                           \
  template QSize TspButtonControl<B>::CaptionSize(const QFont&, QSize);                            \
  template void TspButtonControl<B>::DrawGlyph(QPainter&, TspPoint, QSize, bool, bool);            \
  template void TspButtonControl<B>::DrawContent(QImage&, const TspRect&, const QFont&,            \
                                                 const QColor&, bool, bool, bool);                 \
  template bool TspButtonControl<B>::DrawsBackground(bool, bool) const;
TSP_BUTTON_PAINTING(TspSkinCustomControl)
TSP_BUTTON_PAINTING(TspGraphicSkinCustomControl)
#undef TSP_BUTTON_PAINTING
