// The skinned list box with many items: filling it, painting it and scrolling it. A paint
// draws only the rows on show, so its cost should not depend on the number of items: the
// paint and scroll benchmarks run with 100 and with 100,000 items to show it.
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/list_box.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QStringList ManyItems(int n) {
  QStringList items;
  items.reserve(n);
  for (int i = 0; i < n; ++i) items << QStringLiteral("Vorn number %1").arg(i);
  return items;
}

struct TSkinnedList {
  TSkinnedList() {
    RegisterSkinFonts();
    form = std::make_unique<QWidget>();
    data = new TspSkinData(form.get());
    data->SetSkinList(CreateBuiltinSkinList(form.get()));
    list = new TspSkinListBox(form.get());
    list->setGeometry(0, 0, 220, 400);
    list->SetSkinData(data);
  }
  std::unique_ptr<QWidget> form;
  TspSkinData* data;
  TspSkinListBox* list;
};

// Every item at once, then one at a time (the application's way of filling its lists).
void BM_ListBoxFill(benchmark::State& state) {
  TSkinnedList s;
  const QStringList items = ManyItems(int(state.range(0)));
  for (auto _ : state) {
    s.list->ClearItems();
    for (const QString& item : items) s.list->AddItem(item);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListBoxFill)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ListBoxSetItems(benchmark::State& state) {
  TSkinnedList s;
  const QStringList items = ManyItems(int(state.range(0)));
  for (auto _ : state) s.list->SetItems(items);
}
BENCHMARK(BM_ListBoxSetItems)->Arg(100000)->Unit(benchmark::kMillisecond);

// One full paint of the inner list with a selection in view.
void BM_ListBoxPaint(benchmark::State& state) {
  TSkinnedList s;
  s.list->SetItems(ManyItems(int(state.range(0))));
  s.list->SetItemIndex(int(state.range(0)) / 2);
  for (auto _ : state) {
    const QImage image = s.list->ListBox()->PaintImage();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_ListBoxPaint)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

// A scroll by one row through the skinned bar, and the paint that follows.
void BM_ListBoxScroll(benchmark::State& state) {
  TSkinnedList s;
  const int n = int(state.range(0));
  s.list->SetItems(ManyItems(n));
  const int last = s.list->ListBox()->MaxTopIndex();
  int top = 0;
  for (auto _ : state) {
    top = top >= last ? 0 : top + 1;
    s.list->SetTopIndex(top);
    const QImage image = s.list->ListBox()->PaintImage();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_ListBoxScroll)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
