#include "paint.h"

#include <QPainter>
#include <QPainterPath>
#include <cstring>

QImage NewPart(int width, int height, const QColor& fill) {
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(fill);
  return img;
}

QImage NewPart(QSize size, const QColor& fill) {
  return NewPart(size.width(), size.height(), fill);
}

void FillRect(QImage& img, const QRect& r, const QColor& c) {
  const QRect clipped = r.intersected(img.rect());
  const QRgb v = c.rgb();
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    std::fill(row + clipped.left(), row + clipped.right() + 1, v);
  }
}

void HLine(QImage& img, int x0, int x1, int y, const QColor& c) {
  FillRect(img, QRect(QPoint(x0, y), QPoint(x1, y)), c);
}

void VLine(QImage& img, int x, int y0, int y1, const QColor& c) {
  FillRect(img, QRect(QPoint(x, y0), QPoint(x, y1)), c);
}

void SetPixel(QImage& img, int x, int y, const QColor& c) {
  if (img.rect().contains(x, y)) img.setPixel(x, y, c.rgb());
}

void RoundedBox(QImage& img, const QRect& r, double radius, const QColor& fill,
                const QColor& edge) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, radius > 0);
  p.setPen(Qt::NoPen);
  const QRectF outer(r);
  QPainterPath outerPath;
  outerPath.addRoundedRect(outer, radius, radius);
  if (edge.isValid()) {
    p.fillPath(outerPath, edge);
    QPainterPath innerPath;
    const double inner = radius > 1 ? radius - 1 : 0;
    innerPath.addRoundedRect(outer.adjusted(1, 1, -1, -1), inner, inner);
    p.fillPath(innerPath, fill);
  } else {
    p.fillPath(outerPath, fill);
  }
}

void Disc(QImage& img, const QRectF& r, const QColor& fill, const QColor& ring) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  if (ring.isValid()) {
    p.setBrush(ring);
    p.drawEllipse(r);
    p.setBrush(fill);
    p.drawEllipse(r.adjusted(1, 1, -1, -1));
  } else {
    p.setBrush(fill);
    p.drawEllipse(r);
  }
}

void Chevron(QImage& img, int cx, int cy, int size, TGlyphDirection dir, const QColor& c) {
  const int top = cy - size / 2;
  for (int i = 0; i <= size; ++i) {
    switch (dir) {
    case TGlyphDirection::Down:
      SetPixel(img, cx - size + i, top + i, c);
      SetPixel(img, cx + size - i, top + i, c);
      break;
    case TGlyphDirection::Up:
      SetPixel(img, cx - size + i, top + size - i, c);
      SetPixel(img, cx + size - i, top + size - i, c);
      break;
    case TGlyphDirection::Right:
      SetPixel(img, cx - size / 2 + i, cy - size + i, c);
      SetPixel(img, cx - size / 2 + i, cy + size - i, c);
      break;
    case TGlyphDirection::Left:
      SetPixel(img, cx + size / 2 - i, cy - size + i, c);
      SetPixel(img, cx + size / 2 - i, cy + size - i, c);
      break;
    }
  }
}

void CheckMark(QImage& img, double cx, double cy, double weight, const QColor& c) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(c, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  const QPointF points[] = {{cx - 3.5, cy + 0.2}, {cx - 1.0, cy + 2.7}, {cx + 3.6, cy - 2.6}};
  p.drawPolyline(points, 3);
}

void GlyphClose(QImage& img, int x, int y, const QColor& c) {
  for (int i = 0; i < 10; ++i) {
    SetPixel(img, x + i, y + i, c);
    SetPixel(img, x + 9 - i, y + i, c);
  }
}

namespace {
void Outline(QImage& img, int x0, int y0, int x1, int y1, const QColor& c) {
  HLine(img, x0, x1, y0, c);
  HLine(img, x0, x1, y1, c);
  VLine(img, x0, y0, y1, c);
  VLine(img, x1, y0, y1, c);
}
} // namespace

void GlyphMaximize(QImage& img, int x, int y, const QColor& c) {
  Outline(img, x, y, x + 9, y + 9, c);
}

void GlyphRestore(QImage& img, int x, int y, const QColor& c, const QColor& background) {
  Outline(img, x + 2, y, x + 9, y + 7, c);
  FillRect(img, QRect(x, y + 2, 8, 8), background);
  Outline(img, x, y + 2, x + 7, y + 9, c);
}

void GlyphMinimize(QImage& img, int x, int y, const QColor& c) {
  HLine(img, x, x + 9, y + 5, c);
}

void GlyphMenu(QImage& img, int x, int y, const QColor& c) {
  HLine(img, x, x + 9, y + 2, c);
  HLine(img, x, x + 9, y + 5, c);
  HLine(img, x, x + 9, y + 8, c);
}

QImage Crop(const QImage& src, const QRect& r) {
  return src.copy(r);
}

void Blit(QImage& img, int x, int y, const QImage& part) {
  for (int row = 0; row < part.height(); ++row) {
    const int ty = y + row;
    if (ty < 0 || ty >= img.height()) continue;
    const int x0 = std::max(0, x), x1 = std::min(img.width(), x + part.width());
    if (x1 <= x0) continue;
    std::memcpy(reinterpret_cast<QRgb*>(img.scanLine(ty)) + x0,
                reinterpret_cast<const QRgb*>(part.constScanLine(row)) + (x0 - x),
                size_t(x1 - x0) * sizeof(QRgb));
  }
}
