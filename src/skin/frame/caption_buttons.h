#pragma once
// The caption buttons of the plain frame (drawn without a skin): which exist, where they
// go, and how each looks in its states.

#include "skin/frame/frame_objects.h"

#include <QColor>
#include <QImage>

// The system colours the plain frame is drawn in.
struct TspFrameColors {
  QColor BtnFace, BtnText, BtnShadow, DkShadow;
};

// The six default buttons, in the order the plain frame makes them: close, maximize,
// minimize, roll-up, system menu, minimize-to-tray.
TspObjectList MakeDefaultButtons();

// Places the default buttons of a frame of width `frameWidth` in a row from the right
// edge and returns the caption rectangle left over (window coordinates). `iconSize` is the
// system-menu button's size when it shows the form's icon (an empty size otherwise).
TspRect LayoutDefaultButtons(TspObjectList& objects, int frameWidth, bool toolWindow,
                             const QSize& iconSize);

// A default button's image of side B: its fill by state and its glyph.
QImage DrawDefaultButton(const TspSkinStdButtonObject& button, int side, bool down, bool hot,
                         const TspObjectPaintContext& c, const TspFrameColors& colors,
                         const QImage& icon = {});
