#include "app/local_time.h"

#include <QDateTime>
#include <QLocale>

QString LongTimeFormat(const QLocale& locale) {
  const QString format = locale.timeFormat(QLocale::LongFormat);
  QString out;
  bool quoted = false;
  for (QChar c : format) {
    if (c == QLatin1Char('\'')) quoted = !quoted;
    if (!quoted && c == QLatin1Char('t')) continue;
    out += c;
  }
  // What framed the zone goes with it: "HH:mm:ss t" and "H:mm:ss (t)" end in the seconds.
  out.remove(QStringLiteral("()"));
  return out.trimmed();
}

QString ShortDateLongTime(const QDateTime& at, const QLocale& locale) {
  return locale.toString(at.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
         locale.toString(at.time(), LongTimeFormat(locale));
}
