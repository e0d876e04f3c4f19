#include "skin/frame/hint.h"

#include "skin/controls/image_list.h"
#include "skin/controls/skin_control.h"

#include <QApplication>
#include <QCursor>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QToolTip>
#include <vector>

namespace {

// Every component alive, in the order of creation; at most one of them is active.
std::vector<TspSkinHint*>& Components() {
  static std::vector<TspSkinHint*> list;
  return list;
}

int StyleWakeUpDelay() {
  QStyle* style = qApp ? QApplication::style() : nullptr;
  return style ? style->styleHint(QStyle::SH_ToolTip_WakeUpDelay) : 700;
}

// The hinted control: the nearest widget from `w` up to its window with a tool tip text.
QWidget* HintedControl(QWidget* w) {
  for (; w; w = w->parentWidget()) {
    if (!w->toolTip().isEmpty()) return w;
    if (w->isWindow()) break;
  }
  return nullptr;
}

} // namespace

TspSkinHint::TspSkinHint(QObject* owner, std::function<bool()> supported)
    : QObject(owner), FSupported(std::move(supported)), FDefaultFont(QApplication::font()),
      FHintPause(StyleWakeUpDelay()) {
  FHideTimer.setSingleShot(true);
  connect(&FHideTimer, &QTimer::timeout, this, [this] { HideHint(); });
  FObjectTimer.setSingleShot(true);
  connect(&FObjectTimer, &QTimer::timeout, this, [this] { ObjectTimerFired(); });
  Components().push_back(this);
  SetActive(true);
}

TspSkinHint::~TspSkinHint() {
  SetActive(false);
  auto& list = Components();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

bool TspSkinHint::AlphaBlendSupport() const {
  return FAlphaBlendSupport && FSupported && FSupported();
}

void TspSkinHint::SetAlphaBlendValue(int value) {
  FAlphaBlendValue = std::clamp(value, 0, 255);
}

TspSkinHint* TspSkinHint::ActiveHint() {
  for (TspSkinHint* h : Components())
    if (h->FActive) return h;
  return nullptr;
}

void TspSkinHint::SetActive(bool value) {
  if (value) {
    for (TspSkinHint* other : Components())
      if (other != this) other->SetActive(false);
    // Installing again puts the filter first, ahead of any installed since.
    qApp->removeEventFilter(this);
    qApp->installEventFilter(this);
    if (!FActive) QToolTip::hideText();
    FActive = true;
    return;
  }
  if (!FActive) return;
  FActive = false;
  qApp->removeEventFilter(this);
  HideHint();
  HideFrameObjectHint();
}

QImage TspSkinHint::HintImage() const {
  return FHintImageList ? FHintImageList->Image(FHintImageIndex) : QImage();
}

void TspSkinHint::ClearHintImage() {
  FHintTitle.clear();
  FHintImageList = nullptr;
  FHintImageIndex = -1;
}

bool TspSkinHint::ShowControlHint(QWidget* widget, const QPoint& globalPos) {
  if (!FActive) return false;
  QWidget* control = HintedControl(widget);
  if (!control) {
    HideHint();
    return false;
  }
  ClearHintImage();
  if (auto* skinned = qobject_cast<TspSkinControlBase*>(control)) {
    FHintTitle = skinned->HintTitle();
    FHintImageList = skinned->HintImageList();
    FHintImageIndex = skinned->HintImageIndex();
  }
  TspHintInfo info;
  info.HintStr = control->toolTip();
  info.HintControl = control;
  info.HintPos = globalPos + QPoint(0, CursorHeight);
  if (OnShowHint) OnShowHint(this, info);
  if (!info.CanShow || info.HintStr.isEmpty()) {
    HideHint();
    return false;
  }
  if (!FHintWindow) FHintWindow = std::make_unique<TspSkinHintWindow>(this);
  if (FHintControl != control) {
    disconnect(FControlGone);
    FControlGone = connect(control, &QObject::destroyed, this, [this] { HideHint(); });
  }
  FHintControl = control;
  FHintWindow->ActivateHint(QRect(info.HintPos, QSize()), info.HintStr);
  // QToolTip's rule: longer texts stay longer.
  FHideTimer.start(FHintHidePause + 40 * std::max<int>(0, int(info.HintStr.size()) - 100));
  return true;
}

void TspSkinHint::HideHint() {
  FHideTimer.stop();
  disconnect(FControlGone);
  FHintControl = nullptr;
  if (FHintWindow) FHintWindow->HideHint();
}

void TspSkinHint::ShowFrameObjectHint(const QString& text) {
  StartObjectHint(text, std::nullopt);
}

void TspSkinHint::ShowFrameObjectHint(const QString& text, const QPoint& globalPos) {
  StartObjectHint(text, globalPos);
}

void TspSkinHint::StartObjectHint(const QString& text, std::optional<QPoint> at) {
  HideFrameObjectHint();
  if (!FActive) return;
  FObjectText = text;
  FObjectPos = at;
  ClearHintImage();
  FObjectTimer.start(FHintPause);
}

void TspSkinHint::ObjectTimerFired() {
  if (FObjectShown) {
    HideFrameObjectHint();
    return;
  }
  if (!FObjectWindow) FObjectWindow = std::make_unique<TspSkinHintWindow>(this);
  const QPoint at = FObjectPos ? *FObjectPos : QCursor::pos() + QPoint(0, CursorHeight);
  FObjectWindow->ActivateHint(QRect(at, QSize()), FObjectText);
  FObjectShown = true;
  FObjectTimer.start(FHintHidePause);
}

void TspSkinHint::HideFrameObjectHint() {
  FObjectTimer.stop();
  FObjectShown = false;
  if (FObjectWindow) FObjectWindow->HideHint();
}

bool TspSkinHint::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
  case QEvent::ToolTip: {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) break;
    // Answered here, never by the platform's tool tip.
    ShowControlHint(widget, static_cast<QHelpEvent*>(event)->globalPos());
    event->accept();
    return true;
  }
  case QEvent::KeyPress: {
    // As with QToolTip, a modifier alone leaves the hint.
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta)
      break;
    if (FHintControl) HideHint();
    break;
  }
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonDblClick:
  case QEvent::NonClientAreaMouseButtonPress:
  case QEvent::Wheel:
  case QEvent::ApplicationDeactivate:
  case QEvent::WindowDeactivate:
    if (FHintControl) HideHint();
    break;
  case QEvent::Leave:
  case QEvent::Hide:
    if (FHintControl && watched == FHintControl) HideHint();
    break;
  default:
    break;
  }
  return false;
}
