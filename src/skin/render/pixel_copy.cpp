#include "skin/render/pixel_copy.h"

#include "skin/render/skin_error.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Shorter straight runs are cheaper to gather than to hand to memcpy.
constexpr int kMinMemcpyRun = 8;
// No target or picture is this large; geometry beyond it is nonsense from a file.
constexpr int kMaxTargetSide = 32768;

// For each target coordinate from `first` on, the source coordinate it takes,
// or -1 where that lies outside the source picture.
struct AxisMap {
  int first = 0;
  std::vector<int> src;
};

AxisMap BuildAxis(qint64 srcStart, qint64 srcLen, qint64 dstStart, qint64 dstLen, int dstLimit,
                  int srcLimit, TspAxisFill fill) {
  AxisMap m;
  const qint64 lo = std::max<qint64>(dstStart, 0);
  const qint64 hi = std::min<qint64>(dstStart + dstLen, dstLimit);
  if (lo >= hi) return m;
  m.first = int(lo);
  m.src.resize(size_t(hi - lo));
  // Stepped without a division per pixel: this runs for every row and column of
  // every part of every paint.
  const qint64 off0 = lo - dstStart;
  auto put = [&](qint64 i, qint64 s) { m.src[size_t(i)] = s >= 0 && s < srcLimit ? int(s) : -1; };
  if (fill == TspAxisFill::Tile) {
    qint64 phase = off0 % srcLen;
    for (qint64 i = 0; i < hi - lo; ++i) {
      put(i, srcStart + phase);
      if (++phase == srcLen) phase = 0;
    }
  } else {
    // Nearest neighbour samples the source at the centre of each target pixel,
    // (2 off + 1) srcLen div (2 dstLen), so an integer enlargement repeats every
    // source pixel equally often.
    const qint64 den = 2 * dstLen;
    const qint64 stepQ = (2 * srcLen) / den, stepR = (2 * srcLen) % den;
    const qint64 num = (2 * off0 + 1) * srcLen;
    qint64 q = num / den, r = num % den;
    for (qint64 i = 0; i < hi - lo; ++i) {
      put(i, srcStart + q);
      q += stepQ;
      r += stepR;
      if (r >= den) {
        r -= den;
        ++q;
      }
    }
  }
  return m;
}

struct Run {
  int dst; // target column
  int len;
  int src; // source column of a straight run; -1 for a gathered one
};

// Splits the columns into straight runs (memcpy) and the rest (gathered through the map).
std::vector<Run> BuildRuns(const AxisMap& cols) {
  const int n = int(cols.src.size());
  std::vector<int> chain(size_t(n), 1);
  for (int i = n - 2; i >= 0; --i)
    if (cols.src[i] >= 0 && cols.src[i + 1] == cols.src[i] + 1) chain[i] = chain[i + 1] + 1;
  std::vector<Run> runs;
  int i = 0;
  while (i < n) {
    if (cols.src[i] < 0) {
      ++i;
    } else if (chain[i] >= kMinMemcpyRun) {
      runs.push_back({cols.first + i, chain[i], cols.src[i]});
      i += chain[i];
    } else {
      int j = i;
      while (j < n && cols.src[j] >= 0 && chain[j] < kMinMemcpyRun) ++j;
      runs.push_back({cols.first + i, j - i, -1});
      i = j;
    }
  }
  return runs;
}

void Blit(QImage& target, const QImage& source, const AxisMap& cols, const AxisMap& rows) {
  if (cols.src.empty() || rows.src.empty()) return;
  const std::vector<Run> runs = BuildRuns(cols);
  if (runs.empty()) return;
  uchar* dstBase = target.bits();
  const qsizetype dstStride = target.bytesPerLine();
  const uchar* srcBase = source.constBits();
  const qsizetype srcStride = source.bytesPerLine();
  const int* colMap = cols.src.data() - cols.first;

  const quint32* prevDst = nullptr;
  int prevSrcRow = -1;
  for (size_t i = 0; i < rows.src.size(); ++i) {
    const int sy = rows.src[i];
    if (sy < 0) {
      prevDst = nullptr;
      continue;
    }
    auto* d = reinterpret_cast<quint32*>(dstBase + (rows.first + qsizetype(i)) * dstStride);
    if (prevDst && sy == prevSrcRow) {
      // A row repeated by enlargement: the row above already holds it.
      for (const Run& r : runs) std::memcpy(d + r.dst, prevDst + r.dst, size_t(r.len) * 4);
    } else {
      const auto* s = reinterpret_cast<const quint32*>(srcBase + sy * srcStride);
      for (const Run& r : runs) {
        if (r.src >= 0) {
          std::memcpy(d + r.dst, s + r.src, size_t(r.len) * 4);
        } else {
          for (int x = r.dst, end = r.dst + r.len; x < end; ++x) d[x] = s[colMap[x]];
        }
      }
    }
    prevDst = d;
    prevSrcRow = sy;
  }
}

} // namespace

void CopyPart(QImage& target, const TspRect& rawTo, const QImage& source, const TspRect& rawFrom,
              TspAxisFill columns, TspAxisFill rows) {
  // Bounded, every product of the mapping stays far inside 64 bits.
  const TspRect to = BoundRect(rawTo), from = BoundRect(rawFrom);
  const qint64 fromW = qint64(from.Right) - from.Left, fromH = qint64(from.Bottom) - from.Top;
  const qint64 toW = qint64(to.Right) - to.Left, toH = qint64(to.Bottom) - to.Top;
  if (fromW <= 0 || fromH <= 0 || toW <= 0 || toH <= 0) return;
  if (target.isNull() || source.isNull()) return;
  const AxisMap cols =
      BuildAxis(from.Left, fromW, to.Left, toW, target.width(), source.width(), columns);
  if (cols.src.empty()) return;
  const AxisMap rowMap =
      BuildAxis(from.Top, fromH, to.Top, toH, target.height(), source.height(), rows);
  Blit(target, source, cols, rowMap);
}

const QImage& AsRgb32(const QImage& source, QImage& holder) {
  if (source.format() == QImage::Format_RGB32) return source;
  holder = source.convertToFormat(QImage::Format_RGB32);
  return holder;
}

void ResizeTarget(QImage& target, int w, int h) {
  if (w <= 0 || h <= 0) {
    target = QImage();
    return;
  }
  if (target.width() == w && target.height() == h && target.format() == QImage::Format_RGB32)
    return;
  if (w > kMaxTargetSide || h > kMaxTargetSide)
    throw EOutOfResources("composition target is too large");
  QImage image(w, h, QImage::Format_RGB32);
  if (image.isNull()) throw EOutOfResources("cannot allocate a composition target");
  image.fill(0xFF000000u);
  target = std::move(image);
}

int BoundCoord(int v) {
  return std::clamp(v, -kCoordLimit, kCoordLimit);
}
TspPoint BoundPoint(TspPoint p) {
  return {BoundCoord(p.X), BoundCoord(p.Y)};
}
TspRect BoundRect(const TspRect& r) {
  return {BoundCoord(r.Left), BoundCoord(r.Top), BoundCoord(r.Right), BoundCoord(r.Bottom)};
}
