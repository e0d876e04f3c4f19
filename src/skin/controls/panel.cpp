#include "skin/controls/panel.h"
#include "skin/controls/plain_look.h"

#include "skin/controls/control_messages.h"
#include "skin/controls/paint_parent_background.h"
#include "skin/render/composition.h"
#include "skin/render/draw_helpers.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

// The plain check box of a caption: a 14 x 14 box, with a mark when checked.
void DrawPlainCheck(QPainter& p, int x, int cy, bool checked, const QPalette& pal) {
  const QRect box(x, cy - 7, 14, 14);
  p.fillRect(box, pal.color(QPalette::Base));
  DrawBorderStyleFrame(p, box, TspSkinBorderStyle::bvFrame, QColor(), pal.color(QPalette::Dark));
  if (!checked) return;
  p.save();
  p.setPen(pal.color(QPalette::Text));
  const int y = box.top() + 3;
  for (int k = 0; k < 3; ++k) {
    const QPoint points[] = {
        {box.left() + 3, y - k + 5}, {box.left() + 5, y - k + 7}, {box.left() + 10, y - k + 2}};
    p.drawPolyline(points, 3);
  }
  p.restore();
}

// Fills `area` of `image` with `tile` repeated from the image's origin.
void FillTiled(QImage& image, const QRect& area, const QImage& tile, QPoint origin = {}) {
  if (tile.isNull() || area.isEmpty()) return;
  QPainter p(&image);
  p.setBrushOrigin(origin);
  p.fillRect(area, QBrush(tile));
}

} // namespace

TspSkinPanel::TspSkinPanel(QWidget* parent) : TspSkinCustomControl(parent) {
  SetSkinDataName(QStringLiteral("panel"));
  SetSeparateClientPaint(true);
  resize(150, 150);
  UpdateClientMargins();
}

void TspSkinPanel::Changed() {
  UpdateClientMargins();
  update();
}

void TspSkinPanel::SetBorderStyle(TspSkinBorderStyle value) {
  FBorderStyle = value;
  Changed();
}

void TspSkinPanel::SetCaption(const QString& value) {
  if (value == FCaption) return;
  FCaption = value;
  update();
}

void TspSkinPanel::SetCaptionMode(bool value) {
  FCaptionMode = value;
  Changed();
}

void TspSkinPanel::SetDefaultAlignment(TspAlignment value) {
  FDefaultAlignment = value;
  update();
}

void TspSkinPanel::SetDefaultCaptionHeight(int value) {
  FDefaultCaptionHeight = std::max(value, 0);
  Changed();
}

void TspSkinPanel::SetTransparentMode(bool value) {
  if (value == FTransparentMode) return;
  FTransparentMode = value;
  Changed();
  SendParentBackgroundChanged(this);
}

void TspSkinPanel::SetEmptyDrawing(bool value) {
  FEmptyDrawing = value;
  Changed();
}

void TspSkinPanel::SetRollUpMode(bool value) {
  FRollUpMode = value;
  update();
}

void TspSkinPanel::SetRollUpState(bool value) {
  if (value == FRollUpState) return;
  // Without a caption to stay visible a panel never rolls up.
  if (value && !(FRollUpMode && FCaptionMode)) return;
  FRollUpState = value;
  value ? RollUp() : RollDown();
  if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TspSkinPanel::SetCheckedMode(bool value) {
  FCheckedMode = value;
  update();
}

void TspSkinPanel::SetChecked(bool value) {
  if (value == FChecked) return;
  FChecked = value;
  update();
  if (OnChecked) OnChecked(this);
}

void TspSkinPanel::SetRibbonStyle(bool value) {
  FRibbonStyle = value;
  Changed();
}

void TspSkinPanel::SetGlyph(const QImage& value) {
  FGlyph = value;
  update();
}

void TspSkinPanel::SetCaptionImageList(TspImageList* value) {
  FCaptionImageList = value;
  update();
}

void TspSkinPanel::SetCaptionImageIndex(int value) {
  FCaptionImageIndex = value;
  update();
}

void TspSkinPanel::SetNumGlyphs(int value) {
  FNumGlyphs = std::max(value, 1);
  update();
}

void TspSkinPanel::SetSpacing(int value) {
  FSpacing = value;
  update();
}

void TspSkinPanel::SetImagePosition(TspImagePosition value) {
  FImagePosition = value;
  update();
}

TspSkinPanel::Look TspSkinPanel::SkinLook() const {
  if (FEmptyDrawing) return Look::Empty;
  if (FTransparentMode && !FCaptionMode) return Look::Transparent;
  const auto* rec = RecordAs<TspDataSkinPanelControl>();
  if (rec && SkinData() && SkinData()->ValidPictureIndex(rec->bgpictureindex)) return Look::Picture;
  if (FBorderStyle == TspSkinBorderStyle::bvNone && GeometryMode() == TspGeometryMode::NinePart &&
      !FCaptionMode && !StretchFlags().stretcheffect)
    return Look::Tiled;
  return Look::Common;
}

QRect TspSkinPanel::ClientRect() {
  const int w = width(), h = height();
  if (FEmptyDrawing) return rect();
  ReadSkinRecord();
  if (RecordIndex() != -1 && FTransparentMode) {
    int top = 2;
    if (FCaptionMode) {
      const auto* rec = RecordAs<TspDataSkinPanelControl>();
      const QFont font =
          rec ? SkinFont(rec->fontname, rec->fontheight, rec->fontstyle) : DefaultFont();
      top = QFontMetrics(font, this).height();
    }
    return QRect(QPoint(2, top), QPoint(w - 3, h - 3));
  }
  if (RecordIndex() == -1) {
    QRect r = rect();
    if (FBorderStyle != TspSkinBorderStyle::bvNone) r.adjust(1, 1, -1, -1);
    if (FCaptionMode) {
      if (FRibbonStyle)
        r.setBottom(r.bottom() - FDefaultCaptionHeight);
      else
        r.setTop(r.top() + FDefaultCaptionHeight);
    }
    return r;
  }
  if (SkinLook() == Look::Tiled) return rect();
  return FittedClientRect().ToQRect();
}

QRect TspSkinPanel::CaptionRect() {
  ReadSkinRecord();
  if (RecordIndex() == -1) {
    if (!FCaptionMode) return QRect();
    const int inset = FBorderStyle == TspSkinBorderStyle::bvNone ? 0 : 1;
    const int top = FRibbonStyle ? height() - inset - FDefaultCaptionHeight : inset;
    return QRect(inset, top, width() - 2 * inset, FDefaultCaptionHeight);
  }
  const auto* rec = RecordAs<TspDataSkinPanelControl>();
  if (!rec || rec->captionrect.IsEmpty()) return QRect();
  // The caption spans the top of the frame: its right end moves with the panel's width.
  QRect r = rec->captionrect.ToQRect();
  const int dW = width() - SkinRect().Width(), dH = height() - SkinRect().Height();
  if (GeometryMode() == TspGeometryMode::NinePart || GeometryMode() == TspGeometryMode::Horizontal)
    r.setRight(r.right() + dW);
  if (FRibbonStyle && GeometryMode() != TspGeometryMode::Horizontal) r.translate(0, dH);
  return r;
}

void TspSkinPanel::UpdateClientMargins() {
  const QRect c = ClientRect();
  if (c.isEmpty()) return;
  const QMargins m(c.left(), c.top(), width() - c.right() - 1, height() - c.bottom() - 1);
  if (m != contentsMargins()) setContentsMargins(m);
}

void TspSkinPanel::DrawCaptionContent(QPainter& p, QRect r, const QFont& font, const QColor& color,
                                      TspAlignment alignment) {
  const bool skinned = RecordIndex() != -1;
  const int cy = r.top() + r.height() / 2;
  if (FCheckedMode) {
    const auto* rec = RecordAs<TspDataSkinPanelControl>();
    const QImage* picture = SkinPicture();
    const TspRect mark = rec ? (FChecked ? rec->checkimagerect : rec->uncheckimagerect) : TspRect{};
    if (skinned && picture && !mark.IsEmpty()) {
      p.drawImage(r.left(), cy - mark.Height() / 2, *picture, mark.Left, mark.Top, mark.Width(),
                  mark.Height());
      r.setLeft(r.left() + mark.Width() + 2);
    } else {
      DrawPlainCheck(p, r.left() + 3, cy, FChecked, palette());
      r.setLeft(r.left() + 20);
    }
  }
  if (FRollUpMode && !skinned) {
    // The plain bar keeps 10 pixels at the right for the roll-up arrow.
    const QRect arrow(r.right() - 9, r.top(), 10, r.height());
    DrawArrow(p, TspRect::FromQRect(arrow), QColorToColor(color), FRollUpState ? 4 : 3);
    r.setRight(r.right() - 10);
  }
  if (!skinned) r.adjust(4, 0, -4, 0);

  p.setFont(font);
  const QFontMetrics fm(font);
  const int tw = FCaption.isEmpty() ? 0 : fm.horizontalAdvance(FCaption);
  // An image of the caption image list takes the glyph's place.
  const QImage listImage =
      FCaptionImageList ? FCaptionImageList->Image(FCaptionImageIndex) : QImage();
  const QImage& glyph = listImage.isNull() ? FGlyph : listImage;
  const int cells = listImage.isNull() ? FNumGlyphs : 1;
  const int gw = glyph.isNull() ? 0 : glyph.width() / cells;
  const int gh = glyph.height();
  const int cell = (!isEnabled() && cells >= 2) ? 2 : 1;
  const int spacing = gw > 0 && tw > 0 ? FSpacing : 0;

  int x = r.left();
  // Glyph strips leave out their key colour; list pictures carry their own alpha.
  auto drawGlyph = [&](int gx) {
    if (listImage.isNull())
      DrawGlyphFromStrip(p, gx, cy - gh / 2, cell, cells, glyph);
    else
      p.drawImage(gx, cy - gh / 2, listImage);
  };
  if (gw > 0 && FImagePosition == TspImagePosition::spipLeft) {
    drawGlyph(x);
    r.setLeft(r.left() + gw + spacing);
    x = r.left();
  }
  const int group = (FImagePosition == TspImagePosition::spipDefault ? gw + spacing : 0) + tw;
  if (alignment == TspAlignment::taRightJustify)
    x = r.right() + 1 - group;
  else if (alignment == TspAlignment::taCenter)
    x = r.left() + (r.width() - group) / 2;
  if (gw > 0 && FImagePosition == TspImagePosition::spipDefault) {
    drawGlyph(x);
    x += gw + spacing;
  }
  if (tw > 0) {
    p.setPen(color);
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.drawText(x, cy - fm.height() / 2 + fm.ascent(), FCaption);
    p.restore();
  }
}

void TspSkinPanel::TileClientPiece(QImage& image, const QRect& area) {
  const QImage* picture = SkinPicture();
  if (!picture) return;
  const TspRect& s = SkinRect();
  const TspRect& c = SkinClientRect();
  const TspRect piece{s.Left + c.Left, s.Top + c.Top, s.Left + c.Right, s.Top + c.Bottom};
  FillTiled(image, area, ImageCache().Piece(*picture, piece, QSize()));
}

void TspSkinPanel::DrawSkinImage(QImage& image) {
  const auto* rec = RecordAs<TspDataSkinPanelControl>();
  switch (SkinLook()) {
  case Look::Empty:
    PaintParentBackground(this, image);
    return;
  case Look::Transparent: {
    PaintParentBackground(this, image);
    if (FBorderStyle != TspSkinBorderStyle::bvNone && SkinData()) {
      QPainter p(&image);
      const QColor shadow = SkinColor(SkinData()->SkinColors.cbtnshadow);
      DrawBorderStyleFrame(p, image.rect(), TspSkinBorderStyle::bvFrame, shadow, shadow);
    }
    break;
  }
  case Look::Picture: {
    TspSkinCustomControl::DrawSkinImage(image);
    const QImage& bg = SkinData()->ActivePictures[size_t(rec->bgpictureindex)];
    const QRect area = FBorderStyle == TspSkinBorderStyle::bvNone
                           ? image.rect()
                           : FittedClientRect().ToQRect() & image.rect();
    const QSize tileSize = StretchTileSize(StretchFlags(), bg.size(), area.size());
    FillTiled(image, area, ImageCache().Piece(bg, TspRect{0, 0, bg.width(), bg.height()}, tileSize),
              area.topLeft());
    break;
  }
  case Look::Tiled:
    if (image.size() != size()) image = QImage(size(), QImage::Format_RGB32);
    TileClientPiece(image, image.rect());
    break;
  case Look::Common:
    // Composes the whole image, or nothing when the frame strips are painted apart; the
    // caption below then lands in the top strip, which shares the panel's origin.
    TspSkinCustomControl::DrawSkinImage(image);
    break;
  }
  if (!HasCaptionContent()) return;
  const QRect caption = CaptionRect();
  if (caption.isEmpty()) return;
  QPainter p(&image);
  const QFont font = rec ? SkinFont(rec->fontname, rec->fontheight, rec->fontstyle) : DefaultFont();
  const QColor color = rec ? SkinColor(rec->fontcolor) : palette().color(QPalette::WindowText);
  DrawCaptionContent(p, caption, font, color, rec ? rec->alignment : FDefaultAlignment);
}

void TspSkinPanel::DrawDefaultImage(QImage& image) {
  if (FEmptyDrawing) {
    PaintParentBackground(this, image);
    return;
  }
  if (FTransparentMode)
    PaintParentBackground(this, image);
  else
    image.fill(palette().color(QPalette::Button));
  QPainter p(&image);
  DrawBorderStyleFrame(p, image.rect(), FBorderStyle, palette().color(QPalette::Light),
                       palette().color(QPalette::Dark));
  if (!FCaptionMode) return;
  const QRect bar = CaptionRect();
  p.fillRect(bar, palette().color(QPalette::Dark));
  DrawCaptionContent(p, bar, DefaultFont(), palette().color(QPalette::BrightText),
                     FDefaultAlignment);
}

bool TspSkinPanel::HasCaptionContent() const {
  return !FCaption.isEmpty() || FCheckedMode || !FGlyph.isNull() || FCaptionImageList;
}

bool TspSkinPanel::CaptionOverClient() {
  if (!HasCaptionContent()) return false;
  const QRect caption = CaptionRect();
  return !caption.isEmpty() && caption.bottom() >= SkinClientRect().Top;
}

void TspSkinPanel::paintEvent(QPaintEvent* event) {
  if (width() <= 0 || height() <= 0) return;
  ReadSkinRecord();
  // Frame strips and client apart where they can be: only the top strip takes the caption,
  // so a caption that reaches into the client area needs the whole image.
  if (RecordIndex() != -1 && SkinLook() == Look::Common && !CaptionOverClient())
    TspSkinCustomControl::paintEvent(event);
  else
    TspSkinControl::paintEvent(event); // one image, composed by DrawSkinImage
}

void TspSkinPanel::PaintChildBackground(QPainter& painter, const QRect& area) {
  // The panel's own painting, without its children, limited to the area asked for.
  render(&painter, area.topLeft(), QRegion(area), QWidget::RenderFlags());
}

void TspSkinPanel::ApplySkin() {
  TspSkinCustomControl::ApplySkin();
  // A rolled-up panel stays rolled up at the new skin's caption height.
  if (FRollUpState) resize(width(), RolledUpHeight());
  UpdateClientMargins();
}

void TspSkinPanel::ParentBackgroundChanged() {
  if (!FTransparentMode && !AlphaBlend() && !FEmptyDrawing) return;
  update();
  SendParentBackgroundChanged(this);
}

void TspSkinPanel::resizeEvent(QResizeEvent* event) {
  TspSkinCustomControl::resizeEvent(event);
  UpdateClientMargins();
}

void TspSkinPanel::moveEvent(QMoveEvent* event) {
  TspSkinCustomControl::moveEvent(event);
  if (FTransparentMode || FEmptyDrawing) {
    update();
    SendParentBackgroundChanged(this);
  }
}

void TspSkinPanel::changeEvent(QEvent* event) {
  TspSkinCustomControl::changeEvent(event);
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange) update();
}

void TspSkinPanel::mouseReleaseEvent(QMouseEvent* event) {
  TspSkinCustomControl::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !FCaptionMode) return;
  if (!CaptionRect().contains(event->position().toPoint())) return;
  if (FCheckedMode) SetChecked(!FChecked);
  if (FRollUpMode) SetRollUpState(!FRollUpState);
}

int TspSkinPanel::RolledUpHeight() {
  ReadSkinRecord();
  if (RecordIndex() == -1) return FDefaultCaptionHeight + 1;
  return std::max(height() - FittedClientRect().Height(), 1);
}

void TspSkinPanel::RollUp() {
  FSavedMinimum = minimumSize();
  FSavedMaximum = maximumSize();
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  FRealHeight = height();
  for (QObject* o : children())
    if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow()) w->hide();
  resize(width(), RolledUpHeight());
}

void TspSkinPanel::RollDown() {
  if (FRealHeight >= 0) resize(width(), FRealHeight);
  FRealHeight = -1;
  setMinimumSize(FSavedMinimum);
  setMaximumSize(FSavedMaximum);
  for (QObject* o : children())
    if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow()) w->show();
}

TspSkinGroupBox::TspSkinGroupBox(QWidget* parent) : TspSkinPanel(parent) {
  SetSkinDataName(QStringLiteral("groupbox"));
  SetCaptionMode(true);
}
