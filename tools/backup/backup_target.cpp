#include "backup_target.h"

#include "backup_error.h"

#include <QDir>
#include <QUrl>

namespace {

bool HasPassword(const QString& uri) {
  const qsizetype start = uri.indexOf(QLatin1String("://")) + 3;
  qsizetype end = uri.size();
  for (QChar stop : {QLatin1Char('/'), QLatin1Char('?'), QLatin1Char('#')}) {
    const qsizetype at = uri.indexOf(stop, start);
    if (at >= 0 && at < end) end = at;
  }
  // user:password@host — the hosts after the last @ carry ports, never a password.
  const qsizetype at = uri.lastIndexOf(QLatin1Char('@'), end - 1);
  if (at >= start && uri.mid(start, at - start).contains(QLatin1Char(':'))) return true;
  const qsizetype query = uri.indexOf(QLatin1Char('?'), start);
  if (query < 0) return false;
  for (const QString& pair : uri.mid(query + 1).split(QLatin1Char('&'))) {
    const QString key = QUrl::fromPercentEncoding(pair.section(QLatin1Char('='), 0, 0).toUtf8());
    if (key.trimmed().compare(QLatin1String("password"), Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

} // namespace

TBackupTarget ParseTarget(const QString& text) {
  TBackupTarget target;
  target.Location = text;
  target.Server = text.startsWith(QLatin1String("postgresql://")) ||
                  text.startsWith(QLatin1String("postgres://"));
  if (target.Server && HasPassword(text))
    throw EBackupError("The server URI holds a password; leave it out and give it in "
                       "PGPASSWORD or the password file ~/.pgpass");
  return target;
}

QString DatabaseFile(const QString& directory) {
  return QDir(directory).absoluteFilePath(QStringLiteral("cfg/Data.mdb"));
}
