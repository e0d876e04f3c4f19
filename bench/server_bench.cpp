// The shared PostgreSQL server beside the SQLite file, on the same Animals: opening the
// table, the Browse page's search, locate, sort and the grid's page scroll over 100,000
// animals; and the Browse search over 1,000,000 animals on the server. The server is a
// private one started for the run (as the tests start theirs), reached over its local
// socket. Argument 0 is SQLite, 1 the server.
#include "postgres_server.h"
#include "sample_animals.h"

#include "app/app_fonts.h"
#include "app/browse_page.h"
#include "app/ini_config.h"
#include "app/main_form.h"
#include "platform/profile_file.h"
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/db_grid.h"
#include "skin/controls/edit.h"
#include "skin/controls/list_box.h"
#include "skin/controls/scroll_bar.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "store/data_source.h"
#include "store/shelter_schema.h"
#include "store/store_connection.h"
#include "store/table_cursor.h"

#include <QApplication>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// The sample animals written by the server itself: the same rows, in the same order, as
// InsertSampleAnimals with names repeating every 1,000 rows.
void InsertOnServer(QSqlDatabase& db, int rows) {
  QSqlQuery query(db);
  if (!query.exec(
          QStringLiteral(
              "INSERT INTO \"Animals\" (\"AnimalName\", \"Type\", \"Colour\", \"Breed\", \"Sex\", "
              "\"CheckIn\", \"Adopt\", \"KennelID\") SELECT 'Animal' || (i % 1000), "
              "(ARRAY['Cat', 'Dog', 'Rabbit', 'Snake', 'Scorpion'])[i % 5 + 1], 'Brown', 'Mixed', "
              "CASE WHEN i % 2 = 1 THEN 'Male' ELSE 'Female' END, DATE '2024-03-01', i % 4 = 0, "
              "'K' || (i % 40) FROM generate_series(0, %1) AS i")
              .arg(rows - 1)) ||
      // As the server's autovacuum leaves a table some time after a bulk insert: visible to
      // every transaction, so that indexes holding what a query reads answer it alone.
      !query.exec(QStringLiteral("VACUUM ANALYZE \"Animals\"")))
    qFatal("cannot fill the server: %s", qPrintable(query.lastError().text()));
}

// A working directory whose database (a file, or a database of its own on the server,
// named in cfg/config.ini) holds `rows` animals, the window started in it, and a grid as
// the administration page has it on a cursor of its own.
struct TShelter {
  QTemporaryDir Dir;
  std::unique_ptr<TStoreConnection> Connection;
  std::unique_ptr<TTableCursor> Cursor;
  TDataSource Source;
  std::unique_ptr<QWidget> GridForm;
  TspSkinDBGrid* Grid = nullptr;
  std::unique_ptr<TfrmMain> Form;

  TShelter(bool server, int rows) {
    RegisterAppFonts();
    QDir().mkpath(Dir.filePath("cfg"));
    QDir().mkpath(Dir.filePath("img/usr"));
    if (server) {
      TPostgresServer& postgres = TPostgresServer::Instance();
      if (!postgres.Ensure()) qFatal("%s", qPrintable(postgres.Reason()));
      const QString name = QStringLiteral("bench%1").arg(rows);
      {
        auto admin = TStoreConnection::OpenServer("QPSQL", postgres.Params());
        QSqlQuery query(admin->Database());
        query.exec("DROP DATABASE IF EXISTS " + name);
        if (!query.exec("CREATE DATABASE " + name))
          qFatal("%s", qPrintable(query.lastError().text()));
      }
      TConnectionParams params = postgres.Params();
      params.DatabaseName = name;
      Connection = TStoreConnection::OpenServer("QPSQL", params);
      QSqlDatabase db = Connection->Database();
      CreateShelterSchema(db);
      InsertOnServer(db, rows);
      TProfileFile ini(Dir.filePath("cfg/config.ini"));
      WriteConfigDefaults(ini, TConfigCreation());
      ini.WriteString("Database", "Server",
                      QString(postgres.Uri())
                          .replace("postgresql:///postgres?", "postgresql:///" + name + "?"));
    } else {
      Connection = TStoreConnection::CreateSQLiteFile(Dir.filePath("cfg/Data.mdb"));
      QSqlDatabase db = Connection->Database();
      CreateShelterSchema(db);
      InsertSampleAnimals(db, rows, [](int i) { return QStringLiteral("Animal%1").arg(i % 1000); });
    }
    Cursor = std::make_unique<TTableCursor>(Connection->Name());
    Cursor->SetTableName("Animals");
    Cursor->Open();
    Source.SetDataSet(Cursor.get());
    GridForm = std::make_unique<QWidget>();
    GridForm->resize(780, 480);
    auto* data = new TspSkinData(GridForm.get());
    data->SetSkinList(CreateBuiltinSkinList(GridForm.get()));
    Grid = new TspSkinDBGrid(GridForm.get());
    Grid->setGeometry(10, 10, 720, 420);
    Grid->SetReadOnly(true);
    Grid->SetUseSkinCellHeight(false);
    Grid->SetDefaultRowHeight(17);
    Grid->SetSkinData(data);
    auto* bar = new TspSkinScrollBar(GridForm.get());
    bar->SetKind(TspScrollBarKind::sbVertical);
    bar->setGeometry(730, 10, 19, 420);
    bar->SetSkinData(data);
    Grid->SetDataSource(&Source);
    Grid->SetVScrollBar(bar);
    GridForm->show();

    const QString old = QDir::currentPath();
    QDir::setCurrent(Dir.path());
    Form = std::make_unique<TfrmMain>();
    Form->show();
    QApplication::processEvents();
    QDir::setCurrent(old);
    if (!Form->DatabaseFound) qFatal("the window found no database");
  }

  ~TShelter() {
    Form.reset();
    GridForm.reset();
    Source.SetDataSet(nullptr);
    Cursor.reset();
  }
};

std::map<std::pair<bool, int>, std::unique_ptr<TShelter>> shelters;

TShelter& Shelter(bool server, int rows) {
  // The windows go while the application object still stands: left to the end of the
  // program, they outlived it and the run crashed on its way out.
  if (shelters.empty()) qAddPostRoutine([] { shelters.clear(); });
  auto& shelter = shelters[{server, rows}];
  if (!shelter) shelter = std::make_unique<TShelter>(server, rows);
  return *shelter;
}

const char* StoreName(bool server) {
  return server ? "server" : "SQLite";
}

constexpr int k100k = 100000;
constexpr int k1M = 1000000;

void BM_SharedOpenAnimals(benchmark::State& state) {
  const bool server = state.range(0) != 0;
  const int rows = int(state.range(1));
  TTableCursor cursor(Shelter(server, rows).Connection->Name());
  cursor.SetTableName("Animals");
  for (auto _ : state) {
    cursor.Open();
    benchmark::DoNotOptimize(cursor.FieldByName("AnimalName"));
    state.PauseTiming();
    if (cursor.RecordCount() != rows) state.SkipWithError("wrong row count");
    cursor.Close();
    state.ResumeTiming();
  }
  state.SetLabel(StoreName(server));
}
BENCHMARK(BM_SharedOpenAnimals)
    ->Args({0, k100k})
    ->Args({1, k100k})
    ->Args({1, k1M})
    ->Unit(benchmark::kMillisecond);

// Arguments: the store, the rows, and the search: 0 by name ("ANIMAL500", found every
// 1,000 rows), 1 by kind alone (Cat, every fifth row), 2 both.
void BM_SharedBrowseSearch(benchmark::State& state) {
  const bool server = state.range(0) != 0;
  const int rows = int(state.range(1));
  const int search = int(state.range(2));
  TBrowsePage& browse = Shelter(server, rows).Form->BrowsePage();
  const bool byText = search != 1;
  const bool byKind = search != 0;
  browse.cbxBrowseField->SetItemIndex(1); // AnimalName
  browse.edtBrowseSearch->SetText(byText ? QStringLiteral("ANIMAL500") : QString());
  browse.cbxBrowseSearch->SetItemIndex(byKind ? 1 : 0); // Cat or All
  const int expected = byText ? rows / 1000 : rows / 5;
  for (auto _ : state) {
    browse.btnBrowseSearchClick();
    if (browse.lbxBrowseResults->Items().size() != expected) state.SkipWithError("wrong results");
  }
  state.SetLabel(std::string(StoreName(server)) + (search == 0   ? ", by name"
                                                   : search == 1 ? ", by kind"
                                                                 : ", name and kind"));
}
BENCHMARK(BM_SharedBrowseSearch)
    ->Args({0, k100k, 0})
    ->Args({1, k100k, 0})
    ->Args({0, k100k, 1})
    ->Args({1, k100k, 1})
    ->Args({1, k1M, 0})
    ->Args({1, k1M, 1})
    ->Args({1, k1M, 2})
    ->Unit(benchmark::kMillisecond);

void BM_SharedLocate(benchmark::State& state) {
  const bool server = state.range(0) != 0;
  TTableCursor cursor(Shelter(server, k100k).Connection->Name());
  cursor.SetTableName("Animals");
  cursor.Open();
  for (auto _ : state)
    if (!cursor.Locate("AnimalName", "ANIMAL543")) state.SkipWithError("not found");
  state.SetLabel(StoreName(server));
}
BENCHMARK(BM_SharedLocate)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SharedSort(benchmark::State& state) {
  const bool server = state.range(0) != 0;
  TTableCursor cursor(Shelter(server, k100k).Connection->Name());
  cursor.SetTableName("Animals");
  cursor.Open();
  bool descending = false;
  for (auto _ : state) {
    cursor.SetSort(descending ? "AnimalName DESC" : "AnimalName ASC");
    descending = !descending;
  }
  state.SetLabel(StoreName(server));
}
BENCHMARK(BM_SharedSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A page down in the grid with its repaint, in the natural order and sorted by name (rows
// then come by key lists rather than key ranges).
void BM_SharedGridPageDown(benchmark::State& state) {
  const bool server = state.range(0) != 0;
  const bool sorted = state.range(1) != 0;
  TShelter& s = Shelter(server, k100k);
  s.Cursor->SetSort(sorted ? "AnimalName ASC" : QString());
  s.Cursor->First();
  for (auto _ : state) {
    if (s.Cursor->RecNo() + 2 * s.Grid->VisibleRowCount() >= k100k) {
      state.PauseTiming();
      s.Cursor->First();
      state.ResumeTiming();
    }
    s.Grid->VScroll(SB_PAGEDOWN, 0);
    s.Grid->repaint();
  }
  s.Cursor->SetSort(QString());
  state.SetLabel(std::string(StoreName(server)) + (sorted ? ", sorted by name" : ""));
}
BENCHMARK(BM_SharedGridPageDown)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
