#include "skin/frame/hint_window.h"

#include "skin/controls/plain_look.h"
#include "skin/controls/skin_binding.h"
#include "skin/data/skin_messages.h"
#include "skin/frame/hint.h"
#include "skin/render/regions.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace {
constexpr TColor kSysInfoBk = 0x80000018;
constexpr TColor kSysBtnShadow = 0x80000010;
} // namespace

TspSkinHintWindow::TspSkinHintWindow(TspSkinHint* hint)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowTransparentForInput | Qt::NoDropShadowWindowHint),
      FHint(hint) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  FFadeTimer.setInterval(FadeStepInterval);
  connect(&FFadeTimer, &QTimer::timeout, this, [this] { FadeStep(); });
  // It follows skin changes itself (its look is made afresh).
  TspSkinData::AddSkinReceiver(this);
}

TspSkinHintWindow::~TspSkinHintWindow() = default;

void TspSkinHintWindow::ActivateHint(const QRect& rect, const QString& text) {
  TspSkinHint* hint = FHint;
  if (!hint || !hint->Active() || text.isEmpty()) return;
  FLastRect = rect;
  FLastSource = text;
  FText = ReplaceHintSeparator(text, hint->LineSeparator());
  const QStringList lines = HintLines(FText);

  FLook = MakeHintLook(hint->SkinData(), hint->DefaultFont(), hint->UseSkinFont());
  const QString title = hint->HintTitle();
  const QImage image = hint->HintImage();
  FTitled = !title.isEmpty() || !image.isNull();

  QSize content = MeasureHintLines(lines, FLook.Font);
  int w = content.width(), h = content.height();
  if (FTitled) {
    QFont bold = FLook.Font;
    bold.setBold(true);
    const QSize t = title.isEmpty() ? QSize() : MeasureHintLines({title}, bold);
    if (!title.isEmpty()) {
      h += t.height() + 10;
      w = std::max(w, t.width());
    }
    if (!image.isNull()) {
      w += image.width() + 10;
      h = std::max(h, image.height() + t.height() + 5);
    }
  }
  FFrame = MakeHintFrame(FLook, w, h, FTitled ? 10 : 5);
  const QRect placed = PlaceHint(rect.topLeft(), FFrame.Size, WorkArea());

  const bool support = hint->AlphaBlendSupport();
  const bool alphaBlend = hint->AlphaBlend();
  // Without composed translucency the hint blends itself over what the screen shows now.
  QImage background;
  if (alphaBlend && !support) {
    if (isVisible()) hide(); // not into its own picture
    if (QScreen* screen = QGuiApplication::screenAt(placed.center()))
      background =
          screen
              ->grabWindow(0, placed.x() - screen->geometry().x(),
                           placed.y() - screen->geometry().y(), placed.width(), placed.height())
              .toImage();
  }
  ComposeImage(lines, title, image);
  if (alphaBlend && !support && !background.isNull())
    BlendOverBackground(FImage, background, hint->AlphaBlendValue());

  FRegion = QRegion();
  if (FLook.Skinned && !FLook.Mask.isNull()) {
    if (auto region =
            CreateComposedMaskRegion(FLook.Mask, FLook.Geometry, placed.width(), placed.height(),
                                     FFrame.Scaled, kCompositionNinePart))
      FRegion = *region;
  }
  if (FRegion.isEmpty())
    clearMask();
  else
    setMask(FRegion);

  ApplyAlpha(support, alphaBlend, hint->AlphaBlendValue(), hint->AlphaBlendAnimation());
  setGeometry(placed);
  show();
  update();
  if (FFadeAlpha < FFadeTarget) {
    FFadeTimer.start();
    // A fade that cannot run must not leave the hint invisible.
    if (!FFadeTimer.isActive()) StopFade();
  }
}

void TspSkinHintWindow::HideHint() {
  StopFade();
  hide();
}

void TspSkinHintWindow::ApplyAlpha(bool support, bool alphaBlend, int value, bool animation) {
  StopFade();
  if (!support) {
    if (FAppliedAlphaBlend) setWindowOpacity(1.0);
    FAppliedAlphaBlend = false;
    FAppliedAlphaBlendValue = 255;
    return;
  }
  const bool changed = alphaBlend != FAppliedAlphaBlend || value != FAppliedAlphaBlendValue;
  FAppliedAlphaBlend = alphaBlend;
  FAppliedAlphaBlendValue = alphaBlend ? value : 255;
  if (alphaBlend && animation) {
    FFadeTarget = value;
    FFadeStep = std::max(1, value / 10);
    FFadeAlpha = 0;
    setWindowOpacity(0.0);
    return;
  }
  if (changed) setWindowOpacity(alphaBlend ? value / 255.0 : 1.0);
}

void TspSkinHintWindow::FadeStep() {
  FFadeAlpha = std::min(FFadeAlpha + FFadeStep, FFadeTarget);
  setWindowOpacity(FFadeAlpha / 255.0);
  update();
  if (FFadeAlpha >= FFadeTarget) FFadeTimer.stop();
}

void TspSkinHintWindow::StopFade() {
  FFadeTimer.stop();
  if (FFadeAlpha < FFadeTarget) {
    FFadeAlpha = FFadeTarget;
    setWindowOpacity(FFadeAlpha / 255.0);
  }
}

QRect TspSkinHintWindow::WorkArea() const {
  if (QWidget* active = QApplication::activeWindow())
    if (QScreen* s = active->screen()) return s->availableGeometry();
  if (FHint)
    if (auto* form = qobject_cast<QWidget*>(FHint->parent()))
      if (form->window()->isVisible())
        if (QScreen* s = form->window()->screen()) return s->availableGeometry();
  QScreen* primary = QGuiApplication::primaryScreen();
  return primary ? primary->geometry() : QRect();
}

void TspSkinHintWindow::ComposeImage(const QStringList& lines, const QString& title,
                                     const QImage& image) {
  const int W = FFrame.Size.width(), H = FFrame.Size.height();
  if (FLook.Skinned) {
    const TspRect S{0, 0, FLook.Picture.width(), FLook.Picture.height()};
    ComposeNinePartImage(FImage, FLook.Picture, S, FLook.Geometry, W, H, FFrame.Scaled, true,
                         FLook.Flags);
  } else {
    FImage = QImage(W, H, QImage::Format_RGB32);
    FImage.fill(SkinColor(kSysInfoBk));
  }
  if (FImage.isNull()) return;
  QPainter p(&FImage);
  if (!FLook.Skinned) {
    p.setPen(SkinColor(kSysBtnShadow));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, W - 1, H - 1);
  }
  p.setPen(FLook.FontColor);
  const QSize text = MeasureHintLines(lines, FLook.Font);
  // Skinned hints lay out in the scaled client rectangle, plain ones 2 pixels inside.
  const QRect area = FLook.Skinned ? HintClientArea() : QRect(2, 2, W - 4, H - 4);
  if (!FTitled) {
    const QPoint at = FLook.Skinned ? QPoint(area.left() + area.width() / 2 - text.width() / 2,
                                             area.top() + area.height() / 2 - text.height() / 2)
                                    : area.topLeft();
    DrawHintLines(p, lines, FLook.Font, at);
    return;
  }
  const int inset = FLook.Skinned ? 5 : 0;
  const int left = area.left() + inset;
  int top = area.top();
  if (!title.isEmpty()) {
    QFont bold = FLook.Font;
    bold.setBold(true);
    DrawHintLines(p, {title}, bold, QPoint(left, area.top()));
    top += MeasureHintLines({title}, bold).height() + 5;
  }
  int textLeft = left;
  if (!image.isNull()) {
    const int y = title.isEmpty() ? area.top() + area.height() / 2 - image.height() / 2 : top;
    p.drawImage(left, y, image);
    textLeft = left + image.width() + 5;
  }
  const int y = title.isEmpty() ? area.top() + area.height() / 2 - text.height() / 2 : top;
  DrawHintLines(p, lines, FLook.Font, QPoint(textLeft, y));
}

void TspSkinHintWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, FImage);
}

bool TspSkinHintWindow::event(QEvent* e) {
  // A skin switch while the hint shows: show it again in the new skin.
  if (TspSkinMessageEvent::MessageOf(e) == SkinMsgAfterChange) {
    if (isVisible()) ActivateHint(FLastRect, FLastSource);
    return true;
  }
  return QWidget::event(e);
}

void TspSkinHintWindow::hideEvent(QHideEvent* e) {
  StopFade();
  QWidget::hideEvent(e);
}
