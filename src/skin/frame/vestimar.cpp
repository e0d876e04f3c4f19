#include "skin/frame/vestimar.h"

#include "skin/controls/skin_tree.h"
#include "skin/data/record_check.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/frame/caption_buttons.h"
#include "skin/frame/form_client.h"
#include "skin/frame/hint.h"
#include "skin/frame/skin_menu.h"
#include "skin/render/regions.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QWindow>
#include <stdexcept>

namespace {

constexpr int kMorphIntervalMs = 25;
constexpr int kFadeIntervalMs = 5;
// The frame sees no pointer events once the pointer has left through another window or a
// pop-up; this poll notices that and lets a hot button go.
constexpr int kHoverPollMs = 50;
const char* const kControllerProperty = "spVestimar";

QFont TahomaBold() {
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(13);
  f.setBold(true);
  return f;
}

} // namespace

TspVestimar::TspVestimar(QWidget* form) : QObject(form), FForm(form) {
  if (!form || !form->isWindow())
    throw std::invalid_argument("TspVestimar needs a form (a top-level widget) as its owner");
  setObjectName(QStringLiteral("frmSkin"));
  FDefCaptionFont = TahomaBold();
  FDefInActiveCaptionFont = TahomaBold();
  FDefCaptionColor = form->palette().color(QPalette::ButtonText);
  FDefInActiveCaptionColor = form->palette().color(QPalette::Dark);
  form->setProperty(kControllerProperty, QVariant::fromValue<QObject*>(this));

  // The system frame goes; the controller draws one of its own.
  const bool visible = form->isVisible();
  form->setWindowFlags(form->windowFlags() | Qt::Window | Qt::FramelessWindowHint);
  form->setAttribute(Qt::WA_OpaquePaintEvent);
  form->setMouseTracking(true);
  if (visible) form->show();

  FClient = new TspFormClient(form, [this](QSize s) {
    return ComposeClientBackground(FSkinData.data(), s.width(), s.height(), FFrameWidth,
                                   FFrameHeight);
  });
  const QObjectList children = form->children();
  for (QObject* o : children) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w == FClient || w->isWindow()) continue;
    const bool hidden = w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->isHidden();
    w->setParent(FClient);
    if (!hidden) w->show();
  }
  FClient->lower();
  FClient->show();
  FLayerBorder = std::make_unique<TspFormLayerBorder>(form, nullptr, false);
  FGlowLayer = std::make_unique<TspLayerManager>();
  FMenuGlowLayer = std::make_unique<TspLayerManager>();
  FClient->installEventFilter(this);
  // The frame sets sizing cursors on the form; the controls must not inherit them.
  FClient->setCursor(Qt::ArrowCursor);

  // The form's menu host, made now unless someone asked for it before.
  FSkinMenu = form->findChild<TspSkinMenu*>(QString(), Qt::FindDirectChildrenOnly);
  if (!FSkinMenu) FSkinMenu = new TspSkinMenu(form);
  FSkinMenu->SetUseSkinFont(true);
  FSkinMenu->SetUseSkinSize(true);

  FMorphTimer.setInterval(kMorphIntervalMs);
  connect(&FMorphTimer, &QTimer::timeout, this, [this] { MorphTick(); });
  FCaptionTimer.setInterval(kMorphIntervalMs);
  connect(&FCaptionTimer, &QTimer::timeout, this, [this] { CaptionTick(); });
  FFadeTimer.setInterval(kFadeIntervalMs);
  connect(&FFadeTimer, &QTimer::timeout, this, [this] { FadeStep(); });
  FHoverTimer.setInterval(kHoverPollMs);
  connect(&FHoverTimer, &QTimer::timeout, this, [this] { HoverPoll(); });

  auto* altSpace = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), form);
  altSpace->setContext(Qt::WindowShortcut);
  connect(altSpace, &QShortcut::activated, this, [this] {
    if (FDisableSystemMenu) return;
    QPoint at = FForm->mapToGlobal(QPoint(FGeometry.CaptionArea.Left, ClientRect().Top));
    if (TspSkinStdButtonObject* b = FindStdButton(FObjects, TspStdCommand::cmSysMenu))
      at = FForm->mapToGlobal(QPoint(b->ObjectRect.Left, b->ObjectRect.Bottom));
    ShowSystemMenu(at);
  });

  form->installEventFilter(this);
  TspSkinData::AddSkinReceiver(form);
  ApplySkin();
}

TspVestimar::~TspVestimar() {
  FinishFade();
  if (FForm) {
    FForm->removeEventFilter(this);
    FForm->setProperty(kControllerProperty, QVariant());
  }
}

TspVestimar* TspVestimar::ForWindow(const QWidget* widget) {
  const QWidget* form = widget ? widget->window() : nullptr;
  if (!form) return nullptr;
  return qobject_cast<TspVestimar*>(form->property(kControllerProperty).value<QObject*>());
}

QWidget* TspVestimar::ClientWidget() const {
  return FClient;
}

// --- Properties --------------------------------------------------------------------------------

void TspVestimar::SetSkinData(TspSkinData* value) {
  if (FSkinData == value) return;
  FSkinData = value;
  ApplySkin();
}

void TspVestimar::SetBorderIcons(TspBorderIcons value) {
  FBorderIcons = value;
  ApplyVisibility();
  UpdateRegion(true);
  RepaintFrame();
}

void TspVestimar::SetHideCaptionButtons(bool value) {
  FHideCaptionButtons = value;
  SetBorderIcons(FBorderIcons);
}

void TspVestimar::SetDisableSystemMenu(bool value) {
  FDisableSystemMenu = value;
  SetBorderIcons(FBorderIcons);
}

void TspVestimar::SetShowIcon(bool value) {
  FShowIcon = value;
  UpdateRegion(true);
  RepaintFrame();
}

void TspVestimar::SetUseSkinFontInCaption(bool value) {
  FUseSkinFontInCaption = value;
  RepaintFrame();
}

void TspVestimar::SetDefCaptionFont(const QFont& font, const QColor& colour) {
  FDefCaptionFont = font;
  FDefCaptionColor = colour;
  RepaintFrame();
}

void TspVestimar::SetDefInActiveCaptionFont(const QFont& font, const QColor& colour) {
  FDefInActiveCaptionFont = font;
  FDefInActiveCaptionColor = colour;
  RepaintFrame();
}

void TspVestimar::SetUseSkinFontInMenu(bool value) {
  FSkinMenu->SetUseSkinFont(value);
}
void TspVestimar::SetUseSkinSizeInMenu(bool value) {
  FSkinMenu->SetUseSkinSize(value);
}
void TspVestimar::SetDefMenuItemHeight(int value) {
  FSkinMenu->SetDefaultItemHeight(value);
}
void TspVestimar::SetDefMenuItemFont(const QFont& value) {
  FSkinMenu->SetDefaultItemFont(value);
}
void TspVestimar::SetMenusAlphaBlend(bool value) {
  FSkinMenu->SetAlphaBlend(value);
}
void TspVestimar::SetMenusAlphaBlendAnimation(bool value) {
  FSkinMenu->SetAlphaBlendAnimation(value);
}
void TspVestimar::SetMenusAlphaBlendValue(int value) {
  FSkinMenu->SetAlphaBlendValue(value);
}
void TspVestimar::SetMaxMenuItemsInWindow(int value) {
  FSkinMenu->SetMaxItemsInWindow(value);
}

void TspVestimar::SetMinWidth(int value) {
  FMinWidth = value;
  EnforceMinimumSize();
}

void TspVestimar::SetMinHeight(int value) {
  FMinHeight = value;
  EnforceMinimumSize();
}

void TspVestimar::SetClientWidth(int value) {
  FClientWidth = value;
  ApplyClientSize();
}

void TspVestimar::SetClientHeight(int value) {
  FClientHeight = value;
  ApplyClientSize();
}

void TspVestimar::ApplyClientSize() {
  const TspRect c = ClientRect();
  int w = FForm->width(), h = FForm->height();
  if (FClientWidth > 0) w += FClientWidth - c.Width();
  if (FClientHeight > 0) h += FClientHeight - c.Height();
  if (w != FForm->width() || h != FForm->height()) FForm->resize(w, h);
}

// --- Skin ---------------------------------------------------------------------------------------

void TspVestimar::ApplyVisibility() {
  ApplyButtonVisibility(FObjects, FBorderIcons, FHideCaptionButtons, FDisableSystemMenu,
                        OnActivateCustomObject);
  if (!FUseDefaultObjectHint) return;
  const TspResourceStrData* strings = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  const auto text = [strings](const char* key, const char* builtIn) {
    const QString s = strings ? strings->GetResString(QString::fromLatin1(key)) : QString();
    return s.isEmpty() ? QString::fromLatin1(builtIn) : s;
  };
  for (auto& o : FObjects) {
    auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get());
    if (!b) continue;
    switch (b->Command) {
    case TspStdCommand::cmClose:
      b->NormalHint = text("CLOSEBUTTON_HINT", "Close");
      break;
    case TspStdCommand::cmMaximize:
      b->NormalHint = text("MAXBUTTON_HINT", "Maximize");
      break;
    case TspStdCommand::cmMinimize:
      b->NormalHint = text("MINBUTTON_HINT", "Minimize");
      break;
    case TspStdCommand::cmSysMenu:
      b->NormalHint = text("MENUBUTTON_HINT", "System menu");
      break;
    case TspStdCommand::cmRollUp:
      b->NormalHint = text("ROLLUPBUTTON_HINT", "Roll Up");
      break;
    case TspStdCommand::cmMinimizeToTray:
      b->NormalHint = text("TRAYBUTTON_HINT", "Minimize to Tray");
      break;
    case TspStdCommand::cmDefault:
      continue;
    }
    b->RestoreHint = text("RESTORE_HINT", "Restore");
    b->Hint = b->NormalHint;
  }
}

void TspVestimar::ApplySkin() {
  FHovered = FPrevHovered = FCaptured = -1;
  HideGlowFrames();
  // A frame record whose places its picture does not hold gets the plain frame.
  FSkinned = FSkinData && !FSkinData->IsEmpty() &&
             WindowRecordDrawable(FSkinData->FormInfo, &FSkinData->Picture);
  FObjects = FSkinned ? BuildObjectList(*FSkinData) : MakeDefaultButtons();
  // New captions start in the form's present state, without a cross-fade into it.
  FActive = IsFormActive();
  for (auto& o : FObjects)
    if (auto* c = dynamic_cast<TspSkinCaptionObject*>(o.get())) {
      c->Active = FActive;
      c->MorphKf = FActive ? 1 : 0;
    }
  ApplyVisibility();
  LayerBorderUpdate();
  EnforceMinimumSize();
  FFrameWidth = FForm->width();
  FFrameHeight = FForm->height();
  UpdateRegion(true);
  if (FClient) FClient->InvalidateBackground();
  RepaintFrame();
  if (OnChangeSkinData) OnChangeSkinData(this);
  ApplyClientSize();
}

void TspVestimar::EnforceMinimumSize() {
  const QSize min = MinTrackingSize();
  // The platform keeps the window from being made smaller than this.
  FForm->setMinimumSize(min);
  // Limits of its own only; a form that fixed its size keeps it.
  if (FMaxWidth > 0 || FMaxHeight > 0) {
    const QSize max = MaxTrackingSize();
    FForm->setMaximumSize(FMaxWidth > 0 ? max.width() : QWIDGETSIZE_MAX,
                          FMaxHeight > 0 ? max.height() : QWIDGETSIZE_MAX);
  }
  const QSize size = FForm->size();
  if (size.width() < min.width() || size.height() < min.height())
    FForm->resize(std::max(size.width(), min.width()), std::max(size.height(), min.height()));
}

void TspVestimar::SkinMessage(int message, TspSkinData* data) {
  if (message == SkinMsgBeforeChange) {
    if (data == FSkinData) {
      FSkinned = false;
      FSkinChanging = true;
      FMorphTimer.stop();
      FHoverTimer.stop();
      FCaptionTimer.stop();
      FHovered = FPrevHovered = FCaptured = -1;
      FObjects.clear();
      FPainter.Clear();
      FLayerBorder->HideBorder();
      HideGlowFrames();
    }
    DropSkinRecords(FForm, data);
  } else if (message == SkinMsgChange) {
    if (data == FSkinData) {
      FSkinChanging = false;
      ApplySkin();
    }
    ApplySkins(FForm, data);
  } else if (message == SkinMsgSkinnableForm || message == SkinMsgResourceStrings) {
    if (data == FSkinData) {
      ApplyVisibility();
      RepaintFrame();
    }
  } else if (message == SkinMsgLayeredBorders || message == SkinMsgAeroBlur) {
    if (data == FSkinData) {
      FLayerBorder->HideBorder();
      LayerBorderUpdate();
    }
  }
}

// --- Geometry -----------------------------------------------------------------------------------

void TspVestimar::UpdateFrameGeometry() {
  if (!FSkinned) return;
  FGeometry = ComputeFrameGeometry(FSkinData->FormInfo, FSkinData->Picture.width(),
                                   FSkinData->Picture.height(), FFrameWidth, FFrameHeight);
}

void TspVestimar::LayoutObjects() {
  const int icon = FForm->style()->pixelMetric(QStyle::PM_SmallIconSize);
  const QSize iconSize = FShowIcon ? QSize(icon, icon) : QSize();
  if (FSkinned)
    ::LayoutObjects(FObjects, FSkinData->FormInfo, FGeometry, FSkinData->Picture.width(),
                    FSkinData->Picture.height(), iconSize);
  else
    FDefaultCaption = LayoutDefaultButtons(FObjects, FFrameWidth, false, iconSize);
}

TspRect TspVestimar::ClientRect() const {
  if (FSkinned && !FSkinData->FormInfo.clientrect.IsEmpty())
    return SkinnedClientRect(FSkinData->FormInfo.clientrect, FSkinData->Picture.width(),
                             FSkinData->Picture.height(), FFrameWidth, FFrameHeight);
  return DefaultClientRect(FFrameWidth, FFrameHeight);
}

QSize TspVestimar::FormSizeForClient(const QSize& client) const {
  if (FSkinned && !FSkinData->FormInfo.clientrect.IsEmpty()) {
    const TspRect c = FSkinData->FormInfo.clientrect;
    return client +
           QSize(FSkinData->Picture.width() - c.Width(), FSkinData->Picture.height() - c.Height());
  }
  return client + QSize(2 * kDefaultBorder, kDefaultCaptionHeight + 2 * kDefaultBorder);
}

void TspVestimar::UpdateRegion(bool reposition) {
  UpdateFrameGeometry();
  if (reposition) LayoutObjects();
  const QRect whole(0, 0, FFrameWidth, FFrameHeight);
  FRegion = QRegion(whole);
  if (FSkinned && !FSkinData->MaskPicture.isNull()) {
    const TspFormInfo& info = FSkinData->FormInfo;
    const TspNinePartGeometry source{info.maskrectarea, info.lefttoppoint, info.righttoppoint,
                                     info.leftbottompoint, info.rightbottompoint};
    const TspNinePartGeometry dest{FGeometry.MaskArea, FGeometry.LeftTop, FGeometry.RightTop,
                                   FGeometry.LeftBottom, FGeometry.RightBottom};
    std::optional<QRegion> shaped;
    if (reposition)
      shaped = CreateComposedMaskRegion(FSkinData->MaskPicture, source, FFrameWidth, FFrameHeight,
                                        dest, 1);
    else
      shaped = CreateMaskRegion(FSkinData->MaskPicture, 0, 0);
    if (shaped && !shaped->isEmpty()) FRegion = *shaped;
  }
  // A rectangular window needs no mask (and some platforms support none).
  if (FRegion == QRegion(whole))
    FForm->clearMask();
  else
    FForm->setMask(FRegion);
  if (FClient) FClient->setGeometry(ClientRect().ToQRect());
  if (OnChangeClientRect) OnChangeClientRect(this, FGeometry.ClientArea);
  FComposed = false;
}

QSize TspVestimar::MinTrackingSize() const {
  return ::MinTrackingSize(TrackingInput());
}
QSize TspVestimar::MaxTrackingSize() const {
  return ::MaxTrackingSize(TrackingInput());
}

TspTrackingInput TspVestimar::TrackingInput() const {
  TspTrackingInput in;
  in.Skinned = FSkinned;
  if (FSkinned) {
    in.Info = &FSkinData->FormInfo;
    in.PictureWidth = FSkinData->Picture.width();
    in.PictureHeight = FSkinData->Picture.height();
  }
  in.MinWidth = FMinWidth;
  in.MinHeight = FMinHeight;
  in.MaxWidth = FMaxWidth;
  in.MaxHeight = FMaxHeight;
  in.Minimized = FForm->isMinimized();
  in.RolledUp = FRolledUp;
  const QScreen* s = FForm->screen() ? FForm->screen() : QGuiApplication::primaryScreen();
  if (s) in.MaximumArea = FMaximizeOnFullScreen ? s->geometry().size() : s->availableSize();
  return in;
}

// --- Painting -----------------------------------------------------------------------------------

TspObjectPaintContext TspVestimar::PaintContext() const {
  TspObjectPaintContext c;
  c.FormActive = IsFormActive();
  c.Effects = FSkinData ? FSkinData->EnableSkinEffects() : true;
  c.Maximized = FWindowState == TspWindowState::wsMaximized;
  c.Minimized = FForm->isMinimized();
  c.RolledUp = FRolledUp;
  return c;
}

TspFramePaintInput TspVestimar::PaintInput() {
  TspFramePaintInput in;
  in.Skin = FSkinData;
  in.FrameDrawable = FSkinned || !FSkinData || FSkinData->IsEmpty();
  in.Geometry = FGeometry;
  in.Width = FFrameWidth;
  in.Height = FFrameHeight;
  in.Objects = &FObjects;
  in.Context = PaintContext();
  in.Caption = FForm->windowTitle();
  in.UseSkinFontInCaption = FUseSkinFontInCaption;
  in.DefCaptionFont = FDefCaptionFont;
  in.DefInActiveCaptionFont = FDefInActiveCaptionFont;
  in.DefCaptionColor = FDefCaptionColor;
  in.DefInActiveCaptionColor = FDefInActiveCaptionColor;
  in.OnCaptionPaint = OnCaptionPaint;
  in.DefaultCaption = FDefaultCaption;
  return in;
}

void TspVestimar::RepaintFrame() {
  FComposed = false;
  FForm->update();
}

void TspVestimar::RedrawObject(int index) {
  if (index < 0 || size_t(index) >= FObjects.size() || !FComposed) return;
  const TspFramePaintInput in = PaintInput();
  const QRect r = FPainter.RedrawObject(in, *FObjects[size_t(index)]);
  if (!r.isEmpty()) FForm->update(r);
}

bool TspVestimar::IsFormActive() const {
  return FForm->isActiveWindow();
}

// --- Showing and fading
// ---------------------------------------------------------------------------

void TspVestimar::FirstShow() {
  // Controls made on the form after the controller belong on the client widget too.
  const QObjectList children = FForm->children();
  for (QObject* o : children) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!FClient || !w || w == FClient || w->isWindow()) continue;
    const bool hidden = w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->isHidden();
    w->setParent(FClient);
    if (!hidden) w->show();
  }
  if (!FPendingFirstPositioning) return;
  FPendingFirstPositioning = false;
  const QScreen* s = FForm->screen() ? FForm->screen() : QGuiApplication::primaryScreen();
  if (FWindowState == TspWindowState::wsNormal && s &&
      FPositionInMonitor != TspPositionInMonitor::sppDefault) {
    const QRect area = FPositionInMonitor == TspPositionInMonitor::sppDesktopCenter
                           ? s->availableGeometry()
                           : s->geometry();
    FForm->move(area.left() + area.width() / 2 - FForm->width() / 2,
                area.top() + area.height() / 2 - FForm->height() / 2);
  }
  const bool animate = FAlphaBlendAnimation || (FSkinData && FSkinData->AnimationForAllWindows());
  if (FAlphaBlend || animate) {
    FFadeTarget = (animate && !FAlphaBlend) ? 1.0 : FAlphaBlendValue / 255.0;
    if (animate) {
      FForm->setWindowOpacity(0.0);
      FFadeTimer.start();
    } else {
      FForm->setWindowOpacity(FFadeTarget);
    }
  }
}

void TspVestimar::FadeStep() {
  const double step = std::max(FFadeTarget / 15.0, 1.0 / 255.0);
  const double next = std::min(FForm->windowOpacity() + step, FFadeTarget);
  FForm->setWindowOpacity(next);
  if (next >= FFadeTarget) FFadeTimer.stop();
}

void TspVestimar::FinishFade() {
  // A fade cut short never leaves the window transparent.
  if (!FFadeTimer.isActive()) return;
  FFadeTimer.stop();
  if (FForm) FForm->setWindowOpacity(FFadeTarget);
}

void TspVestimar::KeepCaptionReachable() {
  if (FKeepingReachable || FChangingState || FWindowState == TspWindowState::wsMaximized ||
      FForm->isMinimized())
    return;
  QList<QRect> areas;
  for (const QScreen* s : QGuiApplication::screens()) areas << s->availableGeometry();
  // The caption band across the window's present width (a move may come before the frame
  // has heard of a new size).
  const TspRect area = FSkinned ? FGeometry.CaptionArea : FDefaultCaption;
  TspRect caption{0, area.IsEmpty() ? 0 : area.Top, FForm->width(),
                  area.IsEmpty() ? ClientRect().Top : area.Bottom};
  const QRect bounds = FForm->geometry();
  const QRect placed = ::KeepCaptionReachable(bounds, caption, areas);
  if (placed == bounds) return;
  FKeepingReachable = true;
  FForm->move(placed.topLeft());
  FKeepingReachable = false;
}

// --- Events of the form
// ----------------------------------------------------------------------------

void TspVestimar::SizeChanged() {
  FFrameWidth = FForm->width();
  FFrameHeight = FForm->height();
  UpdateRegion(true);
  LayerBorderUpdate();
  FComposed = false;
}

void TspVestimar::WatchScreen() {
  QWindow* window = FForm->windowHandle();
  if (!window) return;
  if (!FScreenWatch) {
    connect(window, &QWindow::screenChanged, this, [this] { WatchScreen(); });
    FScreenWatch = true;
  }
  for (const QMetaObject::Connection& c : FScreenSignals) disconnect(c);
  FScreenSignals.clear();
  QScreen* s = window->screen();
  if (!s) return;
  FScreenSignals << connect(s, &QScreen::availableGeometryChanged, this, [this] {
    DisplayChanged();
  }) << connect(s, &QScreen::geometryChanged, this, [this] { DisplayChanged(); });
}

void TspVestimar::DisplayChanged() {
  const QSize max = MaxTrackingSize(), size = FForm->size();
  if (size.width() <= max.width() && size.height() <= max.height()) return;
  // A display that shrank below the form: the form is brought within reach and its frame
  // recomputed for the new size at once.
  if (FWindowState == TspWindowState::wsMaximized && !FRolledUp)
    FForm->setGeometry(MaximizeTarget());
  else
    FForm->resize(std::min(size.width(), max.width()), std::min(size.height(), max.height()));
  SizeChanged();
  RepaintFrame();
}

void TspVestimar::ActiveChanged(bool active) {
  if (active == FActive) return;
  // One of the form's own layers (a glow frame) taking the activation on showing hands it
  // straight back; the form stays active meanwhile.
  if (auto* layer = dynamic_cast<TspLayerWindow*>(QGuiApplication::focusWindow());
      !active && layer && layer->transientParent() == FForm->windowHandle())
    return;
  FActive = active;
  if (!active) TrackObject({-1, -1}, false);
  HideGlowFrames();
  for (auto& o : FObjects)
    if (auto* c = dynamic_cast<TspSkinCaptionObject*>(o.get())) {
      if (c->RollUp) {
        // Not shown now: it simply takes the end of the cross-fade.
        if (c->Morphing) c->MorphKf = active ? 1 : 0;
        continue;
      }
      c->Active = active;
      if (c->Animated()) {
        if (c->StartAnimation(active) && !FCaptionTimer.isActive()) FCaptionTimer.start();
      } else {
        // A caption with its own active image cross-fades into the new state.
        StartMorph(*c);
      }
    }
  RepaintFrame();
  LayerBorderUpdate();
  if (active && OnActivate) OnActivate(this);
  if (!active && OnDeActivate) OnDeActivate(this);
}

bool TspVestimar::eventFilter(QObject* watched, QEvent* event) {
  // The pointer that goes from a caption button straight into the client area leaves no
  // move on the frame: the client's enter ends the hover.
  if (watched == FClient && event->type() == QEvent::Enter && FCaptured < 0)
    TrackObject({-1, -1}, false);
  if (watched != FForm) return QObject::eventFilter(watched, event);
  if (const int message = TspSkinMessageEvent::MessageOf(event)) {
    SkinMessage(message, static_cast<TspSkinMessageEvent*>(event)->SkinData());
    return false;
  }
  switch (event->type()) {
  case QEvent::Paint: {
    // While the skin is replaced the window keeps its old pixels.
    if (FSkinChanging || (FSkinData && FSkinData->IsChangingSkin())) return true;
    if (FFrameWidth != FForm->width() || FFrameHeight != FForm->height()) SizeChanged();
    if (!FComposed) {
      const QSize min = MinTrackingSize();
      FPainter.Clear();
      if (!FSkinned || (FFrameWidth >= min.width() && FFrameHeight >= min.height()))
        FPainter.Compose(PaintInput());
      FComposed = true;
    }
    QPainter p(FForm);
    FPainter.Paint(p, static_cast<QPaintEvent*>(event)->region());
    return true;
  }
  case QEvent::Resize:
    SizeChanged();
    break;
  case QEvent::Show:
    WatchScreen();
    FirstShow();
    KeepCaptionReachable();
    LayerBorderUpdate();
    break;
  case QEvent::Move:
    // A place set by the program (a stored position) must leave the caption in reach; the
    // user's own drags may take it anywhere.
    if (FDrag == TDrag::None && FForm->isVisible()) KeepCaptionReachable();
    if (FLayerBorder->Shown()) FLayerBorder->MoveBorder();
    // A glow frame stays where its button was; the next hover shows it again.
    HideGlowFrames();
    break;
  case QEvent::Hide:
    FinishFade();
    FLayerBorder->HideBorder();
    HideGlowFrames();
    break;
  case QEvent::ActivationChange:
    // The form was raised, or another window went above it: the bands follow.
    FLayerBorder->FormEvent(event);
    break;
  case QEvent::WindowActivate:
    ActiveChanged(true);
    break;
  case QEvent::WindowDeactivate:
    ActiveChanged(false);
    break;
  case QEvent::WindowTitleChange:
    RepaintFrame();
    break;
  case QEvent::WindowStateChange: {
    const Qt::WindowStates s = FForm->windowState();
    if ((s & Qt::WindowMaximized) && FWindowState != TspWindowState::wsMaximized) {
      // The window manager maximised the window: the frame follows.
      const auto* change = static_cast<QWindowStateChangeEvent*>(event);
      if (!(change->oldState() & Qt::WindowMaximized) && FNormalBounds.isEmpty())
        FNormalBounds = FForm->normalGeometry();
      FWindowState = TspWindowState::wsMaximized;
      RepaintFrame();
    } else if (!(s & (Qt::WindowMaximized | Qt::WindowMinimized)) &&
               (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized)) {
      if (OnRestore) OnRestore(this);
      RepaintFrame();
    }
    break;
  }
  case QEvent::MouseButtonPress:
    MousePress(static_cast<QMouseEvent*>(event));
    return true;
  case QEvent::MouseMove:
    MouseMove(static_cast<QMouseEvent*>(event));
    return true;
  case QEvent::MouseButtonRelease:
    MouseRelease(static_cast<QMouseEvent*>(event));
    return true;
  case QEvent::MouseButtonDblClick:
    MouseDoubleClick(static_cast<QMouseEvent*>(event));
    return true;
  case QEvent::Leave:
    // A platform may send the pointer into a layer lying over the form; the hover poll
    // follows it there.
    if (PointerOverForm(QCursor::pos())) break;
    if (FCaptured < 0) TrackObject({-1, -1}, false);
    FForm->unsetCursor();
    break;
  default:
    break;
  }
  return QObject::eventFilter(watched, event);
}

// --- The layered border and the objects' hints -----------------------------------------------

void TspVestimar::SetLayeredWindowsSupport(std::function<bool()> supported) {
  FGlowLayer = std::make_unique<TspLayerManager>(nullptr, supported);
  FMenuGlowLayer = std::make_unique<TspLayerManager>(nullptr, supported);
  FLayerBorder = std::make_unique<TspFormLayerBorder>(FForm, nullptr, false, std::move(supported));
  LayerBorderUpdate();
}

void TspVestimar::LayerBorderUpdate() {
  if (!FLayerBorder) return;
  // Also takes the alpha of a skin loaded into the same skin data.
  FLayerBorder->SetSkinData(FSkinData.data());
  const bool normal = FForm->isVisible() && FWindowState == TspWindowState::wsNormal &&
                      !FRolledUp && !(FForm->windowState() & Qt::WindowMinimized);
  if (!FSkinned || !normal || !FLayerBorder->InUse()) {
    FLayerBorder->HideBorder();
    return;
  }
  FLayerBorder->SetBorderActive(IsFormActive());
  if (FLayerBorder->Shown())
    FLayerBorder->UpdateBorder();
  else
    FLayerBorder->ShowBorder();
}

void TspVestimar::ObjectHintShow(int index) {
  TspSkinHint* hint = TspSkinHint::ActiveHint();
  if (!hint || index < 0 || size_t(index) >= FObjects.size()) return;
  const QString& text = FObjects[size_t(index)]->Hint;
  if (text.isEmpty())
    hint->HideFrameObjectHint();
  else
    hint->ShowFrameObjectHint(text);
}

void TspVestimar::ObjectHintHide() {
  if (TspSkinHint* hint = TspSkinHint::ActiveHint()) hint->HideFrameObjectHint();
}

void TspVestimar::ShowObjectGlow(const TspActiveSkinObject& o) {
  if (!FSkinned || !FSkinData->ShowCaptionButtonGlowFrames() || o.GlowLayerPicture.isNull()) return;
  const QPoint at =
      FForm->mapToGlobal(QPoint(o.ObjectRect.Left, o.ObjectRect.Top)) - o.GlowLayerOffset;
  FGlowLayer->SetTopmost(FForm->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  FGlowLayer->SetStackAbove(FForm->windowHandle());
  FGlowLayer->ShowLayer(at.x(), at.y(), o.GlowLayerAlphaBlendValue, o.GlowLayerMaskPicture,
                        o.GlowLayerPicture);
}

void TspVestimar::HideGlowFrames() {
  if (FGlowLayer) FGlowLayer->HideLayer();
  if (FMenuGlowLayer) FMenuGlowLayer->HideLayer();
}
