// The shared table cursor on an Animals table of 100,000 rows: opening, a full pass of
// first/next reading every field, locate and sort, with a plain Qt query reading every
// row as the peer. Opening reports the peak memory it added ("open_extra_MB").
#include "store/shelter_schema.h"
#include "store/store_connection.h"
#include "store/table_cursor.h"

#include <QDate>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>

namespace {

constexpr int kRows = 100000;
const char* const kKinds[] = {"Cat", "Dog", "Rabbit", "Snake", "Scorpion"};

struct TBigShelter {
  QTemporaryDir Dir;
  std::unique_ptr<TStoreConnection> Connection;

  TBigShelter() {
    Connection = TStoreConnection::CreateSQLiteFile(Dir.filePath("Data.mdb"));
    QSqlDatabase db = Connection->Database();
    CreateShelterSchema(db);
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(
        "INSERT INTO \"Animals\" (\"AnimalName\", \"Type\", \"Colour\", \"Breed\", "
        "\"Sex\", \"CheckIn\", \"Adopt\", \"KennelID\") VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    const QDate first(2015, 1, 1);
    for (int i = 0; i < kRows; ++i) {
      // Scrambled so that sorting by name has real work to do.
      insert.bindValue(0, QStringLiteral("Animal%1").arg((i * 7919) % kRows, 6, 10, QChar('0')));
      insert.bindValue(1, QString::fromLatin1(kKinds[i % 5]));
      insert.bindValue(2, i % 3 ? QStringLiteral("Brown") : QStringLiteral("Black"));
      insert.bindValue(3, QStringLiteral("Mixed"));
      insert.bindValue(4, i % 2 ? QStringLiteral("Male") : QStringLiteral("Female"));
      insert.bindValue(5, first.addDays(i % 3000).toString(Qt::ISODate));
      insert.bindValue(6, i % 4 == 0 ? 1 : 0);
      insert.bindValue(7, QStringLiteral("K%1").arg(i % 40));
      insert.exec();
    }
    db.commit();
  }
};

TBigShelter& Shelter() {
  static TBigShelter shelter;
  return shelter;
}

long StatusKiB(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(status, line))
    if (line.rfind(prefix, 0) == 0) return std::stol(line.substr(prefix.size()));
  return 0;
}

// Resets the process's peak resident size, so VmHWM measures from here.
void ResetPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_StoreOpen100k(benchmark::State& state) {
  TTableCursor cursor(Shelter().Connection->Name());
  cursor.SetTableName("Animals");
  double extraMB = 0;
  for (auto _ : state) {
    // Freed memory goes back to the system first, so what the open takes shows as new.
    malloc_trim(0);
    ResetPeak();
    const long before = StatusKiB("VmRSS");
    cursor.Open();
    benchmark::DoNotOptimize(cursor.FieldByName("AnimalName"));
    extraMB = std::max(extraMB, (StatusKiB("VmHWM") - before) / 1024.0);
    state.PauseTiming();
    if (cursor.RecordCount() != kRows) state.SkipWithError("wrong row count");
    cursor.Close();
    state.ResumeTiming();
  }
  state.counters["open_extra_MB"] = extraMB;
}
BENCHMARK(BM_StoreOpen100k)->Unit(benchmark::kMillisecond);

void BM_StoreFullPass100k(benchmark::State& state) {
  TTableCursor cursor(Shelter().Connection->Name());
  cursor.SetTableName("Animals");
  cursor.Open();
  const int fields = cursor.FieldCount();
  for (auto _ : state) {
    int rows = 0;
    for (cursor.First(); !cursor.Eof(); cursor.Next(), ++rows)
      for (int i = 0; i < fields; ++i) benchmark::DoNotOptimize(cursor.Field(i));
    if (rows != kRows) state.SkipWithError("wrong row count");
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_StoreFullPass100k)->Unit(benchmark::kMillisecond);

// The peer: one forward-only Qt query reading every field of every row.
void BM_QtQueryFullPass100k(benchmark::State& state) {
  QSqlDatabase db = Shelter().Connection->Database();
  for (auto _ : state) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.exec("SELECT * FROM \"Animals\" ORDER BY \"ID\"");
    int rows = 0;
    while (query.next()) {
      for (int i = 0; i < 10; ++i) benchmark::DoNotOptimize(query.value(i));
      ++rows;
    }
    if (rows != kRows) state.SkipWithError("wrong row count");
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_QtQueryFullPass100k)->Unit(benchmark::kMillisecond);

void BM_StoreLocate100k(benchmark::State& state) {
  TTableCursor cursor(Shelter().Connection->Name());
  cursor.SetTableName("Animals");
  cursor.Open();
  for (auto _ : state) {
    // A name in capitals, matched without regard to case; and one that is absent.
    if (!cursor.Locate("AnimalName", "ANIMAL054321")) state.SkipWithError("not found");
    if (cursor.Locate("AnimalName", "Nobody")) state.SkipWithError("found nobody");
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_StoreLocate100k)->Unit(benchmark::kMillisecond);

void BM_StoreSort100k(benchmark::State& state) {
  TTableCursor cursor(Shelter().Connection->Name());
  cursor.SetTableName("Animals");
  cursor.Open();
  bool descending = false;
  for (auto _ : state) {
    cursor.SetSort(descending ? "AnimalName DESC" : "AnimalName ASC");
    descending = !descending;
  }
}
BENCHMARK(BM_StoreSort100k)->Unit(benchmark::kMillisecond);

} // namespace
