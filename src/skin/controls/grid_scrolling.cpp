// What moves the data grid's view or answers input: the attached bars kept in step with the
// data set, the scroll commands, scrolling by records, the keyboard, the mouse and the delete
// confirmation.
#include "skin/controls/db_grid.h"
#include "skin/controls/focus_on_press.h"

#include "skin/controls/inplace_edit.h"
#include "skin/controls/scroll_bar.h"
#include "skin/data/skin_data.h"
#include "store/table_cursor.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>

// --- Bars -----------------------------------------------------------------------------------

void TspSkinCustomDBGrid::SetVScrollBar(TspSkinScrollBar* value) {
  TspSkinCustomGrid::SetVScrollBar(value);
  SyncVerticalBar();
}

void TspSkinCustomDBGrid::SetHScrollBar(TspSkinScrollBar* value) {
  if (value) value->SetPageSize(0);
  TspSkinCustomGrid::SetHScrollBar(value);
  SyncVerticalBar();
}

void TspSkinCustomDBGrid::SyncScrollRanges() {
  // Only the horizontal bar follows the cells; the vertical one follows the data set.
  TspSkinCustomGrid::SyncScrollRanges();
}

void TspSkinCustomDBGrid::SyncVerticalBar() {
  if (FDestroying) return;
  TspSkinScrollBar* bar = VScrollBar();
  bool wanted = false;
  if (bar && FDataLink.Active()) {
    const TTableCursor* cursor = FDataLink.DataSet();
    const int visible = VisibleRowCount();
    const int count = cursor->RecordCount();
    const int recNo = cursor->RecNo();
    wanted = RowCount() >= visible;
    if (!FDataLink.Sequenced()) {
      const int position = recNo <= 1 ? 0 : recNo >= count ? 4 : 2;
      bar->SetScrollParams(0, 4, 0, position);
    } else if (recNo != -1) {
      bar->SetScrollParams(1, count + visible - 1, visible, recNo);
    }
  }
  FVBarWanted = wanted;
  ApplyBarVisibility(bar, wanted);
  if (bar && HScrollBar()) HScrollBar()->SetBoth(wanted && !isHidden());
}

void TspSkinCustomDBGrid::VScroll(int code, int position) {
  if (!isEnabled() || focusPolicy() == Qt::NoFocus || !FDataLink.Active()) return;
  if (isVisible()) setFocus();
  UpdateData();
  TTableCursor* cursor = FDataLink.DataSet();
  const int visible = VisibleRowCount();
  switch (code) {
  case SB_LINEUP:
    MoveBy(-(FDataLink.ActiveRecord() + 1));
    break;
  case SB_LINEDOWN:
    MoveBy(FDataLink.RecordCount() - FDataLink.ActiveRecord());
    break;
  case SB_PAGEUP:
    MoveBy(-visible);
    break;
  case SB_PAGEDOWN:
    MoveBy(visible);
    break;
  case SB_THUMBPOSITION:
    if (FDataLink.Sequenced()) {
      if (position <= 1)
        cursor->First();
      else if (position < cursor->RecordCount())
        cursor->SetRecNo(position);
      else
        cursor->Last();
    } else {
      switch (position) {
      case 0:
        cursor->First();
        break;
      case 1:
        MoveBy(-visible);
        break;
      case 3:
        MoveBy(visible);
        break;
      case 4:
        cursor->Last();
        break;
      default:
        break;
      }
    }
    break;
  case SB_TOP:
    cursor->First();
    break;
  case SB_BOTTOM:
    cursor->Last();
    break;
  default:
    break;
  }
  // A command that moved nothing still puts the thumb back where the data set is.
  SyncVerticalBar();
}

// --- Scrolling by records -------------------------------------------------------------------

void TspSkinCustomDBGrid::Scroll(int distance) {
  if (FDestroying) return;
  const int oldRow = Row(), oldRowCount = RowCount();
  if (FDataLink.ActiveRecord() + FTitleOffset >= RowCount()) SyncRowCount();
  SyncVerticalBar();
  SyncCurrentRow();
  if (distance != 0) {
    HideEditor();
    if (FOptions & dgAlwaysShowEditor) ShowEditor();
  }
  if (distance == 0 || std::abs(distance) > VisibleRowCount() || RowCount() != oldRowCount) {
    update();
    return;
  }
  // The records on screen moved by `distance` rows: move their pixels and repaint only the
  // rows whose look changed with the current record, and the indicator.
  const int rowHeight = DefaultRowHeight() + ((FOptions & dgRowLines) ? GridLineWidth() : 0);
  const int top = RowTop(FTitleOffset);
  MoveArea(QRect(0, top, width(), height() - top), 0, -distance * rowHeight);
  for (const int row : {oldRow - distance, Row()})
    if (row >= FTitleOffset && RowTop(row) >= 0) update(QRect(0, RowTop(row), width(), rowHeight));
  if (FIndicatorOffset > 0) update(QRect(0, top, ColWidths(0) + ColLineWidth(), height() - top));
}

void TspSkinCustomDBGrid::MoveBy(int distance) {
  TTableCursor* cursor = DataSet();
  if (!cursor || distance == 0) return;
  UpdateData();
  cursor->MoveBy(distance);
}

void TspSkinCustomDBGrid::MoveColumn(int col) {
  col = std::clamp(col, FIndicatorOffset, std::max(ColCount() - 1, FIndicatorOffset));
  if (col == Col()) return;
  UpdateData();
  if (OnColExit) OnColExit(this);
  HideEditor();
  MoveCurrent(col, Row(), true);
  if (OnColEnter) OnColEnter(this);
}

void TspSkinCustomDBGrid::ClearSelection() {
  if (!(FOptions & dgMultiSelect) || FSelectedRows.Count() == 0) return;
  FSelectedRows.Clear();
  update();
}

// --- Keyboard -------------------------------------------------------------------------------

bool TspSkinCustomDBGrid::event(QEvent* e) {
  // Tab moves between columns instead of leaving the grid.
  if (e->type() == QEvent::KeyPress && (FOptions & dgTabs) && FDataLink.Active()) {
    auto* key = static_cast<QKeyEvent*>(e);
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
        !(key->modifiers() & Qt::AltModifier)) {
      keyPressEvent(key);
      return true;
    }
  }
  return TspSkinCustomGrid::event(e);
}

void TspSkinCustomDBGrid::keyReleaseEvent(QKeyEvent* e) {
  int key = e->key();
  if (OnKeyUp) OnKeyUp(this, key, e->modifiers());
  if (key != 0) TspSkinCustomGrid::keyReleaseEvent(e);
}

void TspSkinCustomDBGrid::keyPressEvent(QKeyEvent* e) {
  int key = e->key();
  if (OnKeyDown) OnKeyDown(this, key, e->modifiers());
  if (key == 0) return;
  TTableCursor* cursor = DataSet();
  if (!cursor) {
    TspSkinCustomGrid::keyPressEvent(e);
    return;
  }
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  const bool shift = e->modifiers() & Qt::ShiftModifier;
  // What was typed goes into the field before any key moves away from it.
  if (key != Qt::Key_Escape && key != Qt::Key_F2) UpdateData();
  if (layoutDirection() == Qt::RightToLeft) {
    if (key == Qt::Key_Left)
      key = Qt::Key_Right;
    else if (key == Qt::Key_Right)
      key = Qt::Key_Left;
  }
  const bool multi = FOptions & dgMultiSelect;
  const bool rowSelect = FOptions & dgRowSelect;
  const bool insertedUnchanged = cursor->State() == TDataSetState::dsInsert && !cursor->Modified();
  const bool atEnd = cursor->RecNo() >= cursor->RecordCount();
  // Shift with a multi-selection marks the rows passed over.
  const auto markCurrent = [&] {
    if (!multi || !shift) return;
    const QVariant mark = cursor->Bookmark();
    if (mark.isValid() && !FSelectedRows.Contains(mark)) FSelectedRows.Toggle(mark);
  };
  const auto step = [&](int by) {
    if (!shift) ClearSelection();
    markCurrent();
    MoveBy(by);
    markCurrent();
  };
  const auto firstDataCol = [&] { return FIndicatorOffset; };
  const auto lastDataCol = [&] { return ColCount() - 1; };
  const auto nextCol = [&](int from, int by) {
    int c = from + by;
    while (c >= FIndicatorOffset && c < ColCount() && ColWidths(c) == 0) c += by;
    return c;
  };

  switch (key) {
  case Qt::Key_Up:
    if (ctrl) {
      ClearSelection();
      MoveBy(-FDataLink.ActiveRecord());
    } else if (insertedUnchanged && atEnd) {
      cursor->Cancel();
    } else {
      step(-1);
    }
    break;
  case Qt::Key_Down:
    if (ctrl) {
      ClearSelection();
      MoveBy(FDataLink.RecordCount() - 1 - FDataLink.ActiveRecord());
    } else if (insertedUnchanged) {
      if (!atEnd) cursor->Cancel();
    } else {
      step(1);
      if (cursor->Eof() && CanEdit()) cursor->Append();
    }
    break;
  case Qt::Key_PageUp:
    ClearSelection();
    if (ctrl)
      MoveBy(-FDataLink.ActiveRecord());
    else
      MoveBy(-VisibleRowCount());
    break;
  case Qt::Key_PageDown:
    ClearSelection();
    if (ctrl)
      MoveBy(FDataLink.RecordCount() - 1 - FDataLink.ActiveRecord());
    else
      MoveBy(VisibleRowCount());
    break;
  case Qt::Key_Home:
  case Qt::Key_End: {
    const bool home = key == Qt::Key_Home;
    if (ctrl || FColumns.Count() == 1 || rowSelect) {
      ClearSelection();
      home ? cursor->First() : cursor->Last();
    } else {
      MoveColumn(home ? firstDataCol() : lastDataCol());
    }
    break;
  }
  case Qt::Key_Left:
  case Qt::Key_Right: {
    const bool left = key == Qt::Key_Left;
    if (ctrl)
      MoveColumn(left ? firstDataCol() : lastDataCol());
    else if (rowSelect)
      step(left ? -1 : 1);
    else {
      const int c = nextCol(Col(), left ? -1 : 1);
      if (c >= FIndicatorOffset && c < ColCount()) MoveColumn(c);
    }
    break;
  }
  case Qt::Key_Delete:
    if (ctrl && !FReadOnly && !cursor->IsEmpty()) {
      const int selected = FSelectedRows.Count();
      if (!(FOptions & dgConfirmDelete)) {
        DeleteRecords();
        break;
      }
      const char* name = selected < 2 ? "DB_DELETE_QUESTION" : "DB_MULTIPLEDELETE_QUESTION";
      QString question;
      if (SkinData() && SkinData()->ResourceStrData())
        question = SkinData()->ResourceStrData()->GetResString(QLatin1String(name));
      if (question.isEmpty())
        question = selected < 2 ? QStringLiteral("Delete record?")
                                : QStringLiteral("Delete all selected records?");
      if (ConfirmDelete(question)) DeleteRecords();
    }
    break;
  case Qt::Key_Tab:
  case Qt::Key_Backtab: {
    if (e->modifiers() & Qt::AltModifier) break;
    const bool back = key == Qt::Key_Backtab || shift;
    int c = Col();
    // The next tab stop, wrapping onto the next or previous record.
    for (int guard = 0; guard < ColCount(); ++guard) {
      c += back ? -1 : 1;
      if (c >= ColCount()) {
        if (cursor->RecNo() >= cursor->RecordCount()) return;
        MoveBy(1);
        c = FIndicatorOffset;
      } else if (c < FIndicatorOffset) {
        if (cursor->RecNo() <= 1) return;
        MoveBy(-1);
        c = ColCount() - 1;
      }
      if (TabStops(c) && ColWidths(c) > 0) break;
    }
    MoveColumn(c);
    break;
  }
  case Qt::Key_Escape:
    if (FEditor->isVisible() && FEditor->Changed())
      FEditor->Revert();
    else
      cursor->Cancel();
    ClearSelection();
    if (!(FOptions & dgAlwaysShowEditor)) HideEditor();
    break;
  case Qt::Key_Insert:
    if (CanEdit()) {
      ClearSelection();
      cursor->Insert();
    }
    break;
  case Qt::Key_F2:
    ShowEditor();
    break;
  default:
    TspSkinCustomGrid::keyPressEvent(e);
    return;
  }
  e->accept();
}

bool TspSkinCustomDBGrid::ConfirmDelete(const QString& question) {
  return QMessageBox::question(this, QString(), question, QMessageBox::Ok | QMessageBox::Cancel) ==
         QMessageBox::Ok;
}

void TspSkinCustomDBGrid::DeleteRecords() {
  TTableCursor* cursor = DataSet();
  if (!cursor) return;
  if (FSelectedRows.Count() > 0) {
    const std::vector<QVariant> marks = FSelectedRows.Items();
    FSelectedRows.Clear();
    for (const QVariant& mark : marks)
      if (cursor->GotoBookmark(mark)) cursor->Delete();
  } else {
    cursor->Delete();
  }
}

// --- Mouse ----------------------------------------------------------------------------------

void TspSkinCustomDBGrid::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    if (OnDblClick) OnDblClick(this);
    return;
  }
  mousePressEvent(e);
}

void TspSkinCustomDBGrid::mousePressEvent(QMouseEvent* e) {
  FTitlePress = false;
  FPressInEditor = false;
  if (e->button() == Qt::RightButton && FSaveMultiSelection && (FOptions & dgMultiSelect) &&
      contextMenuPolicy() != Qt::DefaultContextMenu && FSelectedRows.Count() > 1)
    return;
  if (!isEnabled() || focusPolicy() == Qt::NoFocus || !TakeFocusOnPress(this)) return;
  const QPoint p = e->position().toPoint();
  if (InSizingZone(p.x(), p.y(), nullptr)) {
    TspSkinCustomGrid::mousePressEvent(e);
    return;
  }
  const TGridCoord cell = MouseCoord(p.x(), p.y());
  if (cell.X < 0 || cell.Y < 0) {
    TspSkinCustomGrid::mousePressEvent(e);
    return;
  }
  if (cell.Y < FTitleOffset) {
    FTitlePress = true;
    TspSkinCustomGrid::mousePressEvent(e);
    return;
  }
  TTableCursor* cursor = DataSet();
  if (!cursor) return;
  const bool wasCurrent = cell.X == Col() && cell.Y == Row();
  UpdateData();
  HideEditor();
  if (cell.Y >= FTitleOffset) MoveBy(cell.Y - Row());
  if (cell.X >= FIndicatorOffset) MoveColumn(cell.X);
  if (FOptions & dgMultiSelect) {
    const QVariant mark = cursor->Bookmark();
    if (e->modifiers() & Qt::ControlModifier) {
      if (mark.isValid()) FSelectedRows.Toggle(mark);
    } else {
      FSelectedRows.Clear();
      if (mark.isValid()) FSelectedRows.Toggle(mark);
    }
    update();
  }
  const TspColumn* column = SelectedColumn();
  if (cell.X < FIndicatorOffset || !column) return;
  const int field = column->FieldIndex();
  if (field >= 0 && cursor->FieldKind(field) == TFieldKind::Boolean) {
    if (wasCurrent && !FReadOnly && !column->ReadOnly() && e->button() == Qt::LeftButton &&
        !cursor->IsEmpty()) {
      const QVariant value = cursor->Field(field);
      cursor->Edit();
      cursor->SetField(column->FieldName(), !(value.isValid() && value.toBool()));
    }
    return;
  }
  if (e->button() == Qt::LeftButton && (wasCurrent || (FOptions & dgAlwaysShowEditor)))
    ShowEditor();
}

void TspSkinCustomDBGrid::mouseReleaseEvent(QMouseEvent* e) {
  TspSkinCustomGrid::mouseReleaseEvent(e);
  const bool sized = FSizingJustEnded;
  FSizingJustEnded = false;
  const bool titlePress = FTitlePress;
  FTitlePress = false;
  if (sized || e->button() != Qt::LeftButton) return;
  const QPoint p = e->position().toPoint();
  if (EditorShowing() && FEditor->geometry().contains(p)) return;
  const TGridCoord cell = MouseCoord(p.x(), p.y());
  if (cell.X < FIndicatorOffset || cell.Y < 0) return;
  const int k = cell.X - FIndicatorOffset;
  if (k >= FColumns.Count()) return;
  if (cell.Y < FTitleOffset) {
    if (titlePress && OnTitleClick) OnTitleClick(FColumns[k]);
  } else if (OnCellClick) {
    OnCellClick(SelectedColumn());
  }
}

void TspSkinCustomDBGrid::wheelEvent(QWheelEvent* e) {
  TTableCursor* cursor = DataSet();
  if (FMouseWheelSupport && cursor) {
    const int delta = e->angleDelta().y();
    if (delta > 0)
      cursor->Prior();
    else if (delta < 0)
      cursor->Next();
    e->accept();
    return;
  }
  TspSkinCustomGrid::wheelEvent(e);
}

void TspSkinCustomDBGrid::focusInEvent(QFocusEvent* e) {
  TspSkinCustomGrid::focusInEvent(e);
  update();
}

void TspSkinCustomDBGrid::focusOutEvent(QFocusEvent* e) {
  TspSkinCustomGrid::focusOutEvent(e);
  // Leaving for the editor is not leaving the grid.
  if (!GridFocused()) UpdateData();
  if (!GridFocused() && (FOptions & dgCancelOnExit)) {
    TTableCursor* cursor = DataSet();
    if (cursor && cursor->State() == TDataSetState::dsInsert && !cursor->Modified())
      cursor->Cancel();
  }
  update();
}
