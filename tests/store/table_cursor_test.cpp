// The shared table cursor against small shelter databases, on SQLite and (where a private
// server can run) on PostgreSQL.
#include "store/field_text.h"
#include "store/table_cursor.h"
#include "store_fixture.h"

#include "store/store_transaction.h"

#include <QDate>
#include <QSet>
#include <atomic>
#include <gtest/gtest.h>
#include <latch>
#include <mutex>
#include <thread>

namespace {

// One case's database and cursor, with the rows the cases share.
struct TCursorCase {
  static std::unique_ptr<TCursorCase> Make(TEngine engine, QString* reason) {
    auto result = std::make_unique<TCursorCase>();
    result->Db = TStoreDatabase::Create(engine, reason);
    if (!result->Db) return nullptr;
    result->Cursor = std::make_unique<TTableCursor>(result->Db->ConnectionName());
    return result;
  }

  void AddUser(const QString& name, const QString& password, const QVariant& email, bool admin,
               bool employee) {
    Db->Exec(QStringLiteral("INSERT INTO \"Users\" (\"Username\", \"Password\", \"FullName\", "
                            "\"Email\", \"Phone\", \"Address\", \"Picture\", \"Admin\", "
                            "\"Employee\") VALUES (?, ?, ?, ?, '(01) 234-567', 'Street 1', "
                            "'Default', %1, %2)")
                 .arg(admin ? "TRUE" : "FALSE", employee ? "TRUE" : "FALSE"),
             {name, password, name.toUpper() + " Full", email});
  }

  void AddAnimal(const QVariant& name, const QVariant& type, const QVariant& checkIn, bool adopt) {
    Db->Exec(QStringLiteral("INSERT INTO \"Animals\" (\"AnimalName\", \"Type\", \"Colour\", "
                            "\"Breed\", \"Sex\", \"CheckIn\", \"Adopt\", \"KennelID\") VALUES "
                            "(?, ?, 'Brown', 'Mixed', 'Female', ?, %1, 'K1')")
                 .arg(adopt ? "TRUE" : "FALSE"),
             {name, type, checkIn});
  }

  void AddUsers() {
    AddUser("alice", "Secret1", "alice@example.org", false, false);
    AddUser("BOB", "Hunter22", "bob@example.org", false, true);
    AddUser("carol", "Pass123", QVariant(), true, false);
  }

  // Rex and rex share a name up to case; Tom's Type is null.
  void AddAnimals() {
    AddAnimal("Rex", "Dog", "2024-03-01", true);
    AddAnimal("felix", "Cat", "2023-11-20", false);
    AddAnimal("rex", "Dog", "2024-01-15", true);
    AddAnimal("Tom", QVariant(), QVariant(), false);
    AddAnimal("Ann", "Rabbit", "2022-07-04", true);
  }

  QStringList Column(const QString& field) {
    QStringList values;
    Cursor->First();
    for (int i = 0; i < Cursor->RecordCount(); ++i) {
      const QVariant value = Cursor->FieldByName(field);
      values << (value.isNull() ? QStringLiteral("<null>") : FieldAsString(value));
      Cursor->Next();
    }
    return values;
  }

  void OpenTable(const QString& table) {
    Cursor->Close();
    Cursor->SetTableName(table);
    Cursor->Open();
  }

  std::unique_ptr<TStoreDatabase> Db;
  std::unique_ptr<TTableCursor> Cursor;
};

using TCaseBody = void (*)(TCursorCase&);
struct TNamedCase {
  const char* Name;
  TCaseBody Run;
};
void PrintTo(const TNamedCase& c, std::ostream* out) {
  *out << c.Name;
}

void OpensOnTheFirstRowAndMovesWithinTheTable(TCursorCase& t) {
  t.AddUsers();
  EXPECT_FALSE(t.Cursor->Active());
  EXPECT_THROW(t.Cursor->RecordCount(), EDatabaseError);
  t.OpenTable("Users");
  EXPECT_EQ(t.Cursor->TableName(), "Users");
  EXPECT_EQ(t.Cursor->FieldNames(), UsersFieldNames());
  EXPECT_EQ(t.Cursor->RecordCount(), 3);
  EXPECT_EQ(t.Cursor->RecNo(), 1);
  EXPECT_TRUE(t.Cursor->Bof());
  EXPECT_FALSE(t.Cursor->Eof());
  EXPECT_EQ(t.Cursor->FieldByName("Username").toString(), "alice");

  t.Cursor->Next();
  t.Cursor->Next();
  EXPECT_EQ(t.Cursor->FieldByName("Username").toString(), "carol");
  EXPECT_FALSE(t.Cursor->Eof());
  t.Cursor->Next(); // at the last row: stays, and says so
  EXPECT_TRUE(t.Cursor->Eof());
  EXPECT_EQ(t.Cursor->RecNo(), 3);
  EXPECT_EQ(t.Cursor->FieldByName("Username").toString(), "carol");
  t.Cursor->Prior();
  EXPECT_EQ(t.Cursor->FieldByName("Username").toString(), "BOB");
  t.Cursor->First();
  t.Cursor->Prior();
  EXPECT_TRUE(t.Cursor->Bof());
  EXPECT_EQ(t.Cursor->RecNo(), 1);
  EXPECT_EQ(t.Cursor->MoveBy(10), 2);
  t.Cursor->SetRecNo(2);
  EXPECT_EQ(t.Cursor->FieldByName("Username").toString(), "BOB");

  // The table cannot change under an open cursor; reopening the same table goes back to
  // the first row.
  EXPECT_THROW(t.Cursor->SetTableName("Animals"), EDatabaseError);
  t.OpenTable("Users");
  EXPECT_EQ(t.Cursor->FieldByName("Username").toString(), "alice");
  t.OpenTable("Animals");
  EXPECT_EQ(t.Cursor->FieldNames(), AnimalsFieldNames());
  EXPECT_EQ(t.Cursor->RecordCount(), 0);
}

void ReadsValuesAsVariantsWithNullsAndConversionErrors(TCursorCase& t) {
  t.AddUsers();
  t.AddAnimals();
  t.OpenTable("Users");
  EXPECT_EQ(t.Cursor->Field(1), t.Cursor->FieldByName("Username"));
  EXPECT_EQ(t.Cursor->FieldByName("username").toString(), "alice"); // names are case-blind
  EXPECT_EQ(t.Cursor->FieldByName("ID").typeId(), QMetaType::LongLong);
  EXPECT_EQ(t.Cursor->FieldByName("Admin"), QVariant(false));
  EXPECT_EQ(FieldAsString(t.Cursor->FieldByName("ID")), "1");
  t.Cursor->Last();
  EXPECT_EQ(t.Cursor->FieldByName("Admin"), QVariant(true));
  EXPECT_EQ(FieldAsString(t.Cursor->FieldByName("Admin")), "True");
  const QVariant email = t.Cursor->FieldByName("Email");
  EXPECT_TRUE(email.isNull());
  try {
    FieldAsString(email);
    ADD_FAILURE() << "a null field became text";
  } catch (const EVariantError& error) {
    EXPECT_STREQ(error.what(), "Could not convert variant of type (Null) into type (String)");
  }
  EXPECT_THROW(FieldAsBoolean(email), EVariantError);
  EXPECT_THROW(t.Cursor->FieldByName("Nickname"), EDatabaseError);
  EXPECT_THROW(t.Cursor->Field(10), EDatabaseError);
  EXPECT_THROW(t.Cursor->Field(-1), EDatabaseError);

  t.OpenTable("Animals");
  EXPECT_EQ(t.Cursor->FieldByName("CheckIn"), QVariant(QDate(2024, 3, 1)));
  EXPECT_EQ(FieldAsString(t.Cursor->FieldByName("CheckIn")),
            QLocale::system().toString(QDate(2024, 3, 1), QLocale::ShortFormat));
  EXPECT_TRUE(t.Cursor->FieldByName("CheckOut").isNull()); // nothing writes it
  EXPECT_THROW(FieldAsString(t.Cursor->FieldByName("CheckOut")), EVariantError);
  t.Cursor->SetRecNo(4);
  EXPECT_THROW(FieldAsString(t.Cursor->FieldByName("Type")), EVariantError);
}

void ATableWithoutRowsReadsNullsAndRefusesDelete(TCursorCase& t) {
  t.OpenTable("Animals");
  EXPECT_EQ(t.Cursor->RecordCount(), 0);
  EXPECT_EQ(t.Cursor->RecNo(), 0);
  EXPECT_TRUE(t.Cursor->Bof());
  EXPECT_TRUE(t.Cursor->Eof());
  for (int i = 0; i < t.Cursor->FieldCount(); ++i) EXPECT_TRUE(t.Cursor->Field(i).isNull()) << i;
  EXPECT_TRUE(t.Cursor->FieldByName("AnimalName").isNull());
  t.Cursor->Next();
  t.Cursor->First();
  EXPECT_FALSE(t.Cursor->Locate("AnimalName", "Rex"));
  EXPECT_THROW(t.Cursor->Delete(), EDatabaseError);
  EXPECT_TRUE(t.Cursor->Active());
}

void LocateIgnoresCaseMatchesWholeValuesAndKeepsTheRowWhenNothingMatches(TCursorCase& t) {
  t.AddAnimals();
  t.OpenTable("Animals");
  struct TCase {
    const char* Field;
    const char* Text;
    int RecNo; // 0: not found
  };
  const TCase cases[] = {
      {"AnimalName", "FELIX", 2}, {"AnimalName", "ann", 5},
      {"animalname", "TOM", 4},   {"AnimalName", "REX", 1},
      {"AnimalName", "Re", 0},    {"AnimalName", "Rex ", 0},
      {"AnimalName", "", 0},      {"Type", "rabbit", 5},
      {"Type", "Dog%", 0},        {"ID", "3", 3},
      {"Adopt", "true", 1},       {"AnimalName", "x' OR '1'='1", 0},
  };
  for (const TCase& c : cases) {
    t.Cursor->SetRecNo(2);
    EXPECT_EQ(t.Cursor->Locate(c.Field, c.Text), c.RecNo != 0) << c.Field << " " << c.Text;
    EXPECT_EQ(t.Cursor->RecNo(), c.RecNo != 0 ? c.RecNo : 2) << c.Field << " " << c.Text;
  }
  EXPECT_THROW(t.Cursor->Locate("Nickname", "Rex"), EDatabaseError);

  // The first match in the current order wins: descending IDs put the later "rex" first.
  t.Cursor->SetSort("ID DESC");
  ASSERT_TRUE(t.Cursor->Locate("AnimalName", "REX"));
  EXPECT_EQ(t.Cursor->FieldByName("AnimalName").toString(), "rex");
  EXPECT_EQ(t.Cursor->RecNo(), 3);
}

void LocateFoldsCaseBeyondAToZ(TCursorCase& t) {
  t.AddAnimal(QString::fromUtf8("Émile"), "Cat", "2024-01-01", true);
  t.AddAnimal(QString::fromUtf8("Ørjan"), "Dog", "2024-01-01", true);
  t.OpenTable("Animals");
  EXPECT_TRUE(t.Cursor->Locate("AnimalName", QString::fromUtf8("øRJAN")));
  EXPECT_EQ(t.Cursor->RecNo(), 2);
  EXPECT_TRUE(t.Cursor->Locate("AnimalName", QString::fromUtf8("émile")));
  EXPECT_EQ(t.Cursor->RecNo(), 1);
}

void SortsByAFieldOfTheTableAndReopeningDropsTheOrder(TCursorCase& t) {
  t.AddAnimals();
  t.OpenTable("Animals");
  const QStringList natural = {"Rex", "felix", "rex", "Tom", "Ann"};
  EXPECT_EQ(t.Column("AnimalName"), natural);

  t.Cursor->SetRecNo(2); // felix
  t.Cursor->SetSort("AnimalName ASC");
  EXPECT_EQ(t.Cursor->Sort(), "AnimalName ASC");
  // The current row stays current; names sort without regard to case, equal ones by ID.
  EXPECT_EQ(t.Cursor->FieldByName("AnimalName").toString(), "felix");
  EXPECT_EQ(t.Column("AnimalName"), QStringList({"Ann", "felix", "Rex", "rex", "Tom"}));
  t.Cursor->SetSort("AnimalName DESC");
  EXPECT_EQ(t.Column("AnimalName"), QStringList({"Tom", "Rex", "rex", "felix", "Ann"}));
  t.Cursor->SetSort("type");
  EXPECT_EQ(t.Column("Type"), QStringList({"<null>", "Cat", "Dog", "Dog", "Rabbit"}));
  t.Cursor->SetSort("CheckIn DESC");
  EXPECT_EQ(t.Column("AnimalName"), QStringList({"Rex", "rex", "felix", "Ann", "Tom"}));
  // Refresh keeps the order and the current row; reopening drops the order.
  t.Cursor->SetRecNo(3);
  t.Cursor->Refresh();
  EXPECT_EQ(t.Cursor->FieldByName("AnimalName").toString(), "felix");
  EXPECT_EQ(t.Column("AnimalName"), QStringList({"Rex", "rex", "felix", "Ann", "Tom"}));
  t.OpenTable("Animals");
  EXPECT_EQ(t.Cursor->Sort(), "");
  EXPECT_EQ(t.Column("AnimalName"), natural);
  t.Cursor->SetSort("ID DESC");
  t.Cursor->SetSort("");
  EXPECT_EQ(t.Column("AnimalName"), natural);
}

void SortRefusesWhatIsNotAFieldAndADirection(TCursorCase& t) {
  t.AddUsers();
  t.OpenTable("Users");
  t.Cursor->SetSort("Username DESC");
  const QStringList before = t.Column("Username");
  for (const char* order : {"Nickname ASC", "ID; DROP TABLE Users", "ID; DROP TABLE \"Users\" --",
                            "Username DESC; DELETE FROM Users", "Username SIDEWAYS",
                            "Username ASC, Password", "\"ID\" ASC", "1 ASC", "ASC"}) {
    try {
      t.Cursor->SetSort(order);
      ADD_FAILURE() << "accepted " << order;
    } catch (const EDatabaseError& error) {
      EXPECT_NE(std::string(error.what()).find("sort"), std::string::npos) << error.what();
    }
    EXPECT_EQ(t.Cursor->Sort(), "Username DESC") << order;
  }
  EXPECT_EQ(t.Column("Username"), before);
  t.OpenTable("Users");
  EXPECT_EQ(t.Cursor->RecordCount(), 3);
}

void InsertStoresANewRowWithAKeyFromTheStoreAndFalseFlags(TCursorCase& t) {
  t.AddUsers();
  t.OpenTable("Users");
  t.Cursor->SetRecNo(2);
  EXPECT_THROW(t.Cursor->SetField("Username", "x"), EDatabaseError); // not editing
  EXPECT_THROW(t.Cursor->Post(), EDatabaseError);
  t.Cursor->Insert();
  EXPECT_EQ(t.Cursor->State(), TDataSetState::dsInsert);
  EXPECT_TRUE(t.Cursor->FieldByName("Username").isNull());
  // A value is only ever bound, never spliced into SQL.
  const QString hostile = "x'); DROP TABLE \"Users\"; --";
  t.Cursor->SetField("Username", hostile);
  t.Cursor->SetField("Password", "Pa55word");
  t.Cursor->SetField("Employee", QVariant()); // yes/no never null: stored false
  EXPECT_THROW(t.Cursor->SetField("ID", 99), EDatabaseError);
  EXPECT_THROW(t.Cursor->SetField("Nickname", "x"), EDatabaseError);
  EXPECT_EQ(t.Cursor->FieldByName("Username").toString(), hostile);
  t.Cursor->Post();
  EXPECT_EQ(t.Cursor->State(), TDataSetState::dsBrowse);
  EXPECT_EQ(t.Cursor->RecordCount(), 4);
  // Inserted before the row that was current, and current itself.
  EXPECT_EQ(t.Cursor->RecNo(), 2);
  EXPECT_EQ(t.Cursor->FieldByName("ID"), QVariant(qlonglong(4)));
  EXPECT_EQ(t.Cursor->FieldByName("Admin"), QVariant(false));
  EXPECT_EQ(t.Cursor->FieldByName("Employee"), QVariant(false));
  EXPECT_TRUE(t.Cursor->FieldByName("FullName").isNull());
  t.Cursor->Next();
  EXPECT_EQ(t.Cursor->FieldByName("Username").toString(), "BOB");

  t.Cursor->Append();
  t.Cursor->SetField("Username", "dave");
  t.Cursor->SetField("Admin", true);
  t.Cursor->Post();
  EXPECT_EQ(t.Cursor->RecNo(), 5);
  EXPECT_EQ(t.Cursor->FieldByName("ID"), QVariant(qlonglong(5)));

  // What another connection reads back, through its own cursor.
  auto other = t.Db->OpenAnother();
  TTableCursor reader(other->Name());
  reader.SetTableName("Users");
  reader.Open();
  EXPECT_EQ(reader.RecordCount(), 5);
  ASSERT_TRUE(reader.Locate("Username", hostile));
  EXPECT_EQ(reader.FieldByName("Password").toString(), "Pa55word");
  EXPECT_EQ(reader.FieldByName("Employee"), QVariant(false));
  ASSERT_TRUE(reader.Locate("Username", "DAVE"));
  EXPECT_EQ(reader.FieldByName("Admin"), QVariant(true));
  EXPECT_EQ(reader.FieldByName("Employee"), QVariant(false));
  reader.Close();

  // Cancel leaves nothing behind; an insert into an empty table becomes its only row.
  t.Cursor->Insert();
  t.Cursor->SetField("Username", "ghost");
  t.Cursor->Cancel();
  EXPECT_EQ(t.Cursor->RecordCount(), 5);
  EXPECT_FALSE(t.Cursor->Locate("Username", "ghost"));
  t.OpenTable("Animals");
  t.Cursor->Insert();
  t.Cursor->SetField("AnimalName", "Nemo");
  t.Cursor->SetField("CheckIn", QDate(2024, 5, 6));
  t.Cursor->Post();
  EXPECT_EQ(t.Cursor->RecordCount(), 1);
  EXPECT_EQ(t.Cursor->FieldByName("CheckIn"), QVariant(QDate(2024, 5, 6)));
  EXPECT_EQ(t.Cursor->FieldByName("Adopt"), QVariant(false));
  t.Cursor->Edit();
  EXPECT_THROW(t.Cursor->SetField("CheckIn", "not a date"), EVariantError);
  t.Cursor->Cancel();
}

void EditStoresChangesAndMovingPostsThemFirst(TCursorCase& t) {
  t.AddUsers();
  t.OpenTable("Users");
  t.Cursor->SetRecNo(2);
  t.Cursor->Edit();
  EXPECT_EQ(t.Cursor->FieldByName("Username").toString(), "BOB");
  t.Cursor->SetField("Admin", true);
  t.Cursor->SetField("Employee", false);
  EXPECT_TRUE(t.Cursor->Modified());
  t.Cursor->Post();
  EXPECT_EQ(t.Cursor->RecNo(), 2);
  EXPECT_EQ(t.Cursor->FieldByName("Admin"), QVariant(true));
  EXPECT_EQ(t.Cursor->FieldByName("Employee"), QVariant(false));

  t.Cursor->Edit();
  t.Cursor->SetField("FullName", "Robert");
  t.Cursor->Cancel();
  EXPECT_EQ(t.Cursor->FieldByName("FullName").toString(), "BOB Full");

  t.Cursor->Edit();
  t.Cursor->SetField("FullName", "Robert");
  t.Cursor->Next(); // posts the pending change
  EXPECT_EQ(t.Cursor->State(), TDataSetState::dsBrowse);
  t.Cursor->Close();
  t.Cursor->Open();
  ASSERT_TRUE(t.Cursor->Locate("Username", "bob"));
  EXPECT_EQ(t.Cursor->FieldByName("FullName").toString(), "Robert");
  EXPECT_EQ(t.Cursor->FieldByName("Admin"), QVariant(true));

  // A row that vanished underneath cannot be updated, and says so.
  t.Db->Exec("DELETE FROM \"Users\" WHERE \"Username\" = 'BOB'");
  t.Cursor->Edit();
  t.Cursor->SetField("FullName", "Rob");
  EXPECT_THROW(t.Cursor->Post(), EDatabaseError);
  t.Cursor->Cancel();
}

void DeleteAndRefreshKeepASensibleCurrentRow(TCursorCase& t) {
  t.AddUsers();
  t.OpenTable("Users");
  t.Cursor->SetRecNo(2);
  t.Cursor->Delete();
  EXPECT_EQ(t.Cursor->RecordCount(), 2);
  EXPECT_EQ(t.Cursor->FieldByName("Username").toString(), "carol"); // the next row
  t.Cursor->Delete();
  EXPECT_EQ(t.Cursor->FieldByName("Username").toString(), "alice"); // the new last
  EXPECT_FALSE(t.Cursor->Locate("Username", "bob"));

  // Rows written by someone else show after a refresh; the current row stays current.
  t.Db->Exec("INSERT INTO \"Users\" (\"Username\") VALUES ('erin')");
  EXPECT_EQ(t.Cursor->RecordCount(), 1);
  t.Cursor->Refresh();
  EXPECT_EQ(t.Cursor->RecordCount(), 2);
  EXPECT_EQ(t.Cursor->FieldByName("Username").toString(), "alice");
  t.Cursor->Last();
  EXPECT_EQ(t.Cursor->FieldByName("Username").toString(), "erin");
  EXPECT_EQ(t.Cursor->FieldByName("Admin"), QVariant(false));
  t.Cursor->Delete();
  t.Cursor->Delete();
  EXPECT_EQ(t.Cursor->RecordCount(), 0);
  EXPECT_TRUE(t.Cursor->FieldByName("Username").isNull());
  EXPECT_THROW(t.Cursor->Delete(), EDatabaseError);
  t.OpenTable("Users");
  EXPECT_EQ(t.Cursor->RecordCount(), 0);
}

void ReadsATableLargerThanItsRowCacheInAnyOrder(TCursorCase& t) {
  t.Db->Exec("CREATE TABLE \"Big\" (\"ID\" INTEGER PRIMARY KEY, \"Name\" TEXT)");
  const int rows = 1000;
  {
    QSqlDatabase db = t.Db->Database();
    ASSERT_TRUE(db.transaction());
    for (int i = 1; i <= rows; ++i)
      t.Db->Exec("INSERT INTO \"Big\" VALUES (?, ?)",
                 {i * 3, QStringLiteral("n%1").arg(i, 4, 10, QLatin1Char('0'))});
    ASSERT_TRUE(db.commit());
  }
  t.OpenTable("Big");
  ASSERT_EQ(t.Cursor->RecordCount(), rows);
  int seen = 0;
  for (t.Cursor->First(); !t.Cursor->Eof(); t.Cursor->Next()) {
    ++seen;
    ASSERT_EQ(t.Cursor->FieldByName("ID").toLongLong(), seen * 3);
  }
  EXPECT_EQ(seen, rows);
  EXPECT_EQ(t.Cursor->FieldAtRow(0, 1).toString(), "n0001");
  EXPECT_EQ(t.Cursor->FieldAtRow(999, 1).toString(), "n1000");
  EXPECT_EQ(t.Cursor->FieldAtRow(511, 0).toLongLong(), 512 * 3);
  EXPECT_THROW(t.Cursor->FieldAtRow(rows, 0), EDatabaseError);
  t.Cursor->SetSort("Name DESC");
  t.Cursor->First();
  EXPECT_EQ(t.Cursor->FieldByName("Name").toString(), "n1000");
  t.Cursor->SetRecNo(700);
  EXPECT_EQ(t.Cursor->FieldByName("ID").toLongLong(), (rows - 699) * 3);
  ASSERT_TRUE(t.Cursor->Locate("Name", "N0257"));
  EXPECT_EQ(t.Cursor->RecNo(), rows - 256);
}

// Every row's values of chosen fields, as "name|type" texts.
QStringList ReadNamesAndTypes(TCursorCase& t, int stopAfter = -1) {
  QStringList rows;
  const std::vector<int> fields{t.Cursor->FieldIndex("AnimalName"), t.Cursor->FieldIndex("Type")};
  t.Cursor->ReadColumns(fields, [&](const std::vector<QVariant>& values) {
    EXPECT_EQ(values.size(), 2u);
    QStringList texts;
    for (const QVariant& v : values) texts << (v.isNull() ? "<null>" : FieldAsString(v));
    rows << texts.join('|');
    return int(rows.size()) != stopAfter;
  });
  return rows;
}

void ReadColumnsHandsOutChosenFieldsInTheCurrentOrderWithoutMoving(TCursorCase& t) {
  t.AddAnimals();
  t.OpenTable("Animals");
  t.Cursor->SetRecNo(3);
  EXPECT_EQ(ReadNamesAndTypes(t),
            QStringList({"Rex|Dog", "felix|Cat", "rex|Dog", "Tom|<null>", "Ann|Rabbit"}));
  EXPECT_EQ(t.Cursor->RecNo(), 3);
  EXPECT_EQ(ReadNamesAndTypes(t, 2), QStringList({"Rex|Dog", "felix|Cat"}));

  // A sort order, and a modified row posted first.
  t.Cursor->SetSort("AnimalName DESC");
  t.Cursor->Edit();
  t.Cursor->SetField("Type", "Wolf");
  const QStringList sorted = ReadNamesAndTypes(t);
  EXPECT_EQ(t.Cursor->State(), TDataSetState::dsBrowse);
  EXPECT_EQ(sorted, QStringList({"Tom|<null>", "Rex|Dog", "rex|Wolf", "felix|Cat", "Ann|Rabbit"}))
      << sorted.join(", ").toStdString();

  // Rows changed past the cursor: a deleted one reads as nulls in its place, a new one is
  // not in the key list.
  t.Cursor->SetSort({});
  t.Db->Exec("DELETE FROM \"Animals\" WHERE \"AnimalName\" = 'felix'");
  t.AddAnimal("Zed", "Snake", QVariant(), false);
  EXPECT_EQ(ReadNamesAndTypes(t),
            QStringList({"Rex|Dog", "<null>|<null>", "rex|Wolf", "Tom|<null>", "Ann|Rabbit"}));
  EXPECT_THROW(t.Cursor->ReadColumns({99}, [](const std::vector<QVariant>&) { return true; }),
               EDatabaseError);

  t.OpenTable("Users");
  int visits = 0;
  t.Cursor->ReadColumns({1}, [&](const std::vector<QVariant>&) { return ++visits > 0; });
  EXPECT_EQ(visits, 0);
}

void RefusesTablesThatDoNotExist(TCursorCase& t) {
  t.Cursor->SetTableName("Staff");
  try {
    t.Cursor->Open();
    ADD_FAILURE() << "opened a missing table";
  } catch (const EDatabaseError& error) {
    EXPECT_NE(std::string(error.what()).find("Staff"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(t.Cursor->Active());
  t.Cursor->SetTableName("Users\"; DROP TABLE \"Animals");
  EXPECT_THROW(t.Cursor->Open(), EDatabaseError);
  t.Db->Exec("CREATE TABLE \"Notes\" (\"Title\" TEXT PRIMARY KEY, \"Body\" TEXT)");
  t.Cursor->SetTableName("Notes");
  EXPECT_THROW(t.Cursor->Open(), EDatabaseError); // rows need an integer key
  TTableCursor unconnected(QStringLiteral("no-such-connection"));
  unconnected.SetTableName("Users");
  EXPECT_THROW(unconnected.Open(), EDatabaseError);
  t.OpenTable("Animals");
  EXPECT_TRUE(t.Cursor->Active());
}

// Updates and deletes address rows by key alone, so only a key that is one distinct
// integer per row will do.
void RefusesTablesWithoutAUniqueIntegerKey(TCursorCase& t) {
  const bool sqlite = IsSQLite(t.Db->Database());
  const struct {
    const char* Table;
    const char* Definition;
    bool Opens;
  } tables[] = {
      {"NoKey", "(\"ID\" INTEGER, \"Name\" TEXT)", false},
      {"TwoColumnKey", "(\"ID\" INTEGER, \"Name\" TEXT, PRIMARY KEY (\"ID\", \"Name\"))", false},
      {"TextKey", "(\"ID\" TEXT PRIMARY KEY, \"Name\" TEXT)", false},
      // Not SQLite's rowid: it admits any number of rows with a null key. A true key on
      // PostgreSQL.
      {"IntKey", "(\"ID\" INT PRIMARY KEY, \"Name\" TEXT)", !sqlite},
      {"RowKey", "(\"ID\" INTEGER PRIMARY KEY, \"Name\" TEXT)", true},
  };
  for (const auto& table : tables) {
    SCOPED_TRACE(table.Table);
    t.Db->Exec(QStringLiteral("CREATE TABLE \"%1\" %2").arg(table.Table, table.Definition));
    t.Db->Exec(
        QStringLiteral("INSERT INTO \"%1\" (\"ID\", \"Name\") VALUES (1, 'a')").arg(table.Table));
    t.Cursor->Close();
    t.Cursor->SetTableName(table.Table);
    if (table.Opens) {
      t.Cursor->Open();
      EXPECT_EQ(t.Cursor->FieldByName("Name"), QVariant("a"));
      continue;
    }
    try {
      t.Cursor->Open();
      ADD_FAILURE() << "opened";
    } catch (const EDatabaseError& error) {
      EXPECT_NE(std::string(error.what()).find("unique integer key"), std::string::npos)
          << error.what();
    }
    EXPECT_FALSE(t.Cursor->Active());
  }
}

// Another workstation deletes the row this cursor shows: editing or deleting it must fail,
// never touch another row.
void ARowDeletedElsewhereIsNeitherUpdatedNorDeletedInItsPlace(TCursorCase& t) {
  t.AddAnimals();
  t.OpenTable("Animals");
  ASSERT_TRUE(t.Cursor->Locate("AnimalName", "felix"));
  const QVariant felix = t.Cursor->Bookmark();
  auto other = t.Db->OpenAnother();
  TTableCursor desk(other->Name());
  desk.SetTableName("Animals");
  desk.Open();
  ASSERT_TRUE(desk.GotoBookmark(felix));
  desk.Delete();

  t.Cursor->Edit();
  t.Cursor->SetField("AnimalName", "Felix II");
  EXPECT_THROW(t.Cursor->Post(), EDatabaseError);
  t.Cursor->Cancel();
  ASSERT_TRUE(t.Cursor->GotoBookmark(felix));
  EXPECT_THROW(t.Cursor->Delete(), EDatabaseError);

  desk.Refresh();
  QStringList names;
  desk.ReadColumns({desk.FieldIndex("AnimalName")}, [&](const std::vector<QVariant>& row) {
    names << row[0].toString();
    return true;
  });
  EXPECT_EQ(names, QStringList({"Rex", "rex", "Tom", "Ann"}));
  desk.Close();
}

// Registration's store part, as a workstation runs it: the check and the insert as one.
// Returns whether this call added the name.
bool AddUserUnlessTaken(const QString& connectionName, const QString& name) {
  bool added = false;
  TTableCursor users(connectionName);
  RunExclusiveWrite(connectionName, "Users", [&] {
    users.SetTableName("Users");
    users.Open();
    if (users.Locate("Username", name)) return;
    users.Append();
    users.SetField("Username", name);
    users.Post();
    added = true;
  });
  return added;
}

void AUserNameIsUniqueInAnyCapitalsEvenWhenTwoConnectionsRace(TCursorCase& t) {
  t.AddUsers();
  t.OpenTable("Users");
  // The index alone, without the check: the store refuses the second spelling.
  t.Cursor->Append();
  t.Cursor->SetField("Username", "ALICE");
  EXPECT_THROW(t.Cursor->Post(), EUniqueViolation);
  t.Cursor->Cancel();
  t.Cursor->Last();
  ASSERT_TRUE(t.Cursor->Locate("Username", "carol"));
  t.Cursor->Edit();
  t.Cursor->SetField("Username", "Bob");
  EXPECT_THROW(t.Cursor->Post(), EUniqueViolation);
  t.Cursor->Cancel();
  t.Cursor->Close();

  // Two workstations register one name in different capitals at the same moment, again and
  // again: every name ends up stored once, and each time one of the two added it. Then the
  // same on a database made before the index existed, where the transaction alone holds.
  for (int round = 0; round < 16; ++round) {
    if (round == 8) t.Db->Exec("DROP INDEX \"UsersUsernameLower\"");
    const QString name = QStringLiteral("racer%1").arg(round);
    std::latch start(2);
    std::atomic<int> added = 0;
    std::atomic<int> refused = 0;
    std::vector<std::string> failures;
    std::mutex failuresLock;
    const auto workstation = [&](QString spelling) {
      try {
        auto connection = t.Db->OpenAnother();
        start.arrive_and_wait();
        (AddUserUnlessTaken(connection->Name(), spelling) ? added : refused) += 1;
      } catch (const EUniqueViolation&) {
        refused += 1;
      } catch (const std::exception& e) {
        const std::lock_guard lock(failuresLock);
        failures.push_back(e.what());
      }
    };
    std::thread first(workstation, name);
    std::thread second(workstation, name.toUpper());
    first.join();
    second.join();
    EXPECT_TRUE(failures.empty()) << failures.front();
    EXPECT_EQ(added, 1);
    EXPECT_EQ(refused, 1);
  }
  t.OpenTable("Users");
  QStringList names;
  t.Cursor->ReadColumns({t.Cursor->FieldIndex("Username")}, [&](const std::vector<QVariant>& r) {
    names << r[0].toString().toLower();
    return true;
  });
  EXPECT_EQ(names.size(), 3 + 16);
  EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size());
}

// The case rule of the Browse search: only A to Z fold. Written apart from the store's own,
// which the narrowed pass uses.
QString FoldedByHand(QString text) {
  for (QChar& c : text)
    if (c >= 'A' && c <= 'Z') c = QChar(c.unicode() + ('a' - 'A'));
  return text;
}

// A narrowed pass hands its visitor exactly what the full pass would have it keep: the
// same rows in the same order, the same stop at a null, whatever the letters.
void ANarrowedPassKeepsWhatTheFullPassKeeps(TCursorCase& t) {
  const QVariant null;
  const QVariant names[] = {
      "Rex",       "REX",       "rex",         "R\u00e9x", "R\u00c9X",      "r\u00e9x",
      "\u00c4nne", "\u00e4NNE", "Stra\u00dfe", "STRASSE",  "\u0130stanbul", "istanbul",
      "",          "rex ",      "r_x",         "R%x",      "\u01c5ungla",   "\u01c4UNGLA",
      "Re\u001fx"};
  const QVariant kinds[] = {"Dog", "dog", "DOG", "D\u00f6g", "Cat"};
  int n = 0;
  for (const QVariant& name : names) t.AddAnimal(name, kinds[n++ % 5], "2024-03-01", false);
  // SQLite keeps blobs in text columns; they read as text, equal to the search or not.
  if (IsSQLite(t.Db->Database()))
    for (const char* blob : {"R_X", "Rita"})
      t.AddAnimal(QByteArray(blob), QByteArray(blob[1] == '_' ? "DOG" : "cat"), "2024-03-01",
                  false);
  t.AddAnimal(null, "Dog", QVariant(), false);    // a null among the names
  t.AddAnimal("Tom", null, QVariant(), false);    // a null among the kinds
  t.AddAnimal("Rex", "Dog", "2024-03-01", false); // after both
  t.OpenTable("Animals");
  const int name = t.Cursor->FieldIndex("AnimalName");
  const int type = t.Cursor->FieldIndex("Type");
  const int id = t.Cursor->FieldIndex("ID");
  const int colour = t.Cursor->FieldIndex("Colour");

  // The Browse test, recording what it keeps and where a null would stop it.
  // A pass full, narrowed, or narrowed with the fields read only for their tests (all but
  // the name and the key shown) left to the database where it can judge them.
  enum TPass { Full, Narrowed, TestsOnly };
  const auto pass = [&](TPass how, int field, const QString& text, const QString& kind) {
    QStringList kept;
    std::vector<TTableCursor::TTextMatch> matches;
    const bool testOnly = how == TestsOnly;
    if (!text.isNull()) matches.push_back({field, text, testOnly && field != name && field != id});
    if (!kind.isNull()) matches.push_back({type, kind, testOnly});
    const auto visit = [&](const std::vector<QVariant>& row) {
      const auto same = [&](const QVariant& value, const QString& wanted) {
        if (value.isNull()) throw std::runtime_error("null");
        return FoldedByHand(FieldAsString(value)) == FoldedByHand(wanted);
      };
      try {
        if ((text.isNull() || same(row[0], text)) && (kind.isNull() || same(row[1], kind)))
          kept << (row[2].isNull() ? QStringLiteral("<null>")
                                   : row[2].toString() + "#" + row[3].toString());
      } catch (const std::runtime_error&) {
        kept << QStringLiteral("<stop>");
        return false;
      }
      return true;
    };
    if (how == Full)
      t.Cursor->ReadColumns({field, type, name, id}, visit);
    else
      t.Cursor->ReadColumns({field, type, name, id}, matches, visit);
    return kept;
  };
  const auto same = [&](int field, const QString& text, const QString& kind) {
    const QStringList full = pass(Full, field, text, kind);
    EXPECT_EQ(pass(Narrowed, field, text, kind), full);
    EXPECT_EQ(pass(TestsOnly, field, text, kind), full);
  };
  const struct {
    int Field;
    const char* Text;
    const char* Kind;
  } searches[] = {
      {name, "rex", nullptr},
      {name, "R\u00c9X", nullptr},
      {name, "r\u00e9x", "DOG"},
      {name, "\u00e4nne", nullptr},
      {name, "strasse", nullptr},
      {name, "ISTANBUL", nullptr},
      {name, "", nullptr},
      {name, "r_x", nullptr},
      {name, "r%x", "dog"},
      {name, "\u01c6ungla", nullptr},
      {name, nullptr, "dog"},
      {name, nullptr, "d\u00d6g"},
      {name, "nobody", "Cat"},
      {id, "3", nullptr},
      {id, "3", "dog"},
      {type, "DOG", nullptr},
      {type, "cat", "CAT"},
      {type, "DOG", "dog"},
      {name, "TOM", "cat"},
      {name, "Rex", "Dog"},
      {name, "RE\u001fX", "d\u00d6g"},
      {colour, "BROWN", "dog"},
      {colour, "brown", nullptr},
  };
  for (const auto& search : searches) {
    const QString text = search.Text ? QString::fromUtf8(search.Text) : QString();
    const QString kind = search.Kind ? QString::fromUtf8(search.Kind) : QString();
    SCOPED_TRACE(text.toStdString() + " / " + kind.toStdString());
    same(search.Field, text, kind);
  }
  // Texts no stored one holds: a NUL, a lone surrogate. Nothing equals them; a null name
  // still stops the search.
  for (const QString& odd : {QStringLiteral("re") + QChar(0) + 'x', QString(QChar(0xd800))}) {
    same(name, odd, {});
    same(name, {}, odd);
  }
  // Only A to Z fold, and the null name stops the search where the full pass stops.
  EXPECT_EQ(pass(Narrowed, name, "rex", {}), QStringList({"Rex#1", "REX#2", "rex#3", "<stop>"}));
  // In another order too.
  t.Cursor->SetSort("AnimalName DESC");
  same(name, "REX", "dog");
  same(colour, "Brown", "dog");

  // A fixed-width text reads with the blanks that pad it, which the server's text
  // functions drop.
  t.Cursor->Close();
  t.Db->Exec("CREATE TABLE \"Codes\" (\"ID\" INTEGER PRIMARY KEY, \"Code\" CHARACTER(5))");
  t.Db->Exec("INSERT INTO \"Codes\" (\"ID\", \"Code\") VALUES (1, 'rex'), (2, 'REX  '), (3, 'x')");
  t.OpenTable("Codes");
  const int code = t.Cursor->FieldIndex("Code");
  const int key = t.Cursor->FieldIndex("ID");
  for (const QString& text : {QStringLiteral("rex"), QStringLiteral("REX  ")}) {
    QStringList kept[2];
    for (int narrowed = 0; narrowed < 2; ++narrowed) {
      const auto visit = [&](const std::vector<QVariant>& row) {
        if (FoldedByHand(row[0].toString()) == FoldedByHand(text))
          kept[narrowed] << row[1].toString();
        return true;
      };
      if (narrowed)
        t.Cursor->ReadColumns({code, key}, {{code, text, true}}, visit);
      else
        t.Cursor->ReadColumns({code, key}, visit);
    }
    EXPECT_EQ(kept[1], kept[0]) << text.toStdString();
  }
}

const TNamedCase kCases[] = {
    {"ANarrowedPassKeepsWhatTheFullPassKeeps", &ANarrowedPassKeepsWhatTheFullPassKeeps},
    {"AUserNameIsUniqueInAnyCapitalsEvenWhenTwoConnectionsRace",
     &AUserNameIsUniqueInAnyCapitalsEvenWhenTwoConnectionsRace},
    {"RefusesTablesWithoutAUniqueIntegerKey", &RefusesTablesWithoutAUniqueIntegerKey},
    {"ARowDeletedElsewhereIsNeitherUpdatedNorDeletedInItsPlace",
     &ARowDeletedElsewhereIsNeitherUpdatedNorDeletedInItsPlace},
    {"OpensOnTheFirstRowAndMovesWithinTheTable", &OpensOnTheFirstRowAndMovesWithinTheTable},
    {"ReadsValuesAsVariantsWithNullsAndConversionErrors",
     &ReadsValuesAsVariantsWithNullsAndConversionErrors},
    {"ATableWithoutRowsReadsNullsAndRefusesDelete", &ATableWithoutRowsReadsNullsAndRefusesDelete},
    {"LocateIgnoresCaseMatchesWholeValuesAndKeepsTheRowWhenNothingMatches",
     &LocateIgnoresCaseMatchesWholeValuesAndKeepsTheRowWhenNothingMatches},
    {"LocateFoldsCaseBeyondAToZ", &LocateFoldsCaseBeyondAToZ},
    {"SortsByAFieldOfTheTableAndReopeningDropsTheOrder",
     &SortsByAFieldOfTheTableAndReopeningDropsTheOrder},
    {"SortRefusesWhatIsNotAFieldAndADirection", &SortRefusesWhatIsNotAFieldAndADirection},
    {"InsertStoresANewRowWithAKeyFromTheStoreAndFalseFlags",
     &InsertStoresANewRowWithAKeyFromTheStoreAndFalseFlags},
    {"EditStoresChangesAndMovingPostsThemFirst", &EditStoresChangesAndMovingPostsThemFirst},
    {"DeleteAndRefreshKeepASensibleCurrentRow", &DeleteAndRefreshKeepASensibleCurrentRow},
    {"ReadsATableLargerThanItsRowCacheInAnyOrder", &ReadsATableLargerThanItsRowCacheInAnyOrder},
    {"ReadColumnsHandsOutChosenFieldsInTheCurrentOrderWithoutMoving",
     &ReadColumnsHandsOutChosenFieldsInTheCurrentOrderWithoutMoving},
    {"RefusesTablesThatDoNotExist", &RefusesTablesThatDoNotExist},
};

class TableCursorOnSQLite : public testing::TestWithParam<TNamedCase> {};

TEST_P(TableCursorOnSQLite, Case) {
  QString reason;
  auto t = TCursorCase::Make(TEngine::SQLite, &reason);
  ASSERT_TRUE(t) << reason.toStdString();
  GetParam().Run(*t);
}

INSTANTIATE_TEST_SUITE_P(Cursor, TableCursorOnSQLite, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<TNamedCase>& info) {
                           return std::string(info.param.Name);
                         });

// The same cases in one process: a private server costs seconds to start.
TEST(TableCursorOnPostgreSQL, EveryCase) {
  for (const TNamedCase& c : kCases) {
    SCOPED_TRACE(c.Name);
    QString reason;
    auto t = TCursorCase::Make(TEngine::PostgreSQL, &reason);
    // The server belongs to the test's tools (scripts/setup installs it): without it the
    // test fails.
    ASSERT_TRUE(t) << reason.toStdString();
    c.Run(*t);
  }
}

TEST(FieldText, TurnsValuesIntoScreenTextAndRefusesNull) {
  EXPECT_EQ(FieldAsString(QVariant(QStringLiteral("Rex"))), "Rex");
  EXPECT_EQ(FieldAsString(QVariant(qlonglong(42))), "42");
  EXPECT_EQ(FieldAsString(QVariant(true)), "True");
  EXPECT_EQ(FieldAsString(QVariant(false)), "False");
  EXPECT_EQ(FieldAsString(QVariant(QDate(2024, 2, 29))),
            QLocale::system().toString(QDate(2024, 2, 29), QLocale::ShortFormat));
  EXPECT_EQ(FieldAsString(QVariant(QString())), ""); // an empty text is not null
  for (const QVariant& null : {QVariant(), QVariant(QMetaType(QMetaType::QString))}) {
    EXPECT_THROW(FieldAsString(null), EVariantError);
    EXPECT_THROW(FieldAsInteger(null), EVariantError);
    EXPECT_THROW(FieldAsBoolean(null), EVariantError);
  }
  EXPECT_EQ(FieldAsBoolean(QVariant(qlonglong(-1))), true);
  EXPECT_EQ(FieldAsInteger(QVariant(QStringLiteral(" 17 "))), 17);
  EXPECT_THROW(FieldAsInteger(QVariant(QStringLiteral("17a"))), EVariantError);
}

} // namespace
