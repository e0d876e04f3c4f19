#pragma once
// The frame's geometry for one window size: the skin's [FORMINFO] points and rectangles
// moved by how much the window is larger than the frame picture, and the client rectangle
// that follows from it (or from the plain frame when no skin is loaded).

#include "skin/render/geometry.h"

class TspFormInfo;

// The plain frame drawn without a skin: a 3-pixel border under a 19-pixel caption (15 for
// tool windows) with square 17-pixel buttons (13).
constexpr int kDefaultBorder = 3;
constexpr int kDefaultCaptionHeight = 19;
constexpr int kDefaultToolCaptionHeight = 15;
constexpr int kDefaultButtonSize = 17;
constexpr int kDefaultToolButtonSize = 13;

struct TspFrameGeometry {
  TspPoint LeftTop, RightTop, LeftBottom, RightBottom;
  TspRect ClientArea;
  TspRect CaptionArea;
  TspRect ButtonsArea;
  bool ButtonsInLeft = false;
  // The buttons rectangle lies in the left half of the picture: it does not move.
  bool ButtonsLeftAnchored = false;
  int ButtonsOffset = 0;
  TspPoint HitLeftTop, HitRightTop, HitLeftBottom, HitRightBottom;
  TspRect MaskArea;
  friend bool operator==(const TspFrameGeometry&, const TspFrameGeometry&) = default;
};

// The geometry of a frame of frameWidth x frameHeight drawn from a frame picture of
// pictureWidth x pictureHeight described by `info`.
TspFrameGeometry ComputeFrameGeometry(const TspFormInfo& info, int pictureWidth, int pictureHeight,
                                      int frameWidth, int frameHeight);

// The client rectangle of a window of w x h in window coordinates, from the skin's client
// rectangle (picture of pictureWidth x pictureHeight); edges that would cross are raised
// to meet, so the rectangle is at worst empty, never inverted.
TspRect SkinnedClientRect(const TspRect& clientrect, int pictureWidth, int pictureHeight, int w,
                          int h);
// The same for the plain frame.
TspRect DefaultClientRect(int w, int h, bool toolWindow = false);
