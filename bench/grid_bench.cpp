// The data grid over an Animals table of 100,000 rows, set up as the administration page
// has it, in the Blue skin: a full repaint, scrolling one row and one page, and sorting by a
// column, each with the repaint that follows. The window of records the grid holds is
// reported beside the times: it stays one screen whatever the table's size.
#include "sample_animals.h"

#include "skin/builtin/builtin_skins.h"
#include "skin/controls/db_grid.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "store/data_source.h"
#include "store/shelter_schema.h"
#include "store/store_connection.h"
#include "store/table_cursor.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kRows = 100000;

struct TGridShelter {
  QTemporaryDir Dir;
  std::unique_ptr<TStoreConnection> Connection;
  std::unique_ptr<TTableCursor> Cursor;
  TDataSource Source;
  std::unique_ptr<QWidget> Form;
  TspSkinDBGrid* Grid = nullptr;

  TGridShelter() {
    RegisterSkinFonts();
    Connection = TStoreConnection::CreateSQLiteFile(Dir.filePath("Data.mdb"));
    QSqlDatabase db = Connection->Database();
    CreateShelterSchema(db);
    InsertSampleAnimals(db, kRows,
                        [](int i) { return QStringLiteral("Animal%1").arg((i * 7919) % kRows); });
    Cursor = std::make_unique<TTableCursor>(Connection->Name());
    Cursor->SetTableName(QStringLiteral("Animals"));
    Cursor->Open();
    Source.SetDataSet(Cursor.get());

    // The administration page's grid, 720 x 420, with its two bars.
    Form = std::make_unique<QWidget>();
    Form->resize(780, 480);
    auto* list = CreateBuiltinSkinList(Form.get());
    auto* data = new TspSkinData(Form.get());
    data->SetSkinList(list);
    Grid = new TspSkinDBGrid(Form.get());
    Grid->setGeometry(10, 10, 720, 420);
    Grid->SetReadOnly(true);
    Grid->SetUseSkinCellHeight(false);
    Grid->SetDefaultRowHeight(17);
    QFont title(QStringLiteral("Tahoma"));
    title.setPixelSize(13);
    Grid->SetTitleFont(title);
    Grid->SetSkinData(data);
    auto* vbar = new TspSkinScrollBar(Form.get());
    vbar->SetKind(TspScrollBarKind::sbVertical);
    vbar->setGeometry(730, 10, 19, 420);
    vbar->SetSkinData(data);
    auto* hbar = new TspSkinScrollBar(Form.get());
    hbar->setGeometry(10, 430, 720, 19);
    hbar->SetSkinData(data);
    Grid->SetDataSource(&Source);
    Grid->SetVScrollBar(vbar);
    Grid->SetHScrollBar(hbar);
    Form->show();
    QApplication::processEvents();
  }

  ~TGridShelter() {
    Form.reset();
    Source.SetDataSet(nullptr);
  }
};

TGridShelter& Shelter() {
  static std::unique_ptr<TGridShelter> shelter;
  if (!shelter) {
    shelter = std::make_unique<TGridShelter>();
    // Gone while the application object stands: left to the end of the program, its
    // windows outlived it and the run crashed on its way out.
    qAddPostRoutine([] { shelter.reset(); });
  }
  return *shelter;
}

void Report(benchmark::State& state, TGridShelter& s) {
  state.counters["buffered"] = s.Grid->DataLink().RecordCount();
  state.counters["rows"] = s.Cursor->RecordCount();
}

void BM_GridRepaint100k(benchmark::State& state) {
  TGridShelter& s = Shelter();
  s.Cursor->SetRecNo(kRows / 2);
  for (auto _ : state) s.Grid->repaint();
  Report(state, s);
}
BENCHMARK(BM_GridRepaint100k)->Unit(benchmark::kMillisecond);

// Argument: the scroll command (1 a row down, 3 a page down).
void BM_GridScroll100k(benchmark::State& state) {
  TGridShelter& s = Shelter();
  const int code = int(state.range(0));
  s.Cursor->First();
  for (auto _ : state) {
    if (s.Cursor->RecNo() + s.Grid->VisibleRowCount() >= kRows) {
      state.PauseTiming();
      s.Cursor->First();
      state.ResumeTiming();
    }
    s.Grid->VScroll(code, 0);
    s.Grid->repaint();
  }
  Report(state, s);
}
BENCHMARK(BM_GridScroll100k)->Arg(SB_LINEDOWN)->Arg(SB_PAGEDOWN)->Unit(benchmark::kMillisecond);

void BM_GridSort100k(benchmark::State& state) {
  TGridShelter& s = Shelter();
  bool descending = false;
  for (auto _ : state) {
    s.Cursor->SetSort(descending ? QStringLiteral("AnimalName DESC")
                                 : QStringLiteral("AnimalName ASC"));
    s.Grid->repaint();
    descending = !descending;
  }
  s.Cursor->SetSort(QString());
  Report(state, s);
}
BENCHMARK(BM_GridSort100k)->Unit(benchmark::kMillisecond);

} // namespace
