#pragma once
// One cursor over one table of the shelter database: the component the screens share to
// read and write Users and Animals (one table at a time, one current row).
//
// The cursor holds only the keys of the rows, in the current order, read at their first
// use after opening; field values are fetched in blocks of rows by key and kept in a small
// cache, so a large table opens quickly and costs little memory. The key list is a
// snapshot: rows that other connections add show after Refresh. Every value the cursor sends to the
// database is bound; the only names put into SQL text are the table's and its columns' own names,
// read from the catalogue.

#include "store/store_sql.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class QSqlQuery;
class TDataSource;
enum class TDataEvent;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

class TTableCursor {
public:
  explicit TTableCursor(QString connectionName = {});
  ~TTableCursor();
  TTableCursor(const TTableCursor&) = delete;
  TTableCursor& operator=(const TTableCursor&) = delete;

  // The Qt SQL connection (TStoreConnection::Name) and the table; both only while closed.
  const QString& ConnectionName() const { return FConnectionName; }
  void SetConnectionName(const QString& name);
  const QString& TableName() const { return FTableName; }
  void SetTableName(const QString& name);

  // Opening makes the first row current; closing drops the sort order and any unposted
  // changes.
  void Open();
  void Close();
  bool Active() const { return FState != TDataSetState::dsInactive; }
  void SetActive(bool active) { active ? Open() : Close(); }
  TDataSetState State() const { return FState; }

  QStringList FieldNames() const;
  int FieldCount() const;
  // Index of a field, its name compared without regard to case; -1 when absent.
  int FieldIndex(const QString& name) const;
  TFieldKind FieldKind(int index) const;

  int RecordCount() const;
  bool IsEmpty() const { return RecordCount() == 0; }
  // Number of the current row from 1; 0 when the table is empty.
  int RecNo() const;
  void SetRecNo(int recNo);
  bool Bof() const;
  bool Eof() const;
  void First();
  void Last();
  // At the last row Next stays there and sets Eof; at the first Prior sets Bof.
  void Next();
  void Prior();
  // Moves by up to distance rows; returns how far it moved.
  int MoveBy(int distance);

  // The current row's value: null for an empty field and for every field while the table
  // has no rows; in edit and insert the values being edited.
  QVariant FieldByName(const QString& name) const;
  QVariant Field(int index) const;
  // Any row's value without moving, for grids; row counts from 0 in the current order.
  QVariant FieldAtRow(int row, int index) const;

  // Hands `visit` the values of the fields `indexes` of every row, in the current order from
  // the first, without moving: one query reading only those columns, for passes over a whole
  // table (moving row by row fetches every field). `visit` returns false to stop. A modified
  // row is posted first; a row another connection deleted since the keys were read gives
  // nulls.
  void ReadColumns(const std::vector<int>& indexes,
                   const std::function<bool(const std::vector<QVariant>& values)>& visit);

  // A test a pass may leave to the database: the text of field Index equals Text, letters
  // compared without regard to case. TestOnly says the visitor reads the field for this
  // test alone, never for its stored text.
  struct TTextMatch {
    int Index = -1;
    QString Text;
    bool TestOnly = false;
  };
  // The same pass over only the rows that can pass `visit`'s own test of the matches, taken
  // in turn: a row is left out only when, for some match, every earlier match's field
  // equals its text and this field holds a text that differs from its text by more than the
  // case of the letters A to Z. A null field keeps the row (the visitor decides what a
  // null means), as does a field that is not text. The database may fold more letters than
  // A to Z, so `visit` still makes the exact test: the pass hands out the rows the full one
  // would, less only the rows it would have rejected. Rows another connection deleted
  // since the keys were read are left out. Where the database makes the exact test itself
  // (a text field on PostgreSQL, in the natural order), a TestOnly match's field is not
  // read: in the rows equal to it, it holds the match's Text, which the stored text equals
  // but for the case of A to Z.
  void ReadColumns(const std::vector<int>& indexes, const std::vector<TTextMatch>& matches,
                   const std::function<bool(const std::vector<QVariant>& values)>& visit);

  // Makes current the first row, in the current order, whose field equals text without
  // regard to case on the whole value; false, with the current row unchanged, when none.
  bool Locate(const QString& fieldName, const QString& text);

  // Insert starts a new row before the current one, Append one after the last; Edit starts
  // an edit of the current row. SetField sets a value of the row being edited; Post stores
  // it (the key is assigned by the database; yes/no fields left unset or null store
  // false). Moving, locating, sorting or refreshing posts a modified row first.
  void Insert();
  void Append();
  void Edit();
  void SetField(const QString& name, const QVariant& value);
  void Post();
  void Cancel();
  bool Modified() const { return FModified; }

  // Deletes the current row; the next one (or the new last) becomes current. Raises on an
  // empty table.
  void Delete();
  // Re-reads the table in the same order, keeping the current row where it still exists.
  void Refresh();

  // The order: a field name of the table, a blank and "ASC" or "DESC" (ASC when left out);
  // empty for the table's natural order. Text sorts without regard to case, empty values
  // first. The current row stays current. Reopening drops the order.
  const QString& Sort() const { return FSort; }
  void SetSort(const QString& order);

  // The current row's key, and moving back to a row by its key.
  QVariant Bookmark() const;
  bool GotoBookmark(const QVariant& bookmark);

  // While disabled, data sources hear nothing; enabling again tells them that everything
  // changed. For passes over the whole table with a grid attached.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return FDisableCount > 0; }

private:
  friend class TDataSource;
  struct TBlock {
    int Index = -1;
    std::vector<std::vector<QVariant>> Rows;
  };

  QSqlDatabase Database() const;
  void CheckActive() const;
  bool Editing() const;
  void CheckBrowseMode();
  const TColumnInfo& Column(int index) const;
  int RequireField(const QString& name) const;
  QString OrderClause(const QString& field, bool descending) const;
  void LoadKeys();
  void EnsureKeys() const;
  void ClearCache();
  const std::vector<QVariant>& Row(int position) const;
  void FetchBlock(TBlock& block, int index) const;
  void MoveTo(int position);
  int PositionOfKey(qlonglong key) const;
  QVariant StoredValue(const QSqlDatabase& db, int index) const;
  void PostInsert();
  void PostEdit();
  void EndEditing();
  void SetState(TDataSetState state);
  void Notify(TDataEvent event, int info = 0, const QString& field = {});
  void AttachDataSource(TDataSource* source);
  void DetachDataSource(TDataSource* source);

  QString FConnectionName;
  QString FTableName;
  TDataSetState FState = TDataSetState::dsInactive;
  std::vector<TColumnInfo> FColumns;
  int FKeyIndex = -1;
  QString FQuotedTable;
  QString FQuotedKey;
  QString FSelectList;
  QString FSort;
  QString FOrder;
  std::vector<qlonglong> FKeys;
  // Opened, with the key list not read yet.
  bool FKeysPending = false;
  int FPosition = -1;
  bool FBof = true;
  bool FEof = true;

  // The row being edited or inserted, and where an inserted row goes.
  std::vector<QVariant> FBuffer;
  std::vector<bool> FChanged;
  bool FModified = false;
  int FInsertPosition = -1;

  mutable std::vector<TBlock> FBlocks;
  mutable std::unique_ptr<QSqlQuery> FBlockQuery;
  mutable std::unique_ptr<QSqlQuery> FRangeQuery;

  std::vector<TDataSource*> FDataSources;
  int FDisableCount = 0;
  bool FEventsMissed = false;
};
