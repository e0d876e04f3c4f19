#pragma once
// The data source between the table cursor and what shows it (the administration grid):
// it passes the cursor's changes on to its data links and to its own two events.

#include "store/table_cursor.h"

#include <QString>
#include <functional>
#include <vector>

enum class TDataEvent {
  ActiveChange,  // the cursor opened or closed (also a new table)
  DataSetChange, // rows came, went or were re-read or re-ordered
  DataSetScroll, // the current row moved; info is the distance
  RecordChange,  // a field of the row being edited changed; field names it
  StateChange,   // browse, edit or insert began
};

class TDataSource;

// An observer of a data source; the grid's data link derives from it. A link and its data
// source clear their references to each other when either is destroyed.
class TDataLink {
public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* source);
  // The cursor behind the data source, or null.
  TTableCursor* DataSet() const;
  // True when there is a cursor, it is open and the data source is enabled.
  bool Active() const;

protected:
  virtual void ActiveChanged() {}
  virtual void DataSetChanged() {}
  virtual void DataSetScrolled(int /*distance*/) {}
  virtual void RecordChanged(const QString& /*fieldName*/) {}
  virtual void EditingChanged() {}

private:
  friend class TDataSource;
  TDataSource* FDataSource = nullptr;
};

class TDataSource {
public:
  TDataSource() = default;
  ~TDataSource();
  TDataSource(const TDataSource&) = delete;
  TDataSource& operator=(const TDataSource&) = delete;

  TTableCursor* DataSet() const { return FDataSet; }
  void SetDataSet(TTableCursor* cursor);
  // A disabled data source tells its links that the data went inactive.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  TDataSetState State() const;

  // Called with the sender; OnDataChange for moves and changed data (field names the
  // changed field, empty for whole rows), OnStateChange for opening, closing and edits.
  std::function<void(TDataSource*, const QString& field)> OnDataChange;
  std::function<void(TDataSource*)> OnStateChange;

  const std::vector<TDataLink*>& DataLinks() const { return FLinks; }

private:
  friend class TTableCursor;
  friend class TDataLink;
  void DataEvent(TDataEvent event, int info, const QString& field);
  void AddLink(TDataLink* link);
  void RemoveLink(TDataLink* link);

  TTableCursor* FDataSet = nullptr;
  bool FEnabled = true;
  std::vector<TDataLink*> FLinks;
};
