#pragma once
// Backups of a shelter's PostgreSQL server with its own clients: pg_dump takes one
// consistent snapshot while workstations write, pg_restore puts it back in one transaction.
// The clients take the password from PGPASSWORD or ~/.pgpass and never ask for one.

#include <QString>

// Dumps the server database `uri` into `output` (custom format), which must not exist yet.
// Throws EBackupError. Returns a line that says what was done.
QString BackupServer(const QString& uri, const QString& output);

// Restores a dump into the server database `uri`. A database that holds the shelter's
// tables already is replaced only with `force`; a failure changes nothing. Throws
// EBackupError.
QString RestoreServer(const QString& backup, const QString& uri, bool force);
