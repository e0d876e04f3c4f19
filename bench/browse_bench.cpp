// The Browse page's search over an Animals table of 100,000 rows, for each of its four tests
// (text and kind, text alone, kind alone, neither), each with the results list filled; and
// the results list filled with 100,000 names alone and painted. The window runs its start-up in a
// working directory of its own, as the program does.
#include "sample_animals.h"

#include "app/app_fonts.h"
#include "app/browse_page.h"
#include "app/main_form.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/list_box.h"
#include "store/shelter_schema.h"
#include "store/store_connection.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kRows = 100000;

// A working directory whose database holds kRows animals, and the window started in it.
struct TBrowseShelter {
  QTemporaryDir Dir;
  QString OldDir;
  std::unique_ptr<TfrmMain> Form;

  TBrowseShelter() {
    RegisterAppFonts();
    QDir().mkpath(Dir.filePath("cfg"));
    QDir().mkpath(Dir.filePath("img/usr"));
    {
      auto connection = TStoreConnection::CreateSQLiteFile(Dir.filePath("cfg/Data.mdb"));
      QSqlDatabase db = connection->Database();
      CreateShelterSchema(db);
      // Names repeat every 1,000 rows: a search by name finds 100 animals.
      InsertSampleAnimals(db, kRows,
                          [](int i) { return QStringLiteral("Animal%1").arg(i % 1000); });
    }
    OldDir = QDir::currentPath();
    QDir::setCurrent(Dir.path());
    Form = std::make_unique<TfrmMain>();
    Form->show();
    QApplication::processEvents();
  }

  ~TBrowseShelter() {
    Form.reset();
    QDir::setCurrent(OldDir);
  }
};

TBrowseShelter& Shelter() {
  static std::unique_ptr<TBrowseShelter> shelter;
  if (!shelter) {
    shelter = std::make_unique<TBrowseShelter>();
    // Gone while the application object stands: left to the end of the program, its
    // windows outlived it and the run crashed on its way out.
    qAddPostRoutine([] { shelter.reset(); });
  }
  return *shelter;
}

// Arguments: 1 when a text is searched for, 1 when a kind is chosen.
void BM_BrowseSearch100k(benchmark::State& state) {
  TBrowsePage& browse = Shelter().Form->BrowsePage();
  const bool byText = state.range(0) != 0;
  const bool byKind = state.range(1) != 0;
  browse.cbxBrowseField->SetItemIndex(1); // AnimalName
  browse.edtBrowseSearch->SetText(byText ? QStringLiteral("ANIMAL500") : QString());
  // Every Animal500 is a cat.
  browse.cbxBrowseSearch->SetItemIndex(byKind ? 1 : 0); // Cat or All
  const int expected = byText ? 100 : (byKind ? kRows / 5 : kRows);
  for (auto _ : state) {
    browse.btnBrowseSearchClick();
    if (browse.lbxBrowseResults->Items().size() != expected) state.SkipWithError("wrong results");
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  state.SetLabel(std::string(byText ? "text" : "no text") + (byKind ? ", kind" : ", all kinds"));
}
BENCHMARK(BM_BrowseSearch100k)
    ->Args({1, 1})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({0, 0})
    ->Unit(benchmark::kMillisecond);

void BM_BrowseResultsFill100k(benchmark::State& state) {
  TspSkinListBox* list = Shelter().Form->BrowsePage().lbxBrowseResults;
  QStringList names;
  for (int i = 0; i < kRows; ++i) names << QStringLiteral("Animal%1").arg(i % 1000);
  for (auto _ : state) {
    // As the search hands them over: a list gathered name by name, then shown and painted.
    list->ClearItems();
    QStringList gathered;
    for (const QString& name : names) gathered << name;
    list->SetItems(gathered);
    benchmark::DoNotOptimize(list->ListBox()->PaintImage());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BrowseResultsFill100k)->Unit(benchmark::kMillisecond);

} // namespace
