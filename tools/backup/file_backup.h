#pragma once
// Backups of a working directory's database, made with SQLite's online backup while the
// application may be writing: the copy is one consistent state of the database.

#include <QString>

// Copies DIR/cfg/Data.mdb to `output`, which must not exist yet. Throws EBackupError.
// Returns a line that says what was done.
QString BackupDirectory(const QString& directory, const QString& output);

// Puts the backup file in place as DIR/cfg/Data.mdb: written beside it and renamed over it,
// so a failed restore leaves the old database as it was. An existing database is replaced
// only with `force`, and not while a program holds it. Throws EBackupError.
QString RestoreDirectory(const QString& backup, const QString& directory, bool force);
