// The buttons' shared behaviour (both bases): properties, the record's values, the mouse
// state machine with groups, checked mode and auto-repeat, frame animation and morphing,
// the glow frame and the click; and TspSkinSpeedButton. Painting is in button_paint.cpp,
// the push button's focus and keys in button_keyboard.cpp.

#include "skin/controls/button.h"

#include "skin/controls/control_messages.h"
#include "skin/render/composition.h"
#include "skin/render/draw_helpers.h"
#include "skin/render/layered_window.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <algorithm>

namespace {

// System colour reference (see ColorToRGB): button text.
constexpr TColor kBtnText = 0x80000000u | 18;

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
  // Copied once per resolution of the record, not on every paint.
  if (this->Binding().Resolution() == FSkinResolution) return;
  FSkinResolution = this->Binding().Resolution();
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
  // A disabled colour equal to the enabled one keeps the grey.
  if (b->disabledfontcolor != b->fontcolor) FSkin.disabledfontcolor = b->disabledfontcolor;
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
  layer.SetStackAbove(this->window()->windowHandle());
  layer.ShowLayer(at.x(), at.y(), FSkin.glowlayeralphablendvalue, glowMask, glow);
}

template <class Base> void TspButtonControl<Base>::HideGlow() {
  if (FGlow) FGlow->HideLayer();
}

template <class Base> void TspButtonControl<Base>::FireClick() {
  if (OnClick) OnClick(this);
}

// Painting members are instantiated in button_paint.cpp.
template class TspButtonControl<TspSkinCustomControl>;
template class TspButtonControl<TspGraphicSkinCustomControl>;

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
