#pragma once
// The one-pixel frames of the plain looks of panels and labels.

#include <QColor>
#include <QPainter>
#include <QRect>

enum class TspSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };

// A one-pixel frame on the edge of `r`: bvFrame all in `shadow`, bvRaised `highlight` top
// and left with `shadow` bottom and right, bvLowered the reverse, bvNone nothing.
inline void DrawBorderStyleFrame(QPainter& p, const QRect& r, TspSkinBorderStyle style,
                                 const QColor& highlight, const QColor& shadow) {
  if (style == TspSkinBorderStyle::bvNone || r.isEmpty()) return;
  const QColor& topLeft = style == TspSkinBorderStyle::bvRaised ? highlight : shadow;
  const QColor& bottomRight = style == TspSkinBorderStyle::bvLowered ? highlight : shadow;
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}
