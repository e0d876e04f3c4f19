#pragma once
// Questions for the window system that the skin's windows depend on: whether translucent
// windows are composed, and keeping a window the window manager does not manage stacked
// with its form.

class QWindow;

// True only where the windowing system composes translucent windows: Wayland, Windows and
// macOS, and X11 while a compositing manager owns _NET_WM_CM_S0. False on the offscreen
// platform and on a bare X server, where translucent windows would show black instead of
// what lies behind them.
bool TranslucentWindowsComposed();

// Restacks `window` directly above the top-level window that holds `below` (on X11 its
// window manager's frame). Does nothing where the platform keeps such windows with their
// transient parent itself, or when either has no native window.
void StackNativeWindowAbove(QWindow* window, QWindow* below);
