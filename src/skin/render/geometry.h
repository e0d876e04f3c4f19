#pragma once
// Skin geometry: rectangles with exclusive right and bottom edges, as skin
// descriptions store them, and colours as 0x00BBGGRR integers.

#include <QColor>
#include <QRect>
#include <cstdint>

struct TspPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TspPoint&, const TspPoint&) = default;
};

struct TspRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;  // exclusive
  int Bottom = 0; // exclusive

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  // A rectangle without positive width and height is empty; in a skin it means "absent".
  bool IsEmpty() const { return Width() <= 0 || Height() <= 0; }
  QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
  static TspRect FromQRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  }
  friend bool operator==(const TspRect&, const TspRect&) = default;
};

// Colour of skins and skinned controls: red in the low byte.
using TColor = std::uint32_t;

inline QColor ColorToQColor(TColor c) {
  return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}
inline TColor QColorToColor(const QColor& c) {
  return TColor(c.red()) | (TColor(c.green()) << 8) | (TColor(c.blue()) << 16);
}
