#include "skin/render/layered_window.h"

#include "platform/window_system.h"
#include "skin/render/bitmap.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSurfaceFormat>
#include <algorithm>
#include <cstdlib>
#include <cstring>

bool LayeredWindowsSupported() {
  return TranslucentWindowsComposed();
}

TspLayerWindow::TspLayerWindow(bool topmost, bool inputTransparent) {
  Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                          Qt::NoDropShadowWindowHint;
  if (inputTransparent) flags |= Qt::WindowTransparentForInput;
  if (topmost) flags |= Qt::WindowStaysOnTopHint;
  setFlags(flags);
  QSurfaceFormat format = this->format();
  format.setAlphaBufferSize(8);
  setFormat(format);
}

void TspLayerWindow::SetPicture(QImage premultiplied, int constantAlpha) {
  FPicture = std::move(premultiplied);
  FConstantAlpha = std::clamp(constantAlpha, 0, 255);
  if (!FPicture.isNull() && size() != FPicture.size()) resize(FPicture.size());
  update();
}

void TspLayerWindow::focusInEvent(QFocusEvent* event) {
  QRasterWindow::focusInEvent(event);
  if (QWindow* owner = transientParent()) owner->requestActivate();
}

void TspLayerWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.fillRect(QRect(QPoint(0, 0), size()), Qt::transparent);
  if (FPicture.isNull() || FConstantAlpha == 0) return;
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.setOpacity(FConstantAlpha / 255.0);
  p.drawImage(0, 0, FPicture);
}

void StackWindowAbove(QWindow* window, QWindow* below) {
  StackNativeWindowAbove(window, below);
}

void ShowLayeredBitmap(const TspBitmap& bitmap, int constantAlpha, TspLayerWindow& window) {
  if (bitmap.IsEmpty()) {
    window.SetPicture(QImage(), constantAlpha);
    return;
  }
  QImage picture(bitmap.Width(), bitmap.Height(), QImage::Format_ARGB32_Premultiplied);
  if (picture.isNull()) return;
  for (int y = 0; y < bitmap.Height(); ++y)
    std::memcpy(picture.scanLine(y), bitmap.ScanLine(y), size_t(bitmap.Width()) * 4);
  window.SetPicture(std::move(picture), constantAlpha);
}

int NextLayerAlpha(int alpha, int alphaLimit) {
  return std::min(alpha + alphaLimit / 10, alphaLimit);
}

TspLayerManager::TspLayerManager(QObject* parent, std::function<bool()> supported)
    : QObject(parent), FSupported(std::move(supported)) {
  FTimer.setInterval(TickInterval);
  connect(&FTimer, &QTimer::timeout, this, [this] { Tick(); });
}

TspLayerManager::~TspLayerManager() {
  FTimer.stop();
  FWindow.reset();
}

void TspLayerManager::ShowLayer(int x, int y, int alphaLimit, const QImage& mask,
                                const QImage& bitmap) {
  if (!FSupported || !FSupported()) return;
  HideLayer();
  if (bitmap.isNull()) return;
  auto picture = std::make_unique<TspBitmap>();
  picture->Assign(bitmap);
  TspBitmap alpha;
  alpha.Assign(mask);
  AlphaFromMask(*picture, alpha);
  // Colours above their alpha are not valid premultiplied pixels.
  picture->ClampToAlpha();

  FBitmap = std::move(picture);
  FAlphaLimit = std::clamp(alphaLimit, 0, 255);
  FAlpha = 0;
  FWindow = std::make_unique<TspLayerWindow>(FTopmost);
  // A window manager's frame around an input-transparent layer would swallow the clicks
  // meant to pass through it.
  FWindow->setFlags(FWindow->flags() | Qt::X11BypassWindowManagerHint);
  FWindow->setPosition(x, y);
  if (FStackAbove) FWindow->setTransientParent(FStackAbove);
  ShowLayeredBitmap(*FBitmap, FAlpha, *FWindow);
  FWindow->show();
  StackWindowAbove(FWindow.get(), FStackAbove);
  FTimer.start();
}

void TspLayerManager::HideLayer() {
  FTimer.stop();
  // Hidden now, destroyed later: the hide may run inside the platform's handling of an
  // event of this very window (its activation on showing).
  if (FWindow) {
    FWindow->hide();
    FWindow.release()->deleteLater();
  }
  FBitmap.reset();
  FAlpha = 0;
}

void TspLayerManager::Tick() {
  if (!FWindow || !FBitmap) {
    FTimer.stop();
    return;
  }
  FAlpha = NextLayerAlpha(FAlpha, FAlphaLimit);
  ShowLayeredBitmap(*FBitmap, FAlpha, *FWindow);
  if (FAlpha >= FAlphaLimit) FTimer.stop();
}
