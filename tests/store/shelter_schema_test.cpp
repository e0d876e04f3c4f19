// The installers' schema and the file opener, on SQLite files in a temporary folder.
#include "store/shelter_schema.h"
#include "store/store_connection.h"
#include "store/store_error.h"
#include "store/store_sql.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList ColumnNames(const QSqlDatabase& db, const QString& table) {
  QStringList names;
  for (const TColumnInfo& column : ReadTableColumns(db, table)) names << column.Name;
  return names;
}

TEST(ShelterSchema, CreatesBothTablesInColumnOrderWithStoreKeysAndFalseFlags) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Data.mdb");
  auto connection = TStoreConnection::CreateSQLiteFile(path);
  QSqlDatabase db = connection->Database();
  CreateShelterSchema(db);

  EXPECT_EQ(ColumnNames(db, "Users"), UsersFieldNames());
  EXPECT_EQ(ColumnNames(db, "Animals"), AnimalsFieldNames());
  EXPECT_EQ(AnimalsFieldNames().at(1), "AnimalName");

  const auto animals = ReadTableColumns(db, "Animals");
  EXPECT_TRUE(animals[0].PrimaryKey);
  EXPECT_EQ(animals[6].Kind, TFieldKind::Date);
  EXPECT_EQ(animals[8].Kind, TFieldKind::Boolean);

  // Rows stored without their yes/no values hold false; IDs come from the store and are
  // not reused after a delete.
  QSqlQuery query(db);
  ASSERT_TRUE(query.exec("INSERT INTO Users (Username) VALUES ('a')"));
  ASSERT_TRUE(query.exec("INSERT INTO Users (Username) VALUES ('b')"));
  ASSERT_TRUE(query.exec("DELETE FROM Users WHERE ID = 2"));
  ASSERT_TRUE(query.exec("INSERT INTO Users (Username) VALUES ('c')"));
  ASSERT_TRUE(query.exec("SELECT ID, Admin, Employee FROM Users ORDER BY ID"));
  std::vector<int> ids;
  while (query.next()) {
    ids.push_back(query.value(0).toInt());
    EXPECT_FALSE(query.value(1).isNull());
    EXPECT_EQ(query.value(1).toInt(), 0);
    EXPECT_EQ(query.value(2).toInt(), 0);
  }
  EXPECT_EQ(ids, (std::vector<int>{1, 3}));
  EXPECT_FALSE(query.exec("INSERT INTO Animals (AnimalName, Adopt) VALUES ('x', NULL)"));

  // A second run refuses instead of mixing into existing tables.
  EXPECT_THROW(CreateShelterSchema(db), EDatabaseError);
}

TEST(ShelterDatabaseFile, OpeningNeverCreatesAndRefusesWhatIsNotADatabase) {
  QTemporaryDir dir;
  const QString missing = dir.filePath("cfg/Data.mdb");
  EXPECT_THROW(TStoreConnection::OpenSQLiteFile(missing), EDatabaseError);
  EXPECT_FALSE(QFile::exists(missing));
  EXPECT_THROW(TStoreConnection::OpenSQLiteFile(dir.path()), EDatabaseError);

  const QString junk = dir.filePath("junk.mdb");
  {
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
  }
  try {
    TStoreConnection::OpenSQLiteFile(junk);
    ADD_FAILURE() << "a file that is not a database opened";
  } catch (const EDatabaseError& error) {
    EXPECT_NE(std::string(error.what()).find("junk.mdb"), std::string::npos) << error.what();
  }

  const QString good = dir.filePath("good.mdb");
  {
    auto created = TStoreConnection::CreateSQLiteFile(good);
    QSqlDatabase db = created->Database();
    CreateShelterSchema(db);
  }
  auto opened = TStoreConnection::OpenSQLiteFile(good);
  EXPECT_EQ(ColumnNames(opened->Database(), "Users"), UsersFieldNames());
  EXPECT_TRUE(ColumnNames(opened->Database(), "Nothing").isEmpty());
}

} // namespace
