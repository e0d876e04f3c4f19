#pragma once
// Looking at what a control painted: its grab, and counts of a colour in it.

#include <QImage>
#include <QRect>
#include <QWidget>

// The widget as painted, as RGB32.
inline QImage Grab(QWidget& w) {
  return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// How many pixels of `img` (within `in`, else all of it) are exactly `colour`.
inline int CountColour(const QImage& img, QRgb colour, QRect in = QRect()) {
  if (in.isNull()) in = img.rect();
  int n = 0;
  for (int y = in.top(); y <= in.bottom(); ++y)
    for (int x = in.left(); x <= in.right(); ++x) n += img.pixel(x, y) == colour;
  return n;
}
