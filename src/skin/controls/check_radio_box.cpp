#include "skin/controls/check_radio_box.h"
#include "skin/controls/plain_look.h"

#include "skin/controls/button_animation.h"
#include "skin/controls/color_key.h"
#include "skin/controls/focus_dots.h"
#include "skin/controls/focus_on_press.h"
#include "skin/controls/mnemonic.h"
#include "skin/controls/paint_parent_background.h"
#include "skin/render/effect_bitmap.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

// System colour references (see ColorToRGB).
constexpr TColor kWindow = 0x80000000u | 5;
constexpr TColor kWindowText = 0x80000000u | 8;
constexpr TColor kBtnShadow = 0x80000000u | 16;
constexpr TColor kGrayText = 0x80000000u | 17;

// The plain box is 14 pixels square.
constexpr int kPlainBox = 14;
constexpr int kPlainCaptionX = 22;
// The caption starts this far right of the check image; an image of the list is followed
// by this gap.
constexpr int kCaptionGap = 7;
constexpr int kImageGap = 8;
// The keyed check images of a few states are all a box needs at once.

TspRect Nonempty(const TspRect& r, const TspRect& fallback) {
  return r.IsEmpty() ? fallback : r;
}

void SetPixelSafe(QImage& image, int x, int y, QRgb c) {
  if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = c;
}

// The plain check mark: three one-pixel polylines, each from (7, a) down to (9, a + 2) and
// up to (14, a - 3), the end point left out, a = y - k + 5.
void DrawPlainMark(QImage& image, int y, QColor color) {
  const QRgb c = color.rgb();
  for (int k = 0; k < 3; ++k) {
    const int a = y - k + 5;
    SetPixelSafe(image, 7, a, c);
    SetPixelSafe(image, 8, a + 1, c);
    for (int x = 9; x < 14; ++x) SetPixelSafe(image, x, a + 2 - (x - 9), c);
  }
}

} // namespace

TspSkinCheckRadioBox::TspSkinCheckRadioBox(QWidget* parent)
    : TspSkinCustomControl(parent), FDefaultFontColor(kWindowText) {
  SetSkinDataName(QStringLiteral("checkbox"));
  resize(150, 25);
  // Focusable by a click, but no tab stop until CanFocused is set.
  setFocusPolicy(Qt::ClickFocus);
  FMorphTimer.setInterval(MorphInterval);
  connect(&FMorphTimer, &QTimer::timeout, this, [this] { MorphTick(); });
}

TspSkinCheckRadioBox::~TspSkinCheckRadioBox() = default;

// --- Properties --------------------------------------------------------------------------------

void TspSkinCheckRadioBox::SetChecked(bool value) {
  // A grayed box stays grayed when it is unchecked.
  SetState(value                                ? TCheckBoxState::cbChecked
           : FState == TCheckBoxState::cbGrayed ? TCheckBoxState::cbGrayed
                                                : TCheckBoxState::cbUnchecked);
}

void TspSkinCheckRadioBox::SetState(TCheckBoxState state) {
  if (state == FState) return;
  FState = state;
  FChecked = state == TCheckBoxState::cbChecked;
  update();
  const QPointer<TspSkinCheckRadioBox> alive(this);
  if (FChecked && FGroupIndex != 0 && parentWidget()) {
    // Collected first: an unchecked box's handler may change the parent's children.
    std::vector<QPointer<TspSkinCheckRadioBox>> others;
    for (QObject* o : parentWidget()->children()) {
      auto* other = dynamic_cast<TspSkinCheckRadioBox*>(o);
      if (other && other != this && other->FGroupIndex == FGroupIndex && other->FChecked)
        others.emplace_back(other);
    }
    for (const QPointer<TspSkinCheckRadioBox>& other : others)
      if (other) other->SetChecked(false);
    if (!alive) return;
  }
  if (OnClick && !(FRadio && !FChecked)) OnClick(this);
}

void TspSkinCheckRadioBox::ToggleCheck() {
  if (!FRadio)
    SetChecked(!FChecked);
  else if (!FChecked)
    SetChecked(true);
}

void TspSkinCheckRadioBox::Click() {
  if (FAllowGrayed && !FRadio && FState == TCheckBoxState::cbUnchecked)
    SetState(TCheckBoxState::cbGrayed);
  else
    ToggleCheck();
}

void TspSkinCheckRadioBox::SetRadio(bool value) {
  if (value == FRadio) return;
  FRadio = value;
  SetSkinDataName(value ? QStringLiteral("radiobox") : QStringLiteral("checkbox"));
  FGroupIndex = value ? 1 : 0;
  if (SkinData())
    ApplySkin();
  else
    update();
}

void TspSkinCheckRadioBox::SetFlat(bool value) {
  if (value == FFlat) return;
  FFlat = value;
  StopMorphAndSettle();
  // The framed look fits the size to the record and takes its region; the flat one drops both.
  if (SkinData()) {
    ApplySkin();
  } else {
    UpdateRegion();
    update();
  }
}

void TspSkinCheckRadioBox::SetWordWrap(bool value) {
  FWordWrap = value;
  update();
}

void TspSkinCheckRadioBox::SetCanFocused(bool value) {
  FCanFocused = value;
  setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
  if (!value && hasFocus()) clearFocus();
  UpdateShortcut();
  update();
}

void TspSkinCheckRadioBox::SetUseSkinFontColor(bool value) {
  FUseSkinFontColor = value;
  update();
}

void TspSkinCheckRadioBox::SetDefaultFontColor(TColor value) {
  FDefaultFontColor = value;
  update();
}

void TspSkinCheckRadioBox::SetImages(TspImageList* value) {
  FImages = value;
  update();
}

void TspSkinCheckRadioBox::SetImageIndex(int value) {
  FImageIndex = value;
  update();
}

void TspSkinCheckRadioBox::SetCaption(const QString& value) {
  if (value == FCaption) return;
  FCaption = value;
  UpdateShortcut();
  update();
}

void TspSkinCheckRadioBox::UpdateShortcut() {
  if (FShortcutId != 0) releaseShortcut(FShortcutId);
  FShortcutId = 0;
  const QKeySequence mnemonic = MnemonicKey(FCaption);
  if (FCanFocused && !mnemonic.isEmpty()) FShortcutId = grabShortcut(mnemonic);
}

// --- Skin --------------------------------------------------------------------------------------

void TspSkinCheckRadioBox::ApplySkin() {
  StopMorphAndSettle();
  TspSkinCustomControl::ApplySkin();
}

void TspSkinCheckRadioBox::DropSkinRecord() {
  FMorphTimer.stop();
  TspSkinCustomControl::DropSkinRecord();
}

void TspSkinCheckRadioBox::FitSizeToSkin(int& width, int& height) {
  if (!FFlat) TspSkinCustomControl::FitSizeToSkin(width, height);
}

void TspSkinCheckRadioBox::UpdateRegion() {
  if (FFlat) {
    clearMask();
    return;
  }
  TspSkinCustomControl::UpdateRegion();
}

void TspSkinCheckRadioBox::ParentBackgroundChanged() {
  TspSkinCustomControl::ParentBackgroundChanged();
  // The flat look shows its parent's background whether or not it blends.
  if (FFlat && !AlphaBlend()) update();
}

bool TspSkinCheckRadioBox::MorphingOn() const {
  if (FFlat) return false;
  const auto* rec = RecordAs<TspDataSkinCheckRadioControl>();
  const TspSkinData* data = SkinData();
  return rec && rec->morphing && data && !data->IsEmpty() && data->EnableSkinEffects();
}

void TspSkinCheckRadioBox::StopMorphAndSettle() {
  FMorphTimer.stop();
  FMorphValue = HotLook() ? 1 : 0;
}

void TspSkinCheckRadioBox::Refresh() {
  if (MorphingOn()) {
    if (!FMorphTimer.isActive()) FMorphTimer.start();
  } else {
    FMorphValue = HotLook() ? 1 : 0;
    update();
  }
}

void TspSkinCheckRadioBox::MorphTick() {
  const bool hot = HotLook();
  FMorphValue = NextMorphValue(FMorphValue, hot);
  if (FMorphValue == (hot ? 1.0 : 0.0)) FMorphTimer.stop();
  update();
}

bool TspSkinCheckRadioBox::HotLook() const {
  return FMouseIn || FocusShown();
}

bool TspSkinCheckRadioBox::FocusShown() const {
  return FCanFocused && hasFocus();
}

void TspSkinCheckRadioBox::SetMouseIn(bool value) {
  if (value == FMouseIn) return;
  FMouseIn = value;
  Refresh();
}

// --- Painting ----------------------------------------------------------------------------------

TspRect TspSkinCheckRadioBox::CheckRect(bool& mixWhite) const {
  mixWhite = false;
  const auto* rec = RecordAs<TspDataSkinCheckRadioControl>();
  if (!rec) return {};
  const bool grayed = FState == TCheckBoxState::cbGrayed;
  if (!isEnabled()) {
    return grayed || FChecked ? Nonempty(rec->unenabledcheckimagerect, rec->checkimagerect)
                              : Nonempty(rec->unenableduncheckimagerect, rec->uncheckimagerect);
  }
  const TspRect check =
      FMouseIn ? Nonempty(rec->activecheckimagerect, rec->checkimagerect) : rec->checkimagerect;
  if (grayed) {
    const TspRect own = FMouseIn
                            ? Nonempty(rec->activegrayedcheckimagerect, rec->grayedcheckimagerect)
                            : rec->grayedcheckimagerect;
    if (!own.IsEmpty()) return own;
    // Without a grayed image the check image stands in, paled half-way towards white.
    mixWhite = true;
    return check;
  }
  if (FChecked) return check;
  return FMouseIn ? Nonempty(rec->activeuncheckimagerect, rec->uncheckimagerect)
                  : rec->uncheckimagerect;
}

QImage TspSkinCheckRadioBox::KeyedPiece(const TspRect& rect, bool mixWhite, const QRect& part) {
  const QImage* picture = SkinPicture();
  if (!picture || rect.IsEmpty() || part.isEmpty()) return QImage();
  // Parts of the rectangle outside the picture come out black rather than being read.
  const auto cut = [&](const QRect& r) {
    QImage piece = picture->copy(r).convertToFormat(QImage::Format_RGB32);
    if (!piece.isNull() && mixWhite) {
      TspEffectBmp pale(piece);
      pale.Brighten(0.5);
      piece = pale.ToImage();
    }
    return piece;
  };
  const QRect from = part.translated(rect.Left, rect.Top);
  // The whole image's place is in the key: its bottom-left pixel is the transparent colour,
  // whichever part is cut.
  return ImageCache().Image(*picture,
                            {TspSkinImages::kKeyedPieceKind, mixWhite, rect.Left, rect.Bottom},
                            TspRect::FromQRect(from), part.size(), [&] {
                              const QImage corner = cut(QRect(rect.Left, rect.Bottom - 1, 1, 1));
                              QImage piece = cut(from);
                              if (corner.isNull() || piece.isNull()) return QImage();
                              KeyOutColor(piece, corner.pixel(0, 0));
                              return piece;
                            });
}

QFont TspSkinCheckRadioBox::CaptionFont() const {
  if (const auto* rec = RecordAs<TspDataSkinCheckRadioControl>())
    return SkinFont(rec->fontname, rec->fontheight, rec->fontstyle);
  return DefaultFont();
}

QColor TspSkinCheckRadioBox::CaptionColor(bool hot) const {
  const bool enabled = isEnabled();
  const auto* rec = RecordAs<TspDataSkinCheckRadioControl>();
  if (!rec) return SkinColor(enabled ? FDefaultFontColor : kBtnShadow);
  if (!enabled) return SkinColor(rec->unenabledfontcolor);
  if (!FUseSkinFontColor) return SkinColor(FDefaultFontColor);
  if (FFlat) return SkinColor(rec->framefontcolor);
  return SkinColor(hot ? rec->activefontcolor : rec->fontcolor);
}

QRect TspSkinCheckRadioBox::CheckImageRect() const {
  const auto* rec = RecordAs<TspDataSkinCheckRadioControl>();
  if (!rec) return QRect(3, height() / 2 - 7, kPlainBox, kPlainBox);
  const int cw = rec->checkimagerect.Width(), ch = rec->checkimagerect.Height();
  if (FFlat) return QRect(3, (height() - ch) / 2, cw, ch);
  // The record's area, moved with the width when it lies right of the text area and
  // grown with the height.
  TspRect area = rec->checkimagearea;
  const int dW = width() - SkinRect().Width(), dH = height() - SkinRect().Height();
  if (area.Left >= rec->textarea.Right) {
    area.Left += dW;
    area.Right += dW;
  }
  area.Bottom += dH;
  return QRect(area.Left + (area.Width() - cw) / 2, area.Top + (area.Height() - ch) / 2, cw, ch);
}

void TspSkinCheckRadioBox::DrawContent(QImage& image, int left, const QRect& area,
                                       const QRect& checkRect, const QFont& font,
                                       const QColor& color) {
  QPainter p(&image);
  QRect focus = checkRect;
  const QImage listImage = FImages ? FImages->Image(FImageIndex) : QImage();
  if (!listImage.isNull()) {
    const QRect at(left, area.top() + (area.height() - listImage.height()) / 2, listImage.width(),
                   listImage.height());
    p.drawImage(at.topLeft(), listImage);
    focus = at;
    left += listImage.width() + kImageGap;
  }
  if (!FCaption.isEmpty()) {
    p.setFont(font);
    p.setPen(color);
    const QFontMetrics fm(font);
    const int right = std::max(area.right() + 1, left);
    int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextExpandTabs;
    QRect text;
    if (FWordWrap) {
      flags |= Qt::TextWordWrap;
      text = fm.boundingRect(QRect(left, 0, right - left, 0x3FFF), flags, FCaption);
      text.moveTop(area.top() + (area.height() - text.height()) / 2);
    } else {
      flags |= Qt::TextSingleLine;
      text = fm.boundingRect(QRect(left, 0, 0x3FFF, 0x3FFF), flags, FCaption);
      // One pixel higher for an odd font height, where the skins expect the baseline.
      const int up = QFontInfo(font).pixelSize() % 2 != 0 ? 1 : 0;
      text.moveTop(area.top() + (area.height() - text.height()) / 2 - up);
    }
    text.moveLeft(left);
    p.setClipRect(QRect(area.left(), 0, right - area.left(), image.height()));
    p.drawText(text, flags, FCaption);
    focus = text.adjusted(-2, -1, 2, 1);
  }
  p.end();
  if (FocusShown()) DrawFocusDots(image, focus, color);
}

QRect TspSkinCheckRadioBox::DrawCheckImage(QImage& image) {
  bool mix = false;
  const TspRect rect = CheckRect(mix);
  const QRect at = CheckImageRect();
  // Only the part of an image larger than the control that can show is cut and keyed.
  const QRect shown =
      QRect(0, 0, rect.Width(), rect.Height()).intersected(image.rect().translated(-at.topLeft()));
  const QImage check = KeyedPiece(rect, mix, shown);
  if (!check.isNull()) {
    QPainter p(&image);
    p.drawImage(at.topLeft() + shown.topLeft(), check);
  }
  return at;
}

void TspSkinCheckRadioBox::DrawSkinImage(QImage& image) {
  if (!RecordAs<TspDataSkinCheckRadioControl>()) {
    // A record of another kind has no check images: the plain look stands in.
    DrawDefaultImage(image);
    return;
  }
  if (FFlat)
    DrawFlatSkin(image);
  else
    DrawFramedSkin(image);
}

void TspSkinCheckRadioBox::DrawFlatSkin(QImage& image) {
  PaintParentBackground(this, image);
  const QRect at = DrawCheckImage(image);
  DrawContent(image, at.width() + kCaptionGap, image.rect(), at, CaptionFont(),
              CaptionColor(false));
}

QImage TspSkinCheckRadioBox::FramedImage(bool hot) {
  const auto* rec = RecordAs<TspDataSkinCheckRadioControl>();
  return StateImage(hot ? Nonempty(rec->activeskinrect, rec->skinrect) : rec->skinrect);
}

void TspSkinCheckRadioBox::DrawFramedSkin(QImage& image) {
  const auto* rec = RecordAs<TspDataSkinCheckRadioControl>();
  const bool hot = HotLook();
  QImage face;
  if (MorphingOn() && FMorphTimer.isActive()) {
    const QImage normal = FramedImage(false), active = FramedImage(true);
    if (!normal.isNull() && normal.size() == active.size()) {
      TspEffectBmp from(normal);
      ApplyMorph(from, TspEffectBmp(active), rec->morphkind, FMorphValue);
      face = from.ToImage();
    }
  } else {
    face = FramedImage(hot);
  }
  if (!face.isNull()) {
    if (face.size() == image.size() && face.format() == QImage::Format_RGB32) {
      image = face;
    } else {
      QPainter p(&image);
      p.drawImage(0, 0, face);
    }
  }
  const QRect at = DrawCheckImage(image);
  TspRect text = rec->textarea;
  text.Right += width() - SkinRect().Width();
  text.Bottom += height() - SkinRect().Height();
  const QRect area = text.ToQRect() & image.rect();
  DrawContent(image, area.left(), area, at, CaptionFont(), CaptionColor(hot));
}

void TspSkinCheckRadioBox::DrawDefaultImage(QImage& image) {
  const bool enabled = isEnabled();
  if (FFlat) {
    PaintParentBackground(this, image);
  } else {
    image.fill(palette().color(QPalette::Button));
  }
  const int h = image.height();
  const QRect box = CheckImageRect();
  {
    QPainter p(&image);
    if (!FFlat && HotLook()) {
      p.setPen(SkinColor(kBtnShadow));
      p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    }
    p.fillRect(box, SkinColor(kWindow));
    p.setPen(FMouseIn ? SkinColor(kPlainFrame) : SkinColor(kBtnShadow));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    if (FRadio && FChecked)
      p.fillRect(QRect(7, h / 2 - 3, 6, 6), enabled ? QColor(Qt::black) : SkinColor(kBtnShadow));
  }
  if (!FRadio && FChecked)
    DrawPlainMark(image, h / 2 - 4, enabled ? QColor(Qt::black) : SkinColor(kBtnShadow));
  else if (!FRadio && FState == TCheckBoxState::cbGrayed)
    DrawPlainMark(image, h / 2 - 4, SkinColor(kGrayText));
  DrawContent(image, kPlainCaptionX, image.rect(), box, DefaultFont(), CaptionColor(false));
}

// --- Input -------------------------------------------------------------------------------------

void TspSkinCheckRadioBox::enterEvent(QEnterEvent* e) {
  TspSkinCustomControl::enterEvent(e);
  SetMouseIn(true);
}

void TspSkinCheckRadioBox::leaveEvent(QEvent* e) {
  TspSkinCustomControl::leaveEvent(e);
  SetMouseIn(false);
}

void TspSkinCheckRadioBox::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    TspSkinCustomControl::mousePressEvent(e);
    return;
  }
  e->accept();
  if (FCanFocused && !TakeFocusOnPress(this)) return;
  FMousePressed = true;
  SetMouseIn(true);
}

void TspSkinCheckRadioBox::mouseMoveEvent(QMouseEvent* e) {
  TspSkinCustomControl::mouseMoveEvent(e);
  // While the button is held the pointer is grabbed and no enter or leave arrives.
  if (FMousePressed) SetMouseIn(rect().contains(e->position().toPoint()));
}

void TspSkinCheckRadioBox::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    TspSkinCustomControl::mouseReleaseEvent(e);
    return;
  }
  e->accept();
  if (!FMousePressed) return;
  FMousePressed = false;
  // A release after the pointer left the box does nothing.
  if (!rect().contains(e->position().toPoint())) {
    SetMouseIn(false);
    return;
  }
  if (FMouseIn) Click();
}

void TspSkinCheckRadioBox::keyPressEvent(QKeyEvent* e) {
  if (FCanFocused && e->key() == Qt::Key_Space && e->modifiers() == Qt::NoModifier) {
    e->accept();
    if (!e->isAutoRepeat()) FSpaceDown = true;
    return;
  }
  TspSkinCustomControl::keyPressEvent(e);
}

void TspSkinCheckRadioBox::keyReleaseEvent(QKeyEvent* e) {
  if (!FCanFocused || e->key() != Qt::Key_Space) {
    TspSkinCustomControl::keyReleaseEvent(e);
    return;
  }
  e->accept();
  // Only the release of a Space pressed on this box toggles it.
  if (e->isAutoRepeat() || !FSpaceDown) return;
  FSpaceDown = false;
  ToggleCheck();
}

bool TspSkinCheckRadioBox::event(QEvent* e) {
  if (e->type() == QEvent::Shortcut) {
    auto* shortcut = static_cast<QShortcutEvent*>(e);
    if (FShortcutId != 0 && shortcut->shortcutId() == FShortcutId) {
      if (FCanFocused && isEnabled()) {
        setFocus(Qt::ShortcutFocusReason);
        ToggleCheck();
      }
      return true;
    }
  }
  return TspSkinCustomControl::event(e);
}

void TspSkinCheckRadioBox::focusInEvent(QFocusEvent* e) {
  TspSkinCustomControl::focusInEvent(e);
  Refresh();
}

void TspSkinCheckRadioBox::focusOutEvent(QFocusEvent* e) {
  TspSkinCustomControl::focusOutEvent(e);
  FSpaceDown = false;
  Refresh();
}

void TspSkinCheckRadioBox::changeEvent(QEvent* e) {
  TspSkinCustomControl::changeEvent(e);
  if (e->type() != QEvent::EnabledChange) return;
  // A disabled box hears no release: a press it held ends here, without a click.
  if (!isEnabled()) {
    FMousePressed = false;
    FSpaceDown = false;
    FMouseIn = false;
  }
  StopMorphAndSettle();
  update();
}

void TspSkinCheckRadioBox::hideEvent(QHideEvent* e) {
  TspSkinCustomControl::hideEvent(e);
  FMousePressed = false;
  FSpaceDown = false;
  FMouseIn = false;
  StopMorphAndSettle();
}

void TspSkinCheckRadioBox::moveEvent(QMoveEvent* e) {
  TspSkinCustomControl::moveEvent(e);
  // What lies behind a flat box changed with the position.
  if (FFlat) update();
}
