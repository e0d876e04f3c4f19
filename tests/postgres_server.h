#pragma once
// A private PostgreSQL server for the tests and benchmarks that need one: a throwaway
// cluster on a private socket directory and port, started once per program and stopped at
// its end. It needs the PostgreSQL 15 binaries and root (initdb refuses root, so it runs as
// the postgres user); Ensure reports why it cannot run, and callers fail on that.

#include "store/store_connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <unistd.h>

class TPostgresServer {
public:
  static TPostgresServer& Instance() {
    static TPostgresServer server;
    return server;
  }

  // Starts the server on first use; false (with Reason) when it cannot run here.
  bool Ensure() {
    if (FTried) return FRunning;
    FTried = true;
    if (!QFileInfo::exists(Bin("initdb")) || !QFileInfo::exists(Bin("pg_ctl"))) {
      FReason = "PostgreSQL 15 binaries not installed";
      return false;
    }
    if (geteuid() != 0) {
      FReason = "not root: cannot run initdb as the postgres user";
      return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
      FReason = "Qt's QPSQL driver not installed";
      return false;
    }
    FDir = std::make_unique<QTemporaryDir>();
    const QString data = FDir->filePath("data");
    FSocketDir = FDir->path();
    FPort = 20000 + int(QCoreApplication::applicationPid() % 20000);
    // initdb takes seconds and every test runs in a process of its own under CTest: make a
    // cluster once beside the test program and copy it.
    const QString cluster = Template();
    const bool made = cluster.isEmpty()
                          ? Run("chown", {"-R", "postgres:postgres", FDir->path()}) && InitDb(data)
                          : Run("cp", {"-a", cluster, data}) &&
                                Run("chown", {"-R", "postgres:postgres", FDir->path()});
    if (!made || !AsPostgres({Bin("pg_ctl"), "-D", data, "-l", FDir->filePath("log"), "-w", "-o",
                              QStringLiteral("-k %1 -c listen_addresses='' -p %2 -c fsync=off")
                                  .arg(FSocketDir)
                                  .arg(FPort),
                              "start"})) {
      FReason = "cannot start a private PostgreSQL server: " + FReason;
      return false;
    }
    FData = data;
    FRunning = true;
    return true;
  }

  void Stop() {
    if (!FRunning) return;
    AsPostgres({Bin("pg_ctl"), "-D", FData, "-m", "immediate", "-w", "stop"});
    FRunning = false;
  }

  ~TPostgresServer() { Stop(); }

  // The server's address as a workstation's settings name it.
  QString Uri() const {
    return QStringLiteral("postgresql:///postgres?host=%1&port=%2&user=postgres")
        .arg(FSocketDir)
        .arg(FPort);
  }

  TConnectionParams Params() const {
    TConnectionParams params;
    params.HostName = FSocketDir;
    params.Port = FPort;
    params.DatabaseName = QStringLiteral("postgres");
    params.UserName = QStringLiteral("postgres");
    return params;
  }
  const QString& Reason() const { return FReason; }

private:
  // A fresh cluster to copy, made once; empty when it cannot be made here.
  QString Template() {
    const QString cluster = QCoreApplication::applicationDirPath() + "/postgres-cluster";
    if (QFileInfo::exists(cluster + "/PG_VERSION")) return cluster;
    const QString building =
        cluster + QStringLiteral(".%1").arg(QCoreApplication::applicationPid());
    if (!QDir().mkpath(building) || !Run("chown", {"postgres:postgres", building}) ||
        !InitDb(building)) {
      QDir(building).removeRecursively();
      return {};
    }
    // Several test processes may race here; the first rename wins, the others tidy up.
    if (!QDir().rename(building, cluster)) QDir(building).removeRecursively();
    return QFileInfo::exists(cluster + "/PG_VERSION") ? cluster : QString();
  }

  static QString Bin(const char* program) {
    return QStringLiteral("/usr/lib/postgresql/15/bin/") + QLatin1String(program);
  }
  bool AsPostgres(const QStringList& command) {
    return Run("runuser", QStringList{"-u", "postgres", "--"} + command);
  }
  bool InitDb(const QString& data) {
    return AsPostgres({Bin("initdb"), "-D", data, "-A", "trust", "-U", "postgres", "--no-sync"});
  }

  bool Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
      FReason = program + ": " + QString::fromLocal8Bit(process.readAll()).trimmed();
      return false;
    }
    return true;
  }

  bool FTried = false;
  bool FRunning = false;
  QString FReason;
  std::unique_ptr<QTemporaryDir> FDir;
  QString FData;
  QString FSocketDir;
  int FPort = 0;
};
