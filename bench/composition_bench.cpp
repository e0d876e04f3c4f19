// Nine-part composition of a window frame at a typical window size, against
// Qt's own border-pixmap drawing of the same margins into an image of the same size.
#include "skin/render/composition.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <benchmark/benchmark.h>
#include <chrono>
#include <qdrawutil.h>

namespace {

// A frame picture as skins draw one: 236 x 178 with a 30-pixel caption band and
// 4-pixel borders; the corner points sit on the client rectangle's corners, so
// the margins mean the same to both drawers.
constexpr int kW = 236, kH = 178;
constexpr int kTargetW = 970, kTargetH = 671;
const TspRect kSkin{0, 0, kW, kH};
const TspNinePartGeometry kGeometry{
    {4, 30, kW - 4, kH - 4}, {4, 30}, {kW - 4, 30}, {4, kH - 4}, {kW - 4, kH - 4}};
const QMargins kMargins(4, 30, 4, 4);

const QImage& FramePicture() {
  static const QImage picture = [] {
    QImage img(kW, kH, QImage::Format_RGB32);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        img.setPixel(x, y, qRgb((x * 7 + y * 3) & 0xFF, (x * y) & 0xFF, (x ^ y) & 0xFF));
    return img;
  }();
  return picture;
}

TspStretchFlags Flags(bool stretched) {
  return {stretched, stretched, stretched, stretched, stretched, kStretchFull};
}

void ComposeOurs(QImage& target, bool stretched) {
  ComposeNinePartImage(target, FramePicture(), kSkin, kGeometry, kTargetW, kTargetH,
                       TargetGeometry(kGeometry, kW, kH, kTargetW, kTargetH), Flags(stretched),
                       true);
}

void ComposeQt(QImage& target, const QPixmap& pixmap, bool stretched) {
  QPainter p(&target);
  const Qt::TileRule rule = stretched ? Qt::StretchTile : Qt::RepeatTile;
  qDrawBorderPixmap(&p, QRect(0, 0, kTargetW, kTargetH), kMargins, pixmap, QRect(0, 0, kW, kH),
                    kMargins, QTileRules(rule, rule));
}

void BM_ComposeFrame(benchmark::State& state) {
  const bool stretched = state.range(0) != 0;
  QImage target;
  ComposeOurs(target, stretched);
  for (auto _ : state) {
    ComposeOurs(target, stretched);
    benchmark::DoNotOptimize(target.constBits());
  }
  state.SetLabel(stretched ? "stretched" : "tiled");
}
BENCHMARK(BM_ComposeFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_QtDrawBorderPixmap(benchmark::State& state) {
  const bool stretched = state.range(0) != 0;
  const QPixmap pixmap = QPixmap::fromImage(FramePicture());
  QImage target(kTargetW, kTargetH, QImage::Format_RGB32);
  for (auto _ : state) {
    ComposeQt(target, pixmap, stretched);
    benchmark::DoNotOptimize(target.constBits());
  }
  state.SetLabel(stretched ? "stretched" : "tiled");
}
BENCHMARK(BM_QtDrawBorderPixmap)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Both drawers alternately in one run; "qt_over_ours" above 1 means ours is faster.
// For tiles the two images must agree pixel for pixel.
void BM_CompareWithQt(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const bool stretched = state.range(0) != 0;
  const QPixmap pixmap = QPixmap::fromImage(FramePicture());
  QImage ours, theirs(kTargetW, kTargetH, QImage::Format_RGB32);
  ComposeOurs(ours, stretched);
  ComposeQt(theirs, pixmap, stretched);
  if (!stretched && ours != theirs) state.SkipWithError("tiled frames differ from Qt's");
  Clock::duration oursTime{}, qtTime{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    ComposeOurs(ours, stretched);
    const auto t1 = Clock::now();
    ComposeQt(theirs, pixmap, stretched);
    const auto t2 = Clock::now();
    oursTime += t1 - t0;
    qtTime += t2 - t1;
    benchmark::DoNotOptimize(ours.constBits());
    benchmark::DoNotOptimize(theirs.constBits());
  }
  const double n = double(state.iterations());
  state.counters["ours_us"] = std::chrono::duration<double, std::micro>(oursTime).count() / n;
  state.counters["qt_us"] = std::chrono::duration<double, std::micro>(qtTime).count() / n;
  state.counters["qt_over_ours"] = double(qtTime.count()) / double(oursTime.count());
  state.SetLabel(stretched ? "stretched" : "tiled");
}
BENCHMARK(BM_CompareWithQt)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
