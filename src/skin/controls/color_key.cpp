#include "skin/controls/color_key.h"

void KeyOutColor(QImage& image, QRgb key) {
  if (image.isNull()) return;
  if (image.format() != QImage::Format_ARGB32) image.convertTo(QImage::Format_ARGB32);
  const QRgb rgb = key & 0xFFFFFFu;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((line[x] & 0xFFFFFFu) == rgb) line[x] = 0;
  }
}
