// Start-up of the application's window up to its first painted frame: the window and every
// screen made, the built-in skin loaded, the start-up sequence run (settings file, database
// opened, Browse field list, featured animal) and the first frame painted. In a working
// directory like the installer's (4 accounts, 80 animals), and with 100,000 animals.
// Also: the Admin page switched to Animals with 100,000 rows and painted with its grid.
#include "app/admin_page.h"
#include "app/app_fonts.h"
#include "app/main_form.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/db_grid.h"
#include "skin/controls/page_control.h"
#include "store/shelter_schema.h"
#include "store/store_connection.h"

#include <QApplication>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void MakeWorkingDirectory(const QString& root, int animals) {
  QDir().mkpath(root + "/cfg");
  QDir().mkpath(root + "/img/usr");
  auto connection = TStoreConnection::CreateSQLiteFile(root + "/cfg/Data.mdb");
  QSqlDatabase db = connection->Database();
  CreateShelterSchema(db);
  db.transaction();
  QSqlQuery query(db);
  query.prepare("INSERT INTO Users (Username, Password, FullName, Email, Phone, Address, Picture, "
                "Admin, Employee) VALUES (?, 'x', 'Full Name', 'a@b.c', '(01)234-5678', "
                "'Street 1', 'Default', ?, ?)");
  for (int i = 0; i < 4; ++i) {
    query.addBindValue(QStringLiteral("user%1").arg(i));
    query.addBindValue(i == 0);
    query.addBindValue(i == 1);
    query.exec();
  }
  const char* const kinds[] = {"Cat", "Dog", "Rabbit", "Snake", "Scorpion"};
  query.prepare("INSERT INTO Animals (AnimalName, Type, Colour, Breed, Sex, CheckIn, Adopt, "
                "KennelID) VALUES (?, ?, 'Brown', 'Mixed', 'Female', '2024-03-01', ?, 'K1')");
  for (int i = 0; i < animals; ++i) {
    query.addBindValue(QStringLiteral("Animal%1").arg(i));
    query.addBindValue(QString::fromLatin1(kinds[i % 5]));
    query.addBindValue(i % 3 != 0);
    query.exec();
  }
  db.commit();
}

// Watches for the window's first frame: the update request that paints the whole window.
class TFirstFrame : public QObject {
public:
  bool Painted = false;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::UpdateRequest || event->type() == QEvent::Paint) Painted = true;
    return false;
  }
};

void BM_StartupToFirstFrame(benchmark::State& state) {
  RegisterAppFonts();
  QTemporaryDir dir;
  MakeWorkingDirectory(dir.path(), int(state.range(0)));
  const QString oldDir = QDir::currentPath();
  QDir::setCurrent(dir.path());
  for (auto _ : state) {
    TFirstFrame frame;
    auto form = std::make_unique<TfrmMain>();
    form->installEventFilter(&frame);
    form->show();
    // Painting runs inside the event's handling: once it was delivered, the frame is done.
    while (!frame.Painted) QApplication::processEvents(QEventLoop::AllEvents, 5);
    state.PauseTiming();
    form.reset();
    // The next start finds the settings file again, as a second run of the program does.
    QApplication::processEvents();
    state.ResumeTiming();
  }
  QDir::setCurrent(oldDir);
}
BENCHMARK(BM_StartupToFirstFrame)->Arg(80)->Arg(100000)->Unit(benchmark::kMillisecond);

// The administrator chooses Animals on the Admin page: the table reopened, the sort list
// refilled (which sorts by ID), and the page painted with the grid over 100,000 rows.
void BM_AdminPageOpensAnimals(benchmark::State& state) {
  RegisterAppFonts();
  QTemporaryDir dir;
  MakeWorkingDirectory(dir.path(), int(state.range(0)));
  const QString oldDir = QDir::currentPath();
  QDir::setCurrent(dir.path());
  {
    TfrmMain form;
    form.show();
    QApplication::processEvents();
    form.ShowTabs(QStringLiteral("Admin"));
    form.pctMain->SetActivePage(form.tbsAdmin);
    TAdminPage& admin = form.AdminPage();
    for (auto _ : state) {
      state.PauseTiming();
      admin.cbxAdminDB->SetItemIndex(0);
      state.ResumeTiming();
      admin.cbxAdminDB->SetItemIndex(1);
      benchmark::DoNotOptimize(form.tbsAdmin->grab());
    }
    state.counters["rows"] = form.ADOUsers.RecordCount();
  }
  QDir::setCurrent(oldDir);
}
BENCHMARK(BM_AdminPageOpensAnimals)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
