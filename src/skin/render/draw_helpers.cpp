#include "skin/render/draw_helpers.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace {

struct SystemColour {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

// The platform's system colour indices, in their order, and the palette entry
// that plays the same part.
constexpr SystemColour kSystemColours[] = {
    {QPalette::Active, QPalette::Midlight},        // scroll bar
    {QPalette::Active, QPalette::Dark},            // desktop background
    {QPalette::Active, QPalette::Highlight},       // active caption
    {QPalette::Inactive, QPalette::Mid},           // inactive caption
    {QPalette::Active, QPalette::Window},          // menu
    {QPalette::Active, QPalette::Base},            // window
    {QPalette::Active, QPalette::Shadow},          // window frame
    {QPalette::Active, QPalette::WindowText},      // menu text
    {QPalette::Active, QPalette::Text},            // window text
    {QPalette::Active, QPalette::HighlightedText}, // caption text
    {QPalette::Active, QPalette::Button},          // active border
    {QPalette::Inactive, QPalette::Button},        // inactive border
    {QPalette::Active, QPalette::Mid},             // application workspace
    {QPalette::Active, QPalette::Highlight},       // highlight
    {QPalette::Active, QPalette::HighlightedText}, // highlight text
    {QPalette::Active, QPalette::Button},          // button face
    {QPalette::Active, QPalette::Dark},            // button shadow
    {QPalette::Disabled, QPalette::Text},          // grey text
    {QPalette::Active, QPalette::ButtonText},      // button text
    {QPalette::Inactive, QPalette::WindowText},    // inactive caption text
    {QPalette::Active, QPalette::Light},           // button highlight
    {QPalette::Active, QPalette::Shadow},          // 3D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 3D light
    {QPalette::Active, QPalette::ToolTipText},     // info text
    {QPalette::Active, QPalette::ToolTipBase},     // info background
    {QPalette::Active, QPalette::Button},          // (unused index)
    {QPalette::Active, QPalette::Link},            // hot light
    {QPalette::Active, QPalette::Highlight},       // gradient active caption
    {QPalette::Inactive, QPalette::Mid},           // gradient inactive caption
    {QPalette::Active, QPalette::Highlight},       // menu highlight
    {QPalette::Active, QPalette::Window},          // menu bar
};

qint64 RoundPercent(int value, int p) {
  const qint64 q = qint64(value) * p;
  return q >= 0 ? (q + 50) / 100 : -((-q + 50) / 100);
}

void VLine(QPainter& painter, const QColor& c, int x, int y0, int y1) {
  if (y1 > y0) painter.fillRect(QRect(x, y0, 1, y1 - y0), c);
}
void HLine(QPainter& painter, const QColor& c, int y, int x0, int x1) {
  if (x1 > x0) painter.fillRect(QRect(x0, y, x1 - x0, 1), c);
}

} // namespace

TColor ColorToRGB(TColor color) {
  if ((color & 0x80000000u) == 0) return color & 0x00FFFFFFu;
  const unsigned index = color & 0xFFu;
  if (index >= std::size(kSystemColours)) return 0;
  const QPalette palette = qGuiApp ? QGuiApplication::palette() : QPalette();
  const SystemColour& s = kSystemColours[index];
  return QColorToColor(palette.color(s.group, s.role));
}

TColor DarkenColor(TColor color, int p) {
  const TColor rgb = ColorToRGB(color);
  TColor out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int c = int((rgb >> shift) & 0xFF);
    out |= TColor(std::clamp<qint64>(c - RoundPercent(c, p), 0, 255)) << shift;
  }
  return out;
}

void DrawGlyphFromStrip(QPainter& painter, int x, int y, int n, int count, const QImage& strip) {
  if (strip.isNull() || count <= 0 || n < 1 || n > count) return;
  const int gw = strip.width() / count;
  const int h = strip.height();
  if (gw <= 0) return;
  const QImage src =
      strip.format() == QImage::Format_RGB32 || strip.format() == QImage::Format_ARGB32
          ? strip
          : strip.convertToFormat(QImage::Format_RGB32);
  const int left = (n - 1) * gw;
  const quint32 key =
      reinterpret_cast<const quint32*>(src.constScanLine(h - 1))[left] & 0x00FFFFFFu;
  QImage glyph(gw, h, QImage::Format_ARGB32);
  if (glyph.isNull()) return;
  for (int row = 0; row < h; ++row) {
    const auto* s = reinterpret_cast<const quint32*>(src.constScanLine(row)) + left;
    auto* d = reinterpret_cast<quint32*>(glyph.scanLine(row));
    for (int col = 0; col < gw; ++col) {
      const quint32 rgb = s[col] & 0x00FFFFFFu;
      d[col] = rgb == key ? 0u : (0xFF000000u | rgb);
    }
  }
  painter.drawImage(x, y, glyph);
}

void DrawArrow(QPainter& painter, const TspRect& r, TColor color, int kind) {
  const QColor c = ColorToQColor(ColorToRGB(color));
  // Division by 2 truncates towards zero, also for an inverted rectangle.
  const int cx = r.Left + r.Width() / 2;
  const int cy = r.Top + r.Height() / 2;
  switch (kind) {
  case 1: // left
    for (int i = 0; i <= 3; ++i) VLine(painter, c, cx - 2 + i, cy - i, cy + i + 1);
    break;
  case 2: // right
    for (int n = 3; n >= 0; --n) VLine(painter, c, cx + 2 - n, cy - n, cy + n + 1);
    break;
  case 3: // up
    for (int i = 0; i <= 3; ++i) HLine(painter, c, cy - 2 + i, cx - i, cx + i + 1);
    break;
  case 4: // down
    for (int n = 3; n >= 0; --n) HLine(painter, c, cy + 2 - n, cx - n, cx + n + 1);
    break;
  case 5: // plus
    HLine(painter, c, cy - 1, cx - 4, cx + 4);
    HLine(painter, c, cy, cx - 4, cx + 4);
    VLine(painter, c, cx - 1, cy - 4, cy + 4);
    VLine(painter, c, cx, cy - 4, cy + 4);
    break;
  default:
    break;
  }
}
