#include "skin/frame/layer_border.h"

#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"

#include <QEvent>
#include <QWidget>

TspFormLayerBorder::TspFormLayerBorder(QWidget* form, TspSkinData* skinData, bool followForm,
                                       std::function<bool()> supported)
    : QObject(form), FForm(form), FSupported(std::move(supported)) {
  FFadeTimer.setInterval(FadeStepInterval);
  connect(&FFadeTimer, &QTimer::timeout, this, [this] { FadeStep(); });
  SetSkinData(skinData);
  if (form) FActive = form->isActiveWindow();
  if (form && followForm) {
    // Following the form includes its skin messages.
    form->installEventFilter(this);
    TspSkinData::AddSkinReceiver(form);
  }
}

TspFormLayerBorder::~TspFormLayerBorder() {
  HideBorder();
}

void TspFormLayerBorder::SetSkinData(TspSkinData* value) {
  FSkinData = value;
  SetBorderAlpha(FFormAlpha, false);
}

bool TspFormLayerBorder::InUse() const {
  const TspSkinData* d = FSkinData;
  return FForm && FForm->isWindow() && d && !d->IsEmpty() && d->ShowLayeredBorders() &&
         d->LayerFrame.pictureindex != -1 && d->LayerFrame.ActiveBorder && FSupported &&
         FSupported();
}

const TspBitmap* TspFormLayerBorder::SourcePicture() const {
  if (!FSkinData) return nullptr;
  const TspDataSkinLayerFrame& f = FSkinData->LayerFrame;
  if (!FActive && f.InactiveBorder) return f.InactiveBorder.get();
  return f.ActiveBorder.get();
}

int TspFormLayerBorder::CurrentAlpha() const {
  if (FFadeAlpha >= 0) return FFadeAlpha;
  return FActive ? FActiveAlpha : FInactiveAlpha;
}

int TspFormLayerBorder::WindowCount() const {
  int n = 0;
  for (const auto& w : FWindows) n += w ? 1 : 0;
  return n;
}

bool TspFormLayerBorder::FormShowsNormal() const {
  return FForm && FForm->isVisible() &&
         !(FForm->windowState() &
           (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
}

void TspFormLayerBorder::Compose(const QRect& formBounds) {
  FFormBounds = formBounds;
  const TspBitmap* source = SourcePicture();
  if (!source) return;
  FLayerRect =
      LayerRect(FSkinData->LayerFrame, QSize(source->Width(), source->Height()), formBounds);
  ComposeLayerBands(*source, FSkinData->LayerFrame, FLayerRect.width(), FLayerRect.height(),
                    FBands);
}

void TspFormLayerBorder::ShowBorder() {
  if (!InUse()) return;
  SetBorderBounds(FForm->frameGeometry());
}

void TspFormLayerBorder::HideBorder() {
  StopFade();
  for (auto& w : FWindows) w.reset();
  FShown = false;
}

void TspFormLayerBorder::UpdateBorder() {
  if (FShown && FForm) SetBorderBounds(FForm->frameGeometry());
}

void TspFormLayerBorder::SetBorderBounds(const QRect& formBounds) {
  if (!InUse()) {
    HideBorder();
    return;
  }
  Compose(formBounds);
  const bool topmost = FForm->windowFlags() & Qt::WindowStaysOnTopHint;
  // Input passes through only while the skin marks no border area of its own.
  const bool transparent = FSkinData->LayerFrame.borderrect.IsEmpty();
  const TspBitmap* band[4] = {&FBands.Top, &FBands.Bottom, &FBands.Left, &FBands.Right};
  for (size_t i = 0; i < 4; ++i) {
    auto& w = FWindows[i];
    if (band[i]->IsEmpty()) {
      w.reset();
      continue;
    }
    if (w && (bool(w->flags() & Qt::WindowStaysOnTopHint) != topmost ||
              bool(w->flags() & Qt::WindowTransparentForInput) != transparent))
      w.reset();
    if (!w) w = std::make_unique<TspFormLayerWindow>(FForm, topmost, transparent);
  }
  FShown = true;
  PlaceWindows();
}

void TspFormLayerBorder::PlaceWindows() {
  const QRect rects[4] = {FBands.TopRect, FBands.BottomRect, FBands.LeftRect, FBands.RightRect};
  const TspBitmap* band[4] = {&FBands.Top, &FBands.Bottom, &FBands.Left, &FBands.Right};
  const int alpha = CurrentAlpha();
  for (size_t i = 0; i < 4; ++i) {
    TspFormLayerWindow* w = FWindows[i].get();
    if (!w) continue;
    w->setPosition(FLayerRect.topLeft() + rects[i].topLeft());
    ShowLayeredBitmap(*band[i], alpha, *w);
    if (!w->isVisible()) w->show();
  }
  Restack();
}

void TspFormLayerBorder::Restack() {
  QWindow* form = FForm ? FForm->window()->windowHandle() : nullptr;
  for (const auto& w : FWindows)
    if (w) StackWindowAbove(w.get(), form);
}

void TspFormLayerBorder::MoveBorder() {
  if (!FShown || !FForm) return;
  const QRect bounds = FForm->frameGeometry();
  FLayerRect.translate(bounds.topLeft() - FFormBounds.topLeft());
  FFormBounds.moveTopLeft(bounds.topLeft());
  const QRect rects[4] = {FBands.TopRect, FBands.BottomRect, FBands.LeftRect, FBands.RightRect};
  for (size_t i = 0; i < 4; ++i)
    if (FWindows[i]) FWindows[i]->setPosition(FLayerRect.topLeft() + rects[i].topLeft());
}

void TspFormLayerBorder::SetBorderAlpha(int formAlpha, bool apply) {
  FFormAlpha = std::clamp(formAlpha, 0, 255);
  if (FSkinData) {
    FActiveAlpha = ScaleLayerAlpha(FSkinData->LayerFrame.alphablendvalue, FFormAlpha);
    FInactiveAlpha = ScaleLayerAlpha(FSkinData->LayerFrame.inactivealphablendvalue, FFormAlpha);
  }
  if (apply) ApplyAlpha();
}

void TspFormLayerBorder::ApplyAlpha() {
  if (!FShown) return;
  const int alpha = CurrentAlpha();
  for (const auto& w : FWindows)
    if (w) w->SetPicture(w->Picture(), alpha);
}

void TspFormLayerBorder::SetBorderActive(bool active) {
  StopFade();
  const bool changed = active != FActive;
  FActive = active;
  if (!FShown) return;
  // A different picture for the inactive state: compose it; else only the alpha changes.
  if (changed && FSkinData && FSkinData->LayerFrame.InactiveBorder)
    SetBorderBounds(FFormBounds);
  else
    ApplyAlpha();
}

void TspFormLayerBorder::FadeInBorder() {
  if (!InUse()) return;
  StopFade();
  FFadeAlpha = 0;
  SetBorderBounds(FForm->frameGeometry());
  if (!FShown) {
    FFadeAlpha = -1;
    return;
  }
  FFadeTimer.start();
  // A fade that cannot run must not leave the border invisible.
  if (!FFadeTimer.isActive()) StopFade();
}

void TspFormLayerBorder::FadeStep() {
  const int target = FActive ? FActiveAlpha : FInactiveAlpha;
  FFadeAlpha = std::min(FFadeAlpha + std::max(1, target / 15), target);
  if (FFadeAlpha >= target) {
    StopFade();
    return;
  }
  ApplyAlpha();
}

void TspFormLayerBorder::StopFade() {
  FFadeTimer.stop();
  if (FFadeAlpha < 0) return;
  FFadeAlpha = -1;
  ApplyAlpha();
}

void TspFormLayerBorder::FormEvent(QEvent* event) {
  switch (event->type()) {
  case QEvent::Show:
    if (FormShowsNormal() && !FShown) ShowBorder();
    break;
  case QEvent::Hide:
    HideBorder();
    break;
  case QEvent::Move:
    MoveBorder();
    break;
  case QEvent::Resize:
    UpdateBorder();
    break;
  case QEvent::WindowStateChange:
    if (!FormShowsNormal())
      HideBorder();
    else if (!FShown)
      ShowBorder();
    else
      UpdateBorder();
    break;
  case QEvent::ActivationChange:
    if (FForm) SetBorderActive(FForm->isActiveWindow());
    // The form was raised, or another window went above it.
    Restack();
    break;
  default:
    switch (TspSkinMessageEvent::MessageOf(event)) {
    case SkinMsgBeforeChange:
      HideBorder();
      break;
    case SkinMsgAfterChange:
      SetBorderAlpha(FFormAlpha, false);
      if (FormShowsNormal()) ShowBorder();
      break;
    case SkinMsgLayeredBorders:
    case SkinMsgAeroBlur:
      HideBorder();
      if (FormShowsNormal()) ShowBorder();
      break;
    default:
      break;
    }
  }
}

bool TspFormLayerBorder::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FForm) FormEvent(event);
  return false;
}
