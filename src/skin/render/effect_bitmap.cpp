#include "skin/render/effect_bitmap.h"
#include "skin/render/skin_error.h"
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

namespace {

using u8 = std::uint8_t;
using u32 = std::uint32_t;
using i64 = std::int64_t;

// Round with halves to even, then clamp to 0..255. Products of decimal factors land a hair
// off a true half in binary ((1 - 0.3) * 45 gives 31.499999999999996), so values are first
// snapped to a 2^-20 grid: such halves then round as halves. Adding 1.5 * 2^52 rounds
// v * 2^20 to an integer (halves to even) without a library call; the rest is integer.
inline u8 ClampRound(double v) {
  if (!(v > -1.0)) return 0; // also NaN
  if (v > 256.0) return 255;
  const double t = v * 1048576.0 + 6755399441055744.0;
  i64 bits;
  std::memcpy(&bits, &t, sizeof bits);
  const i64 grid = bits - 0x4338000000000000;
  // Carries into the integer part past the half, and at the half only from an odd one.
  const i64 q = (grid + 0x7FFFF + ((grid >> 20) & 1)) >> 20;
  return u8(std::clamp<i64>(q, 0, 255));
}

// Rounds a position (halves to even) and limits it to 0..last.
inline int RoundInto(double v, int last) {
  if (!(v > 0.0)) return 0;
  if (v >= double(last)) return last;
  return std::clamp(int(std::nearbyint(v)), 0, last);
}

// Progress limited to 0..1 (NaN counts as 0), so no transition reaches outside the image.
inline double Progress(double x) {
  return x > 0.0 ? std::min(x, 1.0) : 0.0;
}

// Round(n * x) for a progress x in 0..1.
inline int Part(int n, double x) {
  return int(std::nearbyint(std::nearbyint(double(n) * x * 1048576.0) / 1048576.0));
}

inline bool IsWhite(const u8* p) {
  return p[0] == 255 && p[1] == 255 && p[2] == 255;
}

// The diagonal neighbour positions at distance a: below 0 the position itself, at or beyond
// the end n - p, kept inside the image (n - 0 = n would not be).
inline int Before(int p, int a) {
  return i64(p) - a < 0 ? p : p - a;
}
inline int After(int p, int a, int n) {
  const i64 q = i64(p) + a;
  return q >= n ? std::min(n - p, n - 1) : int(q);
}

u32 NextRandom() {
  // xorshift64*, seeded once per thread: fast, and only the range of the noise is fixed.
  thread_local std::uint64_t state = [] {
    std::random_device rd;
    const std::uint64_t s = (std::uint64_t(rd()) << 32) ^ rd();
    return s ? s : 0x9E3779B97F4A7C15ull;
  }();
  state ^= state >> 12;
  state ^= state << 25;
  state ^= state >> 27;
  return u32((state * 0x2545F4914F6CDD1Dull) >> 32);
}

} // namespace

TspEffectBmp::TspEffectBmp(int width, int height) {
  const int w = std::max(width, 0), h = std::max(height, 0);
  if (i64(w) * h > MaxPixels) throw EOutOfResources("Can't allocate the DIB handle");
  FWidth = w;
  FHeight = h;
  FRowLength = 3 * w + w % 4;
  FBits.assign(std::size_t(FRowLength) * std::size_t(h), 0);
}

TspEffectBmp::TspEffectBmp(const QImage& image) : TspEffectBmp(image.width(), image.height()) {
  if (image.isNull()) return;
  const QImage::Format f = image.format();
  const bool raw32 = f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
                     f == QImage::Format_ARGB32_Premultiplied;
  const QImage src = raw32 ? image : image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < FHeight; ++y) {
    const u8* s = src.constScanLine(y);
    u8* d = ScanLine(y);
    for (int x = 0; x < FWidth; ++x, s += 4, d += 3) {
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
    }
  }
}

std::uint32_t TspEffectBmp::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
  const u8* p = ScanLine(y) + 3 * x;
  return u32(p[2]) << 16 | u32(p[1]) << 8 | p[0];
}

void TspEffectBmp::SetPixel(int x, int y, std::uint32_t rgb) {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
  u8* p = ScanLine(y) + 3 * x;
  p[0] = u8(rgb);
  p[1] = u8(rgb >> 8);
  p[2] = u8(rgb >> 16);
}

QImage TspEffectBmp::ToImage() const {
  QImage img(FWidth, FHeight, QImage::Format_RGB32);
  if (img.isNull()) return img;
  for (int y = 0; y < FHeight; ++y) {
    const u8* s = ScanLine(y);
    u32* d = reinterpret_cast<u32*>(img.scanLine(y));
    for (int x = 0; x < FWidth; ++x, s += 3)
      d[x] = 0xFF000000u | u32(s[2]) << 16 | u32(s[1]) << 8 | s[0];
  }
  return img;
}

void TspEffectBmp::Draw(QPainter& painter, int x, int y) const {
  if (FWidth == 0 || FHeight == 0) return;
  // Blue, green, red bytes with 4-byte rows are exactly Qt's BGR888 layout.
  const QImage view(FBits.data(), FWidth, FHeight, FRowLength, QImage::Format_BGR888);
  painter.drawImage(QPoint(x, y), view);
}

void TspEffectBmp::MapBytes(const u8* table) {
  const int n = 3 * FWidth;
  for (int y = 0; y < FHeight; ++y) {
    u8* p = ScanLine(y);
    for (int i = 0; i < n; ++i) p[i] = table[p[i]];
  }
}

void TspEffectBmp::Brighten(double x) {
  x = Progress(x);
  u8 table[256];
  for (int c = 0; c < 256; ++c) table[c] = ClampRound((1.0 - x) * c + 255.0 * x);
  MapBytes(table);
}

void TspEffectBmp::Darken(double x) {
  x = Progress(x);
  u8 table[256];
  for (int c = 0; c < 256; ++c) table[c] = ClampRound((1.0 - x) * c);
  MapBytes(table);
}

void TspEffectBmp::Invert() {
  u8 table[256];
  for (int c = 0; c < 256; ++c) table[c] = u8(255 - c);
  MapBytes(table);
}

void TspEffectBmp::Grayscale() {
  for (int y = 0; y < FHeight; ++y) {
    u8* p = ScanLine(y);
    for (int x = 0; x < FWidth; ++x, p += 3) {
      // round(0.3 red + 0.59 green + 0.11 blue) in whole hundredths, halves to even.
      const int s = 30 * p[2] + 59 * p[1] + 11 * p[0];
      int g = s / 100;
      const int rem = s % 100;
      if (rem > 50 || (rem == 50 && (g & 1))) ++g;
      p[0] = p[1] = p[2] = u8(g);
    }
  }
}

void TspEffectBmp::Noise(int a) {
  if (a <= 0) return;
  const int half = a / 2;
  for (int y = 0; y < FHeight; ++y) {
    u8* p = ScanLine(y);
    for (int x = 0; x < FWidth; ++x, p += 3) {
      const int n = int((std::uint64_t(NextRandom()) * std::uint64_t(a)) >> 32) - half;
      for (int c = 0; c < 3; ++c) p[c] = u8(std::clamp(p[c] + n, 0, 255));
    }
  }
}

void TspEffectBmp::SplitBlur(int a) {
  if (a <= 0 || FWidth == 0 || FHeight == 0) return;
  std::vector<int> left(static_cast<std::size_t>(FWidth)), right(static_cast<std::size_t>(FWidth));
  for (int x = 0; x < FWidth; ++x) {
    left[std::size_t(x)] = 3 * Before(x, a);
    right[std::size_t(x)] = 3 * After(x, a, FWidth);
  }
  std::vector<u8> row(static_cast<std::size_t>(FRowLength));
  for (int y = 0; y < FHeight; ++y) {
    // Rows above were blurred already and are read as they are now.
    const u8* up = ScanLine(Before(y, a));
    const u8* down = ScanLine(After(y, a, FHeight));
    for (int x = 0; x < FWidth; ++x) {
      const int l = left[std::size_t(x)], r = right[std::size_t(x)];
      for (int c = 0; c < 3; ++c)
        row[std::size_t(3 * x + c)] = u8((up[l + c] + down[l + c] + up[r + c] + down[r + c]) / 4);
    }
    std::memcpy(ScanLine(y), row.data(), std::size_t(3 * FWidth));
  }
}

void TspEffectBmp::MixColumns(const TspEffectBmp& next, const std::vector<double>& factor) {
  for (int y = 0; y < FHeight; ++y) {
    u8* p = ScanLine(y);
    const u8* q = next.ScanLine(y);
    for (int x = 0; x < FWidth; ++x, p += 3, q += 3) {
      const double f = factor[std::size_t(x)];
      if (f >= 1.0) continue;
      if (f <= 0.0) {
        p[0] = q[0], p[1] = q[1], p[2] = q[2];
        continue;
      }
      for (int c = 0; c < 3; ++c) p[c] = ClampRound(f * p[c] + (1.0 - f) * q[c]);
    }
  }
}

void TspEffectBmp::MixRows(const TspEffectBmp& next, const std::vector<double>& factor) {
  const int n = 3 * FWidth;
  for (int y = 0; y < FHeight; ++y) {
    const double f = factor[std::size_t(y)];
    if (f >= 1.0) continue;
    u8* p = ScanLine(y);
    const u8* q = next.ScanLine(y);
    if (f <= 0.0) {
      std::memcpy(p, q, std::size_t(n));
      continue;
    }
    for (int i = 0; i < n; ++i) p[i] = ClampRound(f * p[i] + (1.0 - f) * q[i]);
  }
}

void TspEffectBmp::MorphFade(const TspEffectBmp& next, double x) {
  if (!SameSize(next)) return;
  x = Progress(x);
  // The two products per byte depend on one byte each: look them up.
  double oldPart[256], newPart[256];
  for (int c = 0; c < 256; ++c) {
    oldPart[c] = (1.0 - x) * c;
    newPart[c] = x * c;
  }
  const int n = 3 * FWidth;
  // Large images: every (old, new) pair once, then one look-up per byte.
  std::vector<u8> mixed;
  if (i64(n) * FHeight >= 4 * 65536) {
    mixed.resize(65536);
    for (int o = 0; o < 256; ++o)
      for (int c = 0; c < 256; ++c)
        mixed[std::size_t(o << 8 | c)] = ClampRound(oldPart[o] + newPart[c]);
  }
  for (int y = 0; y < FHeight; ++y) {
    u8* p = ScanLine(y);
    const u8* q = next.ScanLine(y);
    if (!mixed.empty())
      for (int i = 0; i < n; ++i) p[i] = mixed[std::size_t(p[i] << 8 | q[i])];
    else
      for (int i = 0; i < n; ++i) p[i] = ClampRound(oldPart[p[i]] + newPart[q[i]]);
  }
}

void TspEffectBmp::MorphGradient(const TspEffectBmp& next, double x) {
  if (!SameSize(next) || FWidth == 0 || FHeight == 0) return;
  x = Progress(x);
  const bool vertical = FWidth < FHeight;
  const int n = vertical ? FHeight : FWidth;
  const int a = Part(n, x);
  const int g = std::max(0, n / 2 - a / 2);
  const int e = std::min(n - 1, a / 2 + n / 2);
  double step;
  if (vertical) {
    const int d = (n - a - 1) / 2;
    step = d == 0 ? 0.0 : 1.0 / d;
  } else {
    const int d = (n - a) / 2;
    step = d == 0 ? 1.0 : 1.0 / d;
  }
  // The middle band shows the new image; outwards the old one returns step by step.
  std::vector<double> factor(std::size_t(n), 0.0);
  for (int i = g - 1; i >= 0; --i) factor[std::size_t(i)] = std::min(1.0, (g - i) * step);
  for (int i = e + 1; i < n; ++i) factor[std::size_t(i)] = std::min(1.0, (i - e) * step);
  if (vertical)
    MixRows(next, factor);
  else
    MixColumns(next, factor);
}

void TspEffectBmp::MorphLeftGradient(const TspEffectBmp& next, double x) {
  if (!SameSize(next) || FWidth == 0) return;
  const int a = std::max(1, std::min(Part(FWidth, Progress(x)), FWidth - 1));
  const double step = 1.0 / a;
  std::vector<double> factor(std::size_t(FWidth), 1.0);
  for (int i = 0; i <= std::min(a, FWidth - 1); ++i)
    factor[std::size_t(i)] = std::min(1.0, i * step);
  MixColumns(next, factor);
}

void TspEffectBmp::MorphRightGradient(const TspEffectBmp& next, double x) {
  if (!SameSize(next) || FWidth == 0) return;
  const int b = std::clamp(FWidth - Part(FWidth, Progress(x)), 0, FWidth - 1);
  const double step = 1.0 / (FWidth - b);
  std::vector<double> factor(std::size_t(FWidth), 1.0);
  for (int i = FWidth - 1; i >= b; --i)
    factor[std::size_t(i)] = std::min(1.0, (FWidth - 1 - i) * step);
  MixColumns(next, factor);
}

void TspEffectBmp::MorphLeftSlide(const TspEffectBmp& next, double x) {
  if (!SameSize(next) || FWidth == 0) return;
  // At least one column even at 0; a one-pixel-wide image shows its single new column.
  const int a = std::max(1, std::min(Part(FWidth, Progress(x)), FWidth - 1));
  for (int y = 0; y < FHeight; ++y)
    std::memcpy(ScanLine(y), next.ScanLine(y) + 3 * (FWidth - a), std::size_t(3 * a));
}

void TspEffectBmp::MorphRightSlide(const TspEffectBmp& next, double x) {
  if (!SameSize(next) || FWidth == 0) return;
  const int a = std::max(1, std::min(Part(FWidth, Progress(x)), FWidth - 1));
  for (int y = 0; y < FHeight; ++y)
    std::memcpy(ScanLine(y) + 3 * (FWidth - a), next.ScanLine(y), std::size_t(3 * a));
}

void TspEffectBmp::MorphPush(const TspEffectBmp& next, double x) {
  if (!SameSize(next) || FWidth == 0) return;
  const int a = std::clamp(Part(FWidth, Progress(x)), 0, FWidth - 1);
  for (int y = 0; y < FHeight; ++y) {
    u8* p = ScanLine(y);
    // Old columns 0 .. W - a - 2 move to a + 1 .. W - 1; columns 0 .. a show the new
    // image's last a + 1 columns.
    std::memmove(p + 3 * (a + 1), p, std::size_t(3 * (FWidth - a - 1)));
    std::memcpy(p, next.ScanLine(y) + 3 * (FWidth - a - 1), std::size_t(3 * (a + 1)));
  }
}

void TspEffectBmp::Wave(int xdiv, int ydiv, double ratio) {
  if (xdiv == 0 || ydiv == 0 || FWidth == 0 || FHeight == 0 || !std::isfinite(ratio)) return;
  const std::vector<u8> copy = FBits;
  std::vector<double> shiftX(static_cast<std::size_t>(FHeight)),
      shiftY(static_cast<std::size_t>(FWidth));
  for (int y = 0; y < FHeight; ++y) shiftX[std::size_t(y)] = ratio * std::sin(double(y) / ydiv);
  for (int x = 0; x < FWidth; ++x) shiftY[std::size_t(x)] = ratio * std::sin(double(x) / xdiv);
  for (int y = 0; y < FHeight; ++y) {
    u8* p = ScanLine(y);
    const double dx = shiftX[std::size_t(y)];
    for (int x = 0; x < FWidth; ++x, p += 3) {
      const int sx = RoundInto(x + dx, FWidth - 1);
      const int sy = RoundInto(y + shiftY[std::size_t(x)], FHeight - 1);
      const u8* s = copy.data() + std::size_t(sy) * std::size_t(FRowLength) + std::size_t(3 * sx);
      p[0] = s[0], p[1] = s[1], p[2] = s[2];
    }
  }
}

void TspEffectBmp::Tint(const TspEffectBmp& mask, TColor color, double x) {
  if (!FitsMask(mask)) return;
  // Bytes are blue, green, red; the colour is 0x00BBGGRR.
  const double channel[3] = {double((color >> 16) & 0xFF), double((color >> 8) & 0xFF),
                             double(color & 0xFF)};
  u8 table[3][256];
  for (int c = 0; c < 3; ++c)
    for (int v = 0; v < 256; ++v) table[c][v] = ClampRound((1.0 - x) * v + x * channel[c]);
  for (int y = 0; y < FHeight; ++y) {
    u8* p = ScanLine(y);
    const u8* m = mask.ScanLine(y);
    for (int i = 0; i < FWidth; ++i, p += 3, m += 3) {
      if (IsWhite(m)) continue;
      p[0] = table[0][p[0]], p[1] = table[1][p[1]], p[2] = table[2][p[2]];
    }
  }
}

void TspEffectBmp::SmoothEdges(const TspEffectBmp& mask, int a) {
  if (!FitsMask(mask) || a <= 0 || FWidth == 0 || FHeight == 0) return;
  std::vector<int> left(static_cast<std::size_t>(FWidth)), right(static_cast<std::size_t>(FWidth));
  for (int x = 0; x < FWidth; ++x) {
    left[std::size_t(x)] = 3 * Before(x, a);
    right[std::size_t(x)] = 3 * After(x, a, FWidth);
  }
  std::vector<u8> row(static_cast<std::size_t>(FRowLength));
  for (int y = 0; y < FHeight; ++y) {
    const int yu = Before(y, a), yd = After(y, a, FHeight);
    const u8 *up = ScanLine(yu), *down = ScanLine(yd);
    const u8 *mUp = mask.ScanLine(yu), *mDown = mask.ScanLine(yd), *m = mask.ScanLine(y);
    std::memcpy(row.data(), ScanLine(y), std::size_t(FRowLength));
    bool changed = false;
    for (int x = 0; x < FWidth; ++x) {
      const int l = left[std::size_t(x)], r = right[std::size_t(x)];
      if (IsWhite(m + 3 * x)) continue;
      if (!IsWhite(mUp + l) && !IsWhite(mUp + r) && !IsWhite(mDown + l) && !IsWhite(mDown + r))
        continue;
      for (int c = 0; c < 3; ++c)
        row[std::size_t(3 * x + c)] = u8((up[l + c] + down[l + c] + up[r + c] + down[r + c]) / 4);
      changed = true;
    }
    if (changed) std::memcpy(ScanLine(y), row.data(), std::size_t(FRowLength));
  }
}

void TspEffectBmp::RotateLeft(TspEffectBmp& target) const {
  if (target.FWidth != FHeight || target.FHeight != FWidth) return;
  const TspEffectBmp copy = &target == this ? *this : TspEffectBmp(0, 0);
  const TspEffectBmp& src = &target == this ? copy : *this;
  for (int y = 0; y < FHeight; ++y) {
    const u8* s = src.ScanLine(y);
    for (int x = 0; x < FWidth; ++x, s += 3) {
      u8* d = target.ScanLine(FWidth - 1 - x) + 3 * y;
      d[0] = s[0], d[1] = s[1], d[2] = s[2];
    }
  }
}

void TspEffectBmp::RotateRight(TspEffectBmp& target) const {
  if (target.FWidth != FHeight || target.FHeight != FWidth) return;
  const TspEffectBmp copy = &target == this ? *this : TspEffectBmp(0, 0);
  const TspEffectBmp& src = &target == this ? copy : *this;
  for (int y = 0; y < FHeight; ++y) {
    const u8* s = src.ScanLine(y);
    for (int x = 0; x < FWidth; ++x, s += 3) {
      u8* d = target.ScanLine(x) + 3 * (FHeight - 1 - y);
      d[0] = s[0], d[1] = s[1], d[2] = s[2];
    }
  }
}

void TspEffectBmp::FlipVertical(TspEffectBmp& target) const {
  if (!SameSize(target)) return;
  if (&target == this) {
    std::vector<u8> row(static_cast<std::size_t>(FRowLength));
    for (int y = 0, z = FHeight - 1; y < z; ++y, --z) {
      std::memcpy(row.data(), target.ScanLine(y), row.size());
      std::memcpy(target.ScanLine(y), target.ScanLine(z), row.size());
      std::memcpy(target.ScanLine(z), row.data(), row.size());
    }
    return;
  }
  for (int y = 0; y < FHeight; ++y)
    std::memcpy(target.ScanLine(FHeight - 1 - y), ScanLine(y), std::size_t(FRowLength));
}
