// The skinned window frame: a whole repaint (frame recomposed, client painted), one step of
// an interactive resize, a hovered caption button redrawn alone, and a skin switch.

#include "skin/builtin/builtin_skins.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"
#include "skin/frame/vestimar.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A form of w x h with the built-in skins under a form controller, shown and active.
struct FramedForm {
  FramedForm(int w, int h) {
    RegisterSkinFonts();
    form = std::make_unique<QWidget>();
    form->setWindowTitle(QStringLiteral("Save The Vorns"));
    form->setGeometry(0, 0, w, h);
    data = new TspSkinData(form.get());
    data->SetSkinList(CreateBuiltinSkinList(form.get()));
    frame = new TspVestimar(form.get());
    frame->SetDisableSystemMenu(true);
    frame->SetSkinData(data);
    form->show();
    QApplication::setActiveWindow(form.get());
    QCoreApplication::processEvents();
  }
  // Paints the whole window as an expose does, into an image of its size.
  void Paint() {
    target.fill(Qt::black);
    form->render(&target);
  }
  std::unique_ptr<QWidget> form;
  TspSkinData* data = nullptr;
  TspVestimar* frame = nullptr;
  QImage target;
};

void BM_FrameFullRepaint(benchmark::State& state) {
  FramedForm f(int(state.range(0)), int(state.range(1)));
  f.target = QImage(f.form->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    f.frame->RepaintFrame();
    f.Paint();
    benchmark::DoNotOptimize(f.target.constBits());
  }
}
// The main window's size (client 970 x 671 in the frame) and a maximised 1920 x 1080.
BENCHMARK(BM_FrameFullRepaint)->Args({978, 705})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

void BM_FrameResizeStep(benchmark::State& state) {
  FramedForm f(1920, 1080);
  int step = 0;
  for (auto _ : state) {
    // One step of a drag of the bottom-right corner: a new size, the frame and region
    // recomputed, the window painted.
    step = (step + 1) % 8;
    f.form->resize(1920 - step, 1080 - step);
    f.target = QImage(f.form->size(), QImage::Format_RGB32);
    f.Paint();
    benchmark::DoNotOptimize(f.target.constBits());
  }
}
BENCHMARK(BM_FrameResizeStep)->Unit(benchmark::kMillisecond);

void BM_FrameHoveredButton(benchmark::State& state) {
  FramedForm f(978, 705);
  f.target = QImage(f.form->size(), QImage::Format_RGB32);
  f.Paint();
  int close = -1;
  for (size_t i = 0; i < f.frame->Objects().size(); ++i)
    if (f.frame->Objects()[i]->IDName == QLatin1String("closebutton")) close = int(i);
  const QRect r = f.frame->Objects()[size_t(close)]->ObjectRect.ToQRect();
  bool hot = false;
  for (auto _ : state) {
    // In and out of the button: the button redrawn alone and its rectangle painted.
    hot = !hot;
    f.frame->TrackObject(hot ? r.center() : QPoint(-1, -1), hot);
    QPainter p(&f.target);
    f.frame->Painter().Paint(p, QRegion(r));
  }
}
BENCHMARK(BM_FrameHoveredButton)->Unit(benchmark::kMicrosecond);

void BM_FrameSkinSwitch(benchmark::State& state) {
  FramedForm f(978, 705);
  f.target = QImage(f.form->size(), QImage::Format_RGB32);
  int index = 0;
  for (auto _ : state) {
    index = (index + 1) % 4;
    f.data->SetSkinIndex(index);
    f.Paint();
    benchmark::DoNotOptimize(f.target.constBits());
  }
}
BENCHMARK(BM_FrameSkinSwitch)->Unit(benchmark::kMillisecond);

} // namespace
