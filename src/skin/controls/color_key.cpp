#include "skin/controls/color_key.h"

void KeyOutColor(QImage& image, QRgb key) {
  if (image.isNull()) return;
  if (image.format() != QImage::Format_ARGB32) image.convertTo(QImage::Format_ARGB32);
  const QRgb rgb = key & 0xFFFFFFu;
  const int width = image.width();
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    // Branch-free so the compiler can do whole vectors of pixels at once.
    for (int x = 0; x < width; ++x) line[x] = (line[x] & 0xFFFFFFu) == rgb ? 0u : line[x];
  }
}
