#include "store/listed_rows.h"

#include <QSqlQuery>
#include <QStringView>
#include <algorithm>
#include <limits>

namespace {

// A list of whole numbers written with commas ("3,-7,12"), appended to `numbers`; false
// when it is anything else. A null list is empty.
bool ParseNumbers(const QVariant& list, std::vector<qlonglong>& numbers) {
  if (list.isNull()) return true;
  const QString text = list.toString();
  const QChar* c = text.constData();
  const QChar* const end = c + text.size();
  constexpr qulonglong kLimit = qulonglong(std::numeric_limits<qlonglong>::max());
  while (c < end) {
    const bool negative = *c == u'-';
    if (negative) ++c;
    const QChar* const start = c;
    qulonglong number = 0;
    for (; c < end && *c != u','; ++c) {
      const char16_t digit = c->unicode();
      if (digit < u'0' || digit > u'9' || number > (kLimit - 9) / 10) return false;
      number = number * 10 + (digit - u'0');
    }
    if (c == start) return false;
    numbers.push_back(negative ? -qlonglong(number) : qlonglong(number));
    // A comma is followed by a number.
    if (c < end && ++c == end) return false;
  }
  return true;
}

} // namespace

// The rows of `sql` (a key, with `parts` > 0 the part each row comes from, then the
// fields, text or whole numbers, of `kinds`) fetched as one row of lists that the server
// writes: the keys, the keys of each part but the last, and for each field its values and
// the keys of its nulls. Rows come back in the order the server read them. False when a
// text holds the separator itself or the server cannot write the lists.
bool ReadAsLists(const QSqlDatabase& db, const QString& sql, const QVariantList& values, int parts,
                 const std::vector<TFieldKind>& kinds, std::vector<qlonglong>& keys,
                 std::vector<int>& partOf, std::vector<std::vector<QVariant>>& lists) {
  const QString keyList = QStringLiteral("string_agg(k::text, ',')");
  QString outer = QStringLiteral("SELECT count(*), ") + keyList;
  QString names = QStringLiteral("k");
  if (parts > 0) names += QStringLiteral(", m");
  for (int j = 0; j + 1 < parts; ++j)
    outer += QStringLiteral(", ") + keyList + QStringLiteral(" FILTER (WHERE m = %1)").arg(j);
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    const QString field = QStringLiteral("f%1").arg(i);
    names += QStringLiteral(", ") + field;
    outer += kinds[i] == TFieldKind::Text
                 ? QStringLiteral(", string_agg(") + field + QStringLiteral(", E'\\x1f')")
                 : QStringLiteral(", string_agg(") + field + QStringLiteral("::text, ',')");
    outer += QStringLiteral(", ") + keyList + QStringLiteral(" FILTER (WHERE ") + field +
             QStringLiteral(" IS NULL)");
  }
  outer += QStringLiteral(" FROM (") + sql + QStringLiteral(") AS s(") + names + ')';
  QSqlQuery query(db);
  query.setForwardOnly(true);
  // A failure (a list longer than the 1 GB a server's text holds) leaves the rows to be
  // read one by one, where a lasting fault shows.
  if (!query.prepare(outer)) return false;
  for (int i = 0; i < values.size(); ++i) query.bindValue(i, values[i]);
  if (!query.exec() || !query.next()) return false;
  const std::size_t count = std::size_t(query.value(0).toLongLong());
  keys.clear();
  if (!ParseNumbers(query.value(1), keys) || keys.size() != count) return false;
  int at = 2;
  // Each part's keys come in the order of all: walked along them, they name each row's part.
  partOf.assign(count, std::max(parts - 1, 0));
  for (int j = 0; j + 1 < parts; ++j) {
    std::vector<qlonglong> partKeys;
    if (!ParseNumbers(query.value(at++), partKeys)) return false;
    std::size_t next = 0;
    for (std::size_t r = 0; r < count && next < partKeys.size(); ++r)
      if (keys[r] == partKeys[next]) {
        partOf[r] = j;
        ++next;
      }
    if (next != partKeys.size()) return false;
  }
  lists.assign(kinds.size(), {});
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    const QVariant written = query.value(at++);
    std::vector<qlonglong> nullKeys;
    if (!ParseNumbers(query.value(at++), nullKeys)) return false;
    std::vector<QVariant> read;
    if (kinds[i] == TFieldKind::Text) {
      if (!written.isNull()) {
        const QString text = written.toString();
        for (QStringView piece : QStringView(text).tokenize(QChar(0x1f)))
          read.emplace_back(piece.toString());
      }
    } else {
      std::vector<qlonglong> numbers;
      if (!ParseNumbers(written, numbers)) return false;
      for (qlonglong number : numbers) read.emplace_back(number);
    }
    if (read.size() + nullKeys.size() != count) return false;
    std::vector<QVariant>& list = lists[i];
    list.reserve(count);
    std::size_t next = 0;
    auto value = read.begin();
    for (std::size_t r = 0; r < count; ++r) {
      if (next < nullKeys.size() && keys[r] == nullKeys[next]) {
        list.emplace_back();
        ++next;
      } else if (value != read.end()) {
        list.push_back(std::move(*value++));
      } else {
        return false;
      }
    }
  }
  return true;
}
