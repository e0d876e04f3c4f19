#pragma once
// The sizes and places a framed window may take: its minimum and maximum tracking sizes,
// the rectangle it maximises to, snapping to the work area's edges while it is moved, and
// a stored position brought back within reach.

#include "skin/render/geometry.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class TspFormInfo;

struct TspTrackingInput {
  bool Skinned = false;
  // The frame picture's width and height and the skin's [FORMINFO] (skinned only).
  int PictureWidth = 0, PictureHeight = 0;
  const TspFormInfo* Info = nullptr;
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
  bool Minimized = false;
  bool RolledUp = false;
  bool ToolWindow = false;
  // The monitor's work area (or whole monitor with MaximizeOnFullScreen).
  QSize MaximumArea;
};

QSize MinTrackingSize(const TspTrackingInput& in);
QSize MaxTrackingSize(const TspTrackingInput& in);

// Where a window maximises: the work area (or the whole monitor); a work area as large as
// the primary monitor at the origin (the task bar hides itself) is shrunk by a pixel on
// every side so the task bar can still be reached.
QRect MaximizedBounds(const QRect& monitor, const QRect& workArea, bool primary, bool fullScreen);

// Snapping to the work area while moving. Keeps the flags and the cursor position at the
// moment each edge snapped.
class TspMagneticSnap {
public:
  // The top-left corner for a proposed one at `proposed` of a window of `size`, with the
  // cursor at `cursor`; `distance` is MagneticSize.
  QPoint Snap(QPoint proposed, QSize size, const QRect& area, QPoint cursor, int distance);
  void Reset() { *this = TspMagneticSnap(); }
  bool SnappedLeft() const { return FLeft; }
  bool SnappedTop() const { return FTop; }
  bool SnappedRight() const { return FRight; }
  bool SnappedBottom() const { return FBottom; }

private:
  bool FLeft = false, FTop = false, FRight = false, FBottom = false;
  QPoint FAt;
};

// A window's stored bounds brought within reach. The caption strip (`captionRect`, in
// window coordinates) is out of reach when no screen's work area shows its whole height
// over at least half its width; the window is then moved onto the nearest work area so
// that the whole caption lies on it (one wider than the area spans it). Bounds within
// reach are kept as they are.
QRect KeepCaptionReachable(const QRect& bounds, const TspRect& captionRect,
                           const QList<QRect>& workAreas);
