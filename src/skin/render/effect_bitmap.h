#pragma once
// TspEffectBmp: a 24-bit bitmap (bytes blue, green, red; rows top to bottom, each padded
// to a multiple of 4 bytes) with the in-place effects of inactive windows, the morph
// transitions of skin objects and the wave label's wave, tint and edge smoothing.
// Effects between bitmaps of unequal size do nothing.

#include "skin/render/geometry.h"
#include <QImage>
#include <cstdint>
#include <vector>

class QPainter;

class TspEffectBmp {
public:
  static constexpr std::int64_t MaxPixels = std::int64_t(1) << 28;

  // Black pixels; a negative side counts as 0. Throws EOutOfResources past MaxPixels.
  TspEffectBmp(int width, int height);
  // The image's colours; alpha is dropped.
  explicit TspEffectBmp(const QImage& image);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // 3 * width + width mod 4 bytes.
  int RowLength() const { return FRowLength; }
  std::uint8_t* ScanLine(int y) { return FBits.data() + std::size_t(y) * std::size_t(FRowLength); }
  const std::uint8_t* ScanLine(int y) const {
    return FBits.data() + std::size_t(y) * std::size_t(FRowLength);
  }
  // 0x00RRGGBB; 0 outside the bitmap.
  std::uint32_t Pixel(int x, int y) const;
  // Ignored outside the bitmap.
  void SetPixel(int x, int y, std::uint32_t rgb);

  QImage ToImage() const; // Format_RGB32
  void Draw(QPainter& painter, int x, int y) const;

  // Inactive-window effects.
  void Brighten(double x);
  void Darken(double x);
  void Grayscale();
  void Noise(int a);
  void SplitBlur(int a);
  void Invert();

  // Transitions from this image towards `next` at progress x (0 to 1).
  void MorphFade(const TspEffectBmp& next, double x);
  void MorphGradient(const TspEffectBmp& next, double x);
  void MorphLeftGradient(const TspEffectBmp& next, double x);
  void MorphRightGradient(const TspEffectBmp& next, double x);
  void MorphLeftSlide(const TspEffectBmp& next, double x);
  void MorphRightSlide(const TspEffectBmp& next, double x);
  void MorphPush(const TspEffectBmp& next, double x);

  // Wave label effects; the masks are as wide as the image and at least as high, and their
  // pure white pixels lie outside the text.
  void Wave(int xdiv, int ydiv, double ratio);
  void Tint(const TspEffectBmp& mask, TColor color, double x);
  void SmoothEdges(const TspEffectBmp& mask, int a);

  // Copies into a target of fitting size (height x width for the quarter turns).
  void RotateLeft(TspEffectBmp& target) const;
  void RotateRight(TspEffectBmp& target) const;
  void FlipVertical(TspEffectBmp& target) const;

private:
  bool SameSize(const TspEffectBmp& other) const {
    return FWidth == other.FWidth && FHeight == other.FHeight;
  }
  bool FitsMask(const TspEffectBmp& mask) const {
    return mask.FWidth == FWidth && mask.FHeight >= FHeight;
  }
  // Applies a 256-entry table to every colour byte.
  void MapBytes(const std::uint8_t* table);
  // Mixes every column (or row) with its factor f: c := round(f * old + (1 - f) * new).
  void MixColumns(const TspEffectBmp& next, const std::vector<double>& factor);
  void MixRows(const TspEffectBmp& next, const std::vector<double>& factor);

  int FWidth = 0;
  int FHeight = 0;
  int FRowLength = 0;
  std::vector<std::uint8_t> FBits;
};
