// kill -9 in the middle of registrations and additions: two processes write into one
// database, through the application's own pages into the SQLite file or through the same
// store calls into a private PostgreSQL server, and are killed at random moments, round after
// round. After each kill the database opens (the file passes its integrity check), holds
// every row the writers reported stored, and no row in part.
#include "durability/shelter_rows.h"
#include "platform/password_hash.h"
#include "store/shelter_schema.h"
#include "store/store_connection.h"
#include "store/store_error.h"
#include "store/store_fixture.h"
#include "store/store_sql.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>

namespace {

constexpr int kRounds = 20;
// Only a hung writer meets this; a slow machine stores fewer rows, nothing else.
constexpr int kHungMs = 180000;

// One writer process (shelter_writer or store_writer).
class TWriter {
public:
  TWriter(const QString& program, const QStringList& arguments, const QString& directory) {
    FProcess.setWorkingDirectory(directory);
    FProcess.start(program, arguments);
  }
  ~TWriter() { Kill(); }

  // Waits until `count` rows are reported stored; false when the writer ended by itself.
  bool WaitForStored(int count) {
    while (FStored + 1 < count) {
      if (FProcess.state() == QProcess::NotRunning) return false;
      if (!FProcess.waitForReadyRead(kHungMs)) return false;
      Read();
    }
    return true;
  }

  void Kill() {
    if (FProcess.state() != QProcess::NotRunning) {
      FProcess.kill(); // SIGKILL
      FProcess.waitForFinished(kHungMs);
    }
    Read();
  }

  // The last row reported stored, -1 for none.
  int LastStored() const { return FStored; }
  // Ended by our kill, not by a failure of its own.
  bool Killed() const { return FProcess.exitStatus() == QProcess::CrashExit; }
  QString Said() { return QString::fromLocal8Bit(FProcess.readAllStandardError()); }

private:
  void Read() {
    while (FProcess.canReadLine()) {
      const QString line = QString::fromLatin1(FProcess.readLine()).trimmed();
      if (line.startsWith(QLatin1String("stored "))) FStored = line.mid(7).toInt();
    }
  }

  QProcess FProcess;
  int FStored = -1;
};

QString RoundPrefix(int round, char kind) {
  return QStringLiteral("r%1%2").arg(round).arg(QLatin1Char(kind));
}

// The rows of one round, by number.
struct TRoundRows {
  std::set<int> Users, Animals;
};

// The rows of a round: 0 to n - 1 without a gap, every reported one among them, and at most
// the one the kill cut off between its commit and its report beyond them.
void ExpectRun(const std::set<int>& rows, int lastStored, const char* what) {
  SCOPED_TRACE(what);
  const int count = int(rows.size());
  EXPECT_TRUE(rows.empty() || (*rows.begin() == 0 && *rows.rbegin() == count - 1))
      << "a gap in the numbers";
  EXPECT_GE(count, lastStored + 1) << "a row reported stored is lost";
  EXPECT_LE(count, lastStored + 2);
}

class KillTest : public ::testing::Test {
protected:
  using TWriters = std::pair<std::unique_ptr<TWriter>, std::unique_ptr<TWriter>>;

  // Rounds of a registering and an adding writer started by `start`, killed at random
  // moments, the database opened by `open` checked after each.
  void KillRounds(const std::function<TWriters(int round)>& start,
                  const std::function<std::unique_ptr<TStoreConnection>()>& open) {
    const quint32 seed = QRandomGenerator::global()->generate();
    RecordProperty("seed", std::to_string(seed));
    SCOPED_TRACE("seed " + std::to_string(seed));
    QRandomGenerator random(seed);
    std::map<int, TRoundRows> earlier;
    int stored = 0;
    for (int round = 0; round < kRounds && !HasFailure(); ++round) {
      SCOPED_TRACE("round " + std::to_string(round));
      auto [users, animals] = start(round);
      // Sometimes while they start, sometimes after some rows, at a random moment in a row.
      const bool running =
          users->WaitForStored(random.bounded(3)) && animals->WaitForStored(random.bounded(3));
      if (running) QThread::msleep(random.bounded(300));
      TWriter& first = random.bounded(2) ? *users : *animals;
      TWriter& second = &first == users.get() ? *animals : *users;
      first.Kill();
      if (running) QThread::msleep(random.bounded(100));
      second.Kill();
      ASSERT_TRUE(users->Killed()) << users->Said().toStdString();
      ASSERT_TRUE(animals->Killed()) << animals->Said().toStdString();

      std::unique_ptr<TStoreConnection> connection;
      try {
        connection = open();
      } catch (const EDatabaseError& e) {
        FAIL() << "the database does not open: " << e.what();
      }
      std::map<int, TRoundRows> rounds = CheckRows(connection->Database());
      ExpectRun(rounds[round].Users, users->LastStored(), "registrations");
      ExpectRun(rounds[round].Animals, animals->LastStored(), "animals");
      stored += int(rounds[round].Users.size() + rounds[round].Animals.size());
      for (const auto& [number, rows] : earlier) {
        EXPECT_EQ(rounds[number].Users, rows.Users) << "registrations of round " << number;
        EXPECT_EQ(rounds[number].Animals, rows.Animals) << "animals of round " << number;
      }
      earlier = rounds;
    }
    RecordProperty("rows", stored);
  }

  // Every row as a writer wrote it; the rows by round. Quoted names fit both engines.
  std::map<int, TRoundRows> CheckRows(QSqlDatabase db) {
    std::map<int, TRoundRows> rounds;
    QSqlQuery query(db);
    if (IsSQLite(db)) {
      EXPECT_TRUE(query.exec("PRAGMA integrity_check") && query.next());
      EXPECT_EQ(query.value(0).toString(), "ok");
    }

    const QRegularExpression userName(QStringLiteral("^r(\\d+)ureg(\\d+)$"));
    EXPECT_TRUE(query.exec("SELECT * FROM \"Users\" WHERE \"Username\" IS NULL OR "
                           "\"Username\" <> 'keeper'"))
        << query.lastError().text().toStdString();
    while (query.next()) {
      const QSqlRecord row = query.record();
      const QString name = row.value("Username").toString();
      SCOPED_TRACE(name.toStdString());
      const auto match = userName.match(name);
      if (!match.hasMatch()) {
        ADD_FAILURE() << "a row no writer wrote whole";
        continue;
      }
      const int round = match.captured(1).toInt(), i = match.captured(2).toInt();
      const TWrittenUser user = WrittenUser(RoundPrefix(round, 'u'), i);
      EXPECT_EQ(row.value("FullName").toString(), user.FullName);
      EXPECT_EQ(row.value("Email").toString(), user.Email);
      EXPECT_EQ(row.value("Phone").toString(), user.Phone);
      EXPECT_EQ(row.value("Address").toString(), user.Address);
      EXPECT_EQ(row.value("Picture").toString(), "Default");
      EXPECT_FALSE(row.value("Admin").toBool());
      EXPECT_FALSE(row.value("Employee").toBool());
      // Verifying a hash takes its time on purpose: each row once.
      if (FVerified.insert(name).second) {
        EXPECT_TRUE(VerifyPassword(row.value("Password").toString(), user.Password));
      }
      EXPECT_TRUE(rounds[round].Users.insert(i).second) << "stored twice";
    }

    const QRegularExpression animalName(QStringLiteral("^r(\\d+)apet(\\d+)$"));
    EXPECT_TRUE(query.exec("SELECT * FROM \"Animals\""));
    while (query.next()) {
      const QSqlRecord row = query.record();
      const QString name = row.value("AnimalName").toString();
      SCOPED_TRACE(name.toStdString());
      const auto match = animalName.match(name);
      if (!match.hasMatch()) {
        ADD_FAILURE() << "a row no writer wrote whole";
        continue;
      }
      const int round = match.captured(1).toInt(), i = match.captured(2).toInt();
      const TWrittenAnimal animal = WrittenAnimal(RoundPrefix(round, 'a'), i);
      EXPECT_EQ(row.value("Type").toString(), animal.Type);
      EXPECT_EQ(row.value("Colour").toString(), animal.Colour);
      EXPECT_EQ(row.value("Breed").toString(), animal.Breed);
      EXPECT_EQ(row.value("Sex").toString(), animal.Sex);
      EXPECT_EQ(row.value("CheckIn").toDate(), animal.CheckIn);
      EXPECT_EQ(row.value("Adopt").toBool(), animal.Adopt);
      EXPECT_EQ(row.value("KennelID").toString(), animal.KennelID);
      EXPECT_TRUE(rounds[round].Animals.insert(i).second) << "stored twice";
    }
    return rounds;
  }

  QTemporaryDir FDir;
  std::set<QString> FVerified;
};

TEST_F(KillTest, KilledApplicationsNeverLeaveADamagedFileOrAHalfRow) {
  ASSERT_TRUE(FDir.isValid());
  ASSERT_TRUE(QDir().mkpath(FDir.filePath("cfg")));
  const QString database = FDir.filePath("cfg/Data.mdb");
  {
    auto connection = TStoreConnection::CreateSQLiteFile(database);
    QSqlDatabase db = connection->Database();
    CreateShelterSchema(db);
    QSqlQuery query(db);
    ASSERT_TRUE(query.prepare("INSERT INTO Users (Username, Password, FullName, Email, Phone, "
                              "Address, Picture, Employee) VALUES (?, ?, 'Keeper', "
                              "'keeper@vorns.org', '(012)333-4444', '2 Low St', 'Default', 1)"));
    query.addBindValue(QString::fromLatin1(kStaffName));
    query.addBindValue(HashPassword(QString::fromLatin1(kStaffPassword)));
    ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
  }
  const auto start = [&](int round) {
    const QString program = QStringLiteral(SHELTER_WRITER);
    return TWriters(std::make_unique<TWriter>(
                        program, QStringList{"register", RoundPrefix(round, 'u')}, FDir.path()),
                    std::make_unique<TWriter>(
                        program, QStringList{"animals", RoundPrefix(round, 'a')}, FDir.path()));
  };
  KillRounds(start, [&] { return TStoreConnection::OpenSQLiteFile(database); });
}

TEST_F(KillTest, KilledWritersNeverLeaveAHalfRowOnTheServer) {
  // A missing server fails the run.
  TPostgresServer& server = TPostgresServer::Instance();
  ASSERT_TRUE(server.Ensure()) << server.Reason().toStdString();
  TConnectionParams params = server.Params();
  {
    auto admin = TStoreConnection::OpenServer("QPSQL", params);
    QSqlQuery query(admin->Database());
    ASSERT_TRUE(query.exec("SET client_min_messages TO WARNING"));
    ASSERT_TRUE(query.exec("DROP DATABASE IF EXISTS kill_rounds WITH (FORCE)"));
    ASSERT_TRUE(query.exec("CREATE DATABASE kill_rounds"))
        << query.lastError().text().toStdString();
  }
  params.DatabaseName = QStringLiteral("kill_rounds");
  {
    auto connection = TStoreConnection::OpenServer("QPSQL", params);
    QSqlDatabase db = connection->Database();
    CreateShelterSchema(db);
  }
  const auto start = [&](int round) {
    const QString program = QStringLiteral(STORE_WRITER);
    const QStringList where{params.HostName, QString::number(params.Port), params.DatabaseName};
    return TWriters(
        std::make_unique<TWriter>(
            program, QStringList{"register"} + where + QStringList{RoundPrefix(round, 'u')},
            FDir.path()),
        std::make_unique<TWriter>(
            program, QStringList{"animals"} + where + QStringList{RoundPrefix(round, 'a')},
            FDir.path()));
  };
  KillRounds(start, [&] { return TStoreConnection::OpenServer("QPSQL", params); });
}

} // namespace
