#include "platform/window_system.h"

#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>

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

bool TranslucentWindowsComposed() {
  if (!qGuiApp) return false;
  const QString platform = QGuiApplication::platformName();
  if (platform == "windows" || platform == "cocoa" || platform.startsWith("wayland")) return true;
  if (platform == "xcb") return X11HasCompositingManager();
  return false;
}

void StackNativeWindowAbove(QWindow* window, QWindow* below) {
  if (!window || !below || !window->handle() || !below->handle()) return;
  if (QGuiApplication::platformName() == QLatin1String("xcb"))
    X11StackAbove(window->winId(), below->winId());
}
