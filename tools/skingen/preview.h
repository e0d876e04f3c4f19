#pragma once
// Pictures for looking at a generated skin: a sample window built only from the skin's
// description and pictures (every rectangle is read back from skin.ini), and the active
// pictures enlarged. Needs a QGuiApplication (it draws text).

#include "skin_build.h"

#include <QString>

// Writes dir/<skn name>_window.png, dir/<skn name>_zoom.png and
// dir/<skn name>_pictures.png.
void WritePreviews(const TBuiltSkin& skin, const QString& dir);
