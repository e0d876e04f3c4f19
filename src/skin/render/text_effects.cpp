#include "skin/render/text_effects.h"

#include "skin/render/bitmap.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>

namespace {

// The text in pure red on black: its red channel is its coverage.
void DrawRedText(TspBitmap& bitmap, QSize size, const QRect& rect, const QFont& font, int flags,
                 const QString& text) {
  bitmap.SetSize(size.width(), size.height());
  QImage view = bitmap.Image();
  view.fill(0xFF000000u);
  QPainter p(&view);
  p.setFont(font);
  p.setPen(QColor(255, 0, 0));
  p.drawText(rect, flags, text);
}

} // namespace

void DrawTextHalo(QPainter& p, const QRect& r, const QFont& font, int flags, const QString& text,
                  const QColor& color, int size, QPoint offset) {
  const int s = std::clamp(size, 0, 64);
  const QSize canvas(r.width() + 2 * s, r.height() + 2 * s);
  if (r.width() <= 0 || r.height() <= 0 || text.isEmpty()) return;
  const QRgb rgb = color.rgb() & 0xFFFFFFu;
  TspBitmap bitmap;
  DrawRedText(bitmap, canvas, QRect(s, s, r.width(), r.height()), font, flags, text);
  Blur(bitmap, s);
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint32_t* line = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x) line[x] = (((line[x] >> 16) & 0xFF) << 24) | rgb;
  }
  p.drawImage(r.left() + offset.x() - s, r.top() + offset.y() - s, bitmap.Image());
}

void DrawTextReflection(QPainter& p, const QRect& r, const QFont& font, int flags,
                        const QString& text, const QColor& color, int offset) {
  if (r.width() <= 0 || r.height() <= 0 || text.isEmpty()) return;
  TspBitmap bitmap;
  DrawRedText(bitmap, r.size(), QRect(QPoint(0, 0), r.size()), font, flags, text);
  // The rows the text covers.
  int t = -1, b = -1;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint32_t* line = bitmap.ScanLine(y);
    if (std::any_of(line, line + bitmap.Width(),
                    [](std::uint32_t v) { return (v >> 16) & 0xFF; })) {
      if (t < 0) t = y;
      b = y;
    }
  }
  if (t < 0) return;
  const QRgb rgb = color.rgb() & 0xFFFFFFu;
  const double span = std::max(b - t, 1);
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint32_t* line = bitmap.ScanLine(y);
    const double f = std::max(0.05, 0.7 - (b + t - y) / span);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const int red = (y < t || y > b) ? 0 : int((line[x] >> 16) & 0xFF);
      line[x] = (std::uint32_t(int(red * f)) << 24) | rgb;
    }
  }
  // Flipped, the text's last row comes first: it starts just below the text.
  const QImage mirrored = bitmap.Image().mirrored(false, true);
  const int firstRow = r.height() - 1 - b;
  p.drawImage(r.left(), r.top() + b + 1 + offset - firstRow, mirrored);
}
