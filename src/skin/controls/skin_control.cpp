#include "skin/controls/skin_control.h"

#include "skin/controls/control_messages.h"
#include "skin/controls/paint_parent_background.h"
#include "skin/render/regions.h"

#include <QEnterEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <exception>

// --- TspSkinControlBase --------------------------------------------------------------------

TspSkinControlBase::TspSkinControlBase(bool graphic, QWidget* parent)
    : QWidget(parent), FGraphic(graphic) {
  // Every paint covers the whole control from one off-screen image: nothing is erased first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
}

TspSkinControlBase::~TspSkinControlBase() = default;

void TspSkinControlBase::SetSkinData(TspSkinData* value) {
  if (FBinding.SetSkinData(value, this, [this] { SkinDataDestroyed(); })) {
    ApplySkin();
  } else {
    // Nothing to apply: forget the old record now rather than at the next paint.
    DropSkinRecord();
    update();
  }
}

void TspSkinControlBase::SkinDataDestroyed() {
  DropSkinRecord();
  update();
}

void TspSkinControlBase::SetSkinDataName(const QString& value) {
  FBinding.SkinDataName = value;
}

void TspSkinControlBase::SetDrawDefault(bool value) {
  if (value == FDrawDefault) return;
  FDrawDefault = value;
  update();
}

void TspSkinControlBase::SetAlphaBlend(bool value) {
  FAlphaBlend = value;
  update();
}

void TspSkinControlBase::SetAlphaBlendValue(int value) {
  FAlphaBlendValue = std::clamp(value, 0, 255);
  update();
}

void TspSkinControlBase::SetUseSkinCursor(bool value) {
  FUseSkinCursor = value;
}

void TspSkinControlBase::ReadSkinRecord() {
  FBinding.ReadSkinRecord();
}

void TspSkinControlBase::DrawDefaultImage(QImage&) {}

void TspSkinControlBase::DrawSkinImage(QImage&) {}

void TspSkinControlBase::ApplySkinCursor() {
  const TspDataSkinControl* rec = Record();
  FCursorIndex = rec ? rec->cursorindex : -1;
  if (!FUseSkinCursor) return;
  if (FCursorIndex == -1)
    unsetCursor();
  else
    setCursor(PlatformCursor(1 + FCursorIndex));
}

void TspSkinControlBase::ApplySkin() {
  // Applying re-reads the record even when nothing the binding watches changed.
  FBinding.Invalidate();
  ReadSkinRecord();
  ApplySkinCursor();
  update();
}

void TspSkinControlBase::DropSkinRecord() {
  FBinding.Drop();
}

void TspSkinControlBase::ParentBackgroundChanged() {
  if (!FAlphaBlend) return;
  update();
  if (!FGraphic) SendParentBackgroundChanged(this);
}

QImage TspSkinControlBase::PaintImage() {
  if (width() <= 0 || height() <= 0) return QImage();
  ReadSkinRecord();
  QImage image(size(), QImage::Format_RGB32);
  image.fill(palette().color(QPalette::Window));
  if (RecordIndex() != -1)
    DrawSkinImage(image);
  else if (FDrawDefault)
    DrawDefaultImage(image);
  if (FAlphaBlend) {
    QImage background;
    PaintParentBackground(this, background);
    BlendOverBackground(image, background, FAlphaBlendValue);
  }
  return image;
}

QImage TspSkinControlBase::PlainImage() {
  if (width() <= 0 || height() <= 0) return QImage();
  QImage image(size(), QImage::Format_RGB32);
  image.fill(palette().color(QPalette::Window));
  if (FDrawDefault) DrawDefaultImage(image);
  return image;
}

void TspSkinControlBase::paintEvent(QPaintEvent*) {
  FInPaintMessage = !FGraphic;
  QImage image;
  try {
    image = PaintImage();
  } catch (const std::exception&) {
    // Nothing may leave a paint handler: a record the checks let through but that still
    // cannot be drawn (pixels that cannot be had) gives the plain look. skintool info
    // names the records it refuses; a paint does not repeat it.
    image = PlainImage();
  }
  if (!image.isNull()) {
    QPainter p(this);
    p.drawImage(0, 0, image);
  }
  FInPaintMessage = false;
}

bool TspSkinControlBase::event(QEvent* e) {
  if (TspControlMessageEvent::MessageOf(e) == ParentBackgroundChangedMessage) {
    ParentBackgroundChanged();
    return true;
  }
  return QWidget::event(e);
}

void TspSkinControlBase::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  // What lies behind changed with the position.
  if (FAlphaBlend) update();
}

void TspSkinControlBase::enterEvent(QEnterEvent* e) {
  QWidget::enterEvent(e);
  if (OnMouseEnter) OnMouseEnter(this);
}

void TspSkinControlBase::leaveEvent(QEvent* e) {
  QWidget::leaveEvent(e);
  if (OnMouseLeave) OnMouseLeave(this);
}

TspSkinControl::TspSkinControl(QWidget* parent) : TspSkinControlBase(false, parent) {}

TspGraphicSkinControl::TspGraphicSkinControl(QWidget* parent) : TspSkinControlBase(true, parent) {}

// --- TspCustomSkinBase -----------------------------------------------------------------------

template <class Base>
TspCustomSkinBase<Base>::TspCustomSkinBase(QWidget* parent)
    : Base(parent), FDefaultFont(DefaultSkinFont()) {}

template <class Base> TspCustomSkinBase<Base>::~TspCustomSkinBase() = default;

template <class Base> void TspCustomSkinBase<Base>::SetDefaultFont(const QFont& value) {
  FDefaultFont = value;
  DefaultFontChanged();
  if (this->RecordIndex() == -1) this->update();
}

template <class Base> void TspCustomSkinBase<Base>::SetUseSkinFont(bool value) {
  if (value == FUseSkinFont) return;
  FUseSkinFont = value;
  this->update();
}

template <class Base> void TspCustomSkinBase<Base>::SetDefaultWidth(int value) {
  FDefaultWidth = value;
}

template <class Base> void TspCustomSkinBase<Base>::SetDefaultHeight(int value) {
  FDefaultHeight = value;
}

template <class Base> void TspCustomSkinBase<Base>::SetSeparateClientPaint(bool value) {
  if (value == FSeparateClientPaint) return;
  FSeparateClientPaint = value;
  this->update();
}

template <class Base> void TspCustomSkinBase<Base>::SetTileClient(bool value) {
  if (value == FTileClient) return;
  FTileClient = value;
  this->update();
}

template <class Base>
QFont TspCustomSkinBase<Base>::SkinFont(const QString& fontname, int fontheight,
                                        TspFontStyles fontstyle) const {
  return ::SkinFont(this->RecordIndex() != -1 && FUseSkinFont, fontname, fontheight, fontstyle,
                    FDefaultFont);
}

template <class Base> void TspCustomSkinBase<Base>::ClearRecordState() {
  FGeometry = TspControlGeometry();
  FPicture = QImage();
  FMaskPicture = QImage();
}

template <class Base> void TspCustomSkinBase<Base>::ReadSkinRecord() {
  Base::ReadSkinRecord();
  const TspSkinBinding& binding = this->Binding();
  if (binding.Resolution() != FRecordResolution) {
    FRecordResolution = binding.Resolution();
    const TspDataSkinControl* rec = this->Record();
    if (!rec) {
      ClearRecordState();
      return;
    }
    FGeometry = ControlGeometry(*rec);
    if (this->IsGraphicControl()) FGeometry.Flags.stretchtype = 0;
    // A record without corner points is a fixed image of its skin rectangle, without pictures.
    const bool custom = dynamic_cast<const TspDataSkinCustomControl*>(rec);
    const QImage* picture = custom ? binding.Picture(rec->pictureindex) : nullptr;
    const QImage* mask = custom ? binding.Picture(rec->maskpictureindex) : nullptr;
    FPicture = picture ? *picture : QImage();
    FMaskPicture = mask ? *mask : QImage();
  }
  // The fitted geometry of the size the control has.
  ::FitSizeToSkin(FGeometry, this->size());
}

template <class Base> void TspCustomSkinBase<Base>::FitSizeToSkin(int& width, int& height) {
  if (this->RecordIndex() == -1 || FGeometry.Mode == kCompositionNone) return;
  const QSize s = ::FitSizeToSkin(FGeometry, QSize(width, height));
  width = s.width();
  height = s.height();
}

template <class Base> QImage TspCustomSkinBase<Base>::StateImage(const TspRect& stateRect) {
  return StateImage(stateRect, this->size());
}

template <class Base>
QImage TspCustomSkinBase<Base>::StateImage(const TspRect& stateRect, QSize size) {
  // Looked up afresh: the picture pointer copied by the last ReadSkinRecord may belong to a
  // skin that has since been replaced.
  const TspDataSkinControl* rec = this->Record();
  if (!rec || !dynamic_cast<const TspDataSkinCustomControl*>(rec)) return QImage();
  const QImage* picture = this->Binding().Picture(rec->pictureindex);
  if (!picture) return QImage();
  return this->ImageCache().Get(*picture, FGeometry, stateRect, size);
}

template <class Base> void TspCustomSkinBase<Base>::DrawSkinImage(QImage& image) {
  // The separate path composes frame strips and the client area itself.
  if (FInSeparatePaint) return;
  const QImage composed = StateImage(FGeometry.SkinRect);
  if (!composed.isNull()) image = composed;
}

template <class Base> void TspCustomSkinBase<Base>::DrawDefaultImage(QImage& image) {
  image.fill(this->palette().color(QPalette::Button));
}

template <class Base> void TspCustomSkinBase<Base>::SetBounds(int x, int y, int w, int h) {
  ReadSkinRecord();
  const bool record = this->RecordIndex() != -1;
  bool fitted = false;
  if (record && QSize(w, h) != this->size()) {
    FitSizeToSkin(w, h);
    fitted = true;
  }
  this->setGeometry(x, y, w, h);
  if (fitted) {
    UpdateRegion();
    this->update();
  }
  // A hidden control gets its resize event only when shown; its children hear now.
  if (record && FGeometry.Flags.stretcheffect && !this->isVisible())
    SendParentBackgroundChanged(this);
}

template <class Base> void TspCustomSkinBase<Base>::ApplySkin() {
  // Applying re-reads the record even when nothing the binding watches changed.
  this->Binding().Invalidate();
  ReadSkinRecord();
  this->ApplySkinCursor();
  const QSize old = this->size();
  const bool record = this->RecordIndex() != -1;
  int w = old.width(), h = old.height();
  if (!record) {
    if (FDefaultWidth > 0) w = FDefaultWidth;
    if (FDefaultHeight > 0) h = FDefaultHeight;
  } else {
    FitSizeToSkin(w, h);
  }
  // Through SetBounds, so that a hidden control gets its region for the new size too.
  if (QSize(w, h) != old) SetBounds(this->x(), this->y(), w, h);
  if (this->size() == old || !record) {
    UpdateRegion();
    this->update();
  }
}

template <class Base> void TspCustomSkinBase<Base>::DropSkinRecord() {
  Base::DropSkinRecord();
  ClearRecordState();
  FStrips = TspBorderStrips();
  FStripsPicture = 0;
}

template <class Base> void TspCustomSkinBase<Base>::UpdateRegion() {
  if (this->IsGraphicControl() || !this->parentWidget()) return;
  std::optional<QRegion> region;
  // The mask and the fitted geometry as they are now: a caller may come between a skin
  // change or a resize and the next ReadSkinRecord.
  const TspDataSkinControl* rec = this->Record();
  const QImage* mask = rec && dynamic_cast<const TspDataSkinCustomControl*>(rec)
                           ? this->Binding().Picture(rec->maskpictureindex)
                           : nullptr;
  if (mask) {
    TspControlGeometry g = FGeometry;
    ::FitSizeToSkin(g, this->size());
    if (g.Mode == kCompositionFixed)
      region = CreateMaskRegion(*mask, 0, 0);
    else if (g.Mode != kCompositionNone)
      region =
          CreateComposedMaskRegion(*mask, g.Skin, this->width(), this->height(), g.Fitted, g.Mode);
  }
  if (region) {
    this->setMask(*region);
  } else if (FRegion) {
    this->clearMask();
  }
  FRegion = std::move(region);
}

template <class Base> void TspCustomSkinBase<Base>::resizeEvent(QResizeEvent* e) {
  Base::resizeEvent(e);
  ReadSkinRecord();
  if (!FFitting && this->RecordIndex() != -1) {
    // A plain resize() or a layout may ask for a size the record cannot take.
    int w = this->width(), h = this->height();
    FitSizeToSkin(w, h);
    if (QSize(w, h) != this->size()) {
      FFitting = true;
      this->resize(w, h);
      FFitting = false;
      ReadSkinRecord();
    }
  }
  UpdateRegion();
  // However a shown control's size changed (SetBounds, resize, a layout), a stretched
  // background moved under the children that show it through.
  if (!FFitting && this->isVisible() && this->RecordIndex() != -1 && FGeometry.Flags.stretcheffect)
    SendParentBackgroundChanged(this);
}

template <class Base> QSize TspCustomSkinBase<Base>::sizeHint() const {
  const QSize hint = Base::sizeHint();
  if (this->RecordIndex() == -1) return hint;
  const QSize skin(FGeometry.SkinRect.Width(), FGeometry.SkinRect.Height());
  switch (FGeometry.Mode) {
  case kCompositionFixed:
    return skin;
  case kCompositionHorizontal:
    return QSize(std::max(hint.width(), skin.width()), skin.height());
  case kCompositionVertical:
    return QSize(skin.width(), std::max(hint.height(), skin.height()));
  case kCompositionNinePart:
    return hint.isValid() ? hint : skin;
  default:
    return hint;
  }
}

template <class Base> bool TspCustomSkinBase<Base>::UsesSeparateClientPaint() const {
  return !this->IsGraphicControl() && FSeparateClientPaint && !this->AlphaBlend() &&
         this->RecordIndex() != -1 && FGeometry.Mode == kCompositionNinePart && !FPicture.isNull();
}

template <class Base> void TspCustomSkinBase<Base>::paintEvent(QPaintEvent* e) {
  if (this->width() <= 0 || this->height() <= 0) return;
  ReadSkinRecord();
  if (UsesSeparateClientPaint())
    PaintSeparateClient();
  else
    Base::paintEvent(e);
}

template <class Base> void TspCustomSkinBase<Base>::PaintSeparateClient() {
  const int w = this->width(), h = this->height();
  const TspNinePartGeometry& s = FGeometry.Skin;
  const TspNinePartGeometry& f = FGeometry.Fitted;
  QPainter p(this);
  const QRect client = f.ClientRect.ToQRect() & this->rect();
  if (!client.isEmpty()) {
    if (!FTileClient) {
      // Controls that draw their own client area do it over this.
      p.fillRect(client, this->palette().color(QPalette::Window));
    } else {
      const TspRect piece{FGeometry.SkinRect.Left + s.ClientRect.Left,
                          FGeometry.SkinRect.Top + s.ClientRect.Top,
                          FGeometry.SkinRect.Left + s.ClientRect.Right,
                          FGeometry.SkinRect.Top + s.ClientRect.Bottom};
      const QRect full = f.ClientRect.ToQRect();
      const QSize tileSize =
          StretchTileSize(FGeometry.Flags, QSize(piece.Width(), piece.Height()), full.size());
      const QImage tile = this->ImageCache().Piece(FPicture, piece, tileSize);
      if (!tile.isNull()) {
        p.setBrushOrigin(full.topLeft());
        p.fillRect(client, QBrush(tile));
      }
    }
  }
  const TspControlGeometry& g = FGeometry;
  const TspControlGeometry& k = FStripsGeometry;
  if (FStripsPicture != FPicture.cacheKey() || FStripsSize != this->size() ||
      !(k.SkinRect == g.SkinRect && k.Skin == g.Skin && k.Fitted == g.Fitted &&
        k.Flags.leftstretch == g.Flags.leftstretch && k.Flags.topstretch == g.Flags.topstretch &&
        k.Flags.rightstretch == g.Flags.rightstretch &&
        k.Flags.bottomstretch == g.Flags.bottomstretch)) {
    FStrips = ComposeBorderStrips(FPicture, g.SkinRect, s, w, h, f, g.Flags);
    FStripsPicture = FPicture.cacheKey();
    FStripsSize = this->size();
    FStripsGeometry = g;
  }
  TspBorderStrips strips = FStrips; // shared until a caption is drawn on the top strip
  if (!strips.Top.isNull()) {
    FInSeparatePaint = true;
    this->DrawSkinImage(strips.Top);
    FInSeparatePaint = false;
  }
  const int top = s.ClientRect.Top;
  const int bottom = h - f.ClientRect.Bottom;
  const int right = w - f.ClientRect.Right;
  if (!strips.Top.isNull()) p.drawImage(0, 0, strips.Top);
  if (!strips.Left.isNull()) p.drawImage(0, top, strips.Left);
  if (!strips.Right.isNull()) p.drawImage(w - right, top, strips.Right);
  if (!strips.Bottom.isNull()) p.drawImage(0, h - bottom, strips.Bottom);
}

template class TspCustomSkinBase<TspSkinControl>;
template class TspCustomSkinBase<TspGraphicSkinControl>;

TspSkinCustomControl::TspSkinCustomControl(QWidget* parent)
    : TspCustomSkinBase<TspSkinControl>(parent) {}

TspGraphicSkinCustomControl::TspGraphicSkinCustomControl(QWidget* parent)
    : TspCustomSkinBase<TspGraphicSkinControl>(parent) {}
