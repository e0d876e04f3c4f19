#include "skin/render/regions.h"

#include "skin/render/pixel_copy.h"

#include <QVector>

namespace {

// A mask band: black where nothing is drawn, so that a band whose side has no
// length to tile still counts as part of the window rather than cutting a hole.
QImage NewBand(int w, int h) {
  QImage band;
  ResizeTarget(band, w, h);
  return band;
}

} // namespace

std::optional<QRegion> CreateMaskRegion(const QImage& mask, int dx, int dy) {
  if (mask.isNull()) return QRegion();
  QImage holder;
  const QImage& m = mask.format() == QImage::Format_ARGB32 ? mask : AsRgb32(mask, holder);
  QVector<QRect> rects;
  const int w = m.width();
  for (int y = 0; y < m.height(); ++y) {
    const auto* line = reinterpret_cast<const quint32*>(m.constScanLine(y));
    int x = 0;
    while (x < w) {
      if ((line[x] & 0x00FFFFFFu) != 0) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < w && (line[x] & 0x00FFFFFFu) == 0) ++x;
      if (rects.size() == kMaxMaskRegionRects) return std::nullopt;
      rects.append(QRect(start + dx, y + dy, x - start, 1));
    }
  }
  QRegion region;
  // Rows top to bottom, runs left to right, never touching: the banded order
  // setRects expects, so no union has to be computed.
  if (!rects.isEmpty()) region.setRects(rects.constData(), int(rects.size()));
  return region;
}

std::optional<QRegion> CreateComposedMaskRegion(const QImage& rawMask,
                                                const TspNinePartGeometry& skin, int w, int h,
                                                const TspNinePartGeometry& dest, int kind) {
  if (rawMask.isNull()) return std::nullopt;
  TspNinePartGeometry s = BoundGeometry(skin), d = BoundGeometry(dest);
  if (kind == kCompositionHorizontal) {
    s.LB = s.LT;
    s.RB = s.RT;
    d.LB = d.LT;
    d.RB = d.RT;
  } else if (kind == kCompositionVertical) {
    s.RT = s.LT;
    s.RB = s.LB;
    d.RT = d.LT;
    d.RB = d.LB;
  }
  if (d.RT.X < d.LT.X || d.LB.Y < d.LT.Y) return std::nullopt;
  const TspRect& c = s.ClientRect;
  const TspRect& dc = d.ClientRect;
  if (dc.IsEmpty()) return std::nullopt;

  QImage holder;
  const QImage& mask = AsRgb32(rawMask, holder);
  const int W = mask.width(), H = mask.height();
  const int sideH = dc.Height();
  auto tile = [&](QImage& band, const TspRect& from, const TspRect& to, bool alongX) {
    CopyPart(band, to, mask, from, alongX ? TspAxisFill::Tile : TspAxisFill::Scale,
             alongX ? TspAxisFill::Scale : TspAxisFill::Tile);
  };

  QRegion region(dc.ToQRect());
  auto add = [&](const QImage& band, int x, int y) {
    if (band.isNull()) return true;
    const std::optional<QRegion> r = CreateMaskRegion(band, x, y);
    if (!r) return false;
    region += *r;
    return true;
  };

  // Mask sides are always tiled: a stretched outline would not match the image's.
  QImage top, bottom, left, right;
  if (w > 0 && c.Top > 0) {
    top = NewBand(w, c.Top);
    tile(top, {s.LT.X, 0, s.RT.X, c.Top}, {d.LT.X, 0, d.RT.X, c.Top}, true);
    CopyPart(top, {0, 0, d.LT.X, c.Top}, mask, {0, 0, s.LT.X, c.Top});
    CopyPart(top, {d.RT.X, 0, w, c.Top}, mask, {s.RT.X, 0, W, c.Top});
  }
  const int bottomH = H - c.Bottom;
  if (w > 0 && bottomH > 0) {
    bottom = NewBand(w, bottomH);
    tile(bottom, {s.LB.X, c.Bottom, s.RB.X, H}, {d.LB.X, 0, d.RB.X, bottomH}, true);
    CopyPart(bottom, {0, 0, d.LB.X, bottomH}, mask, {0, c.Bottom, s.LB.X, H});
    CopyPart(bottom, {d.RB.X, 0, w, bottomH}, mask, {s.RB.X, c.Bottom, W, H});
  }
  if (c.Left > 0 && sideH > 0) {
    left = NewBand(c.Left, sideH);
    tile(left, {0, s.LT.Y, c.Left, s.LB.Y}, {0, 0, c.Left, sideH}, false);
    CopyPart(left, {0, 0, c.Left, s.LT.Y - c.Top}, mask, {0, c.Top, c.Left, s.LT.Y});
    CopyPart(left, {0, sideH - (c.Bottom - s.LB.Y), c.Left, sideH}, mask,
             {0, s.LB.Y, c.Left, c.Bottom});
  }
  const int rightW = W - c.Right;
  if (rightW > 0 && sideH > 0) {
    right = NewBand(rightW, sideH);
    tile(right, {c.Right, s.RT.Y, W, s.RB.Y}, {0, 0, rightW, sideH}, false);
    CopyPart(right, {0, 0, rightW, s.RT.Y - c.Top}, mask, {c.Right, c.Top, W, s.RT.Y});
    CopyPart(right, {0, sideH - (c.Bottom - s.RB.Y), rightW, sideH}, mask,
             {c.Right, s.RB.Y, W, c.Bottom});
  }
  if (!add(top, 0, 0) || !add(bottom, 0, dc.Bottom) || !add(left, 0, dc.Top) ||
      !add(right, dc.Right, dc.Top))
    return std::nullopt;
  // Nothing outside the window belongs to its shape.
  return region & QRect(0, 0, w, h);
}
