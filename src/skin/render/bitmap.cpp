#include "skin/render/bitmap.h"
#include "skin/render/skin_error.h"
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_set>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using u32 = std::uint32_t;
using u64 = std::uint64_t;
using i64 = std::int64_t;

constexpr u32 AlphaMask = 0xFF000000u;
constexpr u32 ColorMask = 0x00FFFFFFu;

// ---------------------------------------------------------------------------------------
// Blending

// One channel per 16-bit lane, so a pixel's four channels multiply at once without carries:
// the largest lane sum, T * (256 - a) + S * a, is 255 * 256.
inline u64 Spread(u32 p) {
  const u64 v = p;
  return (v & 0xFF) | ((v & 0xFF00) << 8) | ((v & 0xFF0000) << 16) | ((v & 0xFF000000) << 24);
}
inline u32 Gather(u64 v) {
  return u32((v & 0xFF) | ((v >> 8) & 0xFF00) | ((v >> 16) & 0xFF0000) | ((v >> 24) & 0xFF000000));
}

TspLineBlend ChooseLineBlend() {
#if defined(__x86_64__) || defined(_M_X64)
  return BlendLineQuad; // every x86-64 processor has the multimedia extension
#elif defined(__i386__)
  return __builtin_cpu_supports("mmx") ? BlendLineQuad : BlendLinePortable;
#else
  return BlendLinePortable;
#endif
}

// ---------------------------------------------------------------------------------------
// The process-wide list of bitmaps that have pixels

struct BitmapList {
  std::mutex Lock;
  std::unordered_set<TspBitmap*> Items;
};
alignas(BitmapList) unsigned char listStorage[sizeof(BitmapList)];
int listUsers = 0; // constant-initialised, so valid before any static constructor runs

BitmapList& List() {
  return *std::launder(reinterpret_cast<BitmapList*>(listStorage));
}

// ---------------------------------------------------------------------------------------
// Drawing pixels onto pixels

enum class DrawMode { Blend, Key, Copy };

// Rectangles with 64-bit edges, so no sum of user coordinates can overflow.
struct Box {
  i64 L = 0, T = 0, R = 0, B = 0;
  i64 W() const { return R - L; }
  i64 H() const { return B - T; }
  bool Empty() const { return W() <= 0 || H() <= 0; }
};
Box ToBox(const TspRect& r) {
  return {r.Left, r.Top, r.Right, r.Bottom};
}

// Source index for target index t when `dstLen` targets show `srcLen` sources:
// round(t * (srcLen - 1) / (dstLen - 1)) with halves to even; the middle for one target.
i64 MapIndex(i64 t, i64 srcLen, i64 dstLen) {
  if (srcLen == dstLen) return t;
  if (dstLen == 1) return srcLen / 2;
  const i64 num = t * (srcLen - 1);
  const i64 den = dstLen - 1;
  i64 q = num / den;
  const i64 r2 = 2 * (num % den);
  if (r2 > den || (r2 == den && (q & 1))) ++q;
  return q;
}

struct Pixels {
  const u32* Bits;
  int W, H;
};
struct TargetPixels {
  u32* Bits;
  int W, H;
};

void DrawLine(u32* d, const u32* s, int n, DrawMode mode) {
  switch (mode) {
  case DrawMode::Blend:
    SelectedLineBlend()(d, s, n);
    break;
  case DrawMode::Key:
    for (int i = 0; i < n; ++i)
      if ((s[i] & ColorMask) != TspBitmap::KeyColor) d[i] = s[i];
    break;
  case DrawMode::Copy:
    std::memcpy(d, s, size_t(n) * 4);
    break;
  }
}

// Source rectangle `s` of `src` onto destination rectangle `d` of `dst`, nearest neighbour
// when the sizes differ; only pixels inside both bitmaps are read or written. The two
// buffers must not overlap.
void DrawPixels(const Pixels& src, const TargetPixels& dst, const Box& d, const Box& s,
                DrawMode mode) {
  if (d.Empty() || s.Empty() || !src.Bits || !dst.Bits) return;
  const i64 dw = d.W(), dh = d.H(), sw = s.W(), sh = s.H();

  // Target columns inside the target; the source column is monotonic in the target column,
  // so the ones that fall inside the source form one run.
  i64 t0 = std::max<i64>(0, -d.L), t1 = std::min<i64>(dw, dst.W - d.L);
  while (t0 < t1 && s.L + MapIndex(t0, sw, dw) < 0) ++t0;
  while (t1 > t0 && s.L + MapIndex(t1 - 1, sw, dw) >= src.W) --t1;
  i64 u0 = std::max<i64>(0, -d.T), u1 = std::min<i64>(dh, dst.H - d.T);
  while (u0 < u1 && s.T + MapIndex(u0, sh, dh) < 0) ++u0;
  while (u1 > u0 && s.T + MapIndex(u1 - 1, sh, dh) >= src.H) --u1;
  if (t0 >= t1 || u0 >= u1) return;
  const int count = int(t1 - t0);

  std::vector<int> cols;
  std::vector<u32> row;
  const bool scaled = sw != dw;
  if (scaled) {
    cols.resize(size_t(count));
    for (int i = 0; i < count; ++i) cols[size_t(i)] = int(s.L + MapIndex(t0 + i, sw, dw));
    row.resize(size_t(count));
  }
  i64 lastSy = -1;
  for (i64 u = u0; u < u1; ++u) {
    const i64 sy = s.T + MapIndex(u, sh, dh);
    const u32* srcRow = src.Bits + sy * src.W;
    u32* dstRow = dst.Bits + (d.T + u) * dst.W + (d.L + t0);
    const u32* line;
    if (scaled) {
      if (sy != lastSy) {
        for (int i = 0; i < count; ++i) row[size_t(i)] = srcRow[cols[size_t(i)]];
        lastSy = sy;
      }
      line = row.data();
    } else {
      line = srcRow + (s.L + t0);
    }
    DrawLine(dstRow, line, count, mode);
  }
}

DrawMode ModeOf(const TspBitmap& b) {
  return b.HasAlpha ? DrawMode::Blend : b.HasKeyColor ? DrawMode::Key : DrawMode::Copy;
}

// One bitmap onto another; a bitmap drawn onto itself reads from a copy of its pixels.
void DrawBitmap(const TspBitmap& src, TspBitmap& dst, const Box& d, const Box& s) {
  if (src.IsEmpty() || dst.IsEmpty()) return;
  std::vector<u32> copy;
  const u32* bits = src.ScanLine(0);
  if (&src == &dst) {
    copy.assign(bits, bits + size_t(src.Width()) * size_t(src.Height()));
    bits = copy.data();
  }
  DrawPixels({bits, src.Width(), src.Height()}, {dst.ScanLine(0), dst.Width(), dst.Height()}, d, s,
             ModeOf(src));
}

// The common part of two boxes.
Box Intersect(const Box& a, const Box& b) {
  return {std::max(a.L, b.L), std::max(a.T, b.T), std::min(a.R, b.R), std::min(a.B, b.B)};
}

// Reads the device pixels under the logical box `clip` as 0xAARRGGBB into `out`
// (clip-sized). False when the painter does not paint into an image at an integer offset.
bool ReadDevice(QPainter& painter, const Box& clip, std::vector<u32>& out, bool& deviceHasAlpha) {
  QPaintEngine* engine = painter.paintEngine();
  QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
  if (!device || device->devType() != QInternal::Image) return false;
  const QTransform dt = painter.deviceTransform();
  if (dt.type() > QTransform::TxTranslate) return false;
  const i64 dx = i64(dt.dx()), dy = i64(dt.dy());
  if (double(dx) != dt.dx() || double(dy) != dt.dy()) return false;
  const QImage& img = *static_cast<const QImage*>(device);
  deviceHasAlpha = img.hasAlphaChannel();

  const Box devClip{clip.L + dx, clip.T + dy, clip.R + dx, clip.B + dy};
  const Box area = Intersect(devClip, Box{0, 0, img.width(), img.height()});
  if (area.Empty()) return true;
  const int w = int(area.W()), h = int(area.H());
  const i64 outW = clip.W();
  u32* first = out.data() + (area.T - devClip.T) * outW + (area.L - devClip.L);
  const QImage::Format f = img.format();
  if (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32) {
    for (int y = 0; y < h; ++y) {
      const u32* s = reinterpret_cast<const u32*>(img.constScanLine(int(area.T) + y)) + area.L;
      u32* d = first + y * outW;
      std::memcpy(d, s, size_t(w) * 4);
      if (f == QImage::Format_RGB32)
        for (int x = 0; x < w; ++x) d[x] |= AlphaMask;
    }
  } else {
    const QImage part =
        img.copy(int(area.L), int(area.T), w, h).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) std::memcpy(first + y * outW, part.constScanLine(y), size_t(w) * 4);
  }
  return true;
}

// Draws a clip-sized buffer at the logical box's corner, as it is, whatever the painter's
// composition mode and opacity.
void WriteDevice(QPainter& painter, const Box& clip, std::vector<u32>& pixels,
                 QImage::Format format, QPainter::CompositionMode mode) {
  const QImage view(reinterpret_cast<const uchar*>(pixels.data()), int(clip.W()), int(clip.H()),
                    qsizetype(clip.W()) * 4, format);
  painter.save();
  painter.setCompositionMode(mode);
  painter.setOpacity(1.0);
  painter.drawImage(QPointF(double(clip.L), double(clip.T)), view);
  painter.restore();
}

} // namespace

// -----------------------------------------------------------------------------------------
// Blending

std::uint32_t BlendPixel(std::uint32_t target, std::uint32_t source) {
  const u32 a = source >> 24;
  if (a == 0) return target;
  if (a == 255) return source;
  return Gather(((Spread(target) * (256 - a) + Spread(source) * a) >> 8) & 0x00FF00FF00FF00FFull);
}

std::uint32_t BlendPixelPortable(std::uint32_t target, std::uint32_t source) {
  const u32 a = source >> 24;
  if (a == 0) return target;
  if (a == 255) return source;
  const u32 b = ((source & 0xFF) * a + (target & 0xFF) * (255 - a)) >> 8;
  const u32 g = (((source >> 8) & 0xFF) * a + ((target >> 8) & 0xFF) * (255 - a)) >> 8;
  const u32 r = (((source >> 16) & 0xFF) * a + ((target >> 16) & 0xFF) * (255 - a)) >> 8;
  return AlphaMask | (r << 16) | (g << 8) | b;
}

void BlendLineQuad(std::uint32_t* target, const std::uint32_t* source, int count) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i alpha = _mm_set1_epi32(int(AlphaMask));
  const __m128i c256 = _mm_set1_epi16(256);
  for (; i + 4 <= count; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
    const __m128i sa = _mm_and_si128(s, alpha);
    const __m128i opaque = _mm_cmpeq_epi32(sa, alpha);
    const int opaqueBits = _mm_movemask_epi8(opaque);
    if (opaqueBits == 0xFFFF) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), s);
      continue;
    }
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(sa, zero)) == 0xFFFF) continue;
    const __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target + i));
    __m128i a = _mm_srli_epi32(s, 24);
    a = _mm_or_si128(a, _mm_slli_epi32(a, 16));
    const __m128i aLo = _mm_unpacklo_epi32(a, a); // alpha in the four lanes of pixels 0 and 1
    const __m128i aHi = _mm_unpackhi_epi32(a, a);
    // Alpha 0 needs no case of its own: T * 256 div 256 = T.
    const __m128i lo = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(t, zero), _mm_sub_epi16(c256, aLo)),
                      _mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), aLo)),
        8);
    const __m128i hi = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(t, zero), _mm_sub_epi16(c256, aHi)),
                      _mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), aHi)),
        8);
    const __m128i mixed = _mm_packus_epi16(lo, hi);
    const __m128i r = _mm_or_si128(_mm_and_si128(opaque, s), _mm_andnot_si128(opaque, mixed));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), r);
  }
#endif
  for (; i < count; ++i) target[i] = BlendPixel(target[i], source[i]);
}

void BlendLinePortable(std::uint32_t* target, const std::uint32_t* source, int count) {
  for (int i = 0; i < count; ++i) target[i] = BlendPixelPortable(target[i], source[i]);
}

TspLineBlend SelectedLineBlend() {
  static const TspLineBlend blend = ChooseLineBlend();
  return blend;
}

tsp_detail::TspBitmapListUser::TspBitmapListUser() {
  if (listUsers++ == 0) new (listStorage) BitmapList();
}
tsp_detail::TspBitmapListUser::~TspBitmapListUser() {
  if (--listUsers == 0) List().~BitmapList();
}

// -----------------------------------------------------------------------------------------
// TspBitmap

TspBitmap::~TspBitmap() {
  if (!FListed) return;
  BitmapList& list = List();
  std::lock_guard lock(list.Lock);
  list.Items.erase(this);
}

void TspBitmap::Enlist() {
  if (FListed) return;
  BitmapList& list = List();
  std::lock_guard lock(list.Lock);
  list.Items.insert(this);
  FListed = true;
}

TspBitmap* TspBitmap::FindByDevice(const QPaintDevice* device) {
  if (!device || device->devType() != QInternal::Image) return nullptr;
  const QImage* img = static_cast<const QImage*>(device);
  const uchar* bits = img->constBits();
  if (!bits) return nullptr;
  BitmapList& list = List();
  std::lock_guard lock(list.Lock);
  for (TspBitmap* b : list.Items)
    if (reinterpret_cast<const uchar*>(b->FBits.get()) == bits && b->FWidth == img->width() &&
        b->FHeight == img->height())
      return b;
  return nullptr;
}

void TspBitmap::Allocate(int w, int h) {
  // The old buffer goes first, so a failure leaves the bitmap empty.
  FBits.reset();
  FWidth = FHeight = 0;
  const i64 n = i64(w) * h;
  if (w <= 0 || h <= 0 || n > MaxPixels) throw EOutOfResources("Can't allocate the DIB handle");
  std::unique_ptr<u32[]> bits(new (std::nothrow) u32[size_t(n)]());
  if (!bits) throw EOutOfResources("Can't allocate the DIB handle");
  FBits = std::move(bits);
  FWidth = w;
  FHeight = h;
  if (Image().isNull()) {
    FBits.reset();
    FWidth = FHeight = 0;
    throw EOutOfResources("Can't create compatible DC");
  }
  Enlist();
}

void TspBitmap::SetSize(int w, int h) {
  const i64 aw = w < 0 ? -i64(w) : i64(w);
  const i64 ah = h < 0 ? -i64(h) : i64(h);
  if (aw == 0 || ah == 0) return;
  if (FBits && aw == FWidth && ah == FHeight) return;
  if (aw > MaxPixels || ah > MaxPixels) {
    FBits.reset();
    FWidth = FHeight = 0;
    throw EOutOfResources("Can't allocate the DIB handle");
  }
  Allocate(int(aw), int(ah));
}

void TspBitmap::Assign(const TspBitmap& source) {
  if (&source == this) return;
  if (source.IsEmpty()) {
    FBits.reset();
    FWidth = FHeight = 0;
  } else {
    if (!FBits || FWidth != source.FWidth || FHeight != source.FHeight)
      Allocate(source.FWidth, source.FHeight);
    std::memcpy(FBits.get(), source.FBits.get(), size_t(FWidth) * size_t(FHeight) * 4);
  }
  Name = source.Name;
  HasAlpha = source.HasAlpha;
  HasKeyColor = source.HasKeyColor;
}

void TspBitmap::Assign(const QImage& source) {
  HasKeyColor = false;
  HasAlpha = false;
  if (source.isNull()) {
    FBits.reset();
    FWidth = FHeight = 0;
    return;
  }
  const bool withAlpha = source.depth() == 32 && source.hasAlphaChannel();
  QImage::Format want = QImage::Format_RGB32;
  if (withAlpha)
    want = source.pixelFormat().premultiplied() == QPixelFormat::Premultiplied
               ? QImage::Format_ARGB32_Premultiplied
               : QImage::Format_ARGB32;
  const QImage converted = source.format() == want ? source : source.convertToFormat(want);
  if (converted.isNull()) throw EOutOfResources("Can't allocate the DIB handle");
  if (!FBits || FWidth != converted.width() || FHeight != converted.height())
    Allocate(converted.width(), converted.height());
  for (int y = 0; y < FHeight; ++y)
    std::memcpy(ScanLine(y), converted.constScanLine(y), size_t(FWidth) * 4);
  if (withAlpha)
    CheckAlpha();
  else
    SetAlpha(255);
}

QImage TspBitmap::Image() {
  if (!FBits) return QImage();
  return QImage(reinterpret_cast<uchar*>(FBits.get()), FWidth, FHeight, qsizetype(FWidth) * 4,
                QImage::Format_ARGB32);
}

std::uint32_t* TspBitmap::ScanLine(int y) {
  if (!FBits || y < 0 || y >= FHeight) return nullptr;
  return FBits.get() + size_t(y) * size_t(FWidth);
}
const std::uint32_t* TspBitmap::ScanLine(int y) const {
  return const_cast<TspBitmap*>(this)->ScanLine(y);
}

std::uint32_t TspBitmap::Pixel(int x, int y) const {
  if (!FBits || x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
  return FBits[size_t(y) * size_t(FWidth) + size_t(x)];
}

void TspBitmap::SetPixel(int x, int y, std::uint32_t value) {
  if (!FBits || x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
  FBits[size_t(y) * size_t(FWidth) + size_t(x)] = value;
}

void TspBitmap::SetAlpha(std::uint8_t a) {
  if (!FBits) return;
  const u32 av = u32(a) << 24;
  u32* p = FBits.get();
  const size_t n = size_t(FWidth) * size_t(FHeight);
  for (size_t i = 0; i < n; ++i) p[i] = (p[i] & ColorMask) | av;
}

void TspBitmap::Premultiply() {
  if (!FBits) return;
  u32* p = FBits.get();
  const size_t n = size_t(FWidth) * size_t(FHeight);
  for (size_t i = 0; i < n; ++i) {
    const u32 v = p[i], a = v >> 24;
    // c * a / 255 is never a half, so adding 127 rounds it.
    const auto mul = [a](u32 c) { return (c * a + 127) / 255; };
    p[i] = (v & AlphaMask) | (mul((v >> 16) & 0xFF) << 16) | (mul((v >> 8) & 0xFF) << 8) |
           mul(v & 0xFF);
  }
}

void TspBitmap::ClampToAlpha() {
  if (!FBits) return;
  u32* p = FBits.get();
  const size_t n = size_t(FWidth) * size_t(FHeight);
  for (size_t i = 0; i < n; ++i) {
    const u32 v = p[i], a = v >> 24;
    p[i] = (v & AlphaMask) | (std::min((v >> 16) & 0xFF, a) << 16) |
           (std::min((v >> 8) & 0xFF, a) << 8) | std::min(v & 0xFF, a);
  }
}

void TspBitmap::CheckAlpha() {
  HasAlpha = false;
  if (!FBits) return;
  const u32* p = FBits.get();
  const size_t n = size_t(FWidth) * size_t(FHeight);
  for (size_t i = 0; i < n; ++i) {
    const u32 a = p[i] >> 24;
    if (a != 0 && a != 255) {
      HasAlpha = true;
      return;
    }
  }
}

void TspBitmap::MarkKeyColor(std::uint32_t color) {
  if (!FBits) return;
  const int kr = int((color >> 16) & 0xFF), kg = int((color >> 8) & 0xFF), kb = int(color & 0xFF);
  u32* p = FBits.get();
  const size_t n = size_t(FWidth) * size_t(FHeight);
  bool any = false;
  for (size_t i = 0; i < n; ++i) {
    const u32 v = p[i];
    if (std::abs(int((v >> 16) & 0xFF) - kr) < 6 && std::abs(int((v >> 8) & 0xFF) - kg) < 6 &&
        std::abs(int(v & 0xFF) - kb) < 6) {
      p[i] = KeyPixel;
      any = true;
    }
  }
  if (any) HasKeyColor = true;
}

void TspBitmap::FillRect(const TspRect& rect, std::uint32_t value) {
  if (!FBits) return;
  const Box c = Intersect(ToBox(rect), Box{0, 0, FWidth, FHeight});
  if (c.Empty()) return;
  const int w = int(c.W());
  if (HasAlpha) {
    const std::vector<u32> line(size_t(w), value);
    const TspLineBlend blend = SelectedLineBlend();
    for (i64 y = c.T; y < c.B; ++y) blend(ScanLine(int(y)) + c.L, line.data(), w);
  } else {
    for (i64 y = c.T; y < c.B; ++y) std::fill_n(ScanLine(int(y)) + c.L, w, value);
  }
}

void TspBitmap::DrawTo(TspBitmap& target, int x, int y) const {
  if (!FBits) return;
  DrawBitmap(*this, target, Box{x, y, i64(x) + FWidth, i64(y) + FHeight},
             Box{0, 0, FWidth, FHeight});
}

void TspBitmap::DrawTo(TspBitmap& target, const TspRect& dst, const TspRect& src) const {
  DrawBitmap(*this, target, ToBox(dst), ToBox(src));
}

void TspBitmap::Draw(QPainter& painter, int x, int y) const {
  if (!FBits) return;
  DrawRect(painter, TspRect{x, y, x + FWidth, y + FHeight}, TspRect{0, 0, FWidth, FHeight});
}

void TspBitmap::DrawRect(QPainter& painter, const TspRect& dst, const TspRect& src) const {
  if (!FBits || !painter.isActive()) return;
  Box d = ToBox(dst);
  const Box s = ToBox(src);
  if (d.Empty() || s.Empty()) return;
  const DrawMode mode = ModeOf(*this);
  const QTransform world = painter.worldTransform();

  // A painter on a listed bitmap: draw into its pixels, moved by the window origin.
  if (TspBitmap* target = FindByDevice(painter.device())) {
    const i64 ox = qRound64(world.dx()), oy = qRound64(world.dy());
    DrawBitmap(*this, *target, Box{d.L + ox, d.T + oy, d.R + ox, d.B + oy}, s);
    return;
  }

  // Anything else: work on a buffer the size of the visible part of the destination.
  const QPaintDevice* device = painter.device();
  bool invertible = false;
  const QTransform inverse = world.inverted(&invertible);
  if (!device || !invertible) return;
  const QRect bounds = inverse.mapRect(QRect(0, 0, device->width(), device->height()));
  const Box clip =
      Intersect(d, Box{bounds.left(), bounds.top(), i64(bounds.left()) + bounds.width(),
                       i64(bounds.top()) + bounds.height()});
  if (clip.Empty()) return;
  if (clip.W() * clip.H() > MaxPixels) throw EOutOfResources("Can't allocate the DIB handle");
  std::vector<u32> buffer(size_t(clip.W() * clip.H()));
  const TargetPixels temp{buffer.data(), int(clip.W()), int(clip.H())};
  const Box local{d.L - clip.L, d.T - clip.T, d.R - clip.L, d.B - clip.T};
  const Pixels self{FBits.get(), FWidth, FHeight};

  if (mode == DrawMode::Blend) {
    bool deviceHasAlpha = false;
    if (ReadDevice(painter, clip, buffer, deviceHasAlpha)) {
      // The device is a colour surface like the screen: colours follow the blend, and
      // its own alpha stays, so an opaque surface stays opaque.
      std::vector<u32> before;
      if (deviceHasAlpha) before = buffer;
      DrawPixels(self, temp, local, s, DrawMode::Blend);
      if (deviceHasAlpha) {
        for (size_t i = 0; i < buffer.size(); ++i)
          buffer[i] = (buffer[i] & ColorMask) | (before[i] & AlphaMask);
        WriteDevice(painter, clip, buffer, QImage::Format_ARGB32, QPainter::CompositionMode_Source);
      } else {
        for (u32& p : buffer) p |= AlphaMask;
        WriteDevice(painter, clip, buffer, QImage::Format_RGB32, QPainter::CompositionMode_Source);
      }
      return;
    }
    // A device whose pixels cannot be read: let the painter blend.
    DrawPixels(self, temp, local, s, DrawMode::Copy);
    WriteDevice(painter, clip, buffer, QImage::Format_ARGB32, QPainter::CompositionMode_SourceOver);
    return;
  }

  DrawPixels(self, temp, local, s, DrawMode::Copy);
  if (mode == DrawMode::Key) {
    // Key pixels become fully transparent, the rest opaque: a transparent copy.
    for (u32& p : buffer) p = (p & ColorMask) == KeyColor ? 0 : (p | AlphaMask);
    WriteDevice(painter, clip, buffer, QImage::Format_ARGB32, QPainter::CompositionMode_SourceOver);
    return;
  }
  for (u32& p : buffer) p |= AlphaMask;
  WriteDevice(painter, clip, buffer, QImage::Format_RGB32, QPainter::CompositionMode_SourceOver);
}

// -----------------------------------------------------------------------------------------
// Free functions

void AlphaFromMask(TspBitmap& bitmap, const TspBitmap& mask) {
  if (bitmap.IsEmpty() || mask.Width() < bitmap.Width() || mask.Height() < bitmap.Height()) return;
  for (int y = 0; y < bitmap.Height(); ++y) {
    u32* p = bitmap.ScanLine(y);
    const u32* m = mask.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const u32 v = m[x];
      const u32 a = (((v >> 16) & 0xFF) + ((v >> 8) & 0xFF) + (v & 0xFF)) / 3;
      p[x] = (p[x] & ColorMask) | (a << 24);
    }
  }
}

void AlphaFromMaskPremultiplied(TspBitmap& bitmap, const TspBitmap& mask) {
  if (bitmap.IsEmpty() || mask.Width() < bitmap.Width() || mask.Height() < bitmap.Height()) return;
  AlphaFromMask(bitmap, mask);
  bitmap.Premultiply();
}

namespace {

// Triangle-weighted sums along one line of n pixels, positions clamped to the line:
// out[i] = sum over k of (r + 1 - |k|) * in[i + k], div (r + 1)^2, per colour channel.
// Runs in O(n): the sum moves by (the r + 1 values right of i) - (the r + 1 up to i).
void BlurLine(const u32* in, u32* out, i64 n, i64 r) {
  const auto at = [&](i64 j, int shift) -> i64 {
    return i64((in[std::clamp<i64>(j, 0, n - 1)] >> shift) & 0xFF);
  };
  const i64 norm = (r + 1) * (r + 1);
  i64 sum[3], left[3], right[3];
  for (int c = 0; c < 3; ++c) {
    const int shift = 8 * c;
    const i64 first = at(0, shift), last = at(n - 1, shift);
    left[c] = (r + 1) * first;
    sum[c] = first * ((r + 1) * (r + 2) / 2);
    right[c] = 0;
    // Inside the line, then the run past its end, which repeats the last pixel.
    const i64 inside = std::min(r + 1, n - 1);
    for (i64 j = 1; j <= inside; ++j) {
      right[c] += at(j, shift);
      if (j <= r) sum[c] += (r + 1 - j) * at(j, shift);
    }
    if (r + 1 > n - 1) right[c] += (r + 1 - (n - 1 > 0 ? n - 1 : 0)) * last;
    if (r >= n) {
      const i64 m = r + 1 - n; // positions n..r, weights m down to 1
      sum[c] += last * (m * (m + 1) / 2);
    }
  }
  for (i64 i = 0; i < n; ++i) {
    out[i] = AlphaMask | u32(sum[2] / norm) << 16 | u32(sum[1] / norm) << 8 | u32(sum[0] / norm);
    for (int c = 0; c < 3; ++c) {
      const int shift = 8 * c;
      sum[c] += right[c] - left[c];
      left[c] += at(i + 1, shift) - at(i - r, shift);
      right[c] += at(i + r + 2, shift) - at(i + 1, shift);
    }
  }
}

} // namespace

void Blur(TspBitmap& bitmap, int r) {
  if (r <= 0 || bitmap.IsEmpty()) return;
  // Past this the sums would overflow; no picture is that large anyway.
  const i64 radius = std::min<i64>(r, i64(1) << 26);
  const int w = bitmap.Width(), h = bitmap.Height();
  std::vector<u32> line(size_t(std::max(w, h))), out(line.size());
  for (int y = 0; y < h; ++y) {
    BlurLine(bitmap.ScanLine(y), out.data(), w, radius);
    std::memcpy(bitmap.ScanLine(y), out.data(), size_t(w) * 4);
  }
  u32* bits = bitmap.ScanLine(0);
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) line[size_t(y)] = bits[size_t(y) * size_t(w) + size_t(x)];
    BlurLine(line.data(), out.data(), h, radius);
    for (int y = 0; y < h; ++y) bits[size_t(y) * size_t(w) + size_t(x)] = out[size_t(y)];
  }
}
