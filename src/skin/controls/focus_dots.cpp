#include "skin/controls/focus_dots.h"

void DrawFocusDots(QImage& image, const QRect& r, const QColor& color) {
  if (r.isEmpty() || image.isNull()) return;
  const QImage::Format f = image.format();
  if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
      f != QImage::Format_ARGB32_Premultiplied)
    image = image.convertToFormat(QImage::Format_RGB32);
  const QRgb c = color.rgb();
  const int l = r.left(), t = r.top(), ri = r.right(), b = r.bottom();
  int n = 0;
  const auto dot = [&](int x, int y) {
    if ((n++ & 1) == 0 && x >= 0 && y >= 0 && x < image.width() && y < image.height())
      reinterpret_cast<QRgb*>(image.scanLine(y))[x] = c;
  };
  for (int x = l; x <= ri; ++x) dot(x, t);
  for (int y = t + 1; y <= b; ++y) dot(ri, y);
  if (b > t)
    for (int x = ri - 1; x >= l; --x) dot(x, b);
  if (ri > l)
    for (int y = b - 1; y > t; --y) dot(l, y);
}
