#include "store/table_cursor.h"

#include "store/data_source.h"
#include "store/field_text.h"
#include "store/sql_error.h"
#include "store/store_error.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <unordered_set>

namespace {

// Rows fetched per query while reading; a few blocks stay cached.
constexpr int kBlockSize = 256;
constexpr std::size_t kCachedBlocks = 4;

} // namespace

TTableCursor::TTableCursor(QString connectionName) : FConnectionName(std::move(connectionName)) {}

TTableCursor::~TTableCursor() {
  const std::vector<TDataSource*> sources = FDataSources;
  for (TDataSource* source : sources) source->SetDataSet(nullptr);
  FBlockQuery.reset();
  FRangeQuery.reset();
}

void TTableCursor::SetConnectionName(const QString& name) {
  if (Active()) Raise(QStringLiteral("Cannot change the connection of an open table"));
  FConnectionName = name;
}

void TTableCursor::SetTableName(const QString& name) {
  if (Active()) Raise(QStringLiteral("Cannot perform this operation on an open dataset"));
  FTableName = name;
}

QSqlDatabase TTableCursor::Database() const {
  QSqlDatabase db = QSqlDatabase::database(FConnectionName, false);
  if (!db.isValid()) Raise("No database connection named '" + FConnectionName + "'");
  if (!db.isOpen()) Raise(QStringLiteral("The database connection is not open"));
  return db;
}

void TTableCursor::CheckActive() const {
  if (!Active()) Raise(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

bool TTableCursor::Editing() const {
  return FState == TDataSetState::dsEdit || FState == TDataSetState::dsInsert;
}

void TTableCursor::CheckBrowseMode() {
  if (!Editing()) return;
  if (FModified)
    Post();
  else
    Cancel();
}

void TTableCursor::Open() {
  if (Active()) return;
  if (FTableName.isEmpty()) Raise(QStringLiteral("No table name given"));
  const QSqlDatabase db = Database();
  std::vector<TColumnInfo> columns = ReadTableColumns(db, FTableName);
  if (columns.empty()) Raise("Table '" + FTableName + "' not found in the database");

  // Rows are addressed by their key alone: a key that is not a distinct integer in every
  // row (a column merely named ID, a text key, a key of several columns, SQLite's INT
  // PRIMARY KEY that admits nulls) could make an update or a delete hit other rows.
  const auto found =
      std::find_if(columns.begin(), columns.end(), [](const TColumnInfo& c) { return c.RowKey; });
  if (found == columns.end())
    Raise("Table '" + FTableName +
          "' cannot be opened: its ID is not a unique integer key (INTEGER PRIMARY KEY)");
  const int key = int(found - columns.begin());

  FColumns = std::move(columns);
  FKeyIndex = key;
  FQuotedTable = QuoteIdentifier(FTableName);
  FQuotedKey = QuoteIdentifier(FColumns[FKeyIndex].Name);
  QStringList quoted;
  for (const TColumnInfo& column : FColumns) quoted << QuoteIdentifier(column.Name);
  FSelectList = quoted.join(QStringLiteral(", "));
  FSort.clear();
  FOrder = OrderClause({}, false);
  // The key list waits for its first use: a search that hands rows out by itself never
  // needs it, and on a server with a million rows it is most of the cost of opening. One
  // row is read now, so that a table that cannot be read fails here.
  QSqlQuery probe(db);
  probe.setForwardOnly(true);
  if (!probe.exec(QStringLiteral("SELECT ") + FQuotedKey + QStringLiteral(" FROM ") + FQuotedTable +
                  QStringLiteral(" LIMIT 1"))) {
    const QSqlError error = probe.lastError();
    FColumns.clear();
    FKeyIndex = -1;
    RaiseSql("Cannot read table '" + FTableName + "'", error);
  }
  probe.finish();
  std::vector<qlonglong>().swap(FKeys);
  ClearCache();
  FKeysPending = true;
  FPosition = -1;
  FBof = true;
  FEof = false;
  FState = TDataSetState::dsBrowse;
  Notify(TDataEvent::ActiveChange);
}

void TTableCursor::Close() {
  if (!Active()) return;
  FBuffer.clear();
  FChanged.clear();
  FModified = false;
  FBlockQuery.reset();
  FRangeQuery.reset();
  ClearCache();
  std::vector<qlonglong>().swap(FKeys);
  FKeysPending = false;
  FColumns.clear();
  FKeyIndex = -1;
  FSort.clear();
  FOrder.clear();
  FPosition = -1;
  FBof = FEof = true;
  FState = TDataSetState::dsInactive;
  Notify(TDataEvent::ActiveChange);
}

QString TTableCursor::OrderClause(const QString& field, bool descending) const {
  const QString& key = FQuotedKey;
  if (field.isEmpty()) return QStringLiteral(" ORDER BY ") + key + QStringLiteral(" ASC");
  const int index = FieldIndex(field);
  const QSqlDatabase db = Database();
  const bool sqlite = IsSQLite(db);
  const bool postgres = db.driverName() == QLatin1String("QPSQL");
  QString expression = QuoteIdentifier(FColumns[index].Name);
  if (FColumns[index].Kind == TFieldKind::Text) {
    // Names sort as people read them, not by code point: "alice" next to "Alice".
    if (sqlite) expression += QStringLiteral(" COLLATE NOCASE");
    if (postgres) expression = QStringLiteral("lower(") + expression + ')';
  }
  QString direction = descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
  // Empty values count as the smallest, on every engine.
  if (sqlite || postgres)
    direction += descending ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST");
  return QStringLiteral(" ORDER BY ") + expression + direction + QStringLiteral(", ") + key +
         QStringLiteral(" ASC");
}

void TTableCursor::LoadKeys() {
  QSqlQuery query(Database());
  // Qt reads a forward-only PostgreSQL result row by row, each in a message of its own:
  // for a million keys the whole result at once is about a third faster.
  query.setForwardOnly(IsSQLite(Database()));
  if (!query.exec(QStringLiteral("SELECT ") + FQuotedKey + QStringLiteral(" FROM ") + FQuotedTable +
                  FOrder))
    RaiseSql("Cannot read table '" + FTableName + "'", query.lastError());
  std::vector<qlonglong> keys;
  while (query.next()) keys.push_back(query.value(0).toLongLong());
  if (query.lastError().isValid())
    RaiseSql("Cannot read table '" + FTableName + "'", query.lastError());
  FKeys.swap(keys);
  ClearCache();
}

void TTableCursor::EnsureKeys() const {
  if (!FKeysPending) return;
  // Reading the keys changes nothing a caller can see but what the cursor holds.
  auto* self = const_cast<TTableCursor*>(this);
  self->LoadKeys();
  self->FKeysPending = false;
  self->FPosition = FKeys.empty() ? -1 : 0;
  self->FBof = true;
  self->FEof = FKeys.empty();
}

void TTableCursor::ClearCache() {
  FBlocks.clear();
}

const std::vector<QVariant>& TTableCursor::Row(int position) const {
  const int index = position / kBlockSize;
  auto found = std::find_if(FBlocks.begin(), FBlocks.end(),
                            [index](const TBlock& block) { return block.Index == index; });
  if (found == FBlocks.end()) {
    TBlock block;
    FetchBlock(block, index);
    if (FBlocks.size() >= kCachedBlocks) FBlocks.pop_back();
    FBlocks.insert(FBlocks.begin(), std::move(block));
  } else if (found != FBlocks.begin()) {
    std::rotate(FBlocks.begin(), found, found + 1);
  }
  return FBlocks.front().Rows[position % kBlockSize];
}

void TTableCursor::FetchBlock(TBlock& block, int index) const {
  const int first = index * kBlockSize;
  const int count = std::min<int>(kBlockSize, int(FKeys.size()) - first);
  const auto begin = FKeys.begin() + first;
  // In the natural order a block's keys ascend: one range scan of the key reads them
  // faster than a look-up per key. Other orders name the keys one by one.
  const bool ascending = std::is_sorted(begin, begin + count);
  std::unique_ptr<QSqlQuery>& query = ascending ? FRangeQuery : FBlockQuery;
  if (!query) {
    auto prepared = std::make_unique<QSqlQuery>(Database());
    const QString& key = FQuotedKey;
    QString condition;
    if (ascending) {
      condition = key + QStringLiteral(" BETWEEN ? AND ?");
    } else {
      QStringList marks;
      for (int i = 0; i < kBlockSize; ++i) marks << QStringLiteral("?");
      condition = key + QStringLiteral(" IN (") + marks.join(',') + ')';
    }
    if (!prepared->prepare(QStringLiteral("SELECT ") + key + QStringLiteral(", ") + FSelectList +
                           QStringLiteral(" FROM ") + FQuotedTable + QStringLiteral(" WHERE ") +
                           condition))
      RaiseSql("Cannot read table '" + FTableName + "'", prepared->lastError());
    prepared->setForwardOnly(true);
    query = std::move(prepared);
  }
  QHash<qlonglong, int> places;
  places.reserve(count);
  for (int i = 0; i < count; ++i) places.insert(begin[i], i);
  if (ascending) {
    query->bindValue(0, begin[0]);
    query->bindValue(1, begin[count - 1]);
  } else {
    // The unused places repeat the block's last key, which matches no further row.
    for (int i = 0; i < kBlockSize; ++i) query->bindValue(i, begin[std::min(i, count - 1)]);
  }
  if (!query->exec()) RaiseSql("Cannot read table '" + FTableName + "'", query->lastError());
  const int columns = int(FColumns.size());
  // Rows that another connection deleted since the keys were read stay empty; rows it
  // added within the range are not in the key list and are passed over.
  block.Index = index;
  block.Rows.assign(count, std::vector<QVariant>(columns));
  while (query->next()) {
    const auto place = places.constFind(query->value(0).toLongLong());
    if (place == places.constEnd()) continue;
    std::vector<QVariant>& row = block.Rows[*place];
    for (int c = 0; c < columns; ++c)
      row[c] = NormalizeValue(query->value(c + 1), FColumns[c].Kind);
  }
  const QSqlError error = query->lastError();
  // An unfinished statement would keep SQLite's read lock.
  query->finish();
  if (error.isValid()) RaiseSql("Cannot read table '" + FTableName + "'", error);
}

QStringList TTableCursor::FieldNames() const {
  CheckActive();
  QStringList names;
  for (const TColumnInfo& column : FColumns) names << column.Name;
  return names;
}

int TTableCursor::FieldCount() const {
  CheckActive();
  return int(FColumns.size());
}

int TTableCursor::FieldIndex(const QString& name) const {
  CheckActive();
  for (int i = 0; i < int(FColumns.size()); ++i)
    if (FColumns[i].Name.compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

TFieldKind TTableCursor::FieldKind(int index) const {
  return Column(index).Kind;
}

const TColumnInfo& TTableCursor::Column(int index) const {
  CheckActive();
  if (index < 0 || index >= int(FColumns.size()))
    Raise(QStringLiteral("Field index %1 out of range").arg(index));
  return FColumns[index];
}

int TTableCursor::RequireField(const QString& name) const {
  const int index = FieldIndex(name);
  if (index < 0) Raise("Field '" + name + "' not found in table '" + FTableName + "'");
  return index;
}

int TTableCursor::RecordCount() const {
  CheckActive();
  EnsureKeys();
  return int(FKeys.size());
}

int TTableCursor::RecNo() const {
  CheckActive();
  EnsureKeys();
  return FPosition + 1;
}

void TTableCursor::SetRecNo(int recNo) {
  CheckActive();
  EnsureKeys();
  CheckBrowseMode();
  if (FKeys.empty()) return;
  MoveTo(std::clamp(recNo, 1, int(FKeys.size())) - 1);
}

bool TTableCursor::Bof() const {
  EnsureKeys();
  return FBof;
}
bool TTableCursor::Eof() const {
  EnsureKeys();
  return FEof;
}

void TTableCursor::MoveTo(int position) {
  const int distance = position - FPosition;
  FPosition = position;
  FBof = FEof = false;
  if (distance != 0) Notify(TDataEvent::DataSetScroll, distance);
}

void TTableCursor::First() {
  CheckActive();
  // Unread keys put the first row first when they come: nothing to read or move yet.
  if (FKeysPending) return;
  CheckBrowseMode();
  if (FKeys.empty()) {
    FBof = FEof = true;
    return;
  }
  MoveTo(0);
  FBof = true;
}

void TTableCursor::Last() {
  CheckActive();
  EnsureKeys();
  CheckBrowseMode();
  if (FKeys.empty()) {
    FBof = FEof = true;
    return;
  }
  MoveTo(int(FKeys.size()) - 1);
  FEof = true;
}

void TTableCursor::Next() {
  MoveBy(1);
}
void TTableCursor::Prior() {
  MoveBy(-1);
}

int TTableCursor::MoveBy(int distance) {
  CheckActive();
  EnsureKeys();
  CheckBrowseMode();
  if (FKeys.empty()) {
    FBof = FEof = true;
    return 0;
  }
  if (distance == 0) return 0;
  const qlonglong wanted = qlonglong(FPosition) + distance;
  const int last = int(FKeys.size()) - 1;
  const int target = int(std::clamp<qlonglong>(wanted, 0, last));
  const int from = FPosition;
  MoveTo(target);
  FEof = wanted > last;
  FBof = wanted < 0;
  return target - from;
}

QVariant TTableCursor::Field(int index) const {
  Column(index);
  EnsureKeys();
  if (Editing()) return FBuffer[index];
  if (FPosition < 0) return {};
  return Row(FPosition)[index];
}

QVariant TTableCursor::FieldByName(const QString& name) const {
  return Field(RequireField(name));
}

QVariant TTableCursor::FieldAtRow(int row, int index) const {
  Column(index);
  EnsureKeys();
  if (row < 0 || row >= int(FKeys.size())) Raise(QStringLiteral("Row %1 out of range").arg(row));
  if (row == FPosition && FState == TDataSetState::dsEdit) return FBuffer[index];
  return Row(row)[index];
}

int TTableCursor::PositionOfKey(qlonglong key) const {
  const auto found = std::find(FKeys.begin(), FKeys.end(), key);
  return found == FKeys.end() ? -1 : int(found - FKeys.begin());
}

void TTableCursor::ReadColumns(
    const std::vector<int>& indexes,
    const std::function<bool(const std::vector<QVariant>& values)>& visit) {
  CheckActive();
  for (int index : indexes) Column(index);
  CheckBrowseMode();
  EnsureKeys();
  if (FKeys.empty()) return;

  QString select = QStringLiteral("SELECT ") + FQuotedKey;
  for (int index : indexes) select += QStringLiteral(", ") + QuoteIdentifier(FColumns[index].Name);
  QSqlQuery query(Database());
  query.setForwardOnly(true);
  // The key list's own order: the rows arrive as the cursor visits them.
  if (!query.exec(select + QStringLiteral(" FROM ") + FQuotedTable + FOrder))
    RaiseSql("Cannot read table '" + FTableName + "'", query.lastError());
  const int count = int(indexes.size());
  std::vector<QVariant> values(count);
  std::size_t next = 0;
  // Once another connection's change makes the rows differ from the key list, the rest is
  // kept by key and handed out in the key list's order.
  bool diverged = false;
  QHash<qlonglong, std::vector<QVariant>> later;
  while (query.next()) {
    const qlonglong key = query.value(0).toLongLong();
    for (int i = 0; i < count; ++i)
      values[i] = NormalizeValue(query.value(i + 1), FColumns[indexes[i]].Kind);
    if (!diverged && next < FKeys.size() && FKeys[next] == key) {
      ++next;
      if (!visit(values)) return;
    } else {
      diverged = true;
      later.insert(key, values);
    }
  }
  if (query.lastError().isValid())
    RaiseSql("Cannot read table '" + FTableName + "'", query.lastError());
  // An unfinished statement would keep SQLite's read lock while the rest is handed out.
  query.finish();
  const std::vector<QVariant> deleted(count);
  for (; next < FKeys.size(); ++next) {
    const auto found = later.constFind(FKeys[next]);
    if (!visit(found == later.constEnd() ? deleted : *found)) return;
  }
}

bool TTableCursor::Locate(const QString& fieldName, const QString& text) {
  CheckActive();
  EnsureKeys();
  const int index = RequireField(fieldName);
  CheckBrowseMode();
  if (FKeys.empty()) return false;

  QSqlQuery query(Database());
  query.setForwardOnly(true);
  if (!query.exec(QStringLiteral("SELECT ") + FQuotedKey + QStringLiteral(", ") +
                  QuoteIdentifier(FColumns[index].Name) + QStringLiteral(" FROM ") + FQuotedTable))
    RaiseSql("Cannot search table '" + FTableName + "'", query.lastError());
  // Compared here rather than in SQL: engines fold case differently (SQLite only A to Z).
  const TFieldKind kind = FColumns[index].Kind;
  std::vector<qlonglong> matches;
  while (query.next()) {
    const QVariant value = NormalizeValue(query.value(1), kind);
    if (value.isNull()) continue;
    QString valueText;
    try {
      valueText = FieldAsString(value);
    } catch (const EVariantError&) {
      continue;
    }
    if (valueText.compare(text, Qt::CaseInsensitive) == 0)
      matches.push_back(query.value(0).toLongLong());
  }
  if (query.lastError().isValid())
    RaiseSql("Cannot search table '" + FTableName + "'", query.lastError());
  query.finish();
  if (matches.empty()) return false;

  // The first match in the current order, which need not be the database's order.
  int position = -1;
  if (matches.size() == 1) {
    position = PositionOfKey(matches.front());
  } else {
    const std::unordered_set<qlonglong> wanted(matches.begin(), matches.end());
    for (int i = 0; i < int(FKeys.size()); ++i)
      if (wanted.count(FKeys[i])) {
        position = i;
        break;
      }
  }
  if (position < 0) return false;
  MoveTo(position);
  return true;
}

void TTableCursor::Insert() {
  CheckActive();
  EnsureKeys();
  CheckBrowseMode();
  FInsertPosition = std::max(FPosition, 0);
  FBuffer.assign(FColumns.size(), QVariant());
  FChanged.assign(FColumns.size(), false);
  FModified = false;
  SetState(TDataSetState::dsInsert);
}

void TTableCursor::Append() {
  Insert();
  FInsertPosition = int(FKeys.size());
}

void TTableCursor::Edit() {
  CheckActive();
  EnsureKeys();
  if (Editing()) return;
  if (FKeys.empty()) {
    // Nothing to edit: the edit becomes a new row.
    Insert();
    return;
  }
  FBuffer = Row(FPosition);
  FChanged.assign(FColumns.size(), false);
  FModified = false;
  SetState(TDataSetState::dsEdit);
}

void TTableCursor::SetField(const QString& name, const QVariant& value) {
  CheckActive();
  if (!Editing()) Raise(QStringLiteral("Dataset not in edit or insert mode"));
  const int index = RequireField(name);
  if (index == FKeyIndex) Raise("Field '" + FColumns[index].Name + "' cannot be modified");
  const TColumnInfo& column = FColumns[index];
  // Converted now, so a value the column cannot hold fails here and not at Post.
  FBuffer[index] =
      value.isNull()
          ? QVariant()
          : NormalizeValue(BindableValue(Database(), value, column.Kind, column.Name), column.Kind);
  FChanged[index] = true;
  FModified = true;
  Notify(TDataEvent::RecordChange, 0, column.Name);
}

void TTableCursor::Post() {
  CheckActive();
  if (FState == TDataSetState::dsInsert)
    PostInsert();
  else if (FState == TDataSetState::dsEdit)
    PostEdit();
  else
    Raise(QStringLiteral("Dataset not in edit or insert mode"));
}

QVariant TTableCursor::StoredValue(const QSqlDatabase& db, int index) const {
  const TColumnInfo& column = FColumns[index];
  // Unset yes/no means false.
  const bool unsetFlag = column.Kind == TFieldKind::Boolean && FBuffer[index].isNull();
  return BindableValue(db, unsetFlag ? QVariant(false) : FBuffer[index], column.Kind, column.Name);
}

void TTableCursor::PostInsert() {
  const QSqlDatabase db = Database();
  QStringList names;
  QVariantList values;
  for (int i = 0; i < int(FColumns.size()); ++i) {
    // Yes/no columns are never null, so they are written even when left unset.
    if (i == FKeyIndex || (!FChanged[i] && FColumns[i].Kind != TFieldKind::Boolean)) continue;
    names << QuoteIdentifier(FColumns[i].Name);
    values << StoredValue(db, i);
  }
  QString sql = QStringLiteral("INSERT INTO ") + FQuotedTable;
  if (names.isEmpty()) {
    sql += QStringLiteral(" DEFAULT VALUES");
  } else {
    QStringList marks;
    for (int i = 0; i < names.size(); ++i) marks << QStringLiteral("?");
    sql += QStringLiteral(" (") + names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
           marks.join(QStringLiteral(", ")) + ')';
  }
  const bool sqlite = IsSQLite(db);
  if (!sqlite) sql += QStringLiteral(" RETURNING ") + FQuotedKey;
  QSqlQuery query(db);
  if (!query.prepare(sql))
    RaiseSql("Cannot insert into table '" + FTableName + "'", query.lastError());
  for (int i = 0; i < values.size(); ++i) query.bindValue(i, values[i]);
  if (!query.exec()) RaiseSql("Cannot insert into table '" + FTableName + "'", query.lastError());
  QVariant newKey = sqlite ? query.lastInsertId() : (query.next() ? query.value(0) : QVariant());
  query.finish();
  bool ok = false;
  const qlonglong id = newKey.toLongLong(&ok);
  if (!ok) {
    // Stored, but not addressable: read the table again so the row is not lost from view.
    LoadKeys();
    FPosition = FKeys.empty() ? -1 : int(FKeys.size()) - 1;
  } else {
    const int at = std::min<int>(FInsertPosition, int(FKeys.size()));
    FKeys.insert(FKeys.begin() + at, id);
    FPosition = at;
    ClearCache();
  }
  FBof = FEof = FKeys.empty();
  EndEditing();
}

void TTableCursor::PostEdit() {
  const QSqlDatabase db = Database();
  QStringList assignments;
  QVariantList values;
  for (int i = 0; i < int(FColumns.size()); ++i) {
    if (!FChanged[i]) continue;
    assignments << QuoteIdentifier(FColumns[i].Name) + QStringLiteral(" = ?");
    values << StoredValue(db, i);
  }
  if (!assignments.isEmpty()) {
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("UPDATE ") + FQuotedTable + QStringLiteral(" SET ") +
                       assignments.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") +
                       FQuotedKey + QStringLiteral(" = ?")))
      RaiseSql("Cannot update table '" + FTableName + "'", query.lastError());
    for (int i = 0; i < values.size(); ++i) query.bindValue(i, values[i]);
    query.bindValue(values.size(), FKeys[FPosition]);
    if (!query.exec()) RaiseSql("Cannot update table '" + FTableName + "'", query.lastError());
    if (query.numRowsAffected() == 0)
      Raise(QStringLiteral("Row cannot be located for updating. Some values may have been "
                           "changed since it was last read."));
    ClearCache();
  }
  EndEditing();
}

void TTableCursor::Cancel() {
  if (Editing()) EndEditing();
}

void TTableCursor::EndEditing() {
  FBuffer.clear();
  FChanged.clear();
  FModified = false;
  SetState(TDataSetState::dsBrowse);
  Notify(TDataEvent::DataSetChange);
}

void TTableCursor::Delete() {
  CheckActive();
  EnsureKeys();
  if (FState == TDataSetState::dsInsert) {
    Cancel();
    return;
  }
  Cancel();
  if (FKeys.empty()) Raise(QStringLiteral("Cannot perform this operation on an empty dataset"));
  QSqlQuery query(Database());
  if (!query.prepare(QStringLiteral("DELETE FROM ") + FQuotedTable + QStringLiteral(" WHERE ") +
                     FQuotedKey + QStringLiteral(" = ?")))
    RaiseSql("Cannot delete from table '" + FTableName + "'", query.lastError());
  query.bindValue(0, FKeys[FPosition]);
  if (!query.exec()) RaiseSql("Cannot delete from table '" + FTableName + "'", query.lastError());
  if (query.numRowsAffected() == 0)
    Raise(QStringLiteral("Row cannot be located for deleting. It may have been deleted by "
                         "another user."));
  FKeys.erase(FKeys.begin() + FPosition);
  ClearCache();
  if (FKeys.empty()) {
    FPosition = -1;
    FBof = FEof = true;
  } else {
    FPosition = std::min(FPosition, int(FKeys.size()) - 1);
    FBof = FEof = false;
  }
  Notify(TDataEvent::DataSetChange);
}

void TTableCursor::Refresh() {
  CheckActive();
  EnsureKeys();
  CheckBrowseMode();
  const QVariant current = Bookmark();
  const int old = FPosition;
  LoadKeys();
  int position = current.isValid() ? PositionOfKey(current.toLongLong()) : -1;
  if (position < 0) position = std::min(std::max(old, 0), int(FKeys.size()) - 1);
  FPosition = FKeys.empty() ? -1 : position;
  FBof = FEof = FKeys.empty();
  Notify(TDataEvent::DataSetChange);
}

void TTableCursor::SetSort(const QString& order) {
  CheckActive();
  EnsureKeys();
  CheckBrowseMode();
  const QString text = order.simplified();
  QString field;
  bool descending = false;
  if (!text.isEmpty()) {
    field = text;
    const int blank = text.lastIndexOf(' ');
    // A field whose name holds a blank sorts ascending when named alone.
    if (blank > 0 && FieldIndex(text) < 0) {
      const QString direction = text.mid(blank + 1);
      if (direction.compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0)
        descending = true;
      else if (direction.compare(QLatin1String("ASC"), Qt::CaseInsensitive) != 0)
        Raise("Cannot sort table '" + FTableName + "' by '" + order +
              "': the direction must be ASC or DESC");
      field = text.left(blank);
    }
    if (field.size() > 2 && field.startsWith('[') && field.endsWith(']'))
      field = field.mid(1, field.size() - 2);
    if (FieldIndex(field) < 0)
      Raise("Cannot sort table '" + FTableName + "': field '" + field + "' not found");
  }
  const QString previousOrder = FOrder;
  const QVariant current = Bookmark();
  FOrder = OrderClause(field, descending);
  try {
    LoadKeys();
  } catch (...) {
    FOrder = previousOrder;
    throw;
  }
  FSort = order;
  const int position = current.isValid() ? PositionOfKey(current.toLongLong()) : -1;
  FPosition = FKeys.empty() ? -1 : std::max(position, 0);
  FBof = FEof = FKeys.empty();
  Notify(TDataEvent::DataSetChange);
}

QVariant TTableCursor::Bookmark() const {
  CheckActive();
  EnsureKeys();
  if (FPosition < 0) return {};
  return QVariant(FKeys[FPosition]);
}

bool TTableCursor::GotoBookmark(const QVariant& bookmark) {
  CheckActive();
  EnsureKeys();
  CheckBrowseMode();
  bool ok = false;
  const qlonglong key = bookmark.toLongLong(&ok);
  if (!ok) return false;
  const int position = PositionOfKey(key);
  if (position < 0) return false;
  MoveTo(position);
  return true;
}

void TTableCursor::DisableControls() {
  ++FDisableCount;
}

void TTableCursor::EnableControls() {
  if (FDisableCount == 0) return;
  if (--FDisableCount > 0 || !FEventsMissed) return;
  FEventsMissed = false;
  Notify(TDataEvent::ActiveChange);
  if (Active()) Notify(TDataEvent::DataSetChange);
}

void TTableCursor::SetState(TDataSetState state) {
  if (state == FState) return;
  FState = state;
  Notify(TDataEvent::StateChange);
}

void TTableCursor::Notify(TDataEvent event, int info, const QString& field) {
  if (FDisableCount > 0) {
    FEventsMissed = true;
    return;
  }
  const std::vector<TDataSource*> sources = FDataSources;
  for (TDataSource* source : sources)
    if (std::find(FDataSources.begin(), FDataSources.end(), source) != FDataSources.end())
      source->DataEvent(event, info, field);
}

void TTableCursor::AttachDataSource(TDataSource* source) {
  FDataSources.push_back(source);
}

void TTableCursor::DetachDataSource(TDataSource* source) {
  FDataSources.erase(std::remove(FDataSources.begin(), FDataSources.end(), source),
                     FDataSources.end());
}
