#pragma once
// Making a working directory: the database with sample data, the pictures and the receipt
// assets, laid out as the application expects them.

#include <QString>
#include <QStringList>

struct TInstallOptions {
  QString Directory;
  // A node_modules folder holding jquery and qrcodejs.
  QString Assets;
  // Replace an existing database and rewrite every file this tool makes; without it an
  // existing database stops the tool and other existing files are kept.
  bool Force = false;
};

// Throws EInstallError (or a store or picture error) with a message for the user. Nothing
// is changed when the database exists without Force or an asset is missing. The database
// comes into place last, whole: after a failure the tool can run again without Force.
// Returns lines that say what was made.
QStringList Install(const TInstallOptions& options);

// The shelter's tables with the sample accounts and animals on a PostgreSQL server named by
// a connection URI (the password as PostgreSQL's clients take it: ~/.pgpass or PGPASSWORD).
// Refuses a database that holds Users or Animals already unless `force`, which drops them
// first. Pictures and receipt assets stay with each workstation's directory (Install).
// Returns lines that say what was made; the server is named without its password.
QStringList InstallServer(const QString& uri, bool force);
