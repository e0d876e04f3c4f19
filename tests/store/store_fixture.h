#pragma once
// A fresh shelter database per test, on SQLite (a file in a temporary folder) or on a
// private PostgreSQL server started once per test program (postgres_server.h); the
// PostgreSQL cases fail when it cannot start.

#include "postgres_server.h"
#include "store/shelter_schema.h"
#include "store/store_connection.h"
#include "store/store_error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <unistd.h>

enum class TEngine { SQLite, PostgreSQL };

class TPostgresStopper : public testing::Environment {
public:
  void TearDown() override { TPostgresServer::Instance().Stop(); }
};
inline testing::Environment* const kPostgresStopper =
    testing::AddGlobalTestEnvironment(new TPostgresStopper);

class TStoreDatabase {
public:
  // A database with the empty shelter tables; null when the engine is not available here.
  static std::unique_ptr<TStoreDatabase> Create(TEngine engine, QString* reason) {
    std::unique_ptr<TStoreDatabase> result(new TStoreDatabase);
    result->FEngine = engine;
    if (engine == TEngine::SQLite) {
      result->FDir = std::make_unique<QTemporaryDir>();
      result->FPath = result->FDir->filePath("Data.mdb");
      result->FConnection = TStoreConnection::CreateSQLiteFile(result->FPath);
      // Durability is not under test; fsync on every commit only makes the cases slow.
      result->Exec("PRAGMA synchronous = OFF");
    } else {
      TPostgresServer& server = TPostgresServer::Instance();
      if (!server.Ensure()) {
        *reason = server.Reason();
        return nullptr;
      }
      result->FConnection = TStoreConnection::OpenServer("QPSQL", server.Params());
      result->Exec("SET client_min_messages TO WARNING");
      result->Exec("DROP SCHEMA public CASCADE");
      result->Exec("CREATE SCHEMA public");
    }
    QSqlDatabase db = result->Database();
    CreateShelterSchema(db);
    return result;
  }

  QSqlDatabase Database() const { return FConnection->Database(); }
  const QString& ConnectionName() const { return FConnection->Name(); }

  void Exec(const QString& sql, const QVariantList& values = {}) {
    QSqlQuery query(Database());
    // PostgreSQL prepares only queries and data changes, not schema statements.
    if (values.isEmpty()) {
      ASSERT_TRUE(query.exec(sql))
          << sql.toStdString() << ": " << query.lastError().text().toStdString();
      return;
    }
    ASSERT_TRUE(query.prepare(sql))
        << sql.toStdString() << ": " << query.lastError().text().toStdString();
    for (int i = 0; i < values.size(); ++i) query.bindValue(i, values[i]);
    ASSERT_TRUE(query.exec()) << sql.toStdString() << ": "
                              << query.lastError().text().toStdString();
  }

  // A second, independent connection to the same database.
  std::unique_ptr<TStoreConnection> OpenAnother() const {
    if (FEngine == TEngine::SQLite) return TStoreConnection::OpenSQLiteFile(FPath);
    return TStoreConnection::OpenServer("QPSQL", TPostgresServer::Instance().Params());
  }

private:
  TStoreDatabase() = default;
  TEngine FEngine = TEngine::SQLite;
  std::unique_ptr<QTemporaryDir> FDir;
  QString FPath;
  std::unique_ptr<TStoreConnection> FConnection;
};
