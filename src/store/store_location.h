#pragma once
// Where the shelter's database lives when it is not the working directory's file: a
// PostgreSQL server named by a connection URI, as PostgreSQL's own clients write it:
//   postgresql://[user[:password]@][host][:port][/database][?key=value&...]
// The host may be a unix socket directory, percent-encoded in the host part or given as
// ?host=/dir. A password is taken when a URI holds one, but it is never shown: the usual
// place for it is the user's ~/.pgpass or PGPASSWORD, which libpq reads itself.

#include "store/store_connection.h"

#include <QString>

struct TServerLocation {
  QString HostName; // a host name, an address or a socket directory; empty: libpq's default
  int Port = -1;
  QString DatabaseName;
  QString UserName;
  QString Password;
  // Further libpq settings from the query (sslmode=require, connect_timeout=3, ...), as Qt's
  // driver takes them: "key=value;key=value".
  QString Options;

  // The location as a URI without the password, for the console and the settings page.
  QString Display() const;
  TConnectionParams Params() const;
};

// Reads a connection URI. Raises EDatabaseError, with a message that never repeats the
// password, when the scheme is not postgresql:// (or postgres://), no database is named, the
// port is not a number or the text cannot be decoded.
TServerLocation ParseServerUri(const QString& uri);
