#pragma once
// The data grid's link to a data source: it keeps the window of records the grid's rows show
// (one screen of them, never the whole table) over the shared cursor, and passes the cursor's
// changes on to the grid with the window's own movement.

#include "store/data_source.h"

#include <QVariant>

// What the grid hears from its link.
class TspGridDataLinkOwner {
public:
  virtual ~TspGridDataLinkOwner() = default;
  virtual void LinkActive(bool active) = 0;
  virtual void DataChanged() = 0;
  // The window moved by `distance` records (negative: towards the start).
  virtual void Scroll(int distance) = 0;
  virtual void RecordChanged(const QString& fieldName) = 0;
  virtual void EditingChanged() = 0;
};

class TspGridDataLink : public TDataLink {
public:
  explicit TspGridDataLink(TspGridDataLinkOwner* grid) : FGrid(grid) {}

  // Records the window may hold; at least 1. The window is refilled around the current row.
  int BufferCount() const { return FBufferCount; }
  void SetBufferCount(int value);
  // Records held now: at most BufferCount, fewer near the end of a short table.
  int RecordCount() const;
  // The current row's place in the window (0 without records).
  int ActiveRecord() const;
  // Row number (from 0, in the cursor's order) of the window's first record.
  int FirstRow() const { return FFirst; }

  // The value of field `index` in window record `record`. The current row answers with what
  // is being edited or inserted.
  QVariant Value(int record, int index) const;

  // A store that cannot number its rows (a server cursor reading ahead) turns this off; the
  // shelter's cursor numbers every row.
  bool Sequenced() const { return FSequenced; }
  void SetSequenced(bool value) { FSequenced = value; }

  // Moves the window so that it holds the current row and is as full as the table allows;
  // returns how far it moved.
  int Reposition();

protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void DataSetScrolled(int distance) override;
  void RecordChanged(const QString& fieldName) override;
  void EditingChanged() override;

private:
  int TotalRows() const;
  int CurrentRow() const;

  TspGridDataLinkOwner* FGrid;
  int FBufferCount = 1;
  int FFirst = 0;
  bool FSequenced = true;
};
