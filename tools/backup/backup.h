#pragma once
// vorns-backup's two commands, for a working directory or a server alike.

#include <QString>

// A consistent copy of DIR's database or of the server database in `output`, a new file.
// Throws EBackupError with a message for the user; returns a line that says what was done.
QString Backup(const QString& source, const QString& output);

// Puts a backup back into DIR or the server database: the kind of the backup must fit the
// target, and an existing database is replaced only with `force`.
QString Restore(const QString& backup, const QString& target, bool force);
