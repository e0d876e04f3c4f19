// The gallery window of skinned controls at 970 x 671: a full repaint in one skin, and a
// skin switch (load, drop every record, apply every record, repaint), as the user sees one.
#include "gallery_skins.h"
#include "gallery_window.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

std::unique_ptr<TGalleryWindow> ShownGallery() {
  RegisterSkinFonts();
  auto window = std::make_unique<TGalleryWindow>();
  window->show();
  window->activateWindow();
  QApplication::processEvents();
  return window;
}

// Every widget of the window paints into one image, as a full expose would.
void Repaint(TGalleryWindow& window, QImage& target) {
  window.render(&target, QPoint(), QRegion(),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
  benchmark::DoNotOptimize(target.constBits());
}

QImage WindowImage() {
  return QImage(TGalleryWindow::kWidth, TGalleryWindow::kHeight, QImage::Format_RGB32);
}

void BM_GalleryRepaint(benchmark::State& state) {
  const auto window = ShownGallery();
  window->SelectSkin(int(state.range(0)));
  QImage target = WindowImage();
  Repaint(*window, target);
  for (auto _ : state) Repaint(*window, target);
  state.SetLabel(window->Skins().FileTag(int(state.range(0))).toStdString());
}
BENCHMARK(BM_GalleryRepaint)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);

// Alternates between two built-in skins; the counters split each switch into the skin
// change proper (load, drop, apply) and the repaint that follows it.
void BM_GallerySkinSwitch(benchmark::State& state) {
  const auto window = ShownGallery();
  QImage target = WindowImage();
  int next = 1;
  double changeMs = 0, repaintMs = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    window->SelectSkin(next);
    const auto t1 = Clock::now();
    Repaint(*window, target);
    const auto t2 = Clock::now();
    changeMs += std::chrono::duration<double, std::milli>(t1 - t0).count();
    repaintMs += std::chrono::duration<double, std::milli>(t2 - t1).count();
    next = 1 - next;
  }
  const double n = double(state.iterations());
  state.counters["change_ms"] = changeMs / n;
  state.counters["repaint_ms"] = repaintMs / n;
}
BENCHMARK(BM_GallerySkinSwitch)->Unit(benchmark::kMillisecond);

// Every sheet of the gallery painted in each built-in skin in turn. The counters give what
// the skin's image cache holds: the most after any one skin, after the last one, and the
// budget it is held to.
void BM_GalleryImageCache(benchmark::State& state) {
  const auto window = ShownGallery();
  QImage target = WindowImage();
  TspImageCache& cache = window->Skins().SkinData()->ImageCache();
  qsizetype most = 0, last = 0;
  for (auto _ : state) {
    for (int skin = 0; skin < window->Skins().BuiltinCount(); ++skin) {
      window->SelectSkin(skin);
      for (int sheet = 0; sheet < TGalleryWindow::kSheetCount; ++sheet) {
        window->ShowSheet(sheet);
        Repaint(*window, target);
      }
      most = std::max(most, cache.Bytes());
    }
    last = cache.Bytes();
  }
  state.counters["cache_bytes_max"] = double(most);
  state.counters["cache_bytes_last"] = double(last);
  state.counters["cache_images_last"] = double(cache.Count());
  state.counters["budget_bytes"] = double(cache.Budget());
}
BENCHMARK(BM_GalleryImageCache)->Unit(benchmark::kMillisecond);

} // namespace
