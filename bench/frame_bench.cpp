// The skinned window frame: a whole repaint of the main window (frame recomposed, every
// control painted) at its own size and maximised at 1920 x 1080, one step of an interactive
// resize, a hovered caption button redrawn alone, and a skin switch of the main window.

#include "app/app_fonts.h"
#include "app/main_form.h"
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"
#include "skin/frame/vestimar.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
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

// The application's main window, started (settings written, no database) in a working
// directory of its own.
struct MainWindow {
  MainWindow() {
    FOld = QDir::currentPath();
    QDir::setCurrent(FDir.path());
    RegisterAppFonts();
    TfrmMainServices services;
    services.IsConnected = [] { return false; };
    services.OpenUrl = [](const QString&) {};
    form = std::make_unique<TfrmMain>(services);
    form->show();
    QApplication::setActiveWindow(form.get());
    QCoreApplication::processEvents();
  }
  ~MainWindow() {
    form.reset();
    QDir::setCurrent(FOld);
  }
  void Paint() {
    if (target.size() != form->size()) target = QImage(form->size(), QImage::Format_RGB32);
    form->render(&target);
  }
  QTemporaryDir FDir;
  QString FOld;
  std::unique_ptr<TfrmMain> form;
  QImage target;
};

void BM_FrameFullRepaint(benchmark::State& state) {
  MainWindow w;
  if (state.range(0) > 0) w.form->setGeometry(0, 0, int(state.range(0)), int(state.range(1)));
  QCoreApplication::processEvents();
  for (auto _ : state) {
    w.form->frmSkin->RepaintFrame();
    w.Paint();
    benchmark::DoNotOptimize(w.target.constBits());
  }
  state.counters["width"] = w.form->width();
  state.counters["height"] = w.form->height();
}
// The main window as it starts (its 970 x 671 client area in the frame), and maximised on
// a 1920 x 1080 screen.
BENCHMARK(BM_FrameFullRepaint)->Args({0, 0})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

void BM_FrameResizeStep(benchmark::State& state) {
  MainWindow w;
  w.form->setGeometry(0, 0, 1920, 1080);
  QCoreApplication::processEvents();
  int step = 0;
  for (auto _ : state) {
    // One step of a drag of the bottom-right corner: a new size, the frame, region and
    // layout recomputed, the window painted.
    step = (step + 1) % 8;
    w.form->resize(1920 - step, 1080 - step);
    w.Paint();
    benchmark::DoNotOptimize(w.target.constBits());
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
  MainWindow w;
  int index = 0;
  for (auto _ : state) {
    index = (index + 1) % 4;
    w.form->spSkinForm->SetSkinIndex(index);
    w.Paint();
    benchmark::DoNotOptimize(w.target.constBits());
  }
}
BENCHMARK(BM_FrameSkinSwitch)->Unit(benchmark::kMillisecond);

} // namespace
