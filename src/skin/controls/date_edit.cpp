#include "skin/controls/date_edit.h"

#include <QLocale>
#include <QStringList>

TspSkinDateEdit::TspSkinDateEdit(QWidget* parent) : TspSkinCustomEdit(parent) {
  SetSkinDataName(QStringLiteral("buttonedit"));
  SetButtonMode(true);
  SetEditMask(QStringLiteral("!9999/99/99;1; "));
  SetMaxLength(10);
}

TspSkinDateEdit::TOrder TspSkinDateEdit::Order() const {
  const TspEditMask& m = Mask();
  if (m.IsMasked()) {
    int first = 0;
    for (int i = m.NextEditable(0); i < m.Length() && !m.IsLiteral(i); ++i) ++first;
    if (first == 4) return TOrder::YMD;
  }
  const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
  const auto d = format.indexOf(u'd'), M = format.indexOf(u'M'), y = format.indexOf(u'y');
  if (y >= 0 && (d < 0 || y < d) && (M < 0 || y < M)) return TOrder::YMD;
  if (M >= 0 && d >= 0 && M < d) return TOrder::MDY;
  return TOrder::DMY;
}

QChar TspSkinDateEdit::Separator() const {
  const TspEditMask& m = Mask();
  if (m.IsMasked()) {
    const QString empty = m.EmptyEditText();
    for (int i = 0; i < m.Length(); ++i)
      if (m.IsLiteral(i)) return empty[i];
  }
  const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
  for (const QChar c : format)
    if (!c.isLetter()) return c;
  return u'/';
}

QDate TspSkinDateEdit::Date() const {
  // Parts between separators; blanks inside a part are padding only at its ends.
  QStringList parts;
  QString current;
  const QString text = Text();
  for (const QChar c : text) {
    if (c.isDigit() || c == u' ') {
      current += c;
    } else {
      parts << current;
      current.clear();
    }
  }
  parts << current;
  if (parts.size() != 3) return QDate();
  int numbers[3];
  int yearDigits = 0;
  const int yearPart = Order() == TOrder::YMD ? 0 : 2;
  for (int i = 0; i < 3; ++i) {
    const QString part = parts[i].trimmed();
    if (part.isEmpty() || part.contains(u' ') || part.size() > 4) return QDate();
    numbers[i] = part.toInt();
    if (i == yearPart) yearDigits = int(part.size());
  }
  int y = 0, m = 0, d = 0;
  switch (Order()) {
  case TOrder::YMD:
    y = numbers[0], m = numbers[1], d = numbers[2];
    break;
  case TOrder::DMY:
    d = numbers[0], m = numbers[1], y = numbers[2];
    break;
  case TOrder::MDY:
    m = numbers[0], d = numbers[1], y = numbers[2];
    break;
  }
  if (yearDigits <= 2) {
    const int thisYear = QDate::currentDate().year();
    y += thisYear / 100 * 100;
    if (y > thisYear + 49) y -= 100;
    if (y < thisYear - 50) y += 100;
  }
  if (y < 1) return QDate();
  return QDate(y, m, d); // null unless valid
}

void TspSkinDateEdit::SetDate(const QDate& value) {
  if (!value.isValid()) {
    SetText(QString());
    return;
  }
  const QString y = QStringLiteral("%1").arg(value.year(), 4, 10, QChar(u'0'));
  const QString m = QStringLiteral("%1").arg(value.month(), 2, 10, QChar(u'0'));
  const QString d = QStringLiteral("%1").arg(value.day(), 2, 10, QChar(u'0'));
  const QChar sep = Separator();
  switch (Order()) {
  case TOrder::YMD:
    SetText(y + sep + m + sep + d);
    break;
  case TOrder::DMY:
    SetText(d + sep + m + sep + y);
    break;
  case TOrder::MDY:
    SetText(m + sep + d + sep + y);
    break;
  }
}

void TspSkinDateEdit::SetTodayDefault(bool value) {
  FTodayDefault = value;
  if (value) SetDate(QDate::currentDate());
}
