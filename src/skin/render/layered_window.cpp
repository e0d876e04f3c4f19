#include "skin/render/layered_window.h"

#include "skin/render/bitmap.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSurfaceFormat>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <QtGui/qguiapplication_platform.h>

#if QT_CONFIG(xcb) && __has_include(<xcb/xcb.h>) && __has_include(<dlfcn.h>)
#define VORNS_XCB_PROBE 1
#include <dlfcn.h>
#include <xcb/xcb.h>
#endif

namespace {

#ifdef VORNS_XCB_PROBE
// Asks the X server whether a compositing manager runs. libxcb is looked up in
// the process (the xcb platform plugin has loaded it), so the render library
// needs no link to it.
bool X11HasCompositingManager() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* conn = x11 ? x11->connection() : nullptr;
  if (!conn) return false;
  void* lib = dlopen("libxcb.so.1", RTLD_NOW | RTLD_NOLOAD);
  if (!lib) return false;
  const auto internAtom =
      reinterpret_cast<decltype(&xcb_intern_atom)>(dlsym(lib, "xcb_intern_atom"));
  const auto internAtomReply =
      reinterpret_cast<decltype(&xcb_intern_atom_reply)>(dlsym(lib, "xcb_intern_atom_reply"));
  const auto getOwner =
      reinterpret_cast<decltype(&xcb_get_selection_owner)>(dlsym(lib, "xcb_get_selection_owner"));
  const auto getOwnerReply = reinterpret_cast<decltype(&xcb_get_selection_owner_reply)>(
      dlsym(lib, "xcb_get_selection_owner_reply"));
  bool owned = false;
  if (internAtom && internAtomReply && getOwner && getOwnerReply) {
    static const char kName[] = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t* atom =
        internAtomReply(conn, internAtom(conn, 1, sizeof kName - 1, kName), nullptr);
    if (atom && atom->atom != XCB_ATOM_NONE) {
      xcb_get_selection_owner_reply_t* owner =
          getOwnerReply(conn, getOwner(conn, atom->atom), nullptr);
      owned = owner && owner->owner != XCB_WINDOW_NONE;
      std::free(owner);
    }
    std::free(atom);
  }
  dlclose(lib);
  return owned;
}
// The xcb functions this file calls, looked up in the process.
struct TspXcb {
  void* Lib = nullptr;
  decltype(&xcb_query_tree) QueryTree = nullptr;
  decltype(&xcb_query_tree_reply) QueryTreeReply = nullptr;
  decltype(&xcb_configure_window) ConfigureWindow = nullptr;
  decltype(&xcb_flush) Flush = nullptr;
  TspXcb() {
    Lib = dlopen("libxcb.so.1", RTLD_NOW | RTLD_NOLOAD);
    if (!Lib) return;
    QueryTree = reinterpret_cast<decltype(QueryTree)>(dlsym(Lib, "xcb_query_tree"));
    QueryTreeReply = reinterpret_cast<decltype(QueryTreeReply)>(dlsym(Lib, "xcb_query_tree_reply"));
    ConfigureWindow =
        reinterpret_cast<decltype(ConfigureWindow)>(dlsym(Lib, "xcb_configure_window"));
    Flush = reinterpret_cast<decltype(Flush)>(dlsym(Lib, "xcb_flush"));
  }
  ~TspXcb() {
    if (Lib) dlclose(Lib);
  }
  bool Ok() const { return QueryTree && QueryTreeReply && ConfigureWindow && Flush; }
};

void X11StackAbove(WId window, WId below) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* conn = x11 ? x11->connection() : nullptr;
  const TspXcb xcb;
  if (!conn || !xcb.Ok()) return;
  // Walk up to the child of the root window: the frame a reparenting manager put around it.
  xcb_window_t top = xcb_window_t(below);
  for (int depth = 0; depth < 16; ++depth) {
    xcb_query_tree_reply_t* tree = xcb.QueryTreeReply(conn, xcb.QueryTree(conn, top), nullptr);
    if (!tree) return;
    const bool atRoot = tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE;
    const xcb_window_t parent = tree->parent;
    std::free(tree);
    if (atRoot) break;
    top = parent;
  }
  const uint32_t values[] = {top, XCB_STACK_MODE_ABOVE};
  xcb.ConfigureWindow(conn, xcb_window_t(window),
                      XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values);
  xcb.Flush(conn);
}
#else
bool X11HasCompositingManager() {
  return false;
}
void X11StackAbove(WId, WId) {}
#endif

} // namespace

bool LayeredWindowsSupported() {
  if (!qGuiApp) return false;
  const QString platform = QGuiApplication::platformName();
  if (platform == "windows" || platform == "cocoa" || platform.startsWith("wayland")) return true;
  if (platform == "xcb") return X11HasCompositingManager();
  return false;
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
  if (!window || !below || !window->handle() || !below->handle()) return;
  if (QGuiApplication::platformName() == QLatin1String("xcb"))
    X11StackAbove(window->winId(), below->winId());
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
