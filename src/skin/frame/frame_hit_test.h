#pragma once
// Which part of the frame a point of the window is on: the client area, the caption, one
// of the eight sizing zones, or the border (where the frame handles the mouse itself).

#include "skin/frame/frame_geometry.h"

#include <QImage>
#include <functional>

enum TspHitCode : int {
  HTNOWHERE = 0,
  HTCLIENT = 1,
  HTCAPTION = 2,
  HTLEFT = 10,
  HTRIGHT = 11,
  HTTOP = 12,
  HTTOPLEFT = 13,
  HTTOPRIGHT = 14,
  HTBOTTOM = 15,
  HTBOTTOMLEFT = 16,
  HTBOTTOMRIGHT = 17,
  HTBORDER = 19,
};

struct TspHitTestInput {
  int Width = 0, Height = 0;
  bool Skinned = false;
  bool Sizeable = true;
  bool Maximized = false;
  bool Minimized = false;
  bool RolledUp = false;
  // An object is hovered; a move or size is in progress.
  bool ObjectHovered = false;
  bool InSizeMove = false;
  // Skinned: the geometry for this size, the skin's borderwidth and its mask picture (may
  // be null).
  TspFrameGeometry Geometry;
  int BorderWidth = 0;
  QImage MaskPicture;
  // The caption test: whether the point lies on a caption that moves the window.
  std::function<bool(int x, int y)> IsCaption;
  // The plain frame's caption rectangle.
  TspRect DefaultCaption;
  bool ToolWindow = false;
};

// The hit code of (x, y) in window coordinates.
TspHitCode FrameHitTest(const TspHitTestInput& in, int x, int y);

// The edges a sizing code stands for (none for other codes).
Qt::Edges EdgesOf(TspHitCode code);
