// The console's rich edit: appending coloured lines, each a bold message run and a detail
// run, with a skinned bar attached and kept in step, on a shown window. Every line must
// stay cheap however long the text has grown.
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/rich_edit.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

struct TConsole {
  std::unique_ptr<QWidget> Form;
  TspSkinRichEdit* Edit = nullptr;
  TspSkinScrollBar* Bar = nullptr;
};

TConsole ShownConsole() {
  RegisterSkinFonts();
  TConsole c;
  c.Form = std::make_unique<QWidget>();
  c.Form->resize(420, 260);
  auto* data = new TspSkinData(c.Form.get());
  data->SetSkinList(CreateBuiltinSkinList(c.Form.get()));
  c.Edit = new TspSkinRichEdit(c.Form.get());
  c.Edit->setGeometry(0, 0, 400, 260);
  c.Bar = new TspSkinScrollBar(c.Form.get());
  c.Bar->SetKind(TspScrollBarKind::sbVertical);
  c.Bar->SetSkinData(data);
  c.Bar->setGeometry(400, 0, 19, 260);
  c.Edit->SetVScrollBar(c.Bar);
  c.Form->show();
  QApplication::processEvents();
  return c;
}

void AppendConsoleLine(TspSkinRichEdit& edit, int i) {
  edit.AppendRuns({{QStringLiteral("Animal added"), QColor(20, 100, 20), true},
                   {QStringLiteral(":"), Qt::black},
                   {QStringLiteral("Vorn number %1 in the records\n").arg(i), QColor(70, 70, 70)}});
}

// 10,000 lines into an empty console, with the window repainted at the end as the event
// loop would; the counters give the cost per line and of that one repaint.
void BM_RichEditAppend10000(benchmark::State& state) {
  double appendMs = 0, repaintMs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TConsole c = ShownConsole();
    QImage target(c.Form->size(), QImage::Format_RGB32);
    state.ResumeTiming();
    const auto t0 = Clock::now();
    for (int i = 0; i < 10000; ++i) AppendConsoleLine(*c.Edit, i);
    const auto t1 = Clock::now();
    c.Form->render(&target);
    const auto t2 = Clock::now();
    benchmark::DoNotOptimize(target.constBits());
    appendMs += std::chrono::duration<double, std::milli>(t1 - t0).count();
    repaintMs += std::chrono::duration<double, std::milli>(t2 - t1).count();
    state.PauseTiming();
    c.Form.reset();
    state.ResumeTiming();
  }
  const double n = double(state.iterations());
  state.counters["us_per_line"] = appendMs * 1000.0 / n / 10000.0;
  state.counters["repaint_ms"] = repaintMs / n;
}
BENCHMARK(BM_RichEditAppend10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// One more line into a console that already holds `range` lines.
void BM_RichEditAppendToLongConsole(benchmark::State& state) {
  TConsole c = ShownConsole();
  int i = 0;
  for (; i < state.range(0); ++i) AppendConsoleLine(*c.Edit, i);
  for (auto _ : state) AppendConsoleLine(*c.Edit, i++);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RichEditAppendToLongConsole)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
