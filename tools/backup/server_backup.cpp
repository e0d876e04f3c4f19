#include "server_backup.h"

#include "backup_error.h"
#include "durable_file.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// A PostgreSQL client program, which must be installed.
QString Client(const char* name) {
  const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
  if (path.isEmpty())
    throw EBackupError(std::string(name) +
                       " is not installed (Debian package postgresql-client); it is needed for "
                       "a backup of a server");
  return path;
}

struct TClientRun {
  bool Ok = false;
  QString Out;
  // What the program said on standard error, on one line.
  QString Said;
};

TClientRun RunClient(const QString& program, const QStringList& arguments) {
  QProcess process;
  // Never a password prompt: a nightly backup has nobody to answer it.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("PGCONNECT_TIMEOUT"),
                     environment.value(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("30")));
  process.setProcessEnvironment(environment);
  process.setStandardInputFile(QProcess::nullDevice());
  process.start(program, arguments);
  TClientRun run;
  if (!process.waitForStarted()) {
    run.Said = QDir::toNativeSeparators(program) + QStringLiteral(" cannot be started: ") +
               process.errorString();
    return run;
  }
  process.waitForFinished(-1);
  run.Ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
  run.Out = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
  run.Said = QString::fromLocal8Bit(process.readAllStandardError())
                 .simplified()
                 .replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
  if (!run.Ok && run.Said.isEmpty())
    run.Said = QStringLiteral("%1 ended with status %2")
                   .arg(QFileInfo(program).fileName())
                   .arg(process.exitCode());
  return run;
}

// How many of the shelter's tables the server database holds; throws when it cannot be
// reached.
int ShelterTables(const QString& uri) {
  const TClientRun run =
      RunClient(Client("psql"),
                {"--no-psqlrc", "--no-password", "--tuples-only", "--no-align", "--quiet",
                 "--set=ON_ERROR_STOP=1", "--dbname=" + uri, "--command",
                 "SELECT count(*) FROM pg_catalog.pg_tables WHERE schemaname = current_schema() "
                 "AND tablename IN ('Users', 'Animals')"});
  bool number = false;
  const int tables = run.Out.toInt(&number);
  if (!run.Ok || !number)
    throw EBackupError("Cannot reach the server " + uri.toStdString() + ": " +
                       run.Said.toStdString());
  return tables;
}

} // namespace

QString BackupServer(const QString& uri, const QString& output) {
  const QString pgDump = Client("pg_dump");
  if (QFileInfo::exists(output) || QFileInfo(output).isSymLink())
    throw EBackupError(QDir::toNativeSeparators(output).toStdString() +
                       " exists already; a backup never replaces a file: give a new name");
  TFileBeside dump(output, QStringLiteral("the backup"));
  const TClientRun run = RunClient(
      pgDump, {"--no-password", "--format=custom", "--file=" + dump.Path(), "--dbname=" + uri});
  if (!run.Ok)
    throw EBackupError("Cannot back up the server " + uri.toStdString() + ": " +
                       run.Said.toStdString());
  dump.PublishNew(output, QStringLiteral("a backup"));
  return QStringLiteral("Backed up %1 to %2").arg(uri, QDir::toNativeSeparators(output));
}

QString RestoreServer(const QString& backup, const QString& uri, bool force) {
  const QString pgRestore = Client("pg_restore");
  if (ShelterTables(uri) > 0 && !force)
    throw EBackupError("The server database " + uri.toStdString() +
                       " holds the shelter's tables already; use --force to replace them");
  QStringList arguments{"--no-password", "--single-transaction", "--exit-on-error",
                        // The restoring user owns what it makes, whoever owned the original.
                        "--no-owner", "--dbname=" + uri};
  if (force)
    arguments << "--clean"
              << "--if-exists";
  arguments << backup;
  const TClientRun run = RunClient(pgRestore, arguments);
  if (!run.Ok)
    throw EBackupError("Cannot restore " + QDir::toNativeSeparators(backup).toStdString() +
                       " to the server " + uri.toStdString() +
                       " (nothing was changed): " + run.Said.toStdString());
  return QStringLiteral("Restored %1 to %2").arg(QDir::toNativeSeparators(backup), uri);
}
