#pragma once
// TspSkinCustomGrid: the generic skinned grid under the data grid. Cells in columns and rows,
// fixed (non-scrolling) leading columns and rows, per-column widths and per-row heights, grid
// lines, the current cell, scrolling by cells, column sizing with the mouse, painting from
// the skin's "grid" record (or a plain look) and attached skinned scroll bars instead of the
// platform's own.
//
// Cells are drawn by DrawCell, which the data grid overrides; the generic layer lays out,
// paints lines, backgrounds and cell images, and moves the view.

#include "skin/controls/scroll_bar.h"
#include "skin/controls/skin_control.h"
#include "skin/data/control_records.h"

#include <QImage>
#include <QPointer>
#include <functional>
#include <stdexcept>
#include <vector>

class QPainter;

// System colour references (0x80000000 + the platform's index).
constexpr TColor clWindow = 0x80000005u;
constexpr TColor clWindowText = 0x80000008u;
constexpr TColor clHighlight = 0x8000000Du;
constexpr TColor clHighlightText = 0x8000000Eu;
constexpr TColor clBtnFace = 0x8000000Fu;
constexpr TColor clGrayText = 0x80000011u;
constexpr TColor clBtnText = 0x80000012u;

// The generic grid's options.
enum TspGridOption : unsigned {
  goFixedVertLine = 1u << 0,
  goFixedHorzLine = 1u << 1,
  goVertLine = 1u << 2,
  goHorzLine = 1u << 3,
  goRangeSelect = 1u << 4,
  goRowSelect = 1u << 5,
  goEditing = 1u << 6,
  goAlwaysShowEditor = 1u << 7,
  goTabs = 1u << 8,
  goColSizing = 1u << 9,
  goColMoving = 1u << 10,
  goThumbTracking = 1u << 11,
};
using TspGridOptions = unsigned;

enum TGridDrawStateFlag : unsigned { gdSelected = 1u, gdFocused = 2u, gdFixed = 4u };
using TGridDrawState = unsigned;

struct TGridCoord {
  int X = -1;
  int Y = -1;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Scroll command codes of the scroll messages.
enum TspScrollCode {
  SB_LINEUP = 0,
  SB_LINEDOWN = 1,
  SB_PAGEUP = 2,
  SB_PAGEDOWN = 3,
  SB_THUMBPOSITION = 4,
  SB_THUMBTRACK = 5,
  SB_TOP = 6,
  SB_BOTTOM = 7,
};

class EInvalidGridOperation : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TspSkinCustomGrid : public TspSkinControl {
  Q_OBJECT
public:
  explicit TspSkinCustomGrid(QWidget* parent = nullptr);
  ~TspSkinCustomGrid() override;

  // --- Published properties ----------------------------------------------------------------
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value);
  bool UseSkinCellHeight() const { return FUseSkinCellHeight; }
  void SetUseSkinCellHeight(bool value);
  TspSkinScrollBar* HScrollBar() const { return FHScrollBar; }
  virtual void SetHScrollBar(TspSkinScrollBar* value);
  TspSkinScrollBar* VScrollBar() const { return FVScrollBar; }
  virtual void SetVScrollBar(TspSkinScrollBar* value);
  TColor GridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  const QImage& Wallpaper() const { return FWallpaper; }
  // A picture makes the grid transparent.
  void SetWallpaper(const QImage& value);
  bool WallpaperStretch() const { return FWallpaperStretch; }
  void SetWallpaperStretch(bool value);
  bool ColSizingwithLine() const { return FColSizingwithLine; }
  void SetColSizingwithLine(bool value) { FColSizingwithLine = value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor value);
  // Font of the cells without a record font.
  const QFont& Font() const { return FFont; }
  virtual void SetFont(const QFont& value);

  // The grid paints the cells itself before the drawing events.
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool value);

  std::function<void(QObject*)> OnShowEditor;
  std::function<void(QObject*)> OnHideEditor;

  // --- Geometry -----------------------------------------------------------------------------
  int ColCount() const { return FColCount; }
  void SetColCount(int value);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int value);
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int value);
  int DefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(int value);
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  virtual void SetDefaultRowHeight(int value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int value);
  int ColWidths(int col) const;
  void SetColWidths(int col, int value);
  int RowHeights(int row) const;
  void SetRowHeights(int row, int value);
  bool TabStops(int col) const;
  void SetTabStops(int col, bool value);
  TspGridOptions GridOptions() const { return FGridOptions; }
  void SetGridOptions(TspGridOptions value);

  int LeftCol() const { return FLeftCol; }
  void SetLeftCol(int value);
  int TopRow() const { return FTopRow; }
  void SetTopRow(int value);
  int Col() const { return FCol; }
  void SetCol(int value);
  int Row() const { return FRow; }
  void SetRow(int value);

  // Fully visible scrolling columns (rows) from the left column (top row).
  int VisibleColCount() const;
  int VisibleRowCount() const;
  // The cell's rectangle in the control, empty when it is not shown.
  QRect CellRect(int col, int row) const;
  // The cell under a point of the control; (-1, -1) outside every cell.
  TGridCoord MouseCoord(int x, int y) const;
  // The leftmost column from which every remaining column fits.
  int MaxLeftCol() const;
  // A grid with a single scrolling column scrolls it by pixels: how far it is scrolled, and
  // how far it can be (0 when it fits).
  bool ScrollsByPixels() const { return FColCount - FFixedCols == 1; }
  int ColOffset() const { return ScrollsByPixels() ? FColOffset : 0; }
  int MaxColOffset() const;
  // The width of the fixed columns and their lines: where the scrolling area starts.
  int FixedWidth() const;
  // The part of a cell that shows: a scrolled column's cell ends at the fixed columns.
  QRect VisibleCellRect(int col, int row) const;
  // Width (height) a line adds after each column (row): 0 without lines on that axis.
  int ColLineWidth() const;
  int RowLineWidth() const;

  // Makes a cell current; raises EInvalidGridOperation outside the grid. `show` scrolls it
  // into view.
  void FocusCell(int col, int row, bool show);

  // --- Scrolling ----------------------------------------------------------------------------
  // Range, page and visibility of the attached horizontal bar.
  virtual void SyncScrollRanges();
  void SyncScrollPositions();
  // A horizontal scroll command (the codes of TspScrollCode).
  virtual void HScroll(int code, int position);
  virtual void VScroll(int code, int position);
  bool InUpdate() const { return FInUpdate; }
  // The grid or its editor has the keyboard focus.
  bool GridFocused() const;

  // --- Record --------------------------------------------------------------------------------
  // The "grid" record as painting uses it: present only with a non-empty fixedcellrect.
  const TspDataSkinGridControl* GridRecord() const;
  // The record's picture, null without one.
  const QImage* GridPicture() const;
  void ApplySkin() override;
  void DropSkinRecord() override;

  // A cell image of the record: title and indicator cells (`fixed`), or the focused or
  // selected look of data cells, composed to the cell's size. `textRect` gets the text
  // rectangle within the image. Cached per size and skin.
  // Read from the right, the image is mirrored (and the text rectangle with it).
  QImage CellImage(bool fixed, bool focused, QSize cell, QRect* textRect);
  // Where a cell image goes: the cell's top-left, its top-right when read from the right.
  QPoint CellImageAt(const QRect& cell, const QImage& image) const;

  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;

protected:
  // Draws one cell's content; the painter is clipped to the cell.
  virtual void DrawCell(QPainter& p, int col, int row, const QRect& rect, TGridDrawState state);
  // May a cell become current?
  virtual bool SelectCell(int col, int row);
  // Moves what the area shows by (dx, dy) pixels with the window system's scrolling, which
  // only repaints the strip uncovered; the whole area is repainted where moved pixels would
  // not match a paint (a background picture, transparency) or the distance exceeds the area.
  void MoveArea(const QRect& area, int dx, int dy);
  // The top of a row in the control; -1 for a scrolling row above the top row.
  int RowTop(int row) const;
  virtual void TopLeftChanged() {}
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  virtual void SizeChanged() {}
  // A column's width was dragged to a new value.
  virtual void ColumnSized(int /*col*/) {}
  // A column was dragged by its title from one place to another.
  virtual void ColumnMoved(int /*from*/, int /*to*/) {}
  // The editor lies over the focused cell: the cell is not drawn then.
  virtual bool EditorShowing() const { return false; }
  // The font colour a paint leaves for the focus rectangle of the plain look.
  QColor FFocusDotsColor;

  // Is a point in the sizing zone of a column's right line? `col` gets the column.
  bool InSizingZone(int x, int y, int* col) const;
  bool Sizing() const { return FSizingCol >= 0; }
  // True once after a release that ended a sizing drag.
  bool FSizingJustEnded = false;

  // The generic press handling (sizing) and wheel (moves the current row).
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void changeEvent(QEvent* e) override;

  // The row a move of the current cell lands on, used by the wheel.
  void MoveCurrent(int col, int row, bool show);
  // Shows attached bars as the grid's visibility says.
  void ApplyBarVisibility(TspSkinScrollBar* bar, bool visible);
  bool FDestroying = false;
  // The visibility a bar should have while the grid shows.
  bool FHBarWanted = false;
  bool FVBarWanted = false;

private:
  struct TCellImage {
    bool Fixed = false, Focused = false, Mirrored = false;
    QSize Size;
    QImage Image;
    QRect Text;
  };
  void PaintGrid(QImage& image, bool skinned);
  void PaintLines(QPainter& p, const std::vector<int>& cols, const std::vector<int>& rows,
                  const QRect& area, TColor lineColor, bool fixedCols, bool fixedRows,
                  bool skinned);
  // The columns and rows that show: the fixed ones, then the scrolling ones from the left
  // column (top row) while they start inside the control.
  std::vector<int> ShownCols() const;
  std::vector<int> ShownRows() const;
  int ColLeft(int col) const;
  void ClampTopLeft();
  // Scrolls the single column to `value` pixels, moving what is already painted.
  void SetColOffset(int value);
  void AttachBar(TspSkinScrollBar* bar, bool vertical);
  void DetachBar(TspSkinScrollBar* bar);

  bool FUseSkinFont = true;
  bool FUseSkinCellHeight = true;
  QPointer<TspSkinScrollBar> FHScrollBar, FVScrollBar;
  TColor FGridLineColor = clBtnFace;
  bool FTransparent = false;
  QImage FWallpaper;
  bool FWallpaperStretch = false;
  bool FColSizingwithLine = false;
  TColor FColor = clWindow;
  TColor FFixedColor = clBtnFace;
  QFont FFont;

  int FColCount = 5, FRowCount = 5, FFixedCols = 1, FFixedRows = 1;
  int FDefaultColWidth = 64, FDefaultRowHeight = 20, FGridLineWidth = 1;
  std::vector<int> FColWidths;  // -1: the default
  std::vector<int> FRowHeights; // -1: the default
  std::vector<char> FTabStops;  // per column; absent: a tab stop
  TspGridOptions FGridOptions =
      goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  int FLeftCol = 1, FTopRow = 1, FCol = 1, FRow = 1;
  int FColOffset = 0;
  bool FInUpdate = false;
  int FLastClientWidth = -1;

  int FSizingCol = -1;
  // A press on a title that may become a column move, and whether it has.
  int FMoveFrom = -1;
  int FMoveStartX = 0;
  bool FMoving = false;
  int FSizingStartX = 0, FSizingStartWidth = 0;

  bool FDefaultDrawing = true;
  std::vector<TCellImage> FCellImages;
};
