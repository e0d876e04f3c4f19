#pragma once
// What the tests of the application share: each test runs in a fresh temporary working
// directory, optionally with a shelter database of chosen rows, and drives the real main
// window under the offscreen platform. The connectivity test and the browser are fakes;
// the default error report is recorded instead of shown.
//
// The database is cfg/Data.mdb, or with VORNS_TEST_STORE=postgresql the test program's
// private PostgreSQL server, named in cfg/config.ini as a workstation's settings name it:
// the same tests then run against the shared server.

#include "app/ini_config.h"
#include "app/main_form.h"
#include "app/vorns_application.h"
#include "platform/profile_file.h"
#include "postgres_server.h"
#include "skin/controls/page_control.h"
#include "skin/controls/rich_edit.h"
#include "skin/render/jpeg_codec.h"
#include "store/shelter_schema.h"
#include "store/store_connection.h"
#include "store/store_location.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

struct TUserRow {
  QVariant Username, Password, FullName, Email, Phone, Address, Picture;
  bool Admin = false;
  bool Employee = false;
};

struct TAnimalRow {
  QVariant AnimalName, Type, Colour, Breed, Sex, CheckIn;
  bool Adopt = false;
  QVariant KennelID;
};

class TAppTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(FDir.isValid());
    FOldDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(FDir.path()));
    TVornsApplication::SetReporter([this](const QString& message) { Reports << message; });
  }

  void TearDown() override {
    Form.reset();
    TVornsApplication::SetReporter({});
    QDir::setCurrent(FOldDir);
  }

  // A path below the working directory.
  QString Path(const QString& relative) const { return QDir(FDir.path()).filePath(relative); }

  void MakeFolder(const QString& relative) { ASSERT_TRUE(QDir().mkpath(Path(relative))); }

  // Whether the tests run against the private PostgreSQL server.
  static bool OnServer() {
    return qEnvironmentVariable("VORNS_TEST_STORE") == QLatin1String("postgresql");
  }

  // The database with both tables holding these rows, in this order: cfg/Data.mdb, or the
  // server's database emptied and named in cfg/config.ini.
  void MakeDatabase(const std::vector<TUserRow>& users, const std::vector<TAnimalRow>& animals) {
    MakeFolder(QStringLiteral("cfg"));
    std::unique_ptr<TStoreConnection> connection;
    if (OnServer()) {
      TPostgresServer& server = TPostgresServer::Instance();
      ASSERT_TRUE(server.Ensure()) << server.Reason().toStdString();
      connection = TStoreConnection::OpenServer(QStringLiteral("QPSQL"), server.Params());
      QSqlDatabase db = connection->Database();
      for (const char* sql : {"SET client_min_messages TO WARNING", "DROP SCHEMA public CASCADE",
                              "CREATE SCHEMA public"})
        Exec(db, sql, {});
      NameServer(server.Uri());
    } else {
      connection = TStoreConnection::CreateSQLiteFile(Path(QStringLiteral("cfg/Data.mdb")));
    }
    QSqlDatabase db = connection->Database();
    CreateShelterSchema(db);
    for (const TUserRow& u : users)
      Exec(db,
           "INSERT INTO \"Users\" (\"Username\", \"Password\", \"FullName\", \"Email\", "
           "\"Phone\", \"Address\", \"Picture\", \"Admin\", \"Employee\") "
           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
           {u.Username, u.Password, u.FullName, u.Email, u.Phone, u.Address, u.Picture, u.Admin,
            u.Employee});
    for (const TAnimalRow& a : animals)
      Exec(db,
           "INSERT INTO \"Animals\" (\"AnimalName\", \"Type\", \"Colour\", \"Breed\", "
           "\"Sex\", \"CheckIn\", \"Adopt\", \"KennelID\") VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
           {a.AnimalName, a.Type, a.Colour, a.Breed, a.Sex, a.CheckIn, a.Adopt, a.KennelID});
  }

  // The test's database gone: cfg/Data.mdb removed, or no server named in the settings (and
  // no file either).
  void RemoveDatabase() {
    QFile::remove(Path(QStringLiteral("cfg/Data.mdb")));
    if (OnServer() && QFileInfo::exists(Path(QStringLiteral("cfg/config.ini"))))
      NameServer(QString());
  }

  // A connection of the test's own to the database the window uses.
  std::unique_ptr<TStoreConnection> OpenDatabase() const {
    if (OnServer())
      return TStoreConnection::OpenServer(QStringLiteral("QPSQL"),
                                          TPostgresServer::Instance().Params());
    return TStoreConnection::OpenSQLiteFile(Path(QStringLiteral("cfg/Data.mdb")));
  }

  // Where the window says the database is: the file's path, or the server without password.
  QString DatabaseLocation() const {
    if (OnServer()) return ParseServerUri(TPostgresServer::Instance().Uri()).Display();
    return QDir::toNativeSeparators(Path(QStringLiteral("cfg/Data.mdb")));
  }

  // [Database] Server= in the settings; a new settings file gets the values the window
  // would create it with.
  void NameServer(const QString& uri) {
    TProfileFile ini(Path(QStringLiteral("cfg/config.ini")));
    if (!QFileInfo::exists(ini.FileName())) {
      TConfigCreation creation; // no size: the window keeps its own
      creation.DatabasePath = QDir::toNativeSeparators(Path(QStringLiteral("cfg/Data.mdb")));
      creation.ConfigPath = QDir::toNativeSeparators(Path(QStringLiteral("cfg/config.ini")));
      WriteConfigDefaults(ini, creation);
    }
    ini.WriteString(QStringLiteral("Database"), QStringLiteral("Server"), uri);
  }

  static TAnimalRow Animal(const char* name, const char* type, bool adopt = true) {
    return {name, type, "Brown", "Mixed", "Female", "2024-03-01", adopt, "K1"};
  }

  // A picture file (a small JPEG of one colour) below the working directory.
  void MakePicture(const QString& relative, QColor color = Qt::green) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(color);
    QFile file(Path(relative));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteJpeg(image, 90));
  }

  // Creates the window and shows it (start-up runs), active, as a user would see it.
  TfrmMain& StartForm() {
    TfrmMainServices services;
    services.IsConnected = [this] { return Connected; };
    services.OpenUrl = [this](const QString& url) { OpenedUrls << url; };
    services.Now = [this] { return Clock.isValid() ? Clock : QDateTime::currentDateTime(); };
    Form = std::make_unique<TfrmMain>(services);
    Form->show();
    QApplication::setActiveWindow(Form.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    return *Form;
  }

  // Closes the window (shutdown runs) and destroys it.
  void CloseForm() {
    Form->close();
    Form.reset();
  }

  // The console's paragraphs as plain text.
  QStringList ConsoleLines() const {
    QStringList lines = Console()->toPlainText().split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
  }

  TspSkinRichEdit* Console() const {
    return Form->findChild<TspSkinRichEdit*>(QStringLiteral("redConsole"));
  }

  // The object names of the pages whose tabs show, left to right.
  QStringList VisibleTabs() const {
    QStringList names;
    for (int i = 0; i < Form->pctMain->TabCount(); ++i)
      names << Form->pctMain->TabPage(i)->objectName();
    return names;
  }

  template <class T> T* Find(const char* name) const {
    T* control = Form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  bool Connected = true;
  // The window's clock when set; the real one otherwise.
  QDateTime Clock;
  QStringList OpenedUrls;
  QStringList Reports;
  std::unique_ptr<TfrmMain> Form;

private:
  static void Exec(QSqlDatabase& db, const char* sql, const QVariantList& values) {
    QSqlQuery query(db);
    // PostgreSQL prepares only queries and data changes, not schema statements.
    if (values.isEmpty()) {
      ASSERT_TRUE(query.exec(QString::fromLatin1(sql)))
          << sql << ": " << query.lastError().text().toStdString();
      return;
    }
    ASSERT_TRUE(query.prepare(QString::fromLatin1(sql)));
    for (const QVariant& v : values) query.addBindValue(v);
    ASSERT_TRUE(query.exec()) << sql << ": " << query.lastError().text().toStdString();
  }

  QTemporaryDir FDir;
  QString FOldDir;
};

// The private server, when one ran, stops with the test program.
class TAppPostgresStopper : public testing::Environment {
public:
  void TearDown() override { TPostgresServer::Instance().Stop(); }
};
inline testing::Environment* const kAppPostgresStopper =
    testing::AddGlobalTestEnvironment(new TAppPostgresStopper);
