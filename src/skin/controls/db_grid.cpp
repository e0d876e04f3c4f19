// The data grid's columns and layout, and what it does when its data link reports.
#include "skin/controls/db_grid.h"

#include "skin/controls/inplace_edit.h"
#include "skin/controls/scroll_bar.h"
#include "store/field_text.h"
#include "store/table_cursor.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QLocale>
#include <QStyle>
#include <algorithm>

namespace {

// Characters a field of each kind is shown with; the store keeps no text sizes, so text
// fields take a width that shows a name or a short phrase.
int DisplayWidth(TFieldKind kind) {
  switch (kind) {
  case TFieldKind::Integer:
  case TFieldKind::Float:
  case TFieldKind::Date:
    return 10;
  case TFieldKind::DateTime:
    return 18;
  case TFieldKind::Boolean:
    return 5;
  case TFieldKind::Text:
    return 15;
  case TFieldKind::Other:
    break;
  }
  return 10;
}

} // namespace

bool TspBookmarkList::Contains(const QVariant& bookmark) const {
  return std::find(FItems.begin(), FItems.end(), bookmark) != FItems.end();
}

void TspBookmarkList::Toggle(const QVariant& bookmark) {
  const auto at = std::find(FItems.begin(), FItems.end(), bookmark);
  if (at == FItems.end())
    FItems.push_back(bookmark);
  else
    FItems.erase(at);
}

TspSkinCustomDBGrid::TspSkinCustomDBGrid(QWidget* parent) : TspSkinCustomGrid(parent) {
  FTitleFont = font();
  FEditor = new TspSkinInplaceEdit(this);
  // Korean input edits in place at once.
  if (QLocale::system().language() == QLocale::Korean) FOptions |= dgAlwaysShowEditor;
  SetInternalOptions();
  LayoutColumns();
}

TspSkinCustomDBGrid::~TspSkinCustomDBGrid() {
  FDestroying = true;
  // The editor goes first: losing the focus as the grid's children are destroyed, it would
  // call back into a grid that is half gone.
  delete FEditor;
  FEditor = nullptr;
  FDataLink.SetDataSource(nullptr);
}

// --- Properties -----------------------------------------------------------------------------

void TspSkinCustomDBGrid::SetDataSource(TDataSource* value) {
  if (value == FDataLink.DataSource()) return;
  FDataLink.SetDataSource(value);
}

void TspSkinCustomDBGrid::SetInternalOptions() {
  TspDBGridOptions o = FOptions;
  if (o & dgRowSelect) o &= ~(dgEditing | dgAlwaysShowEditor);
  // The data grid never sets thumb tracking: the bar moves the data set on release.
  TspGridOptions g = 0;
  if (o & dgEditing) g |= goEditing;
  if (o & dgAlwaysShowEditor) g |= goAlwaysShowEditor;
  if (o & dgColLines) g |= goFixedVertLine | goVertLine;
  if (o & dgRowLines) g |= goFixedHorzLine | goHorzLine;
  if (o & dgColumnResize) g |= goColSizing | goColMoving;
  if (o & dgTabs) g |= goTabs;
  if (o & dgRowSelect) g |= goRowSelect;
  SetGridOptions(g);
}

void TspSkinCustomDBGrid::SetOptions(TspDBGridOptions value) {
  if (value & dgRowSelect) value &= ~(dgEditing | dgAlwaysShowEditor);
  const TspDBGridOptions changed = value ^ FOptions;
  if (!changed) return;
  FOptions = value;
  if ((changed & dgMultiSelect) && !(value & dgMultiSelect)) FSelectedRows.Clear();
  SetInternalOptions();
  if (changed & (dgEditing | dgAlwaysShowEditor | dgTitles | dgIndicator | dgColLines | dgRowLines |
                 dgRowSelect | dgAlwaysShowSelection))
    LayoutColumns();
  else
    update();
}

void TspSkinCustomDBGrid::SetReadOnly(bool value) {
  FReadOnly = value;
  if (FEditor && FEditor->isVisible()) FEditor->setReadOnly(value);
}

void TspSkinCustomDBGrid::SetDefaultRowHeight(int value) {
  TspSkinCustomGrid::SetDefaultRowHeight(value);
  LayoutColumns();
}

void TspSkinCustomDBGrid::SetTitleFont(const QFont& value, TColor color) {
  FTitleFont = value;
  FTitleFontColor = color;
  if (FOptions & dgTitles) LayoutColumns();
  update();
}

void TspSkinCustomDBGrid::SetDrawGraphicFields(bool value) {
  FDrawGraphicFields = value;
  update();
}

void TspSkinCustomDBGrid::SetUseColumnsFont(bool value) {
  FUseColumnsFont = value;
  update();
}

void TspSkinCustomDBGrid::SetIndicatorImageList(TspImageList* value) {
  FIndicatorImageList = value;
  LayoutColumns();
}

void TspSkinCustomDBGrid::SetFont(const QFont& value) {
  TspSkinCustomGrid::SetFont(value);
  LayoutColumns();
}

void TspSkinCustomDBGrid::SetSelectedIndex(int value) {
  MoveColumn(value + FIndicatorOffset);
}

TspColumn* TspSkinCustomDBGrid::SelectedColumn() const {
  const int k = SelectedIndex();
  return k >= 0 && k < FColumns.Count() ? FColumns[k] : nullptr;
}

bool TspSkinCustomDBGrid::CanEdit() const {
  return !FReadOnly && (FOptions & dgEditing) && DataSet();
}

QString TspSkinCustomDBGrid::CellText(int record, const TspColumn& column) const {
  const QVariant value = FDataLink.Value(record, column.FieldIndex());
  // A null value (an empty date, a field never set) shows as an empty cell.
  if (value.isNull()) return {};
  return FieldAsString(value);
}

// --- Fonts ----------------------------------------------------------------------------------

QFont TspSkinCustomDBGrid::DataFont(const TspColumn* column) const {
  const TspDataSkinGridControl* rec = GridRecord();
  const QFont base = FUseColumnsFont && column ? column->Font() : Font();
  if (rec && UseSkinFont())
    return ::SkinFont(true, rec->fontname, rec->fontheight, rec->fontstyle, base);
  return base;
}

QFont TspSkinCustomDBGrid::HeaderFont(const TspColumn* column) const {
  const TspDataSkinGridControl* rec = GridRecord();
  const QFont base = column ? column->Title().Font() : FTitleFont;
  if (rec && UseSkinFont())
    return ::SkinFont(true, rec->fixedfontname, rec->fixedfontheight, rec->fixedfontstyle, base);
  return base;
}

int TspSkinCustomDBGrid::DefaultColumnWidth(const TspColumn& column) const {
  const TTableCursor* cursor = DataSet();
  if (!cursor || column.FieldIndex() < 0) return DefaultColWidth();
  const QFontMetrics data(DataFont(&column));
  const TFieldKind kind = cursor->FieldKind(column.FieldIndex());
  int w = data.horizontalAdvance(QLatin1Char('0')) * DisplayWidth(kind) + 4;
  // Dates take the locale's short format, which may spell the month out.
  if (kind == TFieldKind::Date || kind == TFieldKind::DateTime) {
    const QDateTime sample(QDate(2000, 12, 28), QTime(23, 59, 59));
    const QVariant value = kind == TFieldKind::Date ? QVariant(sample.date()) : QVariant(sample);
    w = std::max(w, data.horizontalAdvance(FieldAsString(value)) + 8);
  }
  if (FOptions & dgTitles) {
    // A skin's title text rectangle insets the caption further.
    const TspDataSkinGridControl* rec = GridRecord();
    const int inset =
        rec ? rec->fixedcelltextrect.Left + 2 +
                  std::max(rec->fixedcellrect.Width() - rec->fixedcelltextrect.Right, 0)
            : 0;
    w = std::max(w, QFontMetrics(HeaderFont(&column)).horizontalAdvance(column.Title().Caption()) +
                        4 + inset);
  }
  return w;
}

// --- Layout ---------------------------------------------------------------------------------

void TspSkinCustomDBGrid::LayoutColumns() {
  if (FLayingOut || FDestroying) return;
  if (FLayoutLock > 0) {
    FLayoutPending = true;
    return;
  }
  FLayingOut = true;
  FLayoutPending = false;
  FIndicatorOffset = FOptions & dgIndicator ? 1 : 0;
  const TTableCursor* cursor = DataSet();
  if (FColumns.State() == TspDBGridColumnsState::csDefault) {
    const QStringList names = cursor ? cursor->FieldNames() : QStringList();
    // One column per field in field order; a field's column keeps its width across layouts.
    auto& items = FColumns.FItems;
    std::vector<std::unique_ptr<TspColumn>> next;
    for (const QString& name : names) {
      const auto same = std::find_if(items.begin(), items.end(),
                                     [&](const auto& c) { return c && c->FieldName() == name; });
      if (same != items.end()) {
        next.push_back(std::move(*same));
      } else {
        next.push_back(std::make_unique<TspColumn>(this));
        next.back()->SetFieldName(name);
      }
    }
    items = std::move(next);
  }
  for (int i = 0; i < FColumns.Count(); ++i)
    FColumns[i]->SetFieldIndex(cursor ? cursor->FieldIndex(FColumns[i]->FieldName()) : -1);

  SetColCount(std::max(FColumns.Count() + FIndicatorOffset, 1));
  SetFixedCols(FIndicatorOffset);
  FTitleOffset = FOptions & dgTitles ? 1 : 0;
  FLayingOut = false;
  SyncRowCount();
  FLayingOut = true;

  const TspDataSkinGridControl* rec = GridRecord();
  const int lines = FOptions & dgRowLines ? GridLineWidth() : 0;
  if (UseSkinCellHeight()) {
    const int h =
        rec ? rec->selectcellrect.Height() : QFontMetrics(DataFont(nullptr)).height() + 3 + lines;
    TspSkinCustomGrid::SetDefaultRowHeight(h);
  }
  if (FTitleOffset > 0) {
    int h = 0;
    const auto titleHeight = [&](const TspColumn* column) {
      if (rec && UseSkinFont()) return rec->fixedcellrect.Height();
      int th = QFontMetrics(HeaderFont(column)).height() + 4;
      if (column && column->Expanded())
        th = std::max(th, style()->pixelMetric(QStyle::PM_ScrollBarExtent));
      return th;
    };
    for (int i = 0; i < FColumns.Count(); ++i) h = std::max(h, titleHeight(FColumns[i]));
    if (FColumns.Count() == 0) h = titleHeight(nullptr);
    SetRowHeights(0, h);
  }

  for (int i = 0; i < FColumns.Count(); ++i) {
    const TspColumn* column = FColumns[i];
    const int col = i + FIndicatorOffset;
    SetColWidths(col, column->Showing() ? column->Width() : 0);
    // The store assigns the shelter tables' key, ID: nobody types it.
    const bool fieldEditable = cursor && column->FieldIndex() >= 0 &&
                               column->FieldIndex() != cursor->FieldIndex(QStringLiteral("ID"));
    SetTabStops(col, column->Showing() && !column->ReadOnly() && fieldEditable);
  }
  if (FIndicatorOffset > 0) {
    int w =
        FIndicatorImageList
            ? FIndicatorImageList->Images.empty() ? 0 : FIndicatorImageList->Images.front().width()
            : kIndicatorWidth;
    if (rec) w = std::max(w, rec->fixedcellleftoffset + rec->fixedcellrightoffset);
    SetColWidths(0, w);
  }
  FLayingOut = false;
  SyncCurrentRow();
  SyncScrollRanges();
  update();
}

void TspSkinCustomDBGrid::SyncRowCount() {
  if (FLayingOut) return;
  if (FTitleOffset >= RowCount()) SetRowCount(FTitleOffset + 1);
  SetFixedRows(FTitleOffset);
  const int old = RowCount();
  if (FDataLink.Active() && (FDataLink.DataSet()->RecordCount() > 0 ||
                             FDataLink.DataSet()->State() == TDataSetState::dsInsert)) {
    SetRowCount(1000);
    FDataLink.SetBufferCount(std::max(VisibleRowCount(), 1));
    SetRowCount(FDataLink.RecordCount() + FTitleOffset);
    if (FOptions & dgRowSelect) SetTopRow(FTitleOffset);
    SyncCurrentRow();
  } else {
    SetRowCount(FTitleOffset + 1);
  }
  // Data rows never scroll as cells: the window of records moves instead.
  SetTopRow(FTitleOffset);
  if (RowCount() != old) update();
}

void TspSkinCustomDBGrid::SyncCurrentRow() {
  if (!FDataLink.Active() || FLayingOut) return;
  const int row = FDataLink.ActiveRecord() + FTitleOffset;
  if (row != Row() && row < RowCount()) {
    if (!(FOptions & dgAlwaysShowEditor)) HideEditor();
    MoveCurrent(std::max(Col(), FIndicatorOffset), row, false);
  }
  RefreshEditor();
}

// --- Link notifications ---------------------------------------------------------------------

void TspSkinCustomDBGrid::LinkActive(bool active) {
  if (FDestroying) return;
  if (!active) HideEditor();
  FSelectedRows.Clear();
  LayoutColumns();
  SyncVerticalBar();
  if (active && (FOptions & dgAlwaysShowEditor)) ShowEditor();
}

void TspSkinCustomDBGrid::DataChanged() {
  if (FDestroying) return;
  SyncRowCount();
  SyncVerticalBar();
  SyncCurrentRow();
  RefreshEditor();
  update();
}

void TspSkinCustomDBGrid::RecordChanged(const QString&) {
  RefreshEditor();
  update();
}

void TspSkinCustomDBGrid::EditingChanged() {
  update();
}

void TspSkinCustomDBGrid::RefreshEditor() {
  if (!FEditor || !FEditor->isVisible()) return;
  const TspColumn* column = SelectedColumn();
  const QString text = column ? CellText(FDataLink.ActiveRecord(), *column) : QString();
  if (!FEditor->Changed() && FEditor->text() != text)
    FEditor->ShowOver(VisibleCellRect(Col(), Row()), text, DataFont(column), FEditor->isReadOnly());
}

bool TspSkinCustomDBGrid::EditorShowing() const {
  return FEditor && FEditor->isVisible();
}

void TspSkinCustomDBGrid::ShowEditor() {
  const TspColumn* column = SelectedColumn();
  if (!FDataLink.Active() || !column || FDataLink.RecordCount() == 0) return;
  if (!(FOptions & dgEditing) || (FOptions & dgRowSelect)) return;
  const QRect cell = VisibleCellRect(Col(), Row());
  if (cell.isEmpty()) return;
  const TTableCursor* cursor = FDataLink.DataSet();
  // Boolean cells toggle with a click instead.
  if (column->FieldIndex() < 0 || cursor->FieldKind(column->FieldIndex()) == TFieldKind::Boolean)
    return;
  const bool readOnly = FReadOnly || column->ReadOnly() || !TabStops(Col());
  TspEditButton button = TspEditButton::None;
  if (column->ButtonStyle() == TspColumnButtonStyle::cbsEllipsis)
    button = TspEditButton::Ellipsis;
  else if (column->ButtonStyle() == TspColumnButtonStyle::cbsAuto && !column->PickList().isEmpty())
    button = TspEditButton::DropDown;
  FEditor->SetButton(button);
  FEditor->ShowOver(cell, CellText(FDataLink.ActiveRecord(), *column), DataFont(column), readOnly);
  FEditor->setFocus();
  if (OnShowEditor) OnShowEditor(this);
  update();
}

void TspSkinCustomDBGrid::UpdateData() {
  if (!FEditor || !FEditor->isVisible() || FEditor->isReadOnly() || !FEditor->Changed() ||
      !CanEdit())
    return;
  const TspColumn* column = SelectedColumn();
  if (!column || column->FieldIndex() < 0) return;
  TTableCursor* cursor = DataSet();
  cursor->Edit();
  cursor->SetField(column->FieldName(), FEditor->text());
  FEditor->Accept();
}

void TspSkinCustomDBGrid::HideEditor() {
  if (!FEditor || !FEditor->isVisible()) return;
  const bool hadFocus = FEditor->hasFocus();
  FEditor->hide();
  if (hadFocus) setFocus();
  if (OnHideEditor) OnHideEditor(this);
  update();
}

void TspSkinCustomDBGrid::ApplySkin() {
  TspSkinCustomGrid::ApplySkin();
  const TspDataSkinGridControl* rec = GridRecord();
  if (rec && UseSkinCellHeight() && rec->selectcellrect.Height() != DefaultRowHeight())
    TspSkinCustomGrid::SetDefaultRowHeight(rec->selectcellrect.Height());
  LayoutColumns();
}

void TspSkinCustomDBGrid::ColumnSized(int col) {
  const int k = col - FIndicatorOffset;
  if (k >= 0 && k < FColumns.Count()) {
    ++FLayoutLock;
    FColumns[k]->SetWidth(ColWidths(col));
    --FLayoutLock;
    FLayoutPending = false;
  }
  SyncScrollRanges();
}

void TspSkinCustomDBGrid::ColumnMoved(int from, int to) {
  const int a = from - FIndicatorOffset, b = to - FIndicatorOffset;
  if (a < 0 || b < 0 || a >= FColumns.Count() || b >= FColumns.Count()) return;
  const bool followed = Col() == from;
  auto& items = FColumns.FItems;
  if (a < b)
    std::rotate(items.begin() + a, items.begin() + a + 1, items.begin() + b + 1);
  else
    std::rotate(items.begin() + b, items.begin() + a, items.begin() + a + 1);
  // A moved column is the user's order: the collection no longer follows the fields.
  FColumns.FState = TspDBGridColumnsState::csCustomized;
  LayoutColumns();
  if (followed) MoveCurrent(to, Row(), true);
  if (OnColumnMoved) OnColumnMoved(this, a, b);
}

void TspSkinCustomDBGrid::SizeChanged() {
  if (FLayoutLock == 0) SyncRowCount();
  SyncVerticalBar();
  update();
}

void TspSkinCustomDBGrid::TopLeftChanged() {
  if (FEditor && FEditor->isVisible()) {
    const QRect cell = VisibleCellRect(Col(), Row());
    if (cell.isEmpty())
      HideEditor();
    else
      FEditor->setGeometry(cell);
  }
}

void TspSkinCustomDBGrid::Invalidate() {
  update();
}
