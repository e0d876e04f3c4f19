#pragma once
// The data grid: the records of a data set as rows and its fields as columns, with a title
// row and an indicator column, over the generic skinned grid. The rows show a window of
// records (one screen of them) that the data link keeps; the attached skinned bars follow the
// data set, not the rows.

#include "skin/controls/custom_grid.h"
#include "skin/controls/grid_columns.h"
#include "skin/controls/grid_data_link.h"
#include "skin/controls/image_list.h"

#include <QPointer>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class TspSkinInplaceEdit;

enum TspDBGridOption : unsigned {
  dgEditing = 1u << 0,
  dgAlwaysShowEditor = 1u << 1,
  dgTitles = 1u << 2,
  dgIndicator = 1u << 3,
  dgColumnResize = 1u << 4,
  dgColLines = 1u << 5,
  dgRowLines = 1u << 6,
  dgTabs = 1u << 7,
  dgRowSelect = 1u << 8,
  dgAlwaysShowSelection = 1u << 9,
  dgConfirmDelete = 1u << 10,
  dgCancelOnExit = 1u << 11,
  dgMultiSelect = 1u << 12,
};
using TspDBGridOptions = unsigned;

// Bookmarks of the rows selected with dgMultiSelect.
class TspBookmarkList {
public:
  int Count() const { return int(FItems.size()); }
  bool Contains(const QVariant& bookmark) const;
  void Toggle(const QVariant& bookmark);
  void Clear() { FItems.clear(); }
  const std::vector<QVariant>& Items() const { return FItems; }

private:
  std::vector<QVariant> FItems;
};

using TDBGridClickEvent = std::function<void(TspColumn* Column)>;
using TDrawDataCellEvent = std::function<void(QObject* Sender, QPainter& Canvas, const QRect& Rect,
                                              int FieldIndex, TGridDrawState State)>;
using TDrawColumnCellEvent =
    std::function<void(QObject* Sender, QPainter& Canvas, const QRect& Rect, int DataCol,
                       TspColumn* Column, TGridDrawState State)>;
using TGetDBCellParamEvent = std::function<void(
    QObject* Sender, TspColumn* Column, TGridDrawState State, TColor& ABGColor, QFont& AFont)>;
using TMovedEvent = std::function<void(QObject* Sender, int FromIndex, int ToIndex)>;
// Setting Key to 0 keeps the key from the grid.
using TspGridKeyEvent = std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers)>;

class TspSkinCustomDBGrid : public TspSkinCustomGrid, public TspGridDataLinkOwner {
  Q_OBJECT
public:
  explicit TspSkinCustomDBGrid(QWidget* parent = nullptr);
  ~TspSkinCustomDBGrid() override;

  // --- Published properties ----------------------------------------------------------------
  TDataSource* DataSource() const { return FDataLink.DataSource(); }
  void SetDataSource(TDataSource* value);
  TspDBGridColumns& Columns() { return FColumns; }
  TspDBGridOptions Options() const { return FOptions; }
  void SetOptions(TspDBGridOptions value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  void SetDefaultRowHeight(int value) override;
  // The titles' font and its colour (the plain look's title text).
  const QFont& TitleFont() const { return FTitleFont; }
  TColor TitleFontColor() const { return FTitleFontColor; }
  void SetTitleFont(const QFont& value, TColor color);
  void SetTitleFont(const QFont& value) { SetTitleFont(value, FTitleFontColor); }
  bool DrawGraphicFields() const { return FDrawGraphicFields; }
  void SetDrawGraphicFields(bool value);
  bool UseColumnsFont() const { return FUseColumnsFont; }
  void SetUseColumnsFont(bool value);
  bool MouseWheelSupport() const { return FMouseWheelSupport; }
  void SetMouseWheelSupport(bool value) { FMouseWheelSupport = value; }
  bool SaveMultiSelection() const { return FSaveMultiSelection; }
  void SetSaveMultiSelection(bool value) { FSaveMultiSelection = value; }
  // Glyphs of the indicator column; none: the built-in ones. Cleared when destroyed.
  TspImageList* IndicatorImageList() const { return FIndicatorImageList; }
  void SetIndicatorImageList(TspImageList* value);
  QString PickListBoxSkinDataName() const { return FPickListBoxSkinDataName; }
  void SetPickListBoxSkinDataName(const QString& value) { FPickListBoxSkinDataName = value; }
  bool PickListBoxCaptionMode() const { return FPickListBoxCaptionMode; }
  void SetPickListBoxCaptionMode(bool value) { FPickListBoxCaptionMode = value; }
  void SetFont(const QFont& value) override;

  TDBGridClickEvent OnCellClick;
  TDBGridClickEvent OnTitleClick;
  TDrawDataCellEvent OnDrawDataCell;
  TDrawColumnCellEvent OnDrawColumnCell;
  TGetDBCellParamEvent OnGetCellParam;
  std::function<void(QObject*)> OnColEnter;
  std::function<void(QObject*)> OnColExit;
  TMovedEvent OnColumnMoved;
  std::function<void(QObject*)> OnEditButtonClick;
  std::function<void(QObject*)> OnDblClick;
  TspGridKeyEvent OnKeyDown;
  TspGridKeyEvent OnKeyUp;

  // --- State ---------------------------------------------------------------------------------
  TspGridDataLink& DataLink() { return FDataLink; }
  int IndicatorOffset() const { return FIndicatorOffset; }
  int TitleOffset() const { return FTitleOffset; }
  // The current column (from 0 among the columns), and its column.
  int SelectedIndex() const { return Col() - FIndicatorOffset; }
  void SetSelectedIndex(int value);
  TspColumn* SelectedColumn() const;
  TspBookmarkList& SelectedRows() { return FSelectedRows; }
  TspSkinInplaceEdit* InplaceEditor() const { return FEditor; }
  bool EditorShowing() const override;
  // The built-in glyphs: arrow, edit, insert, multi-dot, multi-arrow (6 x 11 each).
  static const TspImageList& BuiltinIndicators();
  static constexpr int kIndicatorWidth = 11;

  // --- Operations ----------------------------------------------------------------------------
  void LayoutColumns();
  void SyncRowCount();
  void SyncCurrentRow();
  void SyncVerticalBar();
  void SyncScrollRanges() override;
  void VScroll(int code, int position) override;
  void ShowEditor();
  void HideEditor();
  // Writes the editor's changed text into the current field (before the record or column
  // changes).
  void UpdateData();
  // Editing through the grid is allowed: not read-only, dgEditing, an active data set.
  bool CanEdit() const;
  // The text a cell of window record `record` shows; null values show nothing.
  QString CellText(int record, const TspColumn& column) const;
  void ApplySkin() override;

  void SetVScrollBar(TspSkinScrollBar* value) override;
  void SetHScrollBar(TspSkinScrollBar* value) override;

protected:
  // TspGridDataLinkOwner
  void LinkActive(bool active) override;
  void DataChanged() override;
  void Scroll(int distance) override;
  void RecordChanged(const QString& fieldName) override;
  void EditingChanged() override;

  void DrawCell(QPainter& p, int col, int row, const QRect& rect, TGridDrawState state) override;
  void ColumnSized(int col) override;
  void ColumnMoved(int from, int to) override;
  void SizeChanged() override;
  void TopLeftChanged() override;

  // Asks before Ctrl+Delete; true to delete. The platform's confirmation dialog.
  virtual bool ConfirmDelete(const QString& question);

  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  bool event(QEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

private:
  friend class TspColumn;
  friend class TspColumnTitle;
  TTableCursor* DataSet() const { return FDataLink.Active() ? FDataLink.DataSet() : nullptr; }
  int DefaultColumnWidth(const TspColumn& column) const;
  QFont DataFont(const TspColumn* column) const;
  QFont HeaderFont(const TspColumn* column) const;
  void SetInternalOptions();
  void DrawIndicatorCell(QPainter& p, int row, const QRect& rect);
  void DrawTitleCell(QPainter& p, const TspColumn& column, const QRect& rect);
  void DrawDataCell(QPainter& p, int col, int record, const QRect& rect, TGridDrawState state);
  void DrawCellText(QPainter& p, const QRect& rect, int dx, const QString& text,
                    TAlignment alignment, bool transparent, const QColor& background);
  void DrawBooleanMark(QPainter& p, const QRect& area, bool value, bool skinned,
                       const QColor& colour);
  // Moves the data set by `distance` records (keys, clicks, bar commands).
  void MoveBy(int distance);
  void MoveColumn(int col);
  void ClearSelection();
  void DeleteRecords();
  void RefreshEditor();
  bool RowMarked(int record) const;
  void Invalidate();

  TspGridDataLink FDataLink{this};
  TspDBGridColumns FColumns{this};
  TspDBGridOptions FOptions = dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines |
                              dgRowLines | dgTabs | dgConfirmDelete | dgCancelOnExit;
  bool FReadOnly = false;
  QFont FTitleFont;
  TColor FTitleFontColor = clWindowText;
  bool FDrawGraphicFields = false;
  bool FUseColumnsFont = false;
  bool FMouseWheelSupport = false;
  bool FSaveMultiSelection = false;
  QPointer<TspImageList> FIndicatorImageList;
  QString FPickListBoxSkinDataName = QStringLiteral("listbox");
  bool FPickListBoxCaptionMode = false;
  TspBookmarkList FSelectedRows;
  int FIndicatorOffset = 1;
  int FTitleOffset = 1;
  bool FLayingOut = false;
  int FLayoutLock = 0;
  bool FLayoutPending = false;
  TspSkinInplaceEdit* FEditor = nullptr;
  // The press that went to the title row, for OnTitleClick on its release.
  bool FTitlePress = false;
  bool FPressInEditor = false;
};

// The published data grid.
class TspSkinDBGrid : public TspSkinCustomDBGrid {
  Q_OBJECT
public:
  explicit TspSkinDBGrid(QWidget* parent = nullptr) : TspSkinCustomDBGrid(parent) {}
};
