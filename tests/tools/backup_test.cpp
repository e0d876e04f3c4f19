// vorns-backup run as a separate program: copies taken while another connection writes,
// restores that refuse or replace, a round trip through a private PostgreSQL server, and
// the refusals, each with its message and nothing written.
#include "store/shelter_schema.h"
#include "store/store_connection.h"
#include "store/store_fixture.h"
#include "tool_run.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace {

ToolRun
RunBackup(const QStringList& args,
          const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  return RunProgram(QStringLiteral(VORNS_BACKUP), args, 120000, {}, environment);
}

// Status 1 and one line on stderr that mentions `about`.
::testing::AssertionResult Refused(const ToolRun& r, const QString& about) {
  const bool oneLine = r.Err.endsWith('\n') && r.Err.count('\n') == 1;
  if (r.Exited && r.Status == 1 && oneLine && QString::fromLocal8Bit(r.Err).contains(about))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "exited " << r.Exited << " status " << r.Status
                                       << " stderr: \"" << r.Err.toStdString() << "\"";
}

const char* const kKinds[] = {"Cat", "Dog", "Rabbit", "Snake", "Scorpion"};

// Registration and animal number `i`, every field told by the number.
QVariantList UserValues(int i) {
  return {QStringLiteral("u%1").arg(i),
          QStringLiteral("p%1").arg(i),
          QStringLiteral("Full Name %1").arg(i),
          QStringLiteral("u%1@vorns.org").arg(i),
          QStringLiteral("(012)345-%1").arg(i % 10000, 4, 10, QLatin1Char('0')),
          QStringLiteral("%1 Copy Street").arg(i),
          QStringLiteral("Default"),
          i % 2 == 1,
          i % 3 == 0};
}
QVariantList AnimalValues(int i) {
  return {QStringLiteral("Pet%1").arg(i),
          QString::fromLatin1(kKinds[i % 5]),
          QStringLiteral("Colour%1").arg(i),
          QStringLiteral("Breed%1").arg(i),
          i % 2 ? QStringLiteral("Female") : QStringLiteral("Male"),
          QDate(2024, 1, 1).addDays(i % 366),
          i % 2 == 0,
          QStringLiteral("K%1").arg(i)};
}
const char* const kUserColumns[] = {"Username", "Password", "FullName", "Email",   "Phone",
                                    "Address",  "Picture",  "Admin",    "Employee"};
const char* const kAnimalColumns[] = {"AnimalName", "Type",    "Colour", "Breed",
                                      "Sex",        "CheckIn", "Adopt",  "KennelID"};

bool Run(QSqlDatabase db, const QString& sql, const QVariantList& values, QString* error) {
  QSqlQuery query(db);
  if (query.prepare(sql)) {
    for (int i = 0; i < values.size(); ++i) query.bindValue(i, values[i]);
    if (query.exec()) return true;
  }
  *error = sql + ": " + query.lastError().text();
  return false;
}

// "INSERT INTO "Table" ("A", "B") VALUES (?, ?)", quoted for both engines.
template <std::size_t N> QString InsertSql(const char* table, const char* const (&columns)[N]) {
  QStringList names, marks;
  for (const char* column : columns) {
    names << QStringLiteral("\"%1\"").arg(column);
    marks << QStringLiteral("?");
  }
  return QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
      .arg(table, names.join(", "), marks.join(", "));
}

// User `i` and animal `i` in one transaction.
bool WritePair(QSqlDatabase db, int i, QString* error) {
  if (!db.transaction()) {
    *error = db.lastError().text();
    return false;
  }
  const bool written = Run(db, InsertSql("Users", kUserColumns), UserValues(i), error) &&
                       Run(db, InsertSql("Animals", kAnimalColumns), AnimalValues(i), error);
  if (written && db.commit()) return true;
  if (written) *error = db.lastError().text();
  db.rollback();
  return false;
}

void WritePairs(QSqlDatabase db, int from, int to) {
  QString error;
  for (int i = from; i < to; ++i) ASSERT_TRUE(WritePair(db, i, &error)) << error.toStdString();
}

template <std::size_t N>
void ExpectRowIs(const QSqlRecord& row, const char* const (&columns)[N],
                 const QVariantList& expected) {
  for (std::size_t c = 0; c < N; ++c) {
    const QVariant value = row.value(QString::fromLatin1(columns[c]));
    const QVariant& want = expected[int(c)];
    if (want.typeId() == QMetaType::Bool)
      EXPECT_EQ(value.toBool(), want.toBool()) << columns[c];
    else if (want.typeId() == QMetaType::QDate)
      EXPECT_EQ(value.toDate(), want.toDate()) << columns[c];
    else
      EXPECT_EQ(value.toString(), want.toString()) << columns[c];
  }
}

// Every row whole, as WritePair wrote it, and users and animals in pairs: the numbers
// of the rows, or an empty set after a failed expectation.
std::set<int> ExpectWholePairs(QSqlDatabase db) {
  std::set<int> users, animals;
  QSqlQuery query(db);
  EXPECT_TRUE(query.exec("SELECT * FROM \"Users\" ORDER BY \"ID\""))
      << query.lastError().text().toStdString();
  while (query.next()) {
    const QString name = query.value("Username").toString();
    const int i = name.mid(1).toInt();
    SCOPED_TRACE(name.toStdString());
    ExpectRowIs(query.record(), kUserColumns, UserValues(i));
    users.insert(i);
  }
  EXPECT_TRUE(query.exec("SELECT * FROM \"Animals\" ORDER BY \"ID\""));
  while (query.next()) {
    const QString name = query.value("AnimalName").toString();
    const int i = name.mid(3).toInt();
    SCOPED_TRACE(name.toStdString());
    ExpectRowIs(query.record(), kAnimalColumns, AnimalValues(i));
    animals.insert(i);
  }
  EXPECT_EQ(users, animals) << "a transaction copied in part";
  return users;
}

// Every row of both tables as text, keys included.
QStringList TablesText(QSqlDatabase db) {
  QStringList lines;
  for (const char* table : {"Users", "Animals"}) {
    QSqlQuery query(db);
    EXPECT_TRUE(query.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY \"ID\"").arg(table)));
    while (query.next()) {
      QStringList values;
      for (int i = 0; i < query.record().count(); ++i)
        values << query.value(i).toString().toLower();
      lines << QString::fromLatin1(table) + ": " + values.join(QLatin1Char('|'));
    }
  }
  return lines;
}

QString IntegrityCheck(QSqlDatabase db) {
  QSqlQuery query(db);
  return query.exec("PRAGMA integrity_check") && query.next() ? query.value(0).toString()
                                                              : query.lastError().text();
}

// A working directory with the empty shelter tables.
QString MakeShelter(const QTemporaryDir& scratch, const QString& name) {
  const QString root = scratch.filePath(name);
  EXPECT_TRUE(QDir().mkpath(root + "/cfg"));
  auto connection = TStoreConnection::CreateSQLiteFile(root + "/cfg/Data.mdb");
  QSqlDatabase db = connection->Database();
  CreateShelterSchema(db);
  return root;
}

// The hidden files a tool writes before naming them, left anywhere below `root`.
QStringList LeftOvers(const QString& root) {
  QStringList found;
  for (const QString& folder : {root, root + "/cfg"})
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
      if (name.startsWith(QLatin1Char('.'))) found << folder + "/" + name;
  return found;
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(f.write(bytes), bytes.size());
}

TEST(Backup, CopiesTakenWhileAnotherConnectionWritesHoldWholeTransactions) {
  QTemporaryDir scratch;
  const QString root = MakeShelter(scratch, "shelter");
  std::atomic<int> written{0};
  std::atomic<bool> failed{false};
  QString writerError; // read after the writer ends
  // Stopped and joined however the test ends.
  std::jthread writer([&](std::stop_token halt) {
    auto connection = TStoreConnection::OpenSQLiteFile(root + "/cfg/Data.mdb");
    while (!halt.stop_requested() && !failed)
      if (WritePair(connection->Database(), written, &writerError))
        ++written;
      else
        failed = true;
  });
  while (written < 20 && !failed) std::this_thread::yield();

  for (int copy = 0; copy < 5 && !failed; ++copy) {
    SCOPED_TRACE(copy);
    const int before = written;
    const QString out = scratch.filePath(QStringLiteral("nightly-%1.bak").arg(copy));
    const ToolRun r = RunBackup({root, out});
    ASSERT_TRUE(Succeeded(r));
    EXPECT_TRUE(r.Out.contains(out.toLocal8Bit())) << r.Out.toStdString();
    auto connection = TStoreConnection::OpenSQLiteFile(out);
    EXPECT_EQ(IntegrityCheck(connection->Database()), "ok");
    const std::set<int> pairs = ExpectWholePairs(connection->Database());
    // Everything committed before the copy began, in one run of numbers from 0.
    EXPECT_GE(int(pairs.size()), before);
    EXPECT_TRUE(pairs.empty() || (*pairs.begin() == 0 && *pairs.rbegin() == int(pairs.size()) - 1));
  }
  writer.request_stop();
  writer.join();
  EXPECT_TRUE(writerError.isEmpty()) << writerError.toStdString();
  EXPECT_EQ(LeftOvers(scratch.path()), QStringList());
  EXPECT_EQ(QFileInfo(scratch.filePath("nightly-0.bak")).permissions() &
                (QFile::ReadOther | QFile::ReadGroup),
            QFile::Permissions())
      << "a backup holds password hashes: for its owner only";
}

TEST(Backup, ARestoreReplacesADatabaseOnlyWithForceAndNeverWhileItIsInUse) {
  QTemporaryDir scratch;
  const QString root = MakeShelter(scratch, "shelter");
  const QString database = root + "/cfg/Data.mdb";
  {
    auto connection = TStoreConnection::OpenSQLiteFile(database);
    WritePairs(connection->Database(), 0, 10);
  }
  const QString backup = scratch.filePath("shelter.bak");
  ASSERT_TRUE(Succeeded(RunBackup({root, backup})));
  // The shelter's work since the backup, which the restore undoes.
  {
    auto connection = TStoreConnection::OpenSQLiteFile(database);
    WritePairs(connection->Database(), 10, 12);
  }
  const QByteArray changed = ReadBytes(database);

  EXPECT_TRUE(Refused(RunBackup({"--restore", backup, root}), "--force"));
  EXPECT_EQ(ReadBytes(database), changed);

  // A running application holds the database: the restore refuses rather than pull the file
  // from under it.
  {
    auto running = TStoreConnection::OpenSQLiteFile(database);
    EXPECT_TRUE(Refused(RunBackup({"--restore", "--force", backup, root}), "in use"));
    QSqlQuery stillThere(running->Database());
    EXPECT_TRUE(stillThere.exec("SELECT count(*) FROM Users") && stillThere.next() &&
                stillThere.value(0).toInt() == 12);
  }
  EXPECT_EQ(ReadBytes(database), changed);

  const ToolRun forced = RunBackup({"--restore", "--force", backup, root});
  ASSERT_TRUE(Succeeded(forced));
  {
    auto connection = TStoreConnection::OpenSQLiteFile(database);
    EXPECT_EQ(IntegrityCheck(connection->Database()), "ok");
    EXPECT_EQ(ExpectWholePairs(connection->Database()).size(), 10u);
  }
  EXPECT_EQ(QDir(root + "/cfg").entryList(QDir::Files | QDir::Hidden), QStringList{"Data.mdb"});

  // A working directory without a database takes one without --force.
  const QString fresh = scratch.filePath("fresh");
  ASSERT_TRUE(QDir().mkpath(fresh));
  ASSERT_TRUE(Succeeded(RunBackup({"--restore", backup, fresh})));
  auto connection = TStoreConnection::OpenSQLiteFile(fresh + "/cfg/Data.mdb");
  EXPECT_EQ(ExpectWholePairs(connection->Database()).size(), 10u);
}

// A database of its own on the test's private server, and its URI.
class TServerDatabase {
public:
  explicit TServerDatabase(const QString& name) : FName(name) {
    TPostgresServer& server = TPostgresServer::Instance();
    if (!server.Ensure()) ADD_FAILURE() << server.Reason().toStdString();
    auto admin = TStoreConnection::OpenServer("QPSQL", server.Params());
    QSqlQuery query(admin->Database());
    EXPECT_TRUE(query.exec("SET client_min_messages TO WARNING"));
    EXPECT_TRUE(query.exec("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)"));
    EXPECT_TRUE(query.exec("CREATE DATABASE " + name)) << query.lastError().text().toStdString();
  }
  std::unique_ptr<TStoreConnection> Open() const {
    TConnectionParams params = TPostgresServer::Instance().Params();
    params.DatabaseName = FName;
    return TStoreConnection::OpenServer("QPSQL", params);
  }
  QString Uri() const {
    const TConnectionParams params = TPostgresServer::Instance().Params();
    return QStringLiteral("postgresql://%1@/%2?host=%3&port=%4")
        .arg(params.UserName, FName, params.HostName)
        .arg(params.Port);
  }

private:
  QString FName;
};

TEST(Backup, AServerRoundTripRestoresTheSameRows) {
  // A missing server fails the run: the server's backups are tested every time.
  ASSERT_TRUE(TPostgresServer::Instance().Ensure())
      << TPostgresServer::Instance().Reason().toStdString();
  QTemporaryDir scratch;
  const TServerDatabase source(QStringLiteral("backup_source"));
  const TServerDatabase target(QStringLiteral("backup_target"));
  QStringList original;
  {
    auto connection = source.Open();
    QSqlDatabase db = connection->Database();
    CreateShelterSchema(db);
    WritePairs(db, 0, 10);
    original = TablesText(db);
  }
  const QString dump = scratch.filePath("server.dump");
  ASSERT_TRUE(Succeeded(RunBackup({source.Uri(), dump})));

  ASSERT_TRUE(Succeeded(RunBackup({"--restore", dump, target.Uri()})));
  {
    auto connection = target.Open();
    EXPECT_EQ(ExpectWholePairs(connection->Database()).size(), 10u);
    EXPECT_EQ(TablesText(connection->Database()), original);
    QSqlQuery query(connection->Database());
    ASSERT_TRUE(query.exec("DELETE FROM \"Animals\" WHERE \"ID\" > 3"));
  }
  const ToolRun again = RunBackup({"--restore", dump, target.Uri()});
  EXPECT_TRUE(Refused(again, "--force"));
  ASSERT_TRUE(Succeeded(RunBackup({"--restore", "--force", dump, target.Uri()})));
  auto connection = target.Open();
  EXPECT_EQ(TablesText(connection->Database()), original);
  // The keys go on after the restored rows: the next animal does not take a restored ID.
  QString error;
  ASSERT_TRUE(WritePair(connection->Database(), 10, &error)) << error.toStdString();
  EXPECT_EQ(ExpectWholePairs(connection->Database()).size(), 11u);
}

TEST(Backup, EveryMistakeIsRefusedWithAMessageAndNothingWritten) {
  QTemporaryDir scratch;
  const QString dir = scratch.path();
  const QString shelter = MakeShelter(scratch, "shelter");
  ASSERT_TRUE(QDir().mkpath(dir + "/empty"));
  ASSERT_TRUE(QDir().mkpath(dir + "/garbage/cfg"));
  WriteBytes(dir + "/garbage/cfg/Data.mdb", QByteArray(8192, 'x'));
  WriteBytes(dir + "/taken.bak", "an older backup");
  WriteBytes(dir + "/notes.txt", "not a backup");
  WriteBytes(dir + "/fake.dump", "PGDMP and nothing a restore could use");
  const QString good = dir + "/good.bak";
  ASSERT_TRUE(Succeeded(RunBackup({shelter, good})));
  WriteBytes(dir + "/cut.bak", ReadBytes(good).left(1000));
  ASSERT_TRUE(QDir().mkpath(dir + "/bin"));
  const QString nowhere =
      QStringLiteral("postgresql://postgres@/postgres?host=%1&port=1").arg(dir + "/empty");

  QProcessEnvironment noClients = QProcessEnvironment::systemEnvironment();
  noClients.insert("PATH", dir + "/bin");
  const struct {
    const char* Name;
    QStringList Args;
    QString About;
    bool NoClients = false;
  } cases[] = {
      {"missing directory", {dir + "/none", dir + "/out"}, "does not exist"},
      {"no database", {dir + "/empty", dir + "/out"}, "holds no database"},
      {"not a database", {dir + "/garbage", dir + "/out"}, "not a readable database"},
      {"output exists", {shelter, dir + "/taken.bak"}, "exists already"},
      {"output folder missing", {shelter, dir + "/none/out"}, "does not exist"},
      {"output folder a file", {shelter, dir + "/notes.txt/out"}, "is not a folder"},
      {"output not writable", {shelter, "/proc/vorns.bak"}, "Cannot write the backup"},
      {"server unreachable", {nowhere, dir + "/out"}, "Cannot back up the server"},
      {"password in the URI",
       {"postgresql://postgres:Sesame42@/postgres?host=/tmp", dir + "/out"},
       "PGPASSWORD"},
      {"password in the query",
       {"postgres:///postgres?host=/tmp&password=Sesame42", dir + "/out"},
       "PGPASSWORD"},
      {"pg_dump missing", {nowhere, dir + "/out"}, "pg_dump is not installed", true},
      {"backup missing", {"--restore", dir + "/none.bak", shelter}, "does not exist"},
      {"backup of nothing known", {"--restore", dir + "/notes.txt", shelter}, "not a backup"},
      {"damaged backup", {"--restore", "--force", dir + "/cut.bak", shelter}, "damaged"},
      {"file backup to a server", {"--restore", good, nowhere}, "working directory"},
      {"server dump to a directory", {"--restore", dir + "/fake.dump", shelter}, "server URI"},
      {"restore to a missing directory", {"--restore", good, dir + "/none"}, "does not exist"},
      {"restore to an unreachable server",
       {"--restore", dir + "/fake.dump", nowhere},
       "Cannot reach the server"},
      {"pg_restore missing", {"--restore", dir + "/fake.dump", nowhere}, "not installed", true},
  };
  const QByteArray database = ReadBytes(shelter + "/cfg/Data.mdb");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const ToolRun r =
        RunBackup(c.Args, c.NoClients ? noClients : QProcessEnvironment::systemEnvironment());
    EXPECT_TRUE(Refused(r, c.About));
    EXPECT_FALSE(r.Err.contains("Sesame42")) << "a password shown";
    EXPECT_FALSE(QFileInfo::exists(dir + "/out"));
  }
  EXPECT_EQ(ReadBytes(dir + "/taken.bak"), QByteArray("an older backup"));
  EXPECT_EQ(ReadBytes(shelter + "/cfg/Data.mdb"), database);
  EXPECT_FALSE(QFileInfo::exists(dir + "/none"));
  EXPECT_EQ(LeftOvers(dir), QStringList());
  EXPECT_EQ(LeftOvers(shelter), QStringList());

  for (const QStringList& args :
       {QStringList{}, QStringList{shelter}, QStringList{"--force", shelter, dir + "/out"},
        QStringList{"--bogus", shelter, dir + "/out"}, QStringList{"--restore", good},
        QStringList{shelter, dir + "/out", dir + "/more"}}) {
    const ToolRun r = RunBackup(args);
    EXPECT_TRUE(r.Exited && r.Status == 2 && r.Err.contains("Usage:"))
        << args.join(' ').toStdString();
  }
  EXPECT_FALSE(QFileInfo::exists(dir + "/out"));
}

} // namespace
