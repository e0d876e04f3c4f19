#pragma once
// The local date and time as the application writes them: the locale's short date, a
// blank and its long time. The long time is the time of day to the second; the zone that
// Qt's long format adds is left out.

#include <QString>

class QDateTime;
class QLocale;

// The locale's long time format without its time-zone fields.
QString LongTimeFormat(const QLocale& locale);
// Short date, a blank, long time (the console's "Ran At" line).
QString ShortDateLongTime(const QDateTime& at, const QLocale& locale);
