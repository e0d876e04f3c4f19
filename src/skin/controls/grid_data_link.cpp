#include "skin/controls/grid_data_link.h"

#include "store/table_cursor.h"

#include <algorithm>

int TspGridDataLink::TotalRows() const {
  return Active() ? DataSet()->RecordCount() : 0;
}

int TspGridDataLink::CurrentRow() const {
  return Active() ? std::max(DataSet()->RecNo() - 1, 0) : 0;
}

void TspGridDataLink::SetBufferCount(int value) {
  FBufferCount = std::max(value, 1);
  Reposition();
}

int TspGridDataLink::RecordCount() const {
  const TTableCursor* cursor = DataSet();
  if (!Active()) return 0;
  const int total = TotalRows();
  // A row being inserted into an empty table is shown on its own.
  if (total == 0) return cursor->State() == TDataSetState::dsInsert ? 1 : 0;
  return std::clamp(total - FFirst, 0, FBufferCount);
}

int TspGridDataLink::ActiveRecord() const {
  if (!Active()) return 0;
  return std::max(CurrentRow() - FFirst, 0);
}

QVariant TspGridDataLink::Value(int record, int index) const {
  const TTableCursor* cursor = DataSet();
  if (!Active() || index < 0 || index >= cursor->FieldCount()) return {};
  const int row = FFirst + record;
  if (cursor->State() == TDataSetState::dsInsert && record == ActiveRecord())
    return cursor->Field(index);
  if (row < 0 || row >= cursor->RecordCount()) return {};
  return cursor->FieldAtRow(row, index);
}

int TspGridDataLink::Reposition() {
  const int old = FFirst;
  if (!Active()) {
    FFirst = 0;
    return -old;
  }
  const int total = TotalRows();
  const int current = CurrentRow();
  int first = FFirst;
  if (current < first) first = current;
  if (current >= first + FBufferCount) first = current - FBufferCount + 1;
  // A window past the end is pulled back so that it stays full.
  first = std::clamp(first, 0, std::max(total - FBufferCount, 0));
  FFirst = first;
  return first - old;
}

void TspGridDataLink::ActiveChanged() {
  FFirst = 0;
  Reposition();
  FGrid->LinkActive(Active());
}

void TspGridDataLink::DataSetChanged() {
  Reposition();
  FGrid->DataChanged();
}

void TspGridDataLink::DataSetScrolled(int) {
  FGrid->Scroll(Reposition());
}

void TspGridDataLink::RecordChanged(const QString& fieldName) {
  FGrid->RecordChanged(fieldName);
}

void TspGridDataLink::EditingChanged() {
  FGrid->EditingChanged();
}
