// Effect bitmaps at the size of a large skinned window (970 x 671): the six inactive-window
// effects, one step of each morph, and a full-size alpha blend, with Qt's own source-over
// drawing of the same pixels as the peer for the blend.
#include "skin/render/bitmap.h"
#include "skin/render/effect_bitmap.h"
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

constexpr int W = 970;
constexpr int H = 671;

TspEffectBmp Picture(unsigned seed) {
  TspEffectBmp b(W, H);
  for (int y = 0; y < H; ++y) {
    std::uint8_t* p = b.ScanLine(y);
    for (int i = 0; i < 3 * W; ++i) p[i] = std::uint8_t((i * 7 + y * 13 + seed) ^ (i >> 3));
  }
  return b;
}

template <class Effect> void RunEffect(benchmark::State& state, Effect effect) {
  TspEffectBmp b = Picture(1);
  for (auto _ : state) {
    effect(b);
    benchmark::DoNotOptimize(b.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * W * H);
}

template <class Morph> void RunMorph(benchmark::State& state, Morph morph) {
  const TspEffectBmp next = Picture(2);
  TspEffectBmp b = Picture(1);
  for (auto _ : state) {
    morph(b, next);
    benchmark::DoNotOptimize(b.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * W * H);
}

void BM_Brighten(benchmark::State& s) {
  RunEffect(s, [](auto& b) { b.Brighten(0.5); });
}
void BM_Darken(benchmark::State& s) {
  RunEffect(s, [](auto& b) { b.Darken(0.3); });
}
void BM_Grayscale(benchmark::State& s) {
  RunEffect(s, [](auto& b) { b.Grayscale(); });
}
void BM_Noise(benchmark::State& s) {
  RunEffect(s, [](auto& b) { b.Noise(50); });
}
void BM_SplitBlur(benchmark::State& s) {
  RunEffect(s, [](auto& b) { b.SplitBlur(1); });
}
void BM_Invert(benchmark::State& s) {
  RunEffect(s, [](auto& b) { b.Invert(); });
}
BENCHMARK(BM_Brighten);
BENCHMARK(BM_Darken);
BENCHMARK(BM_Grayscale);
BENCHMARK(BM_Noise);
BENCHMARK(BM_SplitBlur);
BENCHMARK(BM_Invert);

void BM_MorphFade(benchmark::State& s) {
  RunMorph(s, [](auto& b, auto& n) { b.MorphFade(n, 0.5); });
}
void BM_MorphGradient(benchmark::State& s) {
  RunMorph(s, [](auto& b, auto& n) { b.MorphGradient(n, 0.5); });
}
void BM_MorphLeftGradient(benchmark::State& s) {
  RunMorph(s, [](auto& b, auto& n) { b.MorphLeftGradient(n, 0.5); });
}
void BM_MorphRightGradient(benchmark::State& s) {
  RunMorph(s, [](auto& b, auto& n) { b.MorphRightGradient(n, 0.5); });
}
void BM_MorphLeftSlide(benchmark::State& s) {
  RunMorph(s, [](auto& b, auto& n) { b.MorphLeftSlide(n, 0.5); });
}
void BM_MorphRightSlide(benchmark::State& s) {
  RunMorph(s, [](auto& b, auto& n) { b.MorphRightSlide(n, 0.5); });
}
void BM_MorphPush(benchmark::State& s) {
  RunMorph(s, [](auto& b, auto& n) { b.MorphPush(n, 0.5); });
}
BENCHMARK(BM_MorphFade);
BENCHMARK(BM_MorphGradient);
BENCHMARK(BM_MorphLeftGradient);
BENCHMARK(BM_MorphRightGradient);
BENCHMARK(BM_MorphLeftSlide);
BENCHMARK(BM_MorphRightSlide);
BENCHMARK(BM_MorphPush);

// A glow-like source: alpha runs 0..255 along each row, so the transparent, opaque and
// blended cases all occur.
void MakeBlendPair(TspBitmap& source, TspBitmap& target) {
  source.SetSize(W, H);
  target.SetSize(W, H);
  for (int y = 0; y < H; ++y) {
    std::uint32_t* s = source.ScanLine(y);
    std::uint32_t* t = target.ScanLine(y);
    for (int x = 0; x < W; ++x) {
      s[x] = std::uint32_t(x * 255 / (W - 1)) << 24 | (std::uint32_t(x * 31 + y) & 0xFFFFFF);
      t[x] = 0xFF000000u | (std::uint32_t(y * 977 + x * 3) & 0xFFFFFF);
    }
  }
  source.CheckAlpha();
}

void BM_BlendDrawTo(benchmark::State& state) {
  TspBitmap source, target;
  MakeBlendPair(source, target);
  for (auto _ : state) {
    source.DrawTo(target, 0, 0);
    benchmark::DoNotOptimize(target.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(BM_BlendDrawTo)->UseRealTime();

// The peer: Qt composing the same straight-alpha pixels source-over onto an opaque image.
void BM_BlendQtSourceOver(benchmark::State& state) {
  TspBitmap source, target;
  MakeBlendPair(source, target);
  const QImage src = source.Image().copy();
  QImage dst = target.Image().convertToFormat(QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&dst);
    p.drawImage(0, 0, src);
    p.end();
    benchmark::DoNotOptimize(dst.constBits());
  }
  state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(BM_BlendQtSourceOver)->UseRealTime(); // Qt may spread it over threads

} // namespace
