// vorns-install run as a separate program on temporary folders: the database it makes, the
// pictures, the receipt assets, and its refusal to replace a database unasked.

#include "platform/password_hash.h"
#include "postgres_server.h"
#include "skin/render/jpeg_codec.h"
#include "store/shelter_schema.h"
#include "store/store_connection.h"
#include "tool_run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>

namespace {

ToolRun RunInstall(const QStringList& args) {
  return RunProgram(QStringLiteral(VORNS_INSTALL), args, 180000);
}

// A refusal: the given status and one line on stderr that mentions `about`.
::testing::AssertionResult Refused(const ToolRun& r, int status, const QString& about) {
  const bool oneLine = r.Err.endsWith('\n') && r.Err.count('\n') == 1;
  if (r.Exited && r.Status == status && oneLine && QString::fromLocal8Bit(r.Err).contains(about))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "exited " << r.Exited << " status " << r.Status
                                       << " stderr: \"" << r.Err.toStdString() << "\"";
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(f.write(bytes), bytes.size());
}

const QByteArray kJquery = "/*! jQuery stand-in for the installer tests */ window.jQuery = {};\n";
const QByteArray kQrcode = "/* qrcodejs stand-in */ var QRCode = function () {};\n";

// A node_modules folder with the two receipt scripts.
QString MakeAssets(const QTemporaryDir& dir) {
  const QString modules = dir.filePath("node_modules");
  WriteBytes(modules + "/jquery/dist/jquery.min.js", kJquery);
  WriteBytes(modules + "/qrcodejs/qrcode.min.js", kQrcode);
  return modules;
}

// The sample accounts' passwords, as the README lists them.
const std::map<QString, QString> kPasswords = {{"admin", "VornsAdmin1"},
                                               {"staff", "VornsStaff1"},
                                               {"member", "VornsMember1"},
                                               {"sam", "HappyPaws7"}};

class Database {
public:
  explicit Database(const QString& path) : FConnection(TStoreConnection::OpenSQLiteFile(path)) {}
  QSqlDatabase Db() const { return FConnection->Database(); }
  std::vector<std::vector<QVariant>> Rows(const QString& sql) const {
    QSqlQuery q(Db());
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
    std::vector<std::vector<QVariant>> rows;
    while (q.next()) {
      std::vector<QVariant> row;
      for (int i = 0; i < q.record().count(); ++i) row.push_back(q.value(i));
      rows.push_back(std::move(row));
    }
    return rows;
  }
  QStringList Columns(const QString& table) const {
    QStringList names;
    const QSqlRecord record = Db().record(table);
    for (int i = 0; i < record.count(); ++i) names << record.fieldName(i);
    return names;
  }

private:
  std::unique_ptr<TStoreConnection> FConnection;
};

// One installation shared by the tests that only look at it: hashing makes a run slow.
class InstalledDirectory : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    Scratch = new QTemporaryDir;
    Root = Scratch->filePath("shelter");
    Run = new ToolRun(RunInstall({"--assets", MakeAssets(*Scratch), Root}));
  }
  static void TearDownTestSuite() {
    delete Run;
    delete Scratch;
  }
  void SetUp() override { ASSERT_TRUE(Succeeded(*Run)); }

  static QTemporaryDir* Scratch;
  static QString Root;
  static ToolRun* Run;
};
QTemporaryDir* InstalledDirectory::Scratch = nullptr;
QString InstalledDirectory::Root;
ToolRun* InstalledDirectory::Run = nullptr;

TEST_F(InstalledDirectory, TablesHaveTheirColumnsInOrder) {
  Database db(Root + "/cfg/Data.mdb");
  EXPECT_EQ(db.Columns("Users"), UsersFieldNames());
  EXPECT_EQ(db.Columns("Animals"), AnimalsFieldNames());
  EXPECT_EQ(db.Columns("Animals").value(1), "AnimalName");
  EXPECT_TRUE(QString::fromLocal8Bit(Run->Out).contains("4 accounts, 80 animals"))
      << Run->Out.toStdString();
}

TEST_F(InstalledDirectory, AccountsOfEveryRoleLogInWithHashedPasswords) {
  Database db(Root + "/cfg/Data.mdb");
  std::map<QString, int> roles;
  std::set<qlonglong> ids;
  for (const auto& row : db.Rows("SELECT ID, Username, Password, FullName, Email, Phone, "
                                 "Address, Picture, Admin, Employee FROM Users")) {
    const QString name = row[1].toString();
    ids.insert(row[0].toLongLong());
    for (size_t i = 0; i < row.size(); ++i)
      EXPECT_FALSE(row[i].isNull()) << name.toStdString() << " column " << i;
    const QString stored = row[2].toString();
    ASSERT_TRUE(kPasswords.count(name))
        << "an account the README does not list: " << name.toStdString();
    const QString password = kPasswords.at(name);
    EXPECT_GE(password.size(), 7);
    EXPECT_TRUE(IsPasswordHash(stored)) << name.toStdString();
    EXPECT_FALSE(stored.contains(password)) << "clear text stored for " << name.toStdString();
    EXPECT_TRUE(VerifyPassword(stored, password)) << name.toStdString();
    EXPECT_FALSE(VerifyPassword(stored, password.toLower())) << name.toStdString();
    EXPECT_EQ(row[7].toString(), "Default");
    EXPECT_TRUE(QRegularExpression(R"(^\(\d{3}\)\d{3}-\d{4}$)").match(row[5].toString()).hasMatch())
        << "phone as the mask edit writes it: " << row[5].toString().toStdString();
    const bool admin = row[8].toBool(), employee = row[9].toBool();
    ++roles[admin ? "Admin" : employee ? "Employee" : "Member"];
  }
  EXPECT_EQ(ids.size(), kPasswords.size());
  EXPECT_GE(roles["Admin"], 1);
  EXPECT_GE(roles["Employee"], 1);
  EXPECT_GE(roles["Member"], 1);
}

TEST_F(InstalledDirectory, EveryKindHasFifteenAnimalsSomeUpForAdoption) {
  Database db(Root + "/cfg/Data.mdb");
  struct Tally {
    int Count = 0, Adoptable = 0;
  };
  std::map<QString, Tally> kinds;
  std::set<QString> names, kennels;
  for (const auto& row : db.Rows("SELECT ID, AnimalName, Type, Colour, Breed, Sex, CheckIn, "
                                 "CheckOut, Adopt, KennelID FROM Animals")) {
    const QString name = row[1].toString();
    for (int i : {0, 1, 2, 3, 4, 5, 6, 8, 9})
      EXPECT_FALSE(row[i].isNull()) << name.toStdString() << " column " << i;
    EXPECT_TRUE(row[7].isNull()) << "nobody has left yet";
    EXPECT_TRUE(QDate::fromString(row[6].toString(), Qt::ISODate).isValid())
        << row[6].toString().toStdString();
    EXPECT_TRUE(row[5].toString() == "Male" || row[5].toString() == "Female");
    EXPECT_TRUE(names.insert(name).second) << "two animals named " << name.toStdString();
    EXPECT_TRUE(kennels.insert(row[9].toString()).second) << row[9].toString().toStdString();
    Tally& t = kinds[row[2].toString()];
    ++t.Count;
    t.Adoptable += row[8].toBool() ? 1 : 0;
  }
  ASSERT_EQ(kinds.size(), 5u);
  for (const char* kind : {"Cat", "Dog", "Rabbit", "Snake", "Scorpion"}) {
    const Tally& t = kinds[kind];
    EXPECT_GE(t.Count, 15) << kind;
    EXPECT_GT(t.Adoptable, 0) << kind;
    EXPECT_LT(t.Adoptable, t.Count) << kind;
  }
}

// A picture drawn on a soft background: a shape fills much of the centre.
void ExpectDrawnPicture(const QString& path) {
  SCOPED_TRACE(path.toStdString());
  const QImage image = ReadJpegFile(path);
  ASSERT_EQ(image.size(), QSize(256, 256));
  const QColor corner = image.pixelColor(2, 2);
  EXPECT_GT(corner.lightness(), 180) << "a soft background";
  int differing = 0;
  for (int y = 64; y < 192; y += 4)
    for (int x = 64; x < 192; x += 4) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - corner.red()) + std::abs(c.green() - corner.green()) +
              std::abs(c.blue() - corner.blue()) >
          60)
        ++differing;
    }
  EXPECT_GT(differing, 150) << "of 1024 samples in the centre";
}

TEST_F(InstalledDirectory, PicturesOfKindsRolesAndSomeAnimalsDecode) {
  for (const char* name :
       {"Cat", "Dog", "Rabbit", "Snake", "Scorpion", "Admin", "Employee", "Member"})
    ExpectDrawnPicture(Root + "/img/" + name + ".jpg");

  // Own pictures are named by the animal's name and ID.
  Database db(Root + "/cfg/Data.mdb");
  std::set<QString> ownPictures;
  for (const auto& row : db.Rows("SELECT AnimalName, ID FROM Animals")) {
    const QString file = Root + "/img/" + row[0].toString() + row[1].toString() + ".jpg";
    if (!QFile::exists(file)) continue;
    ExpectDrawnPicture(file);
    ownPictures.insert(file);
  }
  EXPECT_GE(ownPictures.size(), 3u);
  EXPECT_EQ(QDir(Root + "/img").entryList(QDir::Files).size(), 8 + qsizetype(ownPictures.size()))
      << "no pictures named after animals that do not exist";

  ASSERT_TRUE(QFileInfo(Root + "/img/usr").isDir());
  EXPECT_TRUE(QDir(Root + "/img/usr").isEmpty());
}

TEST_F(InstalledDirectory, ReceiptAssetsAreCopiedAndTheLogoDrawn) {
  EXPECT_EQ(ReadBytes(Root + "/gen/js/jquery.min.js"), kJquery);
  EXPECT_EQ(ReadBytes(Root + "/gen/js/qrcode.min.js"), kQrcode);
  QImage logo(Root + "/gen/img/vorn.png");
  ASSERT_FALSE(logo.isNull());
  EXPECT_TRUE(logo.hasAlphaChannel());
  EXPECT_EQ(logo.pixelColor(0, 0).alpha(), 0) << "transparent around the ring";
  EXPECT_EQ(logo.pixelColor(logo.width() / 2, logo.height() * 2 / 3).alpha(), 255);
}

TEST(Install, RefusesToReplaceADatabaseUnlessForced) {
  QTemporaryDir scratch;
  const QString assets = MakeAssets(scratch);
  const QString root = scratch.filePath("shelter");
  ASSERT_TRUE(Succeeded(RunInstall({root, "--assets=" + assets})));

  // The shelter's own changes since.
  {
    Database db(root + "/cfg/Data.mdb");
    QSqlQuery q(db.Db());
    ASSERT_TRUE(q.exec("DELETE FROM Users WHERE Username = 'sam'"));
  }
  WriteBytes(root + "/img/Cat.jpg", "our own cat picture");
  const QByteArray database = ReadBytes(root + "/cfg/Data.mdb");

  EXPECT_TRUE(Refused(RunInstall({"--assets", assets, root}), 1, "--force"));
  EXPECT_EQ(ReadBytes(root + "/cfg/Data.mdb"), database);
  EXPECT_EQ(ReadBytes(root + "/img/Cat.jpg"), QByteArray("our own cat picture"));

  // The journal of a write to the old database that a crash cut short: taken while the
  // write is open, put back after it. Played into the new database it would bring the old
  // rows back.
  {
    Database db(root + "/cfg/Data.mdb");
    QSqlDatabase sql = db.Db();
    QSqlQuery q(sql);
    ASSERT_TRUE(q.exec("PRAGMA synchronous = OFF"));
    // As a program left it that had the file in the rollback journal.
    ASSERT_TRUE(q.exec("PRAGMA journal_mode = DELETE"));
    ASSERT_TRUE(sql.transaction());
    ASSERT_TRUE(q.exec("UPDATE Users SET FullName = 'Old'"));
    const QByteArray journal = ReadBytes(root + "/cfg/Data.mdb-journal");
    ASSERT_GT(journal.size(), 512);
    q.finish();
    ASSERT_TRUE(sql.rollback());
    WriteBytes(root + "/cfg/Data.mdb-journal", journal);
  }
  ASSERT_TRUE(Succeeded(RunInstall({"--force", "--assets", assets, root})));
  {
    Database db(root + "/cfg/Data.mdb");
    EXPECT_EQ(db.Rows("SELECT ID FROM Users WHERE Username = 'sam'").size(), 1u);
    EXPECT_EQ(db.Rows("SELECT ID FROM Animals").size(), 80u);
    EXPECT_EQ(db.Rows("PRAGMA integrity_check"), (std::vector<std::vector<QVariant>>{{"ok"}}));
  }
  ExpectDrawnPicture(root + "/img/Cat.jpg");
  EXPECT_EQ(QDir(root + "/cfg").entryList(QDir::Files | QDir::Hidden), QStringList{"Data.mdb"})
      << "no building file or old journal left behind";
}

TEST(Install, StopsBeforeWritingAnythingWhenAReceiptScriptIsMissing) {
  QTemporaryDir scratch;
  const QString assets = MakeAssets(scratch);
  QFile::remove(assets + "/qrcodejs/qrcode.min.js");
  const QString root = scratch.filePath("shelter");
  EXPECT_TRUE(Refused(RunInstall({"--assets", assets, root}), 1, "qrcode.min.js"));
  EXPECT_FALSE(QFileInfo::exists(root + "/cfg"));
  EXPECT_FALSE(QFileInfo::exists(root + "/img"));
}

TEST(Install, CommandLineMistakesExitWithStatusTwo) {
  for (const QStringList& args : {QStringList{}, QStringList{"--frce", "x"}, QStringList{"a", "b"},
                                  QStringList{"--assets"}}) {
    const ToolRun r = RunInstall(args);
    EXPECT_TRUE(r.Exited && r.Status == 2 && r.Err.contains("Usage:"))
        << args.join(' ').toStdString();
  }
}

} // namespace

namespace {

class TServerStopper : public testing::Environment {
public:
  void TearDown() override { TPostgresServer::Instance().Stop(); }
};
testing::Environment* const kServerStopper = testing::AddGlobalTestEnvironment(new TServerStopper);

int Count(const QSqlDatabase& db, const char* sql) {
  QSqlQuery query(db);
  EXPECT_TRUE(query.exec(QString::fromLatin1(sql)) && query.next()) << sql;
  return query.value(0).toInt();
}

TEST(InstallServer, MakesTheTablesOnAServerAndReplacesThemOnlyWithForce) {
  TPostgresServer& server = TPostgresServer::Instance();
  ASSERT_TRUE(server.Ensure()) << server.Reason().toStdString();
  auto connection = TStoreConnection::OpenServer("QPSQL", server.Params());
  QSqlDatabase db = connection->Database();
  QSqlQuery(db).exec("DROP TABLE IF EXISTS \"Users\", \"Animals\" CASCADE");

  const ToolRun made = RunInstall({"--server", server.Uri()});
  ASSERT_TRUE(Succeeded(made));
  EXPECT_TRUE(QString::fromLocal8Bit(made.Out).startsWith("Database: postgresql://postgres@/"))
      << made.Out.toStdString();
  const int accounts = Count(db, "SELECT count(*) FROM \"Users\"");
  const int animals = Count(db, "SELECT count(*) FROM \"Animals\"");
  EXPECT_GE(accounts, 4);
  EXPECT_GT(animals, 0);
  EXPECT_EQ(Count(db, "SELECT count(*) FROM \"Users\" WHERE \"Username\" = 'admin' AND "
                      "\"Admin\""),
            1);
  // The name index came with the tables.
  EXPECT_FALSE(QSqlQuery(db).exec("INSERT INTO \"Users\" (\"Username\") VALUES ('ADMIN')"));

  QSqlQuery(db).exec("DELETE FROM \"Animals\"");
  EXPECT_TRUE(Refused(RunInstall({"--server", server.Uri()}), 1, "--force"));
  EXPECT_EQ(Count(db, "SELECT count(*) FROM \"Animals\""), 0);
  ASSERT_TRUE(Succeeded(RunInstall({"--force", "--server", server.Uri()})));
  EXPECT_EQ(Count(db, "SELECT count(*) FROM \"Animals\""), animals);
  EXPECT_EQ(Count(db, "SELECT count(*) FROM \"Users\""), accounts);
}

TEST(InstallServer, RefusesABadAddressOrAnUnreachableServerWithoutShowingThePassword) {
  QTemporaryDir dir;
  EXPECT_TRUE(Refused(RunInstall({"--server", "mysql://clerk:s3cret@h/d"}), 1, "postgresql://"));
  const ToolRun unreachable = RunInstall(
      {"--server", "postgresql://clerk:s3cret@/vorns?host=" + dir.filePath("none") + "&port=5999"});
  EXPECT_TRUE(Refused(unreachable, 1, "vorns"));
  EXPECT_FALSE(unreachable.Err.contains("s3cret"));
  const ToolRun both = RunInstall({"--server", "postgresql://h/d", dir.path()});
  EXPECT_TRUE(both.Exited && both.Status == 2 && both.Err.contains("not both"))
      << both.Err.toStdString();
}

} // namespace
