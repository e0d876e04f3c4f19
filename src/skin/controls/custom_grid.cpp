#include "skin/controls/custom_grid.h"

#include "skin/controls/scroll_bar.h"
#include "skin/data/skin_data.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

// ColLeft of a scrolling column left of the left column.
constexpr int kColNotShown = std::numeric_limits<int>::min();

// a * b / c rounded to the nearest, 0 for c = 0 (a grid where everything fits).
int MulDiv(int a, int b, int c) {
  if (c == 0) return 0;
  const qint64 p = qint64(a) * b;
  return int((p + (p >= 0 ? c / 2 : -c / 2)) / c);
}

} // namespace

TspSkinCustomGrid::TspSkinCustomGrid(QWidget* parent) : TspSkinControl(parent) {
  SetSkinDataName(QStringLiteral("grid"));
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  FFont = font();
}

TspSkinCustomGrid::~TspSkinCustomGrid() {
  FDestroying = true;
  DetachBar(FHScrollBar);
  DetachBar(FVScrollBar);
}

// --- Published properties -------------------------------------------------------------------

void TspSkinCustomGrid::SetUseSkinFont(bool value) {
  if (FUseSkinFont == value) return;
  FUseSkinFont = value;
  update();
}

void TspSkinCustomGrid::SetUseSkinCellHeight(bool value) {
  if (FUseSkinCellHeight == value) return;
  FUseSkinCellHeight = value;
  FCellImages.clear();
  update();
}

void TspSkinCustomGrid::SetGridLineColor(TColor value) {
  if (FGridLineColor == value) return;
  FGridLineColor = value;
  update();
}

void TspSkinCustomGrid::SetTransparent(bool value) {
  if (FTransparent == value) return;
  FTransparent = value;
  update();
}

void TspSkinCustomGrid::SetWallpaper(const QImage& value) {
  FWallpaper = value;
  if (!value.isNull()) FTransparent = true;
  update();
}

void TspSkinCustomGrid::SetWallpaperStretch(bool value) {
  FWallpaperStretch = value;
  update();
}

void TspSkinCustomGrid::SetColor(TColor value) {
  FColor = value;
  update();
}

void TspSkinCustomGrid::SetFixedColor(TColor value) {
  FFixedColor = value;
  update();
}

void TspSkinCustomGrid::SetFont(const QFont& value) {
  FFont = value;
  update();
}

// --- Geometry -------------------------------------------------------------------------------

void TspSkinCustomGrid::SetColCount(int value) {
  value = std::max(value, 1);
  if (value == FColCount) return;
  FColCount = value;
  FFixedCols = std::min(FFixedCols, FColCount - 1);
  ClampTopLeft();
  SyncScrollRanges();
  update();
}

void TspSkinCustomGrid::SetRowCount(int value) {
  value = std::max(value, 1);
  if (value == FRowCount) return;
  FRowCount = value;
  FFixedRows = std::min(FFixedRows, FRowCount - 1);
  ClampTopLeft();
  update();
}

void TspSkinCustomGrid::SetFixedCols(int value) {
  value = std::clamp(value, 0, FColCount - 1);
  if (value == FFixedCols) return;
  FFixedCols = value;
  ClampTopLeft();
  SyncScrollRanges();
  update();
}

void TspSkinCustomGrid::SetFixedRows(int value) {
  value = std::clamp(value, 0, FRowCount - 1);
  if (value == FFixedRows) return;
  FFixedRows = value;
  ClampTopLeft();
  update();
}

void TspSkinCustomGrid::ClampTopLeft() {
  FLeftCol = std::clamp(FLeftCol, FFixedCols, std::max(FFixedCols, FColCount - 1));
  FTopRow = std::clamp(FTopRow, FFixedRows, std::max(FFixedRows, FRowCount - 1));
  FCol = std::clamp(FCol, FFixedCols, std::max(FFixedCols, FColCount - 1));
  FRow = std::clamp(FRow, FFixedRows, std::max(FFixedRows, FRowCount - 1));
}

void TspSkinCustomGrid::SetDefaultColWidth(int value) {
  FDefaultColWidth = std::max(value, 0);
  ColWidthsChanged();
}

void TspSkinCustomGrid::SetDefaultRowHeight(int value) {
  FDefaultRowHeight = std::max(value, 0);
  RowHeightsChanged();
}

void TspSkinCustomGrid::SetGridLineWidth(int value) {
  FGridLineWidth = std::max(value, 0);
  ColWidthsChanged();
}

int TspSkinCustomGrid::ColWidths(int col) const {
  if (col >= 0 && col < int(FColWidths.size()) && FColWidths[col] >= 0) return FColWidths[col];
  return FDefaultColWidth;
}

void TspSkinCustomGrid::SetColWidths(int col, int value) {
  if (col < 0 || col >= FColCount) return;
  if (col >= int(FColWidths.size())) FColWidths.resize(col + 1, -1);
  value = std::max(value, 0);
  if (FColWidths[col] == value) return;
  FColWidths[col] = value;
  ColWidthsChanged();
}

int TspSkinCustomGrid::RowHeights(int row) const {
  if (row >= 0 && row < int(FRowHeights.size()) && FRowHeights[row] >= 0) return FRowHeights[row];
  return FDefaultRowHeight;
}

void TspSkinCustomGrid::SetRowHeights(int row, int value) {
  if (row < 0) return;
  if (row >= int(FRowHeights.size())) FRowHeights.resize(row + 1, -1);
  value = std::max(value, 0);
  if (FRowHeights[row] == value) return;
  FRowHeights[row] = value;
  RowHeightsChanged();
}

bool TspSkinCustomGrid::TabStops(int col) const {
  return col < 0 || col >= int(FTabStops.size()) || FTabStops[col];
}

void TspSkinCustomGrid::SetTabStops(int col, bool value) {
  if (col < 0) return;
  if (col >= int(FTabStops.size())) FTabStops.resize(col + 1, 1);
  FTabStops[col] = value;
}

void TspSkinCustomGrid::SetGridOptions(TspGridOptions value) {
  if (value == FGridOptions) return;
  FGridOptions = value;
  SyncScrollRanges();
  update();
}

void TspSkinCustomGrid::ColWidthsChanged() {
  SyncScrollRanges();
  update();
}

void TspSkinCustomGrid::RowHeightsChanged() {
  update();
}

int TspSkinCustomGrid::ColLineWidth() const {
  return FGridOptions & (goFixedVertLine | goVertLine) ? FGridLineWidth : 0;
}

int TspSkinCustomGrid::RowLineWidth() const {
  return FGridOptions & (goFixedHorzLine | goHorzLine) ? FGridLineWidth : 0;
}

int TspSkinCustomGrid::FixedWidth() const {
  const int lw = ColLineWidth();
  int x = 0;
  for (int c = 0; c < FFixedCols; ++c) x += ColWidths(c) + lw;
  return x;
}

int TspSkinCustomGrid::ColLeft(int col) const {
  const int lw = ColLineWidth();
  int x = 0;
  if (col < FFixedCols) {
    for (int c = 0; c < col; ++c) x += ColWidths(c) + lw;
    return x;
  }
  if (col < FLeftCol) return kColNotShown;
  x = FixedWidth() - ColOffset();
  for (int c = FLeftCol; c < col && x < width(); ++c) x += ColWidths(c) + lw;
  return x;
}

int TspSkinCustomGrid::RowTop(int row) const {
  const int lw = RowLineWidth();
  int y = 0;
  if (row < FFixedRows) {
    for (int r = 0; r < row; ++r) y += RowHeights(r) + lw;
    return y;
  }
  if (row < FTopRow) return -1;
  for (int r = 0; r < FFixedRows; ++r) y += RowHeights(r) + lw;
  for (int r = FTopRow; r < row && y < height(); ++r) y += RowHeights(r) + lw;
  return y;
}

std::vector<int> TspSkinCustomGrid::ShownCols() const {
  std::vector<int> cols;
  const int lw = ColLineWidth();
  int x = 0;
  for (int c = 0; c < FFixedCols && x < width(); ++c) {
    cols.push_back(c);
    x += ColWidths(c) + lw;
  }
  x = FixedWidth() - ColOffset();
  for (int c = FLeftCol; c < FColCount && x < width(); ++c) {
    cols.push_back(c);
    x += ColWidths(c) + lw;
  }
  return cols;
}

std::vector<int> TspSkinCustomGrid::ShownRows() const {
  std::vector<int> rows;
  const int lw = RowLineWidth();
  int y = 0;
  for (int r = 0; r < FFixedRows && y < height(); ++r) {
    rows.push_back(r);
    y += RowHeights(r) + lw;
  }
  for (int r = FTopRow; r < FRowCount && y < height(); ++r) {
    rows.push_back(r);
    y += RowHeights(r) + lw;
  }
  return rows;
}

int TspSkinCustomGrid::VisibleColCount() const {
  const int lw = ColLineWidth();
  int x = 0;
  for (int c = 0; c < FFixedCols; ++c) x += ColWidths(c) + lw;
  int n = 0;
  for (int c = FLeftCol; c < FColCount; ++c) {
    x += ColWidths(c);
    if (x > width()) break;
    x += lw;
    ++n;
  }
  return n;
}

int TspSkinCustomGrid::VisibleRowCount() const {
  // The rows the client area has room for, whether or not that many rows exist: the data grid
  // sizes its window of records by it.
  const int lw = RowLineWidth();
  int y = 0;
  for (int r = 0; r < FFixedRows; ++r) y += RowHeights(r) + lw;
  int n = 0;
  for (int r = FTopRow;; ++r) {
    const int h = RowHeights(r);
    // Rows without height would fit forever.
    if (h + lw <= 0) break;
    y += h;
    if (y > height()) break;
    y += lw;
    ++n;
  }
  return n;
}

QRect TspSkinCustomGrid::CellRect(int col, int row) const {
  if (col < 0 || col >= FColCount || row < 0 || row >= FRowCount) return {};
  const int x = ColLeft(col), y = RowTop(row);
  if (x == kColNotShown || y < 0 || x >= width() || y >= height()) return {};
  return QRect(x, y, ColWidths(col), RowHeights(row));
}

QRect TspSkinCustomGrid::VisibleCellRect(int col, int row) const {
  const QRect cell = CellRect(col, row);
  if (col < FFixedCols || cell.isEmpty()) return cell;
  return cell & QRect(FixedWidth(), 0, width() - FixedWidth(), height());
}

TGridCoord TspSkinCustomGrid::MouseCoord(int x, int y) const {
  TGridCoord at;
  const int clw = ColLineWidth(), rlw = RowLineWidth();
  for (int c : ShownCols()) {
    const int left = ColLeft(c);
    if (x >= left && x < left + ColWidths(c) + clw) {
      at.X = c;
      break;
    }
  }
  for (int r : ShownRows()) {
    const int top = RowTop(r);
    if (y >= top && y < top + RowHeights(r) + rlw) {
      at.Y = r;
      break;
    }
  }
  if (at.X < 0 || at.Y < 0) return {};
  return at;
}

int TspSkinCustomGrid::MaxLeftCol() const {
  const int lw = ColLineWidth();
  int fixed = 0;
  for (int c = 0; c < FFixedCols; ++c) fixed += ColWidths(c) + lw;
  const int room = width() - fixed + lw;
  int used = 0;
  int col = FColCount;
  while (col - 1 >= FFixedCols && used + ColWidths(col - 1) + lw <= room) {
    used += ColWidths(col - 1) + lw;
    --col;
  }
  // Not even the last column fits: it is still the last left column.
  return std::clamp(col, FFixedCols, std::max(FFixedCols, FColCount - 1));
}

void TspSkinCustomGrid::SetLeftCol(int value) {
  value = std::clamp(value, FFixedCols, std::max(FFixedCols, FColCount - 1));
  if (value == FLeftCol) return;
  // The pixel distance between the old and the new left column, before the columns move.
  const int lw = ColLineWidth();
  int dx = 0;
  for (int c = std::min(value, FLeftCol); c < std::max(value, FLeftCol); ++c)
    dx += ColWidths(c) + lw;
  if (value > FLeftCol) dx = -dx;
  FLeftCol = value;
  TopLeftChanged();
  SyncScrollPositions();
  // Read from the right, the columns run the other way: repaint rather than mirror the move.
  if (layoutDirection() == Qt::RightToLeft)
    update();
  else
    MoveArea(QRect(FixedWidth(), 0, width() - FixedWidth(), height()), dx, 0);
}

void TspSkinCustomGrid::SetTopRow(int value) {
  value = std::clamp(value, FFixedRows, std::max(FFixedRows, FRowCount - 1));
  if (value == FTopRow) return;
  FTopRow = value;
  TopLeftChanged();
  update();
}

void TspSkinCustomGrid::SetCol(int value) {
  FocusCell(value, FRow, true);
}

void TspSkinCustomGrid::SetRow(int value) {
  FocusCell(FCol, value, true);
}

bool TspSkinCustomGrid::SelectCell(int, int) {
  return true;
}

void TspSkinCustomGrid::FocusCell(int col, int row, bool show) {
  if (col < 0 || col >= FColCount || row < 0 || row >= FRowCount)
    throw EInvalidGridOperation("Grid index out of range");
  MoveCurrent(col, row, show);
}

void TspSkinCustomGrid::MoveCurrent(int col, int row, bool show) {
  if ((col != FCol || row != FRow) && !SelectCell(col, row)) return;
  const int oldRow = FRow;
  FCol = col;
  FRow = row;
  if (show) {
    if (col >= FFixedCols) {
      if (col < FLeftCol) {
        SetLeftCol(col);
      } else {
        int left = FLeftCol;
        while (left < col && left < MaxLeftCol()) {
          const int saved = FLeftCol;
          FLeftCol = left;
          const bool fits = col < FLeftCol + std::max(VisibleColCount(), 1);
          FLeftCol = saved;
          if (fits) break;
          ++left;
        }
        SetLeftCol(left);
      }
    }
    if (row >= FFixedRows) {
      if (row < FTopRow)
        SetTopRow(row);
      else if (row >= FTopRow + std::max(VisibleRowCount(), 1))
        SetTopRow(row - std::max(VisibleRowCount(), 1) + 1);
    }
  }
  // Only the rows of the old and the new current cell change their look.
  for (const int r : {oldRow, FRow}) {
    const int top = RowTop(r);
    if (top >= 0 && top < height()) update(QRect(0, top, width(), RowHeights(r) + RowLineWidth()));
  }
}

// --- Scrolling ------------------------------------------------------------------------------

void TspSkinCustomGrid::SyncScrollRanges() {
  TspSkinScrollBar* bar = FHScrollBar;
  if (FDestroying) return;
  if (!bar) {
    // Without a bar the column still keeps within its range as sizes change.
    SetColOffset(ScrollsByPixels() ? FColOffset : 0);
    return;
  }
  if (FInUpdate) return;
  for (int pass = 0; pass < 2; ++pass) {
    const int clientWidth = width();
    const int maxLeft = MaxLeftCol();
    if (ScrollsByPixels()) {
      const int range = MaxColOffset();
      FHBarWanted = range > 0;
      bar->SetScrollParams(0, std::max(range, 0), 0, std::clamp(FColOffset, 0, std::max(range, 0)));
      bar->SetSmallChange(std::max(clientWidth / 10, 1));
      bar->SetLargeChange(std::max(clientWidth - FixedWidth(), 1));
    } else if (FFixedCols < maxLeft) {
      bar->SetScrollParams(0, 127, 0, bar->Position());
      const int steps = FColCount - VisibleColCount() - FFixedCols;
      const int small = std::max(127 / std::max(1, steps), 1);
      bar->SetSmallChange(small);
      bar->SetLargeChange(small);
      FHBarWanted = true;
    } else {
      bar->SetScrollParams(0, 0, 0, 0);
      FHBarWanted = false;
    }
    ApplyBarVisibility(bar, FHBarWanted);
    // Showing or hiding the bar may have resized the grid (an aligned grid).
    if (width() == clientWidth) break;
  }
  if (FLeftCol > MaxLeftCol()) SetLeftCol(MaxLeftCol());
  SetColOffset(ScrollsByPixels() ? FColOffset : 0);
  SyncScrollPositions();
}

int TspSkinCustomGrid::MaxColOffset() const {
  if (!ScrollsByPixels()) return 0;
  return std::max(ColWidths(FFixedCols) - (width() - FixedWidth()), 0);
}

void TspSkinCustomGrid::SetColOffset(int value) {
  value = std::clamp(value, 0, MaxColOffset());
  if (value == FColOffset) return;
  const int dx = FColOffset - value;
  FColOffset = value;
  TopLeftChanged();
  SyncScrollPositions();
  MoveArea(QRect(FixedWidth(), 0, width() - FixedWidth(), height()), dx, 0);
}

void TspSkinCustomGrid::MoveArea(const QRect& area, int dx, int dy) {
  // Moved pixels would not match a background picture or what lies behind.
  const TspDataSkinGridControl* rec = GridRecord();
  const bool background =
      FTransparent || (rec && SkinData() && SkinData()->ValidPictureIndex(rec->bgpictureindex));
  if (background || std::abs(dx) >= area.width() || std::abs(dy) >= area.height())
    update(area);
  else
    scroll(dx, dy, area);
}

void TspSkinCustomGrid::SyncScrollPositions() {
  TspSkinScrollBar* bar = FHScrollBar;
  if (!bar) return;
  if (ScrollsByPixels()) {
    const int range = MaxColOffset();
    bar->SetPositionQuiet(layoutDirection() == Qt::RightToLeft ? range - FColOffset : FColOffset);
    return;
  }
  const int span = MaxLeftCol() - FFixedCols;
  int position = MulDiv(FLeftCol - FFixedCols, 127, span);
  if (layoutDirection() == Qt::RightToLeft) position = 127 - position;
  bar->SetPositionQuiet(position);
}

void TspSkinCustomGrid::HScroll(int code, int position) {
  if (isVisible() && focusPolicy() != Qt::NoFocus && isEnabled()) setFocus();
  if (ScrollsByPixels()) {
    const int range = MaxColOffset();
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    const int line = FHScrollBar ? FHScrollBar->SmallChange() : std::max(width() / 10, 1);
    const int page = std::max(width() - FixedWidth(), 1);
    int offset = FColOffset;
    switch (code) {
    case SB_LINEUP:
      offset -= line;
      break;
    case SB_LINEDOWN:
      offset += line;
      break;
    case SB_PAGEUP:
      offset -= page;
      break;
    case SB_PAGEDOWN:
      offset += page;
      break;
    case SB_THUMBTRACK:
      if (!(FGridOptions & goThumbTracking)) return;
      [[fallthrough]];
    case SB_THUMBPOSITION:
      // The bar reads from the right in a right-to-left grid.
      offset = rtl ? range - position : position;
      break;
    case SB_TOP:
      offset = 0;
      break;
    case SB_BOTTOM:
      offset = range;
      break;
    default:
      return;
    }
    SetColOffset(offset);
    SyncScrollPositions();
    return;
  }
  const int maxLeft = MaxLeftCol();
  const int lw = ColLineWidth();
  int left = FLeftCol;
  // Steps pass over columns nobody can see.
  auto step = [&](int from, int by) {
    int c = from + by;
    while (c > FFixedCols && c < maxLeft && ColWidths(c) == 0) c += by;
    return c;
  };
  switch (code) {
  case SB_LINEUP:
    left = step(left, -1);
    break;
  case SB_LINEDOWN:
    left = step(left, 1);
    break;
  case SB_PAGEUP: {
    int fixed = 0;
    for (int c = 0; c < FFixedCols; ++c) fixed += ColWidths(c) + lw;
    const int room = width() - fixed;
    int used = 0, n = 0;
    for (int c = left - 1; c >= FFixedCols && used + ColWidths(c) <= room; --c, ++n)
      used += ColWidths(c) + lw;
    left -= std::max(n, 1);
    break;
  }
  case SB_PAGEDOWN:
    left += std::max(VisibleColCount() - 1, 1);
    break;
  case SB_THUMBTRACK:
    if (!(FGridOptions & goThumbTracking)) return;
    [[fallthrough]];
  case SB_THUMBPOSITION:
    // The bar shows 127 - x when read from the right.
    if (layoutDirection() == Qt::RightToLeft) position = 127 - position;
    left = FFixedCols + MulDiv(position, maxLeft - FFixedCols, 127);
    break;
  case SB_TOP:
    left = FFixedCols;
    break;
  case SB_BOTTOM:
    left = maxLeft;
    break;
  default:
    return;
  }
  SetLeftCol(std::clamp(left, FFixedCols, maxLeft));
}

void TspSkinCustomGrid::VScroll(int code, int position) {
  const int visible = std::max(VisibleRowCount(), 1);
  const int maxTop = std::max(FFixedRows, FRowCount - visible);
  int top = FTopRow;
  switch (code) {
  case SB_LINEUP:
    --top;
    break;
  case SB_LINEDOWN:
    ++top;
    break;
  case SB_PAGEUP:
    top -= visible;
    break;
  case SB_PAGEDOWN:
    top += visible;
    break;
  case SB_THUMBTRACK:
    if (!(FGridOptions & goThumbTracking)) return;
    [[fallthrough]];
  case SB_THUMBPOSITION:
    top = FFixedRows + MulDiv(position, maxTop - FFixedRows, 127);
    break;
  case SB_TOP:
    top = FFixedRows;
    break;
  case SB_BOTTOM:
    top = maxTop;
    break;
  default:
    return;
  }
  SetTopRow(std::clamp(top, FFixedRows, maxTop));
}

void TspSkinCustomGrid::DetachBar(TspSkinScrollBar* bar) {
  if (!bar) return;
  bar->OnLastChange = nullptr;
  bar->OnChange = nullptr;
  bar->OnUpButtonClick = nullptr;
  bar->OnDownButtonClick = nullptr;
  bar->OnPageUp = nullptr;
  bar->OnPageDown = nullptr;
}

void TspSkinCustomGrid::AttachBar(TspSkinScrollBar* bar, bool vertical) {
  bar->setEnabled(true);
  bar->hide();
  // Every command reaches the grid at once, as a message sent to its window would.
  if (vertical) {
    bar->OnLastChange = [this](QObject*) { VScroll(SB_THUMBPOSITION, FVScrollBar->Position()); };
    bar->OnUpButtonClick = [this](QObject*) { VScroll(SB_LINEDOWN, 0); };
    bar->OnDownButtonClick = [this](QObject*) { VScroll(SB_LINEUP, 0); };
    bar->OnPageUp = [this](QObject*) { VScroll(SB_PAGEUP, 0); };
    bar->OnPageDown = [this](QObject*) { VScroll(SB_PAGEDOWN, 0); };
  } else {
    bar->OnLastChange = [this](QObject*) { HScroll(SB_THUMBPOSITION, FHScrollBar->Position()); };
    bar->OnUpButtonClick = [this](QObject*) {
      FHScrollBar->SetPositionQuiet(FHScrollBar->Position() + FHScrollBar->SmallChange());
      HScroll(SB_THUMBPOSITION, FHScrollBar->Position());
    };
    bar->OnDownButtonClick = [this](QObject*) {
      FHScrollBar->SetPositionQuiet(FHScrollBar->Position() - FHScrollBar->SmallChange());
      HScroll(SB_THUMBPOSITION, FHScrollBar->Position());
    };
    bar->OnPageUp = [this](QObject*) { HScroll(SB_PAGEUP, 0); };
    bar->OnPageDown = [this](QObject*) { HScroll(SB_PAGEDOWN, 0); };
  }
}

void TspSkinCustomGrid::SetHScrollBar(TspSkinScrollBar* value) {
  if (value == FHScrollBar) return;
  DetachBar(FHScrollBar);
  FHScrollBar = value;
  FHBarWanted = false;
  if (value) AttachBar(value, false);
  SyncScrollRanges();
}

void TspSkinCustomGrid::SetVScrollBar(TspSkinScrollBar* value) {
  if (value == FVScrollBar) return;
  DetachBar(FVScrollBar);
  FVScrollBar = value;
  FVBarWanted = false;
  if (value) AttachBar(value, true);
  SyncScrollRanges();
}

void TspSkinCustomGrid::ApplyBarVisibility(TspSkinScrollBar* bar, bool visible) {
  if (!bar || FDestroying) return;
  const bool show = visible && !isHidden();
  if (bar->isHidden() == !show) return;
  // The bar's showing must not re-enter the update that showed it.
  const bool was = FInUpdate;
  FInUpdate = true;
  bar->setVisible(show);
  FInUpdate = was;
}

// --- Events ---------------------------------------------------------------------------------

void TspSkinCustomGrid::resizeEvent(QResizeEvent* e) {
  TspSkinControl::resizeEvent(e);
  // Mirrored drawing, the row-select frame of the plain look and what lies behind all
  // depend on the width.
  if (layoutDirection() == Qt::RightToLeft || FTransparent ||
      ((FGridOptions & goRowSelect) && !GridRecord()))
    update();
  SyncScrollRanges();
  SizeChanged();
}

void TspSkinCustomGrid::showEvent(QShowEvent* e) {
  TspSkinControl::showEvent(e);
  ApplyBarVisibility(FHScrollBar, FHBarWanted);
  ApplyBarVisibility(FVScrollBar, FVBarWanted);
  SyncScrollRanges();
}

void TspSkinCustomGrid::hideEvent(QHideEvent* e) {
  TspSkinControl::hideEvent(e);
  // Only the grid's own hiding hides its bars, not its window's.
  if (isHidden()) {
    ApplyBarVisibility(FHScrollBar, false);
    ApplyBarVisibility(FVScrollBar, false);
  }
}

void TspSkinCustomGrid::changeEvent(QEvent* e) {
  TspSkinControl::changeEvent(e);
  if (e->type() == QEvent::FontChange || e->type() == QEvent::EnabledChange) update();
  if (e->type() == QEvent::LayoutDirectionChange) {
    // The bar reads the other way now.
    SyncScrollPositions();
    update();
  }
}

bool TspSkinCustomGrid::InSizingZone(int x, int y, int* col) const {
  if (!(FGridOptions & goColSizing)) return false;
  if (!FColSizingwithLine) {
    int fixedBottom = 0;
    for (int r = 0; r < FFixedRows; ++r) fixedBottom += RowHeights(r) + RowLineWidth();
    if (y < 0 || y >= fixedBottom) return false;
  }
  const int w = std::max(ColLineWidth(), 1);
  const int f = w <= 6 ? (7 - w) / 2 : 0;
  for (int c : ShownCols()) {
    // The indicator and other fixed columns keep their width.
    if (c < FFixedCols) continue;
    const int start = ColLeft(c) + ColWidths(c);
    if (x >= start - f && x < start + std::max(w, 7) - f) {
      if (col) *col = c;
      return true;
    }
  }
  return false;
}

void TspSkinCustomGrid::mousePressEvent(QMouseEvent* e) {
  int col = -1;
  const QPoint p = e->position().toPoint();
  if (e->button() == Qt::LeftButton && InSizingZone(p.x(), p.y(), &col)) {
    FSizingCol = col;
    FSizingStartX = p.x();
    FSizingStartWidth = ColWidths(col);
    return;
  }
  const TGridCoord cell = MouseCoord(p.x(), p.y());
  if (e->button() == Qt::LeftButton && (FGridOptions & goColMoving) && cell.Y >= 0 &&
      cell.Y < FFixedRows && cell.X >= FFixedCols) {
    FMoveFrom = cell.X;
    FMoveStartX = p.x();
    FMoving = false;
  }
  TspSkinControl::mousePressEvent(e);
}

void TspSkinCustomGrid::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (FSizingCol >= 0) {
    SetColWidths(FSizingCol, std::max(FSizingStartWidth + p.x() - FSizingStartX, 0));
    return;
  }
  // A title dragged a few pixels becomes a column move.
  if (FMoveFrom >= 0 && (e->buttons() & Qt::LeftButton) && std::abs(p.x() - FMoveStartX) >= 4) {
    FMoving = true;
    setCursor(Qt::DragMoveCursor);
    return;
  }
  if (InSizingZone(p.x(), p.y(), nullptr))
    setCursor(Qt::SplitHCursor);
  else
    unsetCursor();
  TspSkinControl::mouseMoveEvent(e);
}

void TspSkinCustomGrid::mouseReleaseEvent(QMouseEvent* e) {
  FSizingJustEnded = false;
  if (FSizingCol >= 0) {
    const int col = FSizingCol;
    FSizingCol = -1;
    FSizingJustEnded = true;
    ColumnSized(col);
    return;
  }
  if (FMoveFrom >= 0) {
    const int from = FMoveFrom;
    FMoveFrom = -1;
    if (FMoving) {
      FMoving = false;
      unsetCursor();
      const QPoint p = e->position().toPoint();
      int to = MouseCoord(p.x(), RowTop(0) + RowHeights(0) / 2).X;
      if (to < 0) to = p.x() < 0 ? FLeftCol : FColCount - 1;
      to = std::clamp(to, FFixedCols, FColCount - 1);
      if (to != from) ColumnMoved(from, to);
    }
  }
  TspSkinControl::mouseReleaseEvent(e);
}

void TspSkinCustomGrid::wheelEvent(QWheelEvent* e) {
  const int delta = e->angleDelta().y();
  if (delta == 0) {
    e->ignore();
    return;
  }
  // The current row moves within the rows shown, the view following it.
  const int row = std::clamp(FRow + (delta < 0 ? 1 : -1), FFixedRows, FRowCount - 1);
  if (row != FRow) MoveCurrent(FCol, row, true);
  e->accept();
}

// --- Record ---------------------------------------------------------------------------------

const TspDataSkinGridControl* TspSkinCustomGrid::GridRecord() const {
  const auto* rec = RecordAs<TspDataSkinGridControl>();
  return rec && !rec->fixedcellrect.IsEmpty() ? rec : nullptr;
}

const QImage* TspSkinCustomGrid::GridPicture() const {
  const auto* rec = GridRecord();
  if (!rec || !SkinData() || !SkinData()->ValidPictureIndex(rec->pictureindex)) return nullptr;
  return &SkinData()->ActivePictures[size_t(rec->pictureindex)];
}

void TspSkinCustomGrid::ApplySkin() {
  FCellImages.clear();
  TspSkinControl::ApplySkin();
}

void TspSkinCustomGrid::DropSkinRecord() {
  FCellImages.clear();
  TspSkinControl::DropSkinRecord();
}
