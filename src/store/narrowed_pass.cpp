#include "store/listed_rows.h"
#include "store/sql_error.h"
#include "store/table_cursor.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>

// The pass that lets the database leave out the rows a visitor's own test would reject.

void TTableCursor::ReadColumns(
    const std::vector<int>& indexes, const std::vector<TTextMatch>& matches,
    const std::function<bool(const std::vector<QVariant>& values)>& visit) {
  CheckActive();
  for (int index : indexes) Column(index);
  for (const TTextMatch& match : matches) Column(match.Index);
  CheckBrowseMode();
  // Without a key list yet, the rows as they come are the table as it is now.
  const bool direct = FKeysPending;
  if (!direct && FKeys.empty()) return;

  const QSqlDatabase db = Database();
  const bool sqlite = IsSQLite(db);
  const bool postgres = db.driverName() == QLatin1String("QPSQL");
  // In the natural order each part below is a query of its own, which an index on the
  // tested field can answer alone (a search by kind finds a fifth of the table), and the
  // rows are put in key order here rather than sorted by the server, on disk when they are
  // many. Another order is the server's to make, over the parts joined.
  const bool natural = FSort.isEmpty();
  const int count = int(indexes.size());
  // The tests the database can make: the matches up to the first on a field that is not
  // text, whose text form the database does not know.
  QStringList nulls;
  QStringList equals;
  QVariantList texts;
  // For each field read, the first match that settles it without reading it: the server's
  // test is exact and the visitor reads the field for the tests alone. -1 where it is read.
  std::vector<int> settled(count, -1);
  for (const TTextMatch& match : matches) {
    const TColumnInfo& column = FColumns[match.Index];
    // The server's text of a padded value is not the one read (the blanks go).
    if (column.Kind != TFieldKind::Text || column.Padded) break;
    const QString name = QuoteIdentifier(column.Name);
    if (postgres) {
      // No stored text holds a NUL or a lone surrogate, and neither can be sent: the visitor
      // alone judges such a search text.
      if (match.Text.contains(QChar(0)) || QString::fromUtf8(match.Text.toUtf8()) != match.Text)
        break;
      // The rule itself, which an index on the same expression answers.
      const QString folded = FoldedAToZ(name);
      if (match.TestOnly && natural)
        for (int i = 0; i < count; ++i)
          if (indexes[i] == match.Index && settled[i] < 0) settled[i] = int(nulls.size());
      nulls << folded + QStringLiteral(" IS NULL");
      equals << folded + QStringLiteral(" = ?");
      texts << FoldAToZ(match.Text);
      continue;
    }
    // lower(x) is null exactly when x is: written so, one index on lower(x) serves both. A
    // blob in a text column of SQLite never equals a text in SQL, yet reads as one.
    nulls << QStringLiteral("(lower(") + name + QStringLiteral(") IS NULL") +
                 (sqlite ? QStringLiteral(" OR typeof(") + name + QStringLiteral(") = 'blob')")
                         : QStringLiteral(")"));
    equals << QStringLiteral("lower(") + name + QStringLiteral(") = lower(?)") +
                  (sqlite ? QStringLiteral(" AND typeof(") + name + QStringLiteral(") <> 'blob'")
                          : QString());
    texts << match.Text;
  }
  // The rows kept, in parts that exclude each other: for each test, those equal in every
  // earlier one and null in this one; and those equal in all. Where the test is lower(), it
  // folds A to Z (SQLite no more), so no row the exact test accepts is lost.
  QStringList parts;
  QList<QVariantList> partValues;
  for (qsizetype i = 0; i <= nulls.size(); ++i) {
    QStringList terms = equals.mid(0, i);
    if (i < nulls.size()) terms << nulls[i];
    parts << (terms.isEmpty() ? QStringLiteral("1 = 1") : terms.join(QStringLiteral(" AND ")));
    partValues << texts.mid(0, i);
  }

  // A settled field is known from the part a row comes from, which each row then names:
  // equal to the match's text in the parts after the match's own, null in its own. Settled
  // by the first part, it is not read at all.
  const bool marked = std::any_of(settled.begin(), settled.end(), [](int m) { return m >= 0; });
  std::vector<int> places(count, -1);
  int placeCount = 0;
  for (int i = 0; i < count; ++i)
    if (settled[i] != 0) places[i] = placeCount++;
  const auto select = [&](qsizetype part) {
    QString list = QStringLiteral("SELECT ") + FQuotedKey;
    if (marked) list += QStringLiteral(", ") + QString::number(part);
    for (int i = 0; i < count; ++i)
      if (places[i] >= 0)
        list += QStringLiteral(", ") + (settled[i] >= 0 && settled[i] <= part
                                            ? QStringLiteral("NULL")
                                            : QuoteIdentifier(FColumns[indexes[i]].Name));
    return list + QStringLiteral(" FROM ") + FQuotedTable + QStringLiteral(" WHERE ");
  };
  QString sql;
  QVariantList values;
  if (natural) {
    for (qsizetype i = 0; i < parts.size(); ++i) {
      if (i > 0) sql += QStringLiteral(" UNION ALL ");
      sql += select(i) + parts[i];
      values += partValues[i];
    }
  } else {
    sql = select(0) + '(' + parts.join(QStringLiteral(") OR (")) + ')' + FOrder;
    for (const QVariantList& part : partValues) values += part;
  }
  std::vector<TFieldKind> kinds;
  for (int index : indexes) kinds.push_back(FColumns[index].Kind);
  std::vector<QVariant> matchTexts;
  for (const TTextMatch& match : matches) matchTexts.emplace_back(match.Text);
  // One flat array of values, a row every `count`: a search by kind brings a fifth of the
  // table.
  std::vector<qlonglong> keys;
  std::vector<QVariant> cells;
  const auto settle = [&](int i, int part, QVariant&& read) {
    const int match = settled[i];
    if (match < 0 || match > part)
      cells.push_back(std::move(read));
    else if (match < part)
      cells.push_back(matchTexts[match]);
    else
      cells.emplace_back();
  };
  // Text and whole numbers can come from the server as one row of lists: a search by kind
  // brings 200,000 rows, each a message and a value apiece otherwise.
  const bool listed =
      postgres && natural && std::all_of(indexes.begin(), indexes.end(), [&](int index) {
        const TColumnInfo& column = FColumns[index];
        return (column.Kind == TFieldKind::Text && !column.Padded) ||
               column.Kind == TFieldKind::Integer;
      });
  std::vector<TFieldKind> placeKinds;
  for (int i = 0; i < count; ++i)
    if (places[i] >= 0) placeKinds.push_back(kinds[i]);
  std::vector<int> partOf;
  std::vector<std::vector<QVariant>> lists;
  if (listed && ReadAsLists(db, sql, values, marked ? int(parts.size()) : 0, placeKinds, keys,
                            partOf, lists)) {
    cells.reserve(keys.size() * count);
    for (std::size_t r = 0; r < keys.size(); ++r)
      for (int i = 0; i < count; ++i)
        settle(i, partOf[r], places[i] < 0 ? QVariant() : std::move(lists[places[i]][r]));
  } else {
    keys.clear();
    QSqlQuery query(db);
    // Qt reads a forward-only PostgreSQL result row by row, each in a message of its own.
    query.setForwardOnly(sqlite);
    if (!query.prepare(sql)) RaiseSql("Cannot read table '" + FTableName + "'", query.lastError());
    for (int i = 0; i < values.size(); ++i) query.bindValue(i, values[i]);
    if (!query.exec()) RaiseSql("Cannot read table '" + FTableName + "'", query.lastError());
    if (query.size() > 0) {
      keys.reserve(query.size());
      cells.reserve(std::size_t(query.size()) * count);
    }
    const int first = marked ? 2 : 1;
    while (query.next()) {
      keys.push_back(query.value(0).toLongLong());
      const int part = marked ? query.value(1).toInt() : 0;
      for (int i = 0; i < count; ++i)
        settle(i, part,
               places[i] < 0 ? QVariant()
                             : NormalizeValue(query.value(first + places[i]), kinds[i]));
    }
    if (query.lastError().isValid())
      RaiseSql("Cannot read table '" + FTableName + "'", query.lastError());
    // Handed out after the statement ends: an unfinished one would keep SQLite's read lock.
    query.finish();
  }
  std::vector<std::size_t> order(keys.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  if (natural && !std::is_sorted(keys.begin(), keys.end()))
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  std::vector<QVariant> row(count);
  const auto hand = [&](std::size_t at) {
    for (int i = 0; i < count; ++i) row[i] = std::move(cells[at * count + i]);
    return visit(row);
  };

  // The rows come in the key list's order, with gaps: each is found by walking on. One that
  // is not ahead (added or moved by another connection since) sends the rest through a
  // look-up, handed out in the key list's order.
  std::size_t next = 0;
  bool diverged = false;
  QHash<qlonglong, std::size_t> later;
  for (const std::size_t at : order) {
    const qlonglong key = keys[at];
    if (direct) {
      if (!hand(at)) return;
      continue;
    }
    if (!diverged) {
      std::size_t ahead = next;
      while (ahead < FKeys.size() && FKeys[ahead] != key) ++ahead;
      if (ahead < FKeys.size()) {
        next = ahead + 1;
        if (!hand(at)) return;
        continue;
      }
      diverged = true;
    }
    later.insert(key, at);
  }
  if (later.isEmpty()) return;
  for (; next < FKeys.size(); ++next) {
    const auto found = later.constFind(FKeys[next]);
    if (found != later.constEnd() && !hand(*found)) return;
  }
}
