// Painting the page control: frame, tab strip, every tab in its look with its image,
// caption and close button, and the page backgrounds; composed into one image per paint.

#include "skin/controls/page_control_internal.h"
#include "skin/controls/plain_look.h"

#include "skin/controls/color_key.h"
#include "skin/controls/control_image.h"
#include "skin/controls/focus_dots.h"
#include "skin/controls/paint_parent_background.h"
#include "skin/render/composition.h"
#include "skin/render/draw_helpers.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QTransform>
#include <algorithm>

using namespace page_control_detail;

namespace {

// A small cross of two diagonals in the middle of `r`.
void DrawCross(QPainter& p, const QRect& r, const QColor& color) {
  const int s = std::max(std::min(r.width(), r.height()) / 2 - 1, 2);
  const QPoint c = r.center();
  p.save();
  p.setPen(QPen(color, 1));
  p.drawLine(c.x() - s / 2, c.y() - s / 2, c.x() + s / 2, c.y() + s / 2);
  p.drawLine(c.x() - s / 2, c.y() + s / 2, c.x() + s / 2, c.y() - s / 2);
  p.restore();
}

// The image of a horizontal tab turned to its place: left tabs face right, right tabs left.
QImage Oriented(const QImage& image, TspTabPosition position) {
  switch (position) {
  case TspTabPosition::tpLeft:
    return image.transformed(QTransform().rotate(-90));
  case TspTabPosition::tpRight:
    return image.transformed(QTransform().rotate(90));
  default:
    return image;
  }
}

} // namespace

// --- Painting
// -----------------------------------------------------------------------------------------

QImage TspSkinPageControl::Piece(const QImage& picture, const TspRect& rect, QSize size) {
  return TspSkinImages(FBinding.SkinData()).Piece(picture, rect, size);
}

void TspSkinPageControl::PaintBackgroundPiece(QPainter& p, const QRect& target,
                                              const QRect& paintArea, const QImage* wallpaper) {
  const QRect area = target & paintArea;
  if (area.isEmpty()) return;
  const TspDataSkinTabControl* rec = Record();
  const TspSkinData* skin = SkinData();
  auto tile = [&](const QImage& image) {
    if (image.isNull()) return;
    p.save();
    p.setBrushOrigin(target.topLeft());
    p.fillRect(area, QBrush(image));
    p.restore();
  };
  auto stretchSize = [&](QSize piece, QSize over) {
    return StretchTileSize(rec->stretcheffect, int(rec->stretchtype), piece, over);
  };
  if (wallpaper) {
    tile(*wallpaper);
  } else if (rec && skin && skin->ValidPictureIndex(rec->bgpictureindex)) {
    const QImage& bg = skin->ActivePictures[size_t(rec->bgpictureindex)];
    const TspRect whole{0, 0, bg.width(), bg.height()};
    tile(Piece(bg, whole, stretchSize(bg.size(), target.size())));
  } else if (!rec) {
    p.fillRect(area, palette().color(QPalette::Button));
  } else if (const QImage* picture = FBinding.Picture(rec->pictureindex)) {
    const TspRect& s = rec->skinrect;
    const TspRect& c = rec->clientrect;
    const TspRect piece{s.Left + c.Left, s.Top + c.Top, s.Left + c.Right, s.Top + c.Bottom};
    tile(Piece(*picture, piece, stretchSize(piece.ToQRect().size(), size())));
  } else {
    p.fillRect(area, palette().color(QPalette::Button));
  }
}

void TspSkinPageControl::PaintFrame(QPainter& p) {
  const TspDataSkinTabControl* rec = Record();
  const QImage* picture = rec ? FBinding.Picture(rec->pictureindex) : nullptr;
  const QRect f = FrameRect();
  if (!picture || f.width() <= 0 || f.height() <= 0) return;
  if (FFrameStripsSize != f.size() || FFrameStripsKey != picture->cacheKey()) {
    TspNinePartGeometry g;
    g.ClientRect = rec->clientrect;
    g.LT = rec->lefttoppoint;
    g.RT = rec->righttoppoint;
    g.LB = rec->leftbottompoint;
    g.RB = rec->rightbottompoint;
    TspStretchFlags flags;
    flags.leftstretch = rec->leftstretch;
    flags.topstretch = rec->topstretch;
    flags.rightstretch = rec->rightstretch;
    flags.bottomstretch = rec->bottomstretch;
    flags.stretcheffect = rec->stretcheffect;
    flags.stretchtype = int(rec->stretchtype);
    const int W = rec->skinrect.Width(), H = rec->skinrect.Height();
    FFrameStrips = ComposeBorderStrips(*picture, rec->skinrect, g, f.width(), f.height(),
                                       TargetGeometry(g, W, H, f.width(), f.height()), flags);
    FFrameStripsSize = f.size();
    FFrameStripsKey = picture->cacheKey();
  }
  const TspBorderStrips& s = FFrameStrips;
  const int top = s.Top.isNull() ? 0 : s.Top.height();
  if (!s.Top.isNull()) p.drawImage(f.topLeft(), s.Top);
  if (!s.Left.isNull()) p.drawImage(f.left(), f.top() + top, s.Left);
  if (!s.Right.isNull())
    p.drawImage(f.left() + f.width() - s.Right.width(), f.top() + top, s.Right);
  if (!s.Bottom.isNull()) p.drawImage(f.left(), f.top() + f.height() - s.Bottom.height(), s.Bottom);
}

void TspSkinPageControl::PaintStripBackground(QPainter& p, const QRect& strip) {
  p.save();
  p.setClipRect(strip, Qt::IntersectClip);
  const TspDataSkinTabControl* rec = Record();
  const QImage* picture = rec ? FBinding.Picture(rec->pictureindex) : nullptr;
  if (FTabsBGTransparent || !picture) {
    if (FTabsBGTransparent)
      PaintParentBackground(this, p);
    else
      p.fillRect(strip, palette().color(QPalette::Button));
  } else {
    const TspRect& s = rec->skinrect;
    const TspRect& c = rec->clientrect;
    const TspRect client{s.Left + c.Left, s.Top + c.Top, s.Left + c.Right, s.Top + c.Bottom};
    const QImage tile = Piece(*picture, Nonempty(rec->tabsbgrect, client), QSize());
    if (!tile.isNull()) {
      p.setBrushOrigin(strip.topLeft());
      p.fillRect(strip, QBrush(tile));
    }
  }
  p.restore();
}

QImage TspSkinPageControl::TabFace(const TspRect& source, QSize size) {
  const TspDataSkinTabControl* rec = Record();
  const QImage* picture = rec ? FBinding.Picture(rec->pictureindex) : nullptr;
  if (!picture || source.IsEmpty() || size.isEmpty()) return QImage();
  const bool fixedHeight = FTabHeight == 0;
  const QColor fill = palette().color(QPalette::Button);
  return TspSkinImages(FBinding.SkinData())
      .Image(*picture,
             {TspSkinImages::kTabFaceKind, fixedHeight, rec->tableftoffset, rec->tabrightoffset,
              rec->tabstretcheffect, int(fill.rgb())},
             source, size, [&] {
               QImage face;
               if (fixedHeight) {
                 ComposeHorizontalImage(face, *picture, source, rec->tableftoffset,
                                        rec->tabrightoffset, rec->tabstretcheffect, size.width());
               } else {
                 face = QImage(size, QImage::Format_RGB32);
                 face.fill(fill);
                 const int w = source.Width(), h = source.Height();
                 ComposeStretchedImage(
                     face, *picture, source,
                     TspRect{rec->tableftoffset, h / 4, w - rec->tabrightoffset, h - h / 4}, true);
               }
               return face;
             });
}

void TspSkinPageControl::DrawCloseButton(QPainter& p, const QRect& r, TspSkinTabSheet* page) {
  const TspDataSkinTabControl* rec = Record();
  const QImage* picture = rec ? FBinding.Picture(rec->pictureindex) : nullptr;
  const bool pressed = page->FClosePressed && page->FCloseHot, hot = page->FCloseHot;
  if (!rec) {
    DrawCross(p, r, hot || pressed ? Qt::white : Qt::black);
    return;
  }
  if (!rec->closebuttonrect.IsEmpty() && picture) {
    const TspRect active = Nonempty(rec->closebuttonactiverect, rec->closebuttonrect);
    const TspRect down = Nonempty(rec->closebuttondownrect, active);
    const TspRect source = pressed ? down : hot ? active : rec->closebuttonrect;
    QImage piece = picture->copy(source.ToQRect());
    if (rec->buttontransparent) KeyOutColor(piece, SkinColor(rec->buttontransparentcolor).rgb());
    p.drawImage(r.topLeft(), piece);
    return;
  }
  // No close button of its own: the skin's small tool button with a cross.
  const TspSkinData* skin = SkinData();
  const int index = skin ? skin->FindControlData(QStringLiteral("resizetoolbutton")) : -1;
  const auto* button =
      index >= 0
          ? dynamic_cast<const TspDataSkinButtonControl*>(skin->ControlList[size_t(index)].get())
          : nullptr;
  const QImage* buttonPicture = button ? RecordPicture(*button, skin->ActivePictures) : nullptr;
  if (!button || !buttonPicture) {
    DrawCross(p, r, SkinColor(rec->fontcolor));
    return;
  }
  const TspRect active = Nonempty(button->activeskinrect, button->skinrect);
  const TspRect source = pressed ? Nonempty(button->downskinrect, active)
                         : hot   ? active
                                 : button->skinrect;
  // Cached: every tab draws one, on every paint.
  p.drawImage(r.topLeft(), TspSkinImages(FBinding.SkinData())
                               .Get(*buttonPicture, ControlGeometry(*button), source, r.size()));
  DrawCross(p, r,
            SkinColor(pressed ? button->downfontcolor
                      : hot   ? button->activefontcolor
                              : button->fontcolor));
}

void TspSkinPageControl::DrawTabContent(QPainter& p, int tabIndex, QRect box, bool selected,
                                        bool hot, const QFont& font, const QColor& color) {
  TspSkinTabSheet* page = TabPage(tabIndex);
  if (!page) return;
  const TspDataSkinTabControl* rec = Record();
  if (FShowCloseButtons) {
    const int size = CloseButtonRect(-1).width();
    DrawCloseButton(p, CloseButtonInBox(box, size, rec != nullptr), page);
    box.setRight(box.right() - size - 2 - (rec ? 3 : 0));
  }
  if (OnDrawSkinTab) {
    OnDrawSkinTab(tabIndex, box, selected, hot, p);
    return;
  }
  p.setFont(font);
  p.setPen(color);
  const QFontMetrics fm(font);
  const QImage image = FImages ? FImages->Image(page->FImageIndex) : QImage();
  const QString& caption = page->FCaption;
  const int flags = Qt::TextShowMnemonic | Qt::TextSingleLine;
  if (image.isNull() && !FTabExtededDraw) {
    p.drawText(box, Qt::AlignCenter | flags, caption);
    return;
  }
  const QSize text = caption.isEmpty() ? QSize() : fm.size(flags, caption);
  if (FTabExtededDraw) {
    const TspGlyphCaptionPlacement at = PlaceGlyphAndCaption(
        TspRect::FromQRect(box), image.size(), text, FTabLayout, FTabMargin, FTabSpacing);
    if (!image.isNull()) p.drawImage(at.Glyph.X, at.Glyph.Y, image);
    p.drawText(QRect(at.Caption.X, at.Caption.Y, text.width() + 2, text.height()),
               Qt::AlignCenter | flags, caption);
    return;
  }
  const int group = image.width() + 2 + text.width();
  const int x = box.left() + (box.width() - group) / 2;
  const int cy = box.top() + box.height() / 2;
  p.drawImage(x, cy - image.height() / 2, image);
  p.drawText(QRect(x + image.width() + 2, box.top(), text.width() + 1, box.height()),
             Qt::AlignLeft | Qt::AlignVCenter | flags, caption);
}

QImage TspSkinPageControl::TabImage(int tabIndex, bool selected, bool hot, bool focused) {
  const auto& layout = Layout();
  if (tabIndex < 0 || tabIndex >= int(layout.size())) return QImage();
  const int length = layout[size_t(tabIndex)].Length, s = ItemHeight();
  const TspDataSkinTabControl* rec = Record();
  const QFont font = TabFont();
  QImage face;
  QColor color;
  QRect box(0, 0, length, s);
  if (rec) {
    const TspRect active = Nonempty(rec->activetabrect, rec->tabrect);
    const TspRect focus = Nonempty(rec->focustabrect, active);
    const TspRect source = hot && !selected && !rec->mouseintabrect.IsEmpty() ? rec->mouseintabrect
                           : selected && focused                              ? focus
                           : !selected                                        ? rec->tabrect
                                                                              : active;
    const int grow = selected ? source.Height() - rec->tabrect.Height() : 0;
    face =
        TabFace(source, FTabHeight == 0 ? QSize(length, source.Height()) : QSize(length, s + grow));
    if (face.isNull()) {
      face = QImage(length, s, QImage::Format_RGB32);
      face.fill(palette().color(QPalette::Button));
    } else {
      face = face.copy();
    }
    // The first tab at the strip's left edge joins the frame's corner.
    if (selected && tabIndex == 0 && Horizontal() && TabRect(0).left() == 0) {
      const TspRect corner =
          focused ? Nonempty(rec->tableftbottomfocusrect, rec->tableftbottomactiverect)
                  : rec->tableftbottomactiverect;
      const QImage* picture = FBinding.Picture(rec->pictureindex);
      if (!corner.IsEmpty() && picture) {
        QPainter cp(&face);
        cp.drawImage(0, face.height() - corner.Height(), *picture, corner.Left, corner.Top,
                     corner.Width(), corner.Height());
      }
    }
    color = SkinColor(hot && !selected      ? rec->mouseinfontcolor
                      : selected && focused ? rec->focusfontcolor
                      : !selected           ? rec->fontcolor
                                            : rec->activefontcolor);
    if (!selected && rec->tabrect.Height() != active.Height())
      box.translate(0, 2); // unselected captions sit lower, by the selected tab's overhang
  } else {
    face = QImage(length, s, QImage::Format_RGB32);
    QPainter fp(&face);
    if (!selected) {
      face.fill(hot ? SkinColor(kPlainHotFill) : palette().color(QPalette::Button));
    } else {
      face.fill(focused ? SkinColor(kPlainDownFill) : SkinColor(kPlainHotFill));
      fp.setPen(SkinColor(kPlainFrame));
      fp.drawRect(face.rect().adjusted(0, 0, -1, -1));
    }
    color = palette().color(QPalette::ButtonText);
  }

  const bool bottom = FTabPosition == TspTabPosition::tpBottom;
  if (bottom) {
    // Bottom tabs are the top tabs turned upside down; the item is the image's lower part.
    face = face.mirrored(false, true);
    box.moveTop(face.height() - s - (box.top() > 0 ? 2 : 0));
  }
  const bool turned = !Horizontal();
  if (turned && FTextInHorizontal) {
    face = Oriented(face, FTabPosition);
    box = face.rect();
  }
  {
    if (rec && rec->showfocus && focused && selected)
      DrawFocusDots(face,
                    box.adjusted(rec->focusoffsetx, rec->focusoffsety, -rec->focusoffsetx,
                                 -rec->focusoffsety),
                    color);
    QPainter p(&face);
    DrawTabContent(p, tabIndex, box, selected, hot, font, color);
  }
  if (turned && !FTextInHorizontal) face = Oriented(face, FTabPosition);
  return face;
}

void TspSkinPageControl::PaintTo(QImage& image, const QRect& area) {
  QPainter p(&image);
  p.translate(-area.topLeft());
  ReadSkinRecord();
  const TspDataSkinTabControl* rec = Record();
  const int count = int(Layout().size());
  const bool focused = hasFocus();

  if (!rec) {
    p.fillRect(area, palette().color(QPalette::Button));
    if (count > 0) DrawBorderFrame(p);
  } else if (count == 0) {
    // No tab: the control shows its background only.
    PaintBackgroundPiece(p, rect(), area, nullptr);
    return;
  } else {
    if (!FActivePage || !FActivePage->isVisible())
      PaintBackgroundPiece(p, PageArea(), area, nullptr);
    PaintFrame(p);
    const QRect strip = StripRect();
    if (strip.intersects(area)) PaintStripBackground(p, strip);
  }

  const int selected = TabIndex();
  p.save();
  if (rec) p.setClipRect(StripRect(), Qt::IntersectClip);
  for (int i = 0; i < count; ++i) {
    if (i == selected) continue;
    const QRect r = TabRect(i);
    if (!r.intersects(area)) continue;
    p.drawImage(r.topLeft(), TabImage(i, false, i == FHotTab, focused));
  }
  p.restore();
  if (selected >= 0) {
    // The selected tab overlaps the frame, so it comes last.
    const QImage tab = TabImage(selected, true, selected == FHotTab, focused);
    const QRect r = TabRect(selected);
    QPoint at = r.topLeft();
    if (FTabPosition == TspTabPosition::tpBottom) at.ry() -= tab.height() - r.height();
    if (FTabPosition == TspTabPosition::tpRight) at.rx() -= tab.width() - r.width();
    if (QRect(at, tab.size()).intersects(area)) p.drawImage(at, tab);
  }
}

void TspSkinPageControl::DrawBorderFrame(QPainter& p) {
  p.save();
  p.setPen(palette().color(QPalette::Dark));
  p.drawRect(FrameRect().adjusted(0, 0, -1, -1));
  p.restore();
}

QImage TspSkinPageControl::PaintImage() {
  if (width() <= 0 || height() <= 0) return QImage();
  QImage image(size(), QImage::Format_RGB32);
  PaintTo(image, rect());
  return image;
}

void TspSkinPageControl::paintEvent(QPaintEvent* event) {
  if (width() <= 0 || height() <= 0) return;
  // Only the part asked for is composed: hot tracking repaints single tabs.
  const QRect area = event->rect() & rect();
  if (area.isEmpty()) return;
  QImage image(area.size(), QImage::Format_RGB32);
  PaintTo(image, area);
  QPainter(this).drawImage(area.topLeft(), image);
}
