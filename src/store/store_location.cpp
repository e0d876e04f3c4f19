#include "store/store_location.h"

#include "store/store_error.h"

#include <QByteArray>
#include <QStringList>
#include <QUrl>
#include <cctype>

namespace {

[[noreturn]] void Refuse(const QString& why) {
  throw EDatabaseError(("Invalid database server address: " + why).toStdString());
}

QString Decode(const QString& text, const char* part) {
  // A lone % or a bad escape would silently survive QUrl's decoding: refuse it instead.
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    const auto hex = [](QChar c) { return std::isxdigit(c.unicode()) && c.unicode() < 128; };
    if (i + 2 >= text.size() || !hex(text[i + 1]) || !hex(text[i + 2]))
      Refuse(QString("bad %-escape in the ") + part);
  }
  const QByteArray bytes = QByteArray::fromPercentEncoding(text.toUtf8());
  const QString decoded = QString::fromUtf8(bytes);
  if (decoded.toUtf8() != bytes) Refuse(QString("the ") + part + " is not valid UTF-8");
  return decoded;
}

int ParsePort(const QString& text) {
  bool ok = false;
  const int port = text.toInt(&ok);
  if (!ok || port < 1 || port > 65535) Refuse("the port must be a number from 1 to 65535");
  return port;
}

QString Encode(const QString& text, const QByteArray& keep = {}) {
  return QString::fromLatin1(QUrl::toPercentEncoding(text, keep));
}

} // namespace

TServerLocation ParseServerUri(const QString& uri) {
  const QString text = uri.trimmed();
  QString rest;
  for (const char* scheme : {"postgresql://", "postgres://"})
    if (text.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
      rest = text.mid(int(qstrlen(scheme)));
  if (rest.isNull()) Refuse("it must begin with postgresql://");

  TServerLocation location;
  QString query;
  if (const int mark = rest.indexOf('?'); mark >= 0) {
    query = rest.mid(mark + 1);
    rest.truncate(mark);
  }
  QString path;
  if (const int slash = rest.indexOf('/'); slash >= 0) {
    path = rest.mid(slash + 1);
    rest.truncate(slash);
  }
  // The last @ ends the user part: a password may hold an encoded one, never a bare one.
  if (const int at = rest.lastIndexOf('@'); at >= 0) {
    const QString userInfo = rest.left(at);
    rest = rest.mid(at + 1);
    const int colon = userInfo.indexOf(':');
    location.UserName = Decode(colon < 0 ? userInfo : userInfo.left(colon), "user name");
    if (colon >= 0) location.Password = Decode(userInfo.mid(colon + 1), "password");
  }
  QString host = rest;
  if (host.startsWith('[')) {
    const int close = host.indexOf(']');
    if (close < 0) Refuse("an address in [ ] is not closed");
    const QString after = host.mid(close + 1);
    if (!after.isEmpty() && !after.startsWith(':')) Refuse("unexpected text after the address");
    if (after.size() > 1) location.Port = ParsePort(after.mid(1));
    host = host.mid(1, close - 1);
  } else if (const int colon = host.lastIndexOf(':'); colon >= 0) {
    location.Port = ParsePort(host.mid(colon + 1));
    host.truncate(colon);
  }
  location.HostName = Decode(host, "host");
  location.DatabaseName = Decode(path, "database name");

  QStringList options;
  for (const QString& pair : query.split('&', Qt::SkipEmptyParts)) {
    const int equals = pair.indexOf('=');
    if (equals <= 0) Refuse("a setting after ? needs the form key=value");
    const QString key = Decode(pair.left(equals), "settings");
    const QString value = Decode(pair.mid(equals + 1), "settings");
    if (key == QLatin1String("host"))
      location.HostName = value;
    else if (key == QLatin1String("port"))
      location.Port = ParsePort(value);
    else if (key == QLatin1String("dbname"))
      location.DatabaseName = value;
    else if (key == QLatin1String("user"))
      location.UserName = value;
    else if (key == QLatin1String("password"))
      location.Password = value;
    else if (value.contains(';') || key.contains(';') || key.contains(' '))
      // Qt's driver splits its options at semicolons.
      Refuse("the setting " + key + " cannot hold a semicolon");
    else
      options << key + '=' + value;
  }
  if (location.DatabaseName.isEmpty()) Refuse("no database named (postgresql://host/DATABASE)");
  location.Options = options.join(';');
  return location;
}

QString TServerLocation::Display() const {
  QString text = QStringLiteral("postgresql://");
  if (!UserName.isEmpty()) text += Encode(UserName) + '@';
  const bool socket = HostName.startsWith('/');
  if (!socket) text += HostName.contains(':') ? '[' + HostName + ']' : Encode(HostName, ".-_~");
  if (!socket && Port >= 0) text += ':' + QString::number(Port);
  text += '/' + Encode(DatabaseName);
  QStringList query;
  if (socket) {
    query << "host=" + Encode(HostName, "/");
    if (Port >= 0) query << "port=" + QString::number(Port);
  }
  for (const QString& option : Options.split(';', Qt::SkipEmptyParts))
    if (!option.section('=', 0, 0).contains(QLatin1String("password"), Qt::CaseInsensitive))
      query << option;
  if (!query.isEmpty()) text += '?' + query.join('&');
  return text;
}

TConnectionParams TServerLocation::Params() const {
  TConnectionParams params;
  params.HostName = HostName;
  params.Port = Port;
  params.DatabaseName = DatabaseName;
  params.UserName = UserName;
  params.Password = Password;
  // Without a limit libpq waits as long as the network does for a host that is gone.
  params.Options =
      Options.contains(QLatin1String("connect_timeout="))
          ? Options
          : (Options.isEmpty() ? QString() : Options + ';') + QStringLiteral("connect_timeout=10");
  return params;
}
