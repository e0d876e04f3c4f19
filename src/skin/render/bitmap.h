#pragma once
// TspBitmap: a 32-bit bitmap with per-pixel alpha that draws itself opaque, with a
// transparent key colour, or blended. It owns its pixels (0xAARRGGBB, rows top to
// bottom, no padding); Image() wraps them so a QPainter can draw straight into them.

#include "skin/render/geometry.h"
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>

class QPaintDevice;
class QPainter;

// Blends `count` source pixels onto `count` target pixels.
using TspLineBlend = void (*)(std::uint32_t* target, const std::uint32_t* source, int count);

// Alpha 0 keeps the target, 255 replaces it, otherwise every channel, alpha included,
// becomes (T * (256 - a) + S * a) div 256.
std::uint32_t BlendPixel(std::uint32_t target, std::uint32_t source);
// The form for processors without the multimedia extension: red, green and blue
// (S * a + T * (255 - a)) div 256, alpha 255.
std::uint32_t BlendPixelPortable(std::uint32_t target, std::uint32_t source);
void BlendLineQuad(std::uint32_t* target, const std::uint32_t* source, int count);
void BlendLinePortable(std::uint32_t* target, const std::uint32_t* source, int count);
// The line blend picked once, by the processor's features, that every drawing uses.
TspLineBlend SelectedLineBlend();

class TspBitmap {
public:
  // The colour that marks pixels left out when drawing (red 127, green 0, blue 127).
  static constexpr std::uint32_t KeyColor = 0x7F007F;
  static constexpr std::uint32_t KeyPixel = 0x007F007F;
  // Larger buffers are refused before allocating.
  static constexpr std::int64_t MaxPixels = std::int64_t(1) << 28;

  TspBitmap() = default;
  ~TspBitmap();
  TspBitmap(const TspBitmap&) = delete;
  TspBitmap& operator=(const TspBitmap&) = delete;

  QString Name;
  bool HasAlpha = false;
  bool HasKeyColor = false;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool IsEmpty() const { return !FBits; }

  // Absolute values are taken; a zero or unchanged size changes nothing. A new buffer is
  // zero-filled. Throws EOutOfResources (and leaves the bitmap empty) when it cannot be had.
  void SetSize(int w, int h);
  void Assign(const TspBitmap& source);
  // 32-bit images with alpha are copied as they are and then CheckAlpha; every other
  // image is copied as opaque colour with alpha 255. A null image empties the bitmap.
  void Assign(const QImage& source);

  // A view of the pixels (Format_ARGB32) without copying; valid until the next SetSize
  // or Assign. Painters on it draw into this bitmap (keep the view itself, not a copy).
  QImage Image();

  void SetAlpha(std::uint8_t a);
  void Premultiply();
  void ClampToAlpha();
  void CheckAlpha();
  // `color` is 0xRRGGBB; pixels within 5 of it on every channel become KeyPixel.
  void MarkKeyColor(std::uint32_t color);
  void FillRect(const TspRect& rect, std::uint32_t value);

  void Draw(QPainter& painter, int x, int y) const;
  void DrawRect(QPainter& painter, const TspRect& dst, const TspRect& src) const;
  void DrawTo(TspBitmap& target, int x, int y) const;
  // A source rectangle of another size than the destination is scaled by nearest neighbour.
  void DrawTo(TspBitmap& target, const TspRect& dst, const TspRect& src) const;

  // Null outside the bitmap.
  std::uint32_t* ScanLine(int y);
  const std::uint32_t* ScanLine(int y) const;
  // 0 outside the bitmap.
  std::uint32_t Pixel(int x, int y) const;
  // Ignored outside the bitmap.
  void SetPixel(int x, int y, std::uint32_t value);

  // The listed bitmap whose pixels `device` (a QImage from Image()) shows, or null.
  static TspBitmap* FindByDevice(const QPaintDevice* device);

private:
  void Allocate(int w, int h);
  void Enlist();

  int FWidth = 0;
  int FHeight = 0;
  std::unique_ptr<std::uint32_t[]> FBits;
  bool FListed = false;
};

// alpha := (red + green + blue) div 3 of the mask's pixel at the same place. Nothing
// happens when the mask is smaller than the bitmap.
void AlphaFromMask(TspBitmap& bitmap, const TspBitmap& mask);
void AlphaFromMaskPremultiplied(TspBitmap& bitmap, const TspBitmap& mask);
// Triangle-weighted blur of radius r along rows, then along columns; result alpha 255.
void Blur(TspBitmap& bitmap, int r);

namespace tsp_detail {
// Keeps the process-wide bitmap list alive while any unit that includes this header is:
// the list is made before their static objects and freed after the last of them.
struct TspBitmapListUser {
  TspBitmapListUser();
  ~TspBitmapListUser();
};
static const TspBitmapListUser bitmapListUser;
} // namespace tsp_detail
