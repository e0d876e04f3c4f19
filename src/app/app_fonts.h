#pragma once
// The faces the screens name, and free stand-ins for them: the skins' "Tahoma" (the files
// under /usr/share/wine/fonts), "Segoe UI" and "Segoe UI Light" (Liberation Sans, narrowed
// to their width, so the layouts' texts fit their labels).

#include <QFont>

inline constexpr char kTahoma[] = "Tahoma";
inline constexpr char kSegoeUI[] = "Segoe UI";
inline constexpr char kSegoeUILight[] = "Segoe UI Light";

// Registers the fonts and substitutions once per process; call before any window is made.
void RegisterAppFonts();

// A font of a named face at a height in pixels; the Segoe faces come narrowed (and light).
QFont AppFont(const char* family, int pixelSize, bool bold = false);
