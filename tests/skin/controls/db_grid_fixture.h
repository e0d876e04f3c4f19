#pragma once
// The data grid's tests share this: a small Animals table in a SQLite file of the test's own,
// the cursor and data source over it, and a grid set up as the administration page sets it,
// sized to show an exact number of data rows.

#include "form_fixture.h"
#include "skin/controls/db_grid.h"
#include "skin/controls/scroll_bar.h"
#include "store/data_source.h"
#include "store/shelter_schema.h"
#include "store/store_connection.h"
#include "store/table_cursor.h"

#include <QPaintEvent>
#include <QScreen>
#include <QSqlQuery>
#include <QTemporaryDir>

// The ways an Animals row can be filled: every CheckOut stays null, Adopt alternates.
inline void InsertAnimals(QSqlDatabase db, int count) {
  db.transaction();
  QSqlQuery insert(db);
  insert.prepare("INSERT INTO Animals (AnimalName, Type, Colour, Breed, Sex, CheckIn, Adopt, "
                 "KennelID) VALUES (?, 'Cat', 'Brown', 'Mixed', 'Male', '2024-03-01', ?, 'K1')");
  for (int i = 1; i <= count; ++i) {
    insert.addBindValue(QStringLiteral("Animal%1").arg(i));
    insert.addBindValue(i % 2 == 0);
    insert.exec();
  }
  db.commit();
}

// Collects the regions a widget is asked to paint.
struct TPaintLog : QObject {
  QRegion painted;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(e)->region();
    return false;
  }
};

// What the window system shows of a widget: its window's pixels, not a fresh paint.
inline QImage OnScreen(QWidget& w) {
  const QPoint at = w.mapTo(w.window(), QPoint(0, 0));
  return w.screen()
      ->grabWindow(w.window()->winId(), at.x(), at.y(), w.width(), w.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

class DBGridTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    NewForm(700, 500);
    connection = TStoreConnection::CreateSQLiteFile(dir.filePath("grid.db"));
    QSqlDatabase db = connection->Database();
    CreateShelterSchema(db);
  }
  void TearDown() override {
    // The grid goes before the cursor it shows.
    form.reset();
    SkinnedFormTest::TearDown();
  }

  // `rows` animals, the cursor open on them and a grid (not shown) over it, read-only as the
  // administration page has it.
  void MakeGrid(int rows, bool skinned = true) {
    InsertAnimals(connection->Database(), rows);
    cursor = std::make_unique<TTableCursor>(connection->Name());
    cursor->SetTableName(QStringLiteral("Animals"));
    cursor->Open();
    source.SetDataSet(cursor.get());
    if (skinned) LoadBuiltinSkin();
    grid = new TspSkinDBGrid(form.get());
    grid->move(10, 10);
    grid->SetReadOnly(true);
    grid->SetUseSkinFont(true);
    grid->SetUseSkinCellHeight(false);
    grid->SetDefaultRowHeight(17);
    grid->SetGridLineColor(clBtnFace);
    QFont title(QStringLiteral("Tahoma"));
    title.setPixelSize(13);
    grid->SetTitleFont(title, clBtnText);
    grid->SetMouseWheelSupport(false);
    vbar = new TspSkinScrollBar(form.get());
    vbar->SetKind(TspScrollBarKind::sbVertical);
    hbar = new TspSkinScrollBar(form.get());
    if (skinned) {
      grid->SetSkinData(data);
      vbar->SetSkinData(data);
      hbar->SetSkinData(data);
    }
    grid->SetDataSource(&source);
    grid->SetVScrollBar(vbar);
    grid->SetHScrollBar(hbar);
  }

  // Sizes the grid so that exactly `n` data rows fit (title row and lines included).
  void ShowRows(int n, int width = 600) {
    const int pitch = grid->DefaultRowHeight() + grid->RowLineWidth();
    const int title = grid->RowHeights(0) + grid->RowLineWidth();
    grid->resize(width, title + n * pitch);
    vbar->setGeometry(width + 12, 10, 19, title + n * pitch);
    hbar->setGeometry(10, title + n * pitch + 12, width, 19);
  }

  // The centre of the cell of data column `k` and window record `r` (-1: the title row;
  // k -1: the indicator column).
  QPoint CellCentre(int k, int r) const {
    return grid->CellRect(k + grid->IndicatorOffset(), r + grid->TitleOffset()).center();
  }
  int FieldColumn(const char* name) const {
    for (int k = 0; k < grid->Columns().Count(); ++k)
      if (grid->Columns()[k]->FieldName() == QLatin1String(name)) return k;
    return -1;
  }

  QTemporaryDir dir;
  std::unique_ptr<TStoreConnection> connection;
  std::unique_ptr<TTableCursor> cursor;
  TDataSource source;
  TspSkinDBGrid* grid = nullptr;
  TspSkinScrollBar* vbar = nullptr;
  TspSkinScrollBar* hbar = nullptr;
};
