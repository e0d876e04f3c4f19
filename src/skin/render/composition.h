#pragma once
// Turns a skin part, drawn once at a fixed size in a skin picture, into an image
// of any size: fixed corners, sides and a centre that are stretched or tiled.
//
// Conventions for every function here: the picture P is a 32-bit image (RGB32;
// other formats are converted on each call, which costs time), the skin rectangle
// S lies in it, and geometry of the part is relative to the top-left corner of S.
// Copies are clipped to P and to the target, so a skin whose rectangles lie
// outside its picture draws what exists and never reads out of bounds.

#include "skin/render/geometry.h"
#include "skin/render/pixel_copy.h"

#include <QImage>

// The frame of a part: the client rectangle (where content goes) and the four
// inner corner points that bound its stretched or tiled sides.
struct TspNinePartGeometry {
  TspRect ClientRect;
  TspPoint LT, RT, LB, RB;
  friend bool operator==(const TspNinePartGeometry&, const TspNinePartGeometry&) = default;
};

// How the sides and the centre of a nine-part image grow, as a skin record's
// keys say.
struct TspStretchFlags {
  bool leftstretch = false; // a side is stretched when set, tiled otherwise
  bool topstretch = false;
  bool rightstretch = false;
  bool bottomstretch = false;
  bool stretcheffect = false; // the centre is stretched when set, tiled otherwise
  // How a stretched centre is stretched.
  int stretchtype = 0;
};

constexpr int kStretchFull = 0;       // to the whole client rectangle
constexpr int kStretchVertical = 1;   // to its height, repeated across
constexpr int kStretchHorizontal = 2; // to its width, repeated downwards

// The one rule for how a centre, client piece or background picture covers an area,
// per axis: tiled both ways without stretcheffect; with it, scaled both ways for
// kStretchFull (and any unknown type), scaled to the area's height and tiled across
// for kStretchVertical, scaled to its width and tiled downwards for kStretchHorizontal.
struct TspCentreFill {
  TspAxisFill Columns = TspAxisFill::Tile;
  TspAxisFill Rows = TspAxisFill::Tile;
  friend bool operator==(const TspCentreFill&, const TspCentreFill&) = default;
};
TspCentreFill CentreFill(bool stretcheffect, int stretchtype);

// The size of one tile when a piece of size `piece` covers `area` by that rule: a
// scaled axis takes the area's length, a tiled one the piece's own. Empty when both
// axes tile: the piece is repeated as it is.
QSize StretchTileSize(bool stretcheffect, int stretchtype, QSize piece, QSize area);
inline QSize StretchTileSize(const TspStretchFlags& flags, QSize piece, QSize area) {
  return StretchTileSize(flags.stretcheffect, flags.stretchtype, piece, area);
}

// What ChooseComposition answers.
constexpr int kCompositionNone = -1;      // empty skin rectangle: no image
constexpr int kCompositionFixed = 0;      // the skin rectangle as it is
constexpr int kCompositionNinePart = 1;   // any width and height
constexpr int kCompositionHorizontal = 2; // any width, the skin's height
constexpr int kCompositionVertical = 3;   // any height, the skin's width

int ChooseComposition(const TspRect& skinrect, const TspNinePartGeometry& g);

// The geometry of a part of skin size W x H when drawn w x h: the right-hand
// points and the client rectangle's right edge move by w - W, the lower ones
// and its bottom edge by h - H.
TspNinePartGeometry TargetGeometry(const TspNinePartGeometry& skin, int W, int H, int w, int h);

// Resizes `target` to w x h (RGB32; one of that size keeps its pixels) and
// draws the four sides, the eight fixed pieces and, when `drawCentre`, the centre.
// `dest` is the target geometry, usually TargetGeometry(skin, S size, w, h).
// Nothing is drawn when P is empty or RB equals LT in x or y.
void ComposeNinePartImage(QImage& target, const QImage& P, const TspRect& S,
                          const TspNinePartGeometry& skin, int w, int h,
                          const TspNinePartGeometry& dest, const TspStretchFlags& flags,
                          bool drawCentre);
// The same with the draw-centre flag before the stretch flags, as the popup menu
// and the hint window pass them.
void ComposeNinePartImage(QImage& target, const QImage& P, const TspRect& S,
                          const TspNinePartGeometry& skin, int w, int h,
                          const TspNinePartGeometry& dest, bool drawCentre,
                          const TspStretchFlags& flags);

// Kind 2: `target` becomes w x H. Columns 0..leftWidth and the last rightWidth
// columns of S are kept; the middle is stretched or tiled between them.
void ComposeHorizontalImage(QImage& target, const QImage& P, const TspRect& S, int leftWidth,
                            int rightWidth, bool stretch, int w);
// Kind 3: `target` becomes W x h, the same along the other axis.
void ComposeVerticalImage(QImage& target, const QImage& P, const TspRect& S, int topHeight,
                          int bottomHeight, bool stretch, int h);

// Nine parts cut at the corners of `clientRect`, every side and the centre
// stretched, into `target` at the size it already has.
void ComposeStretchedImage(QImage& target, const QImage& P, const TspRect& S,
                           const TspRect& clientRect, bool drawCentre);

// The four frame bands of a nine-part image as separate pictures, for controls
// that paint their frame apart from their content. A band without positive
// size, or whose side has no positive length in the skin, stays null.
struct TspBorderStrips {
  QImage Top;    // w x ct
  QImage Bottom; // w x (h - cb')
  QImage Left;   // cl x (h - top height - bottom height)
  QImage Right;  // (w - cr') x the same height
};
TspBorderStrips ComposeBorderStrips(const QImage& P, const TspRect& S,
                                    const TspNinePartGeometry& skin, int w, int h,
                                    const TspNinePartGeometry& dest, const TspStretchFlags& flags);
