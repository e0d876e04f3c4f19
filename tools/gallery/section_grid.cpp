// The data grid as the administration page sets it up, over 1,000 sample animals in an
// in-memory database of the gallery's own, with its two attached bars.
#include "gallery_context.h"
#include "skin/controls/db_grid.h"
#include "skin/controls/scroll_bar.h"
#include "store/data_source.h"
#include "store/shelter_schema.h"
#include "store/table_cursor.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <memory>

namespace {

constexpr int kRows = 1000;
constexpr int kBarSize = 19;

// The database, its cursor and data source; the grid's section owns them.
class TGridSample : public QObject {
public:
  explicit TGridSample(QObject* owner)
      : QObject(owner), FName("gallery-grid-" + QUuid::createUuid().toString(QUuid::Id128)) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FName);
    db.setDatabaseName(QStringLiteral(":memory:"));
    if (!db.open()) return;
    CreateShelterSchema(db);
    const char* const kinds[] = {"Cat", "Dog", "Rabbit", "Snake", "Scorpion"};
    const char* const colours[] = {"Brown", "Black", "White", "Ginger", "Grey"};
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare("INSERT INTO Animals (AnimalName, Type, Colour, Breed, Sex, CheckIn, Adopt, "
                   "KennelID) VALUES (?, ?, ?, 'Mixed', ?, ?, ?, ?)");
    for (int i = 0; i < kRows; ++i) {
      insert.addBindValue(QStringLiteral("Animal%1").arg(i + 1));
      insert.addBindValue(QString::fromLatin1(kinds[i % 5]));
      insert.addBindValue(QString::fromLatin1(colours[(i / 5) % 5]));
      insert.addBindValue(i % 2 ? QStringLiteral("Male") : QStringLiteral("Female"));
      insert.addBindValue(QStringLiteral("2024-%1-%2")
                              .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                              .arg(1 + i % 28, 2, 10, QLatin1Char('0')));
      insert.addBindValue(i % 3 == 0);
      insert.addBindValue(QStringLiteral("K%1").arg(i % 40));
      insert.exec();
    }
    db.commit();
    Cursor = std::make_unique<TTableCursor>(FName);
    Cursor->SetTableName(QStringLiteral("Animals"));
    Cursor->Open();
    Source.SetDataSet(Cursor.get());
  }
  ~TGridSample() override {
    Source.SetDataSet(nullptr);
    Cursor.reset();
    QSqlDatabase::removeDatabase(FName);
  }

  TDataSource Source;
  std::unique_ptr<TTableCursor> Cursor;

private:
  QString FName;
};

} // namespace

void BuildGridSection(TGalleryContext& c, QWidget* section) {
  auto* sample = new TGridSample(section);
  const int left = 12, top = kSectionTop + 4;
  const int w = section->width() - 2 * left - kBarSize;
  const int h = section->height() - top - 10 - kBarSize;

  auto* grid = new TspSkinDBGrid(section);
  grid->setGeometry(left, top, w, h);
  grid->SetReadOnly(true);
  grid->SetUseSkinFont(true);
  grid->SetUseSkinCellHeight(false);
  grid->SetDefaultRowHeight(17);
  grid->SetGridLineColor(clBtnFace);
  QFont title(QStringLiteral("Tahoma"));
  title.setPixelSize(13);
  grid->SetTitleFont(title);
  grid->SetMouseWheelSupport(false);
  grid->SetSkinData(c.SkinData);

  auto* vbar = new TspSkinScrollBar(section);
  vbar->SetKind(TspScrollBarKind::sbVertical);
  vbar->setGeometry(left + w, top, kBarSize, h);
  vbar->SetSkinData(c.SkinData);
  auto* hbar = new TspSkinScrollBar(section);
  hbar->setGeometry(left, top + h, w, kBarSize);
  hbar->SetBothMarkerWidth(kBarSize);
  hbar->SetSkinData(c.SkinData);

  grid->SetDataSource(&sample->Source);
  grid->SetVScrollBar(vbar);
  grid->SetHScrollBar(hbar);
  // A record a little way down, its Adopt cell current and the last columns in view: the
  // selected look, the check marks and the empty CheckOut dates show.
  if (sample->Cursor) {
    sample->Cursor->SetRecNo(4);
    grid->SetSelectedIndex(sample->Cursor->FieldIndex(QStringLiteral("Adopt")));
  }
  // Column widths follow each skin's font: the last columns are brought back into view.
  c.AfterSkinChange.push_back([grid] { grid->SetLeftCol(grid->MaxLeftCol()); });
}
