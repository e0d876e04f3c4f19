#include "skin/frame/layer_bands.h"

#include "skin/data/window_records.h"

#include <algorithm>

namespace {

// Copies `s` of `src` onto `d` of `dst`, scaling by nearest neighbour when the sizes
// differ; pixels (alpha included) replace what was there. Clipped to both bitmaps.
void CopyScaled(const TspBitmap& src, const QRect& s, TspBitmap& dst, const QRect& d) {
  if (s.isEmpty() || d.isEmpty()) return;
  for (int y = std::max(0, d.top()); y <= std::min(dst.Height() - 1, d.bottom()); ++y) {
    const int sy = s.top() + int(qint64(y - d.top()) * s.height() / d.height());
    const std::uint32_t* from = src.ScanLine(sy);
    std::uint32_t* to = dst.ScanLine(y);
    if (!from || !to) continue;
    for (int x = std::max(0, d.left()); x <= std::min(dst.Width() - 1, d.right()); ++x) {
      const int sx = s.left() + int(qint64(x - d.left()) * s.width() / d.width());
      if (sx >= 0 && sx < src.Width()) to[x] = from[sx];
    }
  }
}

// Copies `s` repeatedly down `d` at its own height, the last copy cut.
void TileDown(const TspBitmap& src, const QRect& s, TspBitmap& dst, const QRect& d) {
  if (s.isEmpty() || d.isEmpty()) return;
  for (int y = d.top(); y < d.top() + d.height(); y += s.height()) {
    const int h = std::min(s.height(), d.top() + d.height() - y);
    CopyScaled(src, QRect(s.left(), s.top(), s.width(), h), dst, QRect(d.left(), y, d.width(), h));
  }
}

// A horizontal band of width w from source rows [top, top + h): the columns left of
// `leftX` and from `rightX` on keep their size at the two ends, the middle is stretched.
void ComposeRow(const TspBitmap& src, int top, int h, int leftX, int rightX, int w,
                TspBitmap& band) {
  band.SetSize(w, h);
  const int PW = src.Width();
  const int rightW = PW - rightX;
  CopyScaled(src, QRect(0, top, leftX, h), band, QRect(0, 0, leftX, h));
  CopyScaled(src, QRect(rightX, top, rightW, h), band, QRect(w - rightW, 0, rightW, h));
  CopyScaled(src, QRect(leftX, top, rightX - leftX, h), band,
             QRect(leftX, 0, w - rightW - leftX, h));
}

} // namespace

QRect LayerRect(const TspDataSkinLayerFrame& f, const QSize& picture, const QRect& form) {
  const TspRect& lc = f.clientrect;
  return QRect(form.x() + f.leftoffset - lc.Left, form.y() + f.topoffset - lc.Top,
               form.width() + f.widthoffset + picture.width() - lc.Width(),
               form.height() + f.heightoffset + picture.height() - lc.Height());
}

void ComposeLayerBands(const TspBitmap& source, const TspDataSkinLayerFrame& f, int w, int h,
                       TspLayerBands& b) {
  b.Whole = false;
  // Emptied first, so each band gets a fresh zero-filled buffer.
  for (TspBitmap* band : {&b.Top, &b.Bottom, &b.Left, &b.Right}) band->Assign(QImage());
  b.TopRect = b.BottomRect = b.LeftRect = b.RightRect = QRect();
  if (source.IsEmpty() || w <= 0 || h <= 0) return;
  const int PW = source.Width(), PH = source.Height();

  if (f.rightbottompoint == TspPoint{0, 0}) {
    b.Whole = true;
    b.Top.Assign(source);
    b.Top.ClampToAlpha();
    b.TopRect = QRect(0, 0, PW, PH);
    return;
  }

  const int topH = std::clamp(std::max(f.lefttoppoint.Y, f.righttoppoint.Y), 0, std::min(PH, h));
  int bottomH = std::clamp(PH - std::min(f.leftbottompoint.Y, f.rightbottompoint.Y), 0, PH);
  bottomH = std::min(bottomH, h - topH);
  const auto clampX = [PW](int x) { return std::clamp(x, 0, PW); };
  if (topH > 0) {
    ComposeRow(source, 0, topH, clampX(f.lefttoppoint.X),
               std::max(clampX(f.lefttoppoint.X), clampX(f.righttoppoint.X)), w, b.Top);
    b.TopRect = QRect(0, 0, w, topH);
  }
  if (bottomH > 0) {
    ComposeRow(source, PH - bottomH, bottomH, clampX(f.leftbottompoint.X),
               std::max(clampX(f.leftbottompoint.X), clampX(f.rightbottompoint.X)), w, b.Bottom);
    b.BottomRect = QRect(0, h - bottomH, w, bottomH);
  }

  const int sideH = h - topH - bottomH;
  const int sourceH = PH - bottomH - topH;
  const int leftW = std::clamp(f.clientrect.Left, 0, PW);
  const int rightW = std::clamp(PW - f.clientrect.Right, 0, PW);
  const auto side = [&](int width, int sourceX, int x, TspBitmap& band, QRect& rect) {
    if (sideH <= 0 || width <= 0 || sourceH <= 0) return;
    band.SetSize(width, sideH);
    const QRect s(sourceX, topH, width, sourceH), d(0, 0, width, sideH);
    if (f.fullstretch)
      CopyScaled(source, s, band, d);
    else
      TileDown(source, s, band, d);
    rect = QRect(x, topH, width, sideH);
  };
  side(leftW, 0, 0, b.Left, b.LeftRect);
  side(rightW, PW - rightW, w - rightW, b.Right, b.RightRect);

  for (TspBitmap* band : {&b.Top, &b.Bottom, &b.Left, &b.Right}) {
    band->ClampToAlpha();
    band->HasAlpha = true;
  }
}

int ScaleLayerAlpha(int value, int formAlpha) {
  const int q = std::clamp(value, 0, 255) * std::clamp(formAlpha, 0, 255);
  return (q + 127) / 255;
}
