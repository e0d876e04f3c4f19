#pragma once
// What a backup is taken from or restored to: a working directory (its cfg/Data.mdb) or a
// shelter's PostgreSQL server given as a connection URI.

#include <QString>

struct TBackupTarget {
  bool Server = false;
  // The working directory, or the URI as given (it holds no password).
  QString Location;
};

// A text starting with postgresql:// or postgres:// is a server. A URI with a password is
// refused (EBackupError): it would be seen in the process list and in messages; the
// password comes from PGPASSWORD or the password file, as for every PostgreSQL client.
TBackupTarget ParseTarget(const QString& text);

// The database file of a working directory.
QString DatabaseFile(const QString& directory);
