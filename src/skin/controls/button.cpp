#include "skin/controls/button.h"
#include "skin/controls/plain_look.h"

#include "skin/controls/control_messages.h"
#include "skin/controls/paint_parent_background.h"
#include "skin/render/composition.h"
#include "skin/render/draw_helpers.h"
#include "skin/render/effect_bitmap.h"
#include "skin/render/layered_window.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace {

// System colour references (see ColorToRGB): button face, button shadow, button text.
constexpr TColor kBtnFace = 0x80000000u | 15;
constexpr TColor kBtnShadow = 0x80000000u | 16;
constexpr TColor kBtnText = 0x80000000u | 18;
// The disabled caption when the skin gives the same colour as for enabled text.
constexpr TColor kDisabledGrey = 8421504; // RGB(128, 128, 128)

// The plain look's blue frame and fills.

QColor Rgb(TColor c) {
  return ColorToQColor(ColorToRGB(c));
}

// A dotted rectangle on the edge of `r` (right and bottom edges on the last pixel inside
// it): every second pixel, the pattern running on around the corners.
void DrawFocusDots(QImage& image, const TspRect& r, QColor color) {
  if (r.IsEmpty() || image.format() != QImage::Format_RGB32) return;
  const QRgb c = color.rgb();
  const int l = r.Left, t = r.Top, ri = r.Right - 1, b = r.Bottom - 1;
  int n = 0;
  const auto dot = [&](int x, int y) {
    if ((n++ & 1) == 0 && x >= 0 && y >= 0 && x < image.width() && y < image.height())
      reinterpret_cast<QRgb*>(image.scanLine(y))[x] = c;
  };
  for (int x = l; x <= ri; ++x) dot(x, t);
  for (int y = t + 1; y <= b; ++y) dot(ri, y);
  if (b > t)
    for (int x = ri - 1; x >= l; --x) dot(x, b);
  if (ri > l)
    for (int y = b - 1; y > t; --y) dot(l, y);
}

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

// --- TspButtonControl ----------------------------------------------------------------------

template <class Base>
TspButtonControl<Base>::TspButtonControl(QWidget* parent)
    : Base(parent), FDefaultFontColor(kBtnText) {
  QObject::connect(&FAnimationTimer, &QTimer::timeout, this, [this] { AnimationTick(); });
  QObject::connect(&FRepeatTimer, &QTimer::timeout, this, [this] { RepeatTick(); });
  FMorphTimer.setInterval(MorphInterval);
  QObject::connect(&FMorphTimer, &QTimer::timeout, this, [this] { MorphTick(); });
}

template <class Base> TspButtonControl<Base>::~TspButtonControl() = default;

// --- Properties --------------------------------------------------------------------------------

template <class Base> void TspButtonControl<Base>::SetCaption(const QString& value) {
  if (value == FCaption) return;
  FCaption = value;
  CaptionChanged();
  if (this->Record() || this->DrawDefault()) this->update();
}

template <class Base> void TspButtonControl<Base>::SetGlyph(const QImage& value) {
  FGlyph = value;
  this->update();
}

template <class Base> void TspButtonControl<Base>::SetNumGlyphs(int value) {
  if (value < 1 || value > 4 || value == FNumGlyphs) return;
  FNumGlyphs = value;
  this->update();
}

template <class Base> void TspButtonControl<Base>::SetLayout(TspButtonLayout value) {
  FLayout = value;
  this->update();
}

template <class Base> void TspButtonControl<Base>::SetMargin(int value) {
  if (value < -1 || value == FMargin) return;
  FMargin = value;
  this->update();
}

template <class Base> void TspButtonControl<Base>::SetSpacing(int value) {
  FSpacing = value;
  this->update();
}

template <class Base> void TspButtonControl<Base>::SetImageList(TspImageList* value) {
  FImageList = value;
  this->update();
}

template <class Base> void TspButtonControl<Base>::SetImageIndex(int value) {
  FImageIndex = value;
  this->update();
}

template <class Base> void TspButtonControl<Base>::SetTransparent(bool value) {
  FTransparent = value;
  this->update();
}

template <class Base> void TspButtonControl<Base>::SetUseSkinSize(bool value) {
  if (value == FUseSkinSize) return;
  FUseSkinSize = value;
  ClearStretchCache();
  this->ReadSkinRecord();
  if (this->Record()) {
    int w = this->width(), h = this->height();
    FitSizeToSkin(w, h);
    if (QSize(w, h) != this->size()) this->resize(w, h);
  }
  UpdateRegion();
  this->update();
}

template <class Base> void TspButtonControl<Base>::SetUseSkinFontColor(bool value) {
  FUseSkinFontColor = value;
  this->update();
}

template <class Base> void TspButtonControl<Base>::SetDefaultFontColor(TColor value) {
  FDefaultFontColor = value;
  this->update();
}

template <class Base> void TspButtonControl<Base>::SetDown(bool value) {
  if (value == FDown) return;
  FDown = value;
  if (EffectsOn()) {
    FMorphValue = 1;
    if (value)
      StopMorph();
    else if (MorphingOn())
      FMorphTimer.start();
  }
  this->update();
  if (FGroupIndex > 0 && FDown && !FAllowAllUp && this->parentWidget()) {
    for (QObject* o : this->parentWidget()->children()) {
      auto* other = dynamic_cast<TspButtonControl<Base>*>(o);
      if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown)
        other->SetDown(false);
    }
  }
}

template <class Base> void TspButtonControl<Base>::SetGroupIndex(int value) {
  FGroupIndex = value;
  this->update();
}

template <class Base> void TspButtonControl<Base>::SetCheckedMode(bool value) {
  FCheckedMode = value;
  if (value)
    SetGroupIndex(-1);
  else if (FGroupIndex == -1)
    SetGroupIndex(0);
}

template <class Base> void TspButtonControl<Base>::SetRepeatMode(bool value) {
  FRepeatMode = value;
  if (!value) StopRepeat();
}

template <class Base> void TspButtonControl<Base>::SetRepeatInterval(int value) {
  FRepeatInterval = std::max(1, value);
}

// --- Skin --------------------------------------------------------------------------------------

template <class Base> void TspButtonControl<Base>::ReadSkinRecord() {
  Base::ReadSkinRecord();
  FSkin = TspButtonSkinValues();
  const TspDataSkinControl* rec = this->Record();
  if (!rec) return;
  FSkin.skinrect = rec->skinrect;
  if (const auto* custom = dynamic_cast<const TspDataSkinCustomControl*>(rec))
    FSkin.clientrect = custom->clientrect;
  else
    FSkin.clientrect = {0, 0, rec->skinrect.Width(), rec->skinrect.Height()};
  FSkin.activeskinrect = FSkin.downskinrect = rec->skinrect;
  const auto* b = this->template RecordAs<TspDataSkinButtonControl>();
  if (!b) return;
  FSkin.FromButtonRecord = true;
  FSkin.fontname = b->fontname;
  FSkin.fontheight = b->fontheight;
  FSkin.fontstyle = b->fontstyle;
  FSkin.fontcolor = b->fontcolor;
  FSkin.activefontcolor = b->activefontcolor;
  FSkin.downfontcolor = b->downfontcolor;
  FSkin.disabledfontcolor =
      b->disabledfontcolor == b->fontcolor ? kDisabledGrey : b->disabledfontcolor;
  FSkin.activeskinrect = b->activeskinrect.IsEmpty() ? b->skinrect : b->activeskinrect;
  FSkin.downskinrect = b->downskinrect.IsEmpty() ? FSkin.activeskinrect : b->downskinrect;
  FSkin.disabledskinrect = b->disabledskinrect;
  FSkin.focusedskinrect = b->focusedskinrect;
  FSkin.morphing = b->morphing;
  FSkin.morphkind = b->morphkind;
  FSkin.animateskinrect = b->animateskinrect;
  FSkin.framecount = b->framecount;
  FSkin.animateinterval = b->animateinterval;
  FSkin.showfocus = b->showfocus;
  FSkin.glowlayerpictureindex = b->glowlayerpictureindex;
  FSkin.glowlayermaskpictureindex = b->glowlayermaskpictureindex;
  FSkin.glowlayeroffsetleft = b->glowlayeroffsetleft;
  FSkin.glowlayeroffsettop = b->glowlayeroffsettop;
  FSkin.glowlayeroffsetright = b->glowlayeroffsetright;
  FSkin.glowlayeroffsetbottom = b->glowlayeroffsetbottom;
  FSkin.glowlayershowoffsetx = b->glowlayershowoffsetx;
  FSkin.glowlayershowoffsety = b->glowlayershowoffsety;
  FSkin.glowlayeralphablendvalue = b->glowlayeralphablendvalue;
}

template <class Base> void TspButtonControl<Base>::ApplySkin() {
  StopMorph();
  StopFrameAnimation();
  FMorphValue = 0;
  ClearStretchCache();
  Base::ApplySkin();
  if (EffectsOn() && (FMouseIn || FocusedLook())) FMorphValue = 1;
  if (FMouseIn) PostGlowMessage(ButtonGlowShowMessage);
}

template <class Base> void TspButtonControl<Base>::DropSkinRecord() {
  HideGlow();
  StopMorph();
  StopFrameAnimation();
  Base::DropSkinRecord();
  FSkin = TspButtonSkinValues();
  ClearStretchCache();
}

template <class Base> void TspButtonControl<Base>::FitSizeToSkin(int& width, int& height) {
  if (FUseSkinSize) Base::FitSizeToSkin(width, height);
}

template <class Base> void TspButtonControl<Base>::UpdateRegion() {
  // A button drawn at any size cannot use a mask made for the skin's size.
  if (!FUseSkinSize) {
    if (!this->IsGraphicControl()) this->clearMask();
    return;
  }
  Base::UpdateRegion();
}

template <class Base> bool TspButtonControl<Base>::EffectsOn() const {
  const TspSkinData* data = this->SkinData();
  return data && !data->IsEmpty() && data->EnableSkinEffects();
}

template <class Base> bool TspButtonControl<Base>::MorphingOn() const {
  return FSkin.morphing && this->Record() && EffectsOn();
}

template <class Base> bool TspButtonControl<Base>::CanAnimate() const {
  return EffectsOn() && this->Record() && !FSkin.animateskinrect.IsEmpty() && FSkin.framecount > 0;
}

// --- Painting ----------------------------------------------------------------------------------

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
  for (const StretchEntry& e : FStretchCache)
    if (e.PictureKey == picture.cacheKey() && e.Rect == rect && e.Size == size) return e.Image;
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::black);
  ComposeStretchedImage(image, picture, rect, FSkin.clientrect, true);
  // One entry per state image is all a button needs at one size.
  if (FStretchCache.size() >= 8) FStretchCache.erase(FStretchCache.begin());
  FStretchCache.push_back({picture.cacheKey(), rect, size, image});
  return image;
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
  if (!FSkin.FromButtonRecord) return Rgb(enabled ? FDefaultFontColor : kDisabledGrey);
  if (enabled && !FUseSkinFontColor) return Rgb(FDefaultFontColor);
  if (!enabled) return Rgb(FSkin.disabledfontcolor);
  if (active && down) return Rgb(FSkin.downfontcolor);
  if (active) return Rgb(FSkin.activefontcolor);
  return Rgb(FSkin.fontcolor);
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
    p.fillRect(r, Rgb(fill));
    p.setPen(Rgb(frame));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
  const QColor color = Rgb(this->isEnabled() ? FDefaultFontColor : kBtnShadow);
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
  if (focusRect) DrawFocusDots(bitmap, content, color);
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

// --- Timers ------------------------------------------------------------------------------------

template <class Base> void TspButtonControl<Base>::StartFrameAnimation(bool forward) {
  if (!CanAnimate()) return;
  FAnimationForward = forward;
  FAnimationFrame = forward ? 1 : FSkin.framecount;
  FAnimationTimer.start(std::max(1, FSkin.animateinterval));
  this->update();
}

template <class Base> void TspButtonControl<Base>::StopFrameAnimation() {
  FAnimationTimer.stop();
  FAnimationFrame = 0;
}

template <class Base> void TspButtonControl<Base>::AnimationTick() {
  if (!FrameAnimationTick(FAnimationFrame, FAnimationForward, FSkin.framecount))
    FAnimationTimer.stop();
  this->update();
}

template <class Base> void TspButtonControl<Base>::Refresh() {
  if (MorphingOn()) {
    if (!FMorphTimer.isActive()) FMorphTimer.start();
  } else {
    this->update();
  }
}

template <class Base> void TspButtonControl<Base>::StopMorph() {
  FMorphTimer.stop();
}

template <class Base> void TspButtonControl<Base>::MorphTick() {
  const bool hot = FMouseIn || FocusedLook();
  FMorphValue = NextMorphValue(FMorphValue, hot);
  if (FMorphValue == (hot ? 1.0 : 0.0)) FMorphTimer.stop();
  this->update();
}

template <class Base> void TspButtonControl<Base>::StartRepeat() {
  FRepeatFirstTick = true;
  FRepeatTimer.start(RepeatDelay);
}

template <class Base> void TspButtonControl<Base>::StopRepeat() {
  FRepeatTimer.stop();
}

template <class Base> void TspButtonControl<Base>::RepeatTick() {
  // A button that went away or was disabled while held must not go on clicking.
  if (!this->isEnabled() || !this->isVisible()) {
    StopRepeat();
    return;
  }
  if (FRepeatFirstTick) {
    FRepeatFirstTick = false;
    FRepeatTimer.setInterval(FRepeatInterval);
  }
  FireClick();
}

// --- Mouse ---------------------------------------------------------------------------------------

template <class Base> bool TspButtonControl<Base>::ReactsToHover() const {
  return InGroup() ? !FDown : (!FocusedLook() || FDown);
}

template <class Base> void TspButtonControl<Base>::MouseEntered() {
  FMouseIn = true;
  if (ReactsToHover()) {
    if (FDown) {
      if (EffectsOn()) FMorphValue = 1;
      this->update();
    } else {
      StartFrameAnimation(true);
      Refresh();
    }
  }
  if (FDown && FRepeatMode && !InGroup()) StartRepeat();
  PostGlowMessage(ButtonGlowShowMessage);
}

template <class Base> void TspButtonControl<Base>::MouseLeft() {
  if (!KeepsHotLook()) FMouseIn = false;
  if (ReactsToHover()) {
    StartFrameAnimation(false);
    Refresh();
  }
  StopRepeat();
  PostGlowMessage(ButtonGlowHideMessage);
}

template <class Base> void TspButtonControl<Base>::enterEvent(QEnterEvent* e) {
  Base::enterEvent(e);
  if (FHovered) return;
  FHovered = true;
  MouseEntered();
}

template <class Base> void TspButtonControl<Base>::leaveEvent(QEvent* e) {
  Base::leaveEvent(e);
  if (!FHovered) return;
  FHovered = false;
  MouseLeft();
}

template <class Base> void TspButtonControl<Base>::mouseMoveEvent(QMouseEvent* e) {
  Base::mouseMoveEvent(e);
  if (!FMousePressed) return;
  // While the button is held the pointer is grabbed and no enter or leave arrives: the
  // drag itself says whether the pointer is over the button.
  const bool inside = this->rect().contains(e->position().toPoint());
  if (inside == FHovered) return;
  FHovered = inside;
  if (inside)
    MouseEntered();
  else
    MouseLeft();
}

template <class Base> void TspButtonControl<Base>::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    Base::mousePressEvent(e);
    return;
  }
  e->accept();
  if (!AcceptPress()) return;
  const QPointer<QWidget> alive(this);
  StopFrameAnimation();
  FMousePressed = true;
  FHovered = true;
  if (!FDown) {
    FMouseIn = true;
    SetDown(true);
    if (FCheckedMode) {
      FCheckedPending = true;
      FireClick();
    } else if (FRepeatMode && !InGroup()) {
      StartRepeat();
    } else if (InGroup()) {
      FireClick();
    }
    if (!alive) return;
    FGroupRepress = false;
  } else if (InGroup()) {
    FGroupRepress = true;
  }
}

template <class Base> void TspButtonControl<Base>::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    Base::mouseReleaseEvent(e);
    return;
  }
  e->accept();
  // Only the release of a press this button took.
  if (!FMousePressed) return;
  FMousePressed = false;
  const bool inside = this->rect().contains(e->position().toPoint());
  if (inside != FHovered) {
    FHovered = inside;
    if (inside)
      MouseEntered();
    else
      MouseLeft();
  }
  if (FCheckedMode) {
    if (FCheckedPending) {
      FCheckedPending = false;
    } else {
      SetDown(false);
      FireClick();
    }
  } else if (!InGroup()) {
    const bool wasDown = FDown;
    SetDown(false);
    StopRepeat();
    if (inside && wasDown) FireClick();
  } else if (FDown && FAllowAllUp && FGroupRepress && inside) {
    SetDown(false);
    FireClick();
  }
}

template <class Base> void TspButtonControl<Base>::changeEvent(QEvent* e) {
  Base::changeEvent(e);
  if (e->type() != QEvent::EnabledChange) return;
  StopMorph();
  FMorphValue = 0;
  FMouseIn = false;
  StopRepeat();
  // A disabled button hears no release: a press it held ends here, without a click.
  if (!this->isEnabled()) CancelPress();
  this->update();
}

template <class Base> void TspButtonControl<Base>::CancelPress() {
  if (!FMousePressed) return;
  FMousePressed = false;
  FCheckedPending = false;
  StopRepeat();
  if (!FCheckedMode && !InGroup()) SetDown(false);
}

template <class Base> void TspButtonControl<Base>::ParentBackgroundChanged() {
  Base::ParentBackgroundChanged();
  // A see-through face shows the parent's background whether or not it blends.
  if (!this->AlphaBlend() && (FTransparent || !DrawsBackground(false, false))) this->update();
}

template <class Base> void TspButtonControl<Base>::hideEvent(QHideEvent* e) {
  Base::hideEvent(e);
  HideGlow();
  // A hidden button hears no release either.
  CancelPress();
  StopRepeat();
}

template <class Base> void TspButtonControl<Base>::resizeEvent(QResizeEvent* e) {
  Base::resizeEvent(e);
  ClearStretchCache();
}

template <class Base> bool TspButtonControl<Base>::event(QEvent* e) {
  switch (TspControlMessageEvent::MessageOf(e)) {
  case ButtonGlowShowMessage:
    ShowGlow();
    return true;
  case ButtonGlowHideMessage:
    HideGlow();
    return true;
  default:
    return Base::event(e);
  }
}

// --- Glow frame ----------------------------------------------------------------------------------

template <class Base> TspLayerManager& TspButtonControl<Base>::GlowLayer() {
  if (!FGlow)
    FGlow = std::make_unique<TspLayerManager>(
        nullptr, FGlowSupport ? FGlowSupport : std::function<bool()>(LayeredWindowsSupported));
  return *FGlow;
}

template <class Base>
void TspButtonControl<Base>::SetGlowLayerSupport(std::function<bool()> supported) {
  FGlowSupport = std::move(supported);
  FGlow.reset();
}

template <class Base> void TspButtonControl<Base>::PostGlowMessage(int message) {
  // Only where there is something to show or to hide.
  if (message == ButtonGlowShowMessage && FSkin.glowlayerpictureindex == -1) return;
  if (message == ButtonGlowHideMessage && !(FGlow && FGlow->IsShowing())) return;
  QCoreApplication::postEvent(this, new TspControlMessageEvent(message));
}

template <class Base> void TspButtonControl<Base>::ShowGlow() {
  const TspSkinData* data = this->SkinData();
  if (!data || data->IsEmpty() || !this->Record() || !FMouseIn || !this->isVisible()) return;
  if (!data->ValidPictureIndex(FSkin.glowlayerpictureindex)) return;
  if (!data->ShowButtonGlowFrames() && !FAlwaysShowLayeredFrame) return;
  const QImage& picture = data->ActivePictures[size_t(FSkin.glowlayerpictureindex)];
  const QImage noMask;
  const QImage& mask = data->ValidPictureIndex(FSkin.glowlayermaskpictureindex)
                           ? data->ActivePictures[size_t(FSkin.glowlayermaskpictureindex)]
                           : noMask;
  if (picture.isNull()) return;
  const int dW = this->width() - FSkin.skinrect.Width();
  const int dH = this->height() - FSkin.skinrect.Height();
  const TspRect whole{0, 0, picture.width(), picture.height()};
  QImage glow, glowMask;
  switch (this->GeometryMode()) {
  case TspGeometryMode::Fixed:
    glow = picture;
    glowMask = mask;
    break;
  case TspGeometryMode::Horizontal:
    if (!FUseSkinSize) return;
    ComposeHorizontalImage(glow, picture, whole, FSkin.glowlayeroffsetleft,
                           FSkin.glowlayeroffsetright, true, picture.width() + dW);
    if (!mask.isNull())
      ComposeHorizontalImage(glowMask, mask, {0, 0, mask.width(), mask.height()},
                             FSkin.glowlayeroffsetleft, FSkin.glowlayeroffsetright, true,
                             mask.width() + dW);
    break;
  case TspGeometryMode::NinePart: {
    const auto enlarge = [&](const QImage& source, QImage& target) {
      const TspRect inner{FSkin.glowlayeroffsetleft, FSkin.glowlayeroffsettop,
                          source.width() - FSkin.glowlayeroffsetright,
                          source.height() - FSkin.glowlayeroffsetbottom};
      const QSize size(source.width() + dW, source.height() + dH);
      if (size.isEmpty()) return;
      target = QImage(size, QImage::Format_RGB32);
      target.fill(Qt::black);
      ComposeStretchedImage(target, source, {0, 0, source.width(), source.height()}, inner, true);
    };
    enlarge(picture, glow);
    if (!mask.isNull()) enlarge(mask, glowMask);
    break;
  }
  default:
    return;
  }
  if (glow.isNull()) return;
  const QPoint at = this->mapToGlobal(QPoint(0, 0)) -
                    QPoint(FSkin.glowlayershowoffsetx, FSkin.glowlayershowoffsety);
  TspLayerManager& layer = GlowLayer();
  layer.SetTopmost(this->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  layer.ShowLayer(at.x(), at.y(), FSkin.glowlayeralphablendvalue, glowMask, glow);
}

template <class Base> void TspButtonControl<Base>::HideGlow() {
  if (FGlow) FGlow->HideLayer();
}

template <class Base> void TspButtonControl<Base>::FireClick() {
  if (OnClick) OnClick(this);
}

template class TspButtonControl<TspSkinCustomControl>;
template class TspButtonControl<TspGraphicSkinCustomControl>;

// --- TspSkinButton -------------------------------------------------------------------------------

TspSkinButton::TspSkinButton(QWidget* parent) : TspButtonControl<TspSkinCustomControl>(parent) {
  SetSkinDataName(QStringLiteral("button"));
  resize(75, 25);
  setFocusPolicy(Qt::StrongFocus);
  FDefaultActive = FDefault;
  FFocusWatch = connect(qApp, &QApplication::focusChanged, this,
                        [this](QWidget*, QWidget* now) { FocusMoved(now); });
}

TspSkinButton::~TspSkinButton() {
  // The widget base still moves the focus away while it is destroyed: by then this button
  // must not hear of it.
  disconnect(FFocusWatch);
  if (FDialogKeyWindow) FDialogKeyWindow->removeEventFilter(this);
}

void TspSkinButton::SetCanFocused(bool value) {
  FCanFocused = value;
  setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
  UpdateShortcut();
  update();
}

void TspSkinButton::SetGroupIndex(int value) {
  TspButtonControl::SetGroupIndex(value);
  if (value != 0) SetCanFocused(false);
}

void TspSkinButton::SetDefault(bool value) {
  FDefault = value;
  WatchDialogKeys();
  AnnounceActiveControl();
  update();
}

void TspSkinButton::SetCancel(bool value) {
  FCancel = value;
  WatchDialogKeys();
}

bool TspSkinButton::FocusedLook() const {
  return FCanFocused && hasFocus();
}

bool TspSkinButton::KeepsHotLook() const {
  return FDefault && FCanFocused && FDefaultActive && !hasFocus();
}

bool TspSkinButton::AcceptPress() {
  if (!FCanFocused) return true;
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
  // The press goes on only once the focus is here (in this window).
  return window()->focusWidget() == this;
}

void TspSkinButton::FocusMoved(QWidget* now) {
  if (!now || now->window() != window()) return;
  FDefaultActive = dynamic_cast<TspSkinButton*>(now) ? now == this : FDefault;
  if (!FDefault || !FCanFocused || now == this) return;
  if (FDefaultActive) {
    // Enter would click this button: show it hot.
    SetMouseIn(true);
    if (EffectsOn()) SetMorphValue(1);
    update();
  } else if (!Hovered() && MouseIn()) {
    SetMouseIn(false);
    Refresh();
  }
}

void TspSkinButton::CaptionChanged() {
  UpdateShortcut();
}

void TspSkinButton::AnnounceActiveControl() {
  QWidget* form = window();
  QWidget* focus = form->focusWidget();
  // findChildren<TspSkinButton*> would match every skinned control through the meta-object
  // of their common base; a real type check keeps panels and edits out.
  QList<TspSkinButton*> buttons;
  if (auto* self = dynamic_cast<TspSkinButton*>(form)) buttons << self;
  for (QWidget* w : form->findChildren<QWidget*>())
    if (auto* b = dynamic_cast<TspSkinButton*>(w)) buttons << b;
  for (TspSkinButton* b : buttons) {
    if (focus)
      b->FocusMoved(focus);
    else
      b->FDefaultActive = b->FDefault;
  }
}

void TspSkinButton::WatchDialogKeys() {
  QWidget* form = (FDefault || FCancel) && !isWindow() ? window() : nullptr;
  if (form == FDialogKeyWindow) return;
  if (FDialogKeyWindow) FDialogKeyWindow->removeEventFilter(this);
  FDialogKeyWindow = form;
  if (form) form->installEventFilter(this);
}

void TspSkinButton::UpdateShortcut() {
  if (FShortcutId != 0) releaseShortcut(FShortcutId);
  FShortcutId = 0;
  const QKeySequence mnemonic = QKeySequence::mnemonic(Caption());
  if (FCanFocused && !mnemonic.isEmpty()) FShortcutId = grabShortcut(mnemonic);
}

bool TspSkinButton::eventFilter(QObject* watched, QEvent* e) {
  // Keys that no control of the window took reach the window: Enter for the default
  // button, Esc for the cancel button.
  if (watched != FDialogKeyWindow || e->type() != QEvent::KeyPress)
    return TspButtonControl::eventFilter(watched, e);
  auto* key = static_cast<QKeyEvent*>(e);
  const bool ready = isEnabled() && isVisible();
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  const bool esc =
      key->key() == Qt::Key_Escape &&
      !(key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
  if ((enter && FDefault && FDefaultActive && ready) || (esc && FCancel && FCanFocused && ready)) {
    key->accept();
    FireClick();
    return true;
  }
  return false;
}

bool TspSkinButton::event(QEvent* e) {
  switch (e->type()) {
  case QEvent::Shortcut: {
    auto* shortcut = static_cast<QShortcutEvent*>(e);
    if (shortcut->shortcutId() != FShortcutId || FShortcutId == 0) break;
    if (FCanFocused && isEnabled()) {
      setFocus(Qt::ShortcutFocusReason);
      FireClick();
    }
    return true;
  }
  case QEvent::ParentChange:
  case QEvent::Show:
    WatchDialogKeys();
    break;
  default:
    break;
  }
  return TspButtonControl::event(e);
}

void TspSkinButton::keyPressEvent(QKeyEvent* e) {
  if (!FCanFocused) {
    TspButtonControl::keyPressEvent(e);
    return;
  }
  switch (e->key()) {
  case Qt::Key_Space:
    e->accept();
    if (e->isAutoRepeat() && !RepeatMode()) return;
    FSpaceDown = true;
    SetDown(true);
    if (RepeatMode()) FireClick();
    return;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    e->accept();
    FireClick();
    return;
  default:
    TspButtonControl::keyPressEvent(e);
  }
}

void TspSkinButton::keyReleaseEvent(QKeyEvent* e) {
  if (e->key() != Qt::Key_Space || !FCanFocused) {
    TspButtonControl::keyReleaseEvent(e);
    return;
  }
  e->accept();
  // Only the release of a Space pressed on this button clicks.
  if (e->isAutoRepeat() || !FSpaceDown) return;
  FSpaceDown = false;
  SetDown(false);
  FireClick();
}

void TspSkinButton::focusInEvent(QFocusEvent* e) {
  TspButtonControl::focusInEvent(e);
  StartFrameAnimation(true);
  Refresh();
}

void TspSkinButton::focusOutEvent(QFocusEvent* e) {
  TspButtonControl::focusOutEvent(e);
  StopRepeat();
  FSpaceDown = false;
  if (!InGroup() && Down()) SetDown(false);
  StartFrameAnimation(false);
  Refresh();
}

void TspSkinButton::FireClick() {
  const QPointer<QDialog> dialog = FCanFocused ? qobject_cast<QDialog*>(window()) : nullptr;
  // Copied: the handler may destroy the button. It may also take the result back
  // (setResult(0)) to keep the dialog open.
  const int result = FModalResult;
  if (dialog) dialog->setResult(result);
  TspButtonControl::FireClick();
  if (dialog && result != 0 && dialog->result() == result) dialog->done(result);
}

// --- TspSkinSpeedButton --------------------------------------------------------------------------

TspSkinSpeedButton::TspSkinSpeedButton(QWidget* parent)
    : TspButtonControl<TspGraphicSkinCustomControl>(parent) {
  SetSkinDataName(QStringLiteral("toolbutton"));
  resize(25, 25);
  setFocusPolicy(Qt::NoFocus);
}

void TspSkinSpeedButton::SetFlat(bool value) {
  FFlat = value;
  update();
}

void TspSkinSpeedButton::SetShowCaption(bool value) {
  FShowCaption = value;
  const int w = value ? FWidthWithCaption : FWidthWithoutCaption;
  if (w > 0) SetBounds(x(), y(), w, height());
  update();
}

void TspSkinSpeedButton::SetWidthWithCaption(int value) {
  FWidthWithCaption = value;
}

void TspSkinSpeedButton::SetWidthWithoutCaption(int value) {
  FWidthWithoutCaption = value;
}

bool TspSkinSpeedButton::DrawsBackground(bool active, bool down) const {
  return !FFlat || active || down || MouseIn() || Down();
}
