#include "skin/frame/window_sizing.h"

#include "skin/data/window_records.h"
#include "skin/frame/frame_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

QSize MinTrackingSize(const TspTrackingInput& in) {
  int w = 0, h = 0;
  if (!in.Skinned || !in.Info) {
    w = in.MinWidth > 0 ? in.MinWidth : 130;
    const int ch = in.ToolWindow ? kDefaultToolCaptionHeight : kDefaultCaptionHeight;
    h = (ch + 6 >= in.MinHeight || in.RolledUp || in.Minimized) ? ch + 6 : in.MinHeight;
    return {w, h};
  }
  const TspFormInfo& info = *in.Info;
  if (in.PictureWidth < in.MinWidth && !in.Minimized)
    w = in.MinWidth;
  else if (info.formminwidth > 0)
    w = in.Minimized ? info.formminwidth : std::max(info.formminwidth, in.MinWidth);
  else
    w = in.PictureWidth;
  const bool free = in.RolledUp || in.Minimized;
  if (info.formminheight != 0) {
    h = free ? info.formminheight : std::max(info.formminheight, in.MinHeight);
  } else {
    const int frame = in.PictureHeight - info.clientrect.Height();
    h = (frame >= in.MinHeight || free) ? frame : in.MinHeight;
  }
  return {w, h};
}

QSize MaxTrackingSize(const TspTrackingInput& in) {
  return {in.MaxWidth != 0 ? in.MaxWidth : in.MaximumArea.width(),
          in.MaxHeight != 0 ? in.MaxHeight : in.MaximumArea.height()};
}

QRect MaximizedBounds(const QRect& monitor, const QRect& workArea, bool primary, bool fullScreen) {
  if (fullScreen) return monitor;
  QRect target = workArea;
  if (workArea.size() == monitor.size() && primary && monitor.topLeft() == QPoint(0, 0))
    target.adjust(1, 1, -1, -1);
  return target;
}

namespace {

// One axis of the snap: `pos` is the proposed start, `extent` the window's length, `lo`
// and `hi` the work area's start and end (exclusive), `cursor` the cursor on this axis.
int SnapAxis(int pos, int extent, int lo, int hi, int cursor, int s, bool& snappedLo,
             bool& snappedHi, int& at) {
  const bool nearLo = lo - s < pos && pos < lo + s;
  if (nearLo && !snappedLo) {
    pos = lo;
    at = cursor;
  } else if (snappedLo) {
    pos = std::abs(cursor - at) > s ? cursor + lo - at : lo;
  }
  snappedLo = nearLo;

  const bool nearHi = hi - s < pos + extent && pos + extent < hi + s;
  if (nearHi && !snappedHi) {
    pos = hi - extent;
    at = cursor;
  } else if (snappedHi) {
    pos = std::abs(cursor - at) > s ? cursor + hi - extent - at : hi - extent;
  }
  snappedHi = nearHi;
  return pos;
}

} // namespace

QPoint TspMagneticSnap::Snap(QPoint proposed, QSize size, const QRect& area, QPoint cursor,
                             int distance) {
  int atX = FAt.x(), atY = FAt.y();
  const int x = SnapAxis(proposed.x(), size.width(), area.left(), area.left() + area.width(),
                         cursor.x(), distance, FLeft, FRight, atX);
  const int y = SnapAxis(proposed.y(), size.height(), area.top(), area.top() + area.height(),
                         cursor.y(), distance, FTop, FBottom, atY);
  FAt = QPoint(atX, atY);
  return {x, y};
}

QRect KeepCaptionReachable(const QRect& bounds, const TspRect& captionRect,
                           const QList<QRect>& workAreas) {
  if (workAreas.isEmpty() || captionRect.IsEmpty()) return bounds;
  const QRect caption = captionRect.ToQRect().translated(bounds.topLeft());
  // Within reach: one work area shows the caption's whole height over at least half its
  // width (or, for a caption wider than twice the area, all of the area).
  for (const QRect& a : workAreas) {
    const QRect overlap = a & caption;
    if (overlap.height() == caption.height() &&
        overlap.width() >= std::min((caption.width() + 1) / 2, a.width()))
      return bounds;
  }
  // The work area nearest the caption's centre.
  const QPoint c = caption.center();
  const QRect* nearest = nullptr;
  double best = std::numeric_limits<double>::max();
  for (const QRect& a : workAreas) {
    const double dx = std::max({a.left() - c.x(), 0, c.x() - a.right()});
    const double dy = std::max({a.top() - c.y(), 0, c.y() - a.bottom()});
    const double d = dx * dx + dy * dy;
    if (d < best) {
      best = d;
      nearest = &a;
    }
  }
  const QRect& a = *nearest;
  const auto place = [](qint64 pos, int start, int end, int lo, int hi) {
    // The caption spans [pos + start, pos + end) and must lie within [lo, hi).
    // A caption wider than the area covers it from its left edge to its right.
    qint64 lowest = qint64(lo) - start;
    qint64 highest = qint64(hi) - end;
    if (highest < lowest) std::swap(lowest, highest);
    return int(std::clamp(pos, lowest, highest));
  };
  const int x =
      place(bounds.x(), captionRect.Left, captionRect.Right, a.left(), a.left() + a.width());
  const int y =
      place(bounds.y(), captionRect.Top, captionRect.Bottom, a.top(), a.top() + a.height());
  return QRect(QPoint(x, y), bounds.size());
}
