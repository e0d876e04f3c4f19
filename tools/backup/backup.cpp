#include "backup.h"

#include "backup_error.h"
#include "backup_target.h"
#include "file_backup.h"
#include "server_backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

enum class TBackupKind { DatabaseFile, ServerDump, Unknown };

// Told by the first bytes: an SQLite file or a dump in pg_dump's custom format.
TBackupKind KindOf(const QString& backup) {
  const std::string name = QDir::toNativeSeparators(backup).toStdString();
  const QFileInfo info(backup);
  if (!info.exists()) throw EBackupError("The backup " + name + " does not exist");
  if (!info.isFile()) throw EBackupError("The backup " + name + " is not a file");
  QFile file(backup);
  if (!file.open(QIODevice::ReadOnly))
    throw EBackupError("Cannot read the backup " + name + ": " + file.errorString().toStdString());
  const QByteArray head = file.read(16);
  if (head == QByteArray("SQLite format 3", 16)) return TBackupKind::DatabaseFile;
  if (head.startsWith("PGDMP")) return TBackupKind::ServerDump;
  return TBackupKind::Unknown;
}

} // namespace

QString Backup(const QString& source, const QString& output) {
  const TBackupTarget target = ParseTarget(source);
  return target.Server ? BackupServer(target.Location, output)
                       : BackupDirectory(target.Location, output);
}

QString Restore(const QString& backup, const QString& targetText, bool force) {
  const TBackupTarget target = ParseTarget(targetText);
  const std::string name = QDir::toNativeSeparators(backup).toStdString();
  switch (KindOf(backup)) {
  case TBackupKind::DatabaseFile:
    if (target.Server)
      throw EBackupError("The backup " + name +
                         " is of a working directory's database; restore it to a working "
                         "directory");
    return RestoreDirectory(backup, target.Location, force);
  case TBackupKind::ServerDump:
    if (!target.Server)
      throw EBackupError("The backup " + name +
                         " is of a server database; restore it to a server URI");
    return RestoreServer(backup, target.Location, force);
  case TBackupKind::Unknown:
    break;
  }
  throw EBackupError("The backup " + name + " is not a backup made by vorns-backup");
}
