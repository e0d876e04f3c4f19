#pragma once
// Layered windows: frameless, input-transparent top-level windows that show a
// 32-bit picture with per-pixel alpha over whatever lies behind them, and the
// fade-in of such a window used for glow frames.

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRasterWindow>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

class QWindow;
class TspBitmap;

// Whether translucent windows are composed here (the platform layer's probe), the default
// answer of everything below that shows layered windows.
bool LayeredWindowsSupported();

// A pop-up that never takes focus, stays off the task bar and lets mouse input
// pass through (unless `inputTransparent` is cleared), painting a premultiplied image at a
// constant opacity.
class TspLayerWindow : public QRasterWindow {
public:
  explicit TspLayerWindow(bool topmost, bool inputTransparent = true);

  // The picture shown (premultiplied ARGB) and the constant alpha (0 to 255).
  const QImage& Picture() const { return FPicture; }
  int ConstantAlpha() const { return FConstantAlpha; }

  // Takes a premultiplied picture, sizes the window to it at its current
  // position and repaints.
  void SetPicture(QImage premultiplied, int constantAlpha);

protected:
  void paintEvent(QPaintEvent* event) override;
  // A layer never keeps the activation a platform may give it on showing: it goes back to
  // the window the layer belongs to (its transient parent).
  void focusInEvent(QFocusEvent* event) override;

private:
  QImage FPicture;
  int FConstantAlpha = 0;
};

// Restacks `window` directly above the top-level window that holds `below` (on X11 its
// window manager's frame), so a window the window manager does not manage stays with its
// form in the stacking order. Does nothing where the platform keeps such windows with
// their transient parent itself, or when either has no native window.
void StackWindowAbove(QWindow* window, QWindow* below);

// Shows the bitmap in the window at the window's position: its colours taken
// as premultiplied by its alpha, per-pixel alpha and the constant alpha (clamped
// to 0..255) combined.
void ShowLayeredBitmap(const TspBitmap& bitmap, int constantAlpha, TspLayerWindow& window);

// One step of the fade-in: the constant alpha rises by limit div 10 and never
// beyond the limit. A limit below 10 gives a step of 0: the layer stays fully
// transparent.
int NextLayerAlpha(int alpha, int alphaLimit);

// Fades a layered picture in at a screen position, one window at a time.
class TspLayerManager : public QObject {
public:
  // `supported` decides whether layered windows can be shown (LayeredWindowsSupported
  // by default; tests pass their own answer).
  explicit TspLayerManager(QObject* parent = nullptr,
                           std::function<bool()> supported = LayeredWindowsSupported);
  ~TspLayerManager() override;

  // Above all other windows when set (the default), above normal windows only when
  // cleared; applies to layers shown afterwards.
  bool Topmost() const { return FTopmost; }
  void SetTopmost(bool value) { FTopmost = value; }
  // The window a layer is kept above (its owner form); layers bypass the window manager,
  // so nothing else restacks them.
  void SetStackAbove(QWindow* window) { FStackAbove = window; }

  // Does nothing where layered windows are unsupported. Otherwise hides any layer
  // shown, then shows `bitmap` at (x, y) with alpha from `mask` (the mean of its
  // red, green and blue at the same place; a mask smaller than the bitmap leaves
  // the bitmap opaque), starting fully transparent and rising every 25 ms.
  void ShowLayer(int x, int y, int alphaLimit, const QImage& mask, const QImage& bitmap);
  // Stops the fade, frees the picture and destroys the window.
  void HideLayer();

  static constexpr int TickInterval = 25; // ms

  // State, for the frame and for tests.
  bool IsShowing() const { return FWindow != nullptr; }
  bool IsFading() const { return FTimer.isActive(); }
  int CurrentAlpha() const { return FAlpha; }
  TspLayerWindow* Window() const { return FWindow.get(); }

private:
  void Tick();

  std::function<bool()> FSupported;
  bool FTopmost = true;
  QPointer<QWindow> FStackAbove;
  int FAlpha = 0;
  int FAlphaLimit = 0;
  QTimer FTimer;
  std::unique_ptr<TspBitmap> FBitmap;
  std::unique_ptr<TspLayerWindow> FWindow;
};
