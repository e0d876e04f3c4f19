// Painting of the generic grid: background, lines and cells area by area into the one image
// of the paint, and the record's cell images.
#include "skin/controls/custom_grid.h"

#include "skin/controls/focus_dots.h"
#include "skin/controls/paint_parent_background.h"
#include "skin/controls/plain_look.h"
#include "skin/data/skin_data.h"
#include "skin/render/composition.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace {

constexpr TColor kSilver = 0xC0C0C0; // RGB(192, 192, 192)
constexpr TColor kGray = 0x808080;   // RGB(128, 128, 128)
// Composed cell images of one skin: a few sizes (title, indicator, data rows) are all a
// grid needs at once.
constexpr size_t kMaxCellImages = 16;

} // namespace

void TspSkinCustomGrid::SetDefaultDrawing(bool value) {
  FDefaultDrawing = value;
  update();
}

bool TspSkinCustomGrid::GridFocused() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus && (focus == this || isAncestorOf(focus));
}

void TspSkinCustomGrid::DrawCell(QPainter&, int, int, const QRect&, TGridDrawState) {}

QImage TspSkinCustomGrid::CellImage(bool fixed, bool focused, QSize cell, QRect* textRect) {
  const TspDataSkinGridControl* rec = GridRecord();
  const QImage* picture = GridPicture();
  if (!rec || !picture || cell.width() <= 0 || cell.height() <= 0) return {};
  const bool mirrored = layoutDirection() == Qt::RightToLeft;
  for (const TCellImage& c : FCellImages)
    if (c.Fixed == fixed && c.Focused == (focused && !fixed) && c.Size == cell &&
        c.Mirrored == mirrored) {
      if (textRect) *textRect = c.Text;
      return c.Image;
    }
  TspRect source = rec->fixedcellrect;
  int left = rec->fixedcellleftoffset, right = rec->fixedcellrightoffset;
  TspRect text = rec->fixedcelltextrect;
  bool stretch = rec->fixedcellstretcheffect;
  if (!fixed) {
    // Either data-cell look stands in for the other when the skin has only one.
    const TspRect& primary = focused ? rec->focuscellrect : rec->selectcellrect;
    const TspRect& other = focused ? rec->selectcellrect : rec->focuscellrect;
    source = primary.IsEmpty() ? other : primary;
    left = rec->cellleftoffset;
    right = rec->cellrightoffset;
    text = rec->celltextrect;
    stretch = rec->cellstretcheffect;
  }
  if (source.IsEmpty()) return {};
  QImage image;
  if (FUseSkinCellHeight) {
    ComposeHorizontalImage(image, *picture, source, left, right, stretch, cell.width());
  } else {
    image = QImage(cell, QImage::Format_RGB32);
    image.fill(Qt::white);
    const TspRect inner{left, text.Top, source.Width() - right, text.Bottom};
    ComposeStretchedImage(image, *picture, source, inner, true);
  }
  if (image.isNull()) return {};
  TspRect t = text;
  t.Right += image.width() - source.Width();
  if (!FUseSkinCellHeight) t.Bottom += cell.height() - source.Height();
  QRect tr = t.ToQRect();
  if (mirrored) {
    // Read from the right, the image's ends change sides and the text goes with them.
    image = image.mirrored(true, false);
    tr.moveLeft(image.width() - tr.left() - tr.width());
  }
  if (FCellImages.size() >= kMaxCellImages) FCellImages.erase(FCellImages.begin());
  FCellImages.push_back({fixed, focused && !fixed, mirrored, cell, image, tr});
  if (textRect) *textRect = tr;
  return image;
}

QPoint TspSkinCustomGrid::CellImageAt(const QRect& cell, const QImage& image) const {
  if (layoutDirection() == Qt::RightToLeft) return {cell.right() + 1 - image.width(), cell.top()};
  return cell.topLeft();
}

void TspSkinCustomGrid::DrawSkinImage(QImage& image) {
  PaintGrid(image, GridRecord() != nullptr);
}

void TspSkinCustomGrid::DrawDefaultImage(QImage& image) {
  PaintGrid(image, false);
}

void TspSkinCustomGrid::PaintLines(QPainter& p, const std::vector<int>& cols,
                                   const std::vector<int>& rows, const QRect& area,
                                   TColor lineColor, bool fixedCols, bool fixedRows, bool skinned) {
  if (cols.empty() || rows.empty() || area.isEmpty()) return;
  const bool fixedArea = fixedCols || fixedRows;
  const bool vert = FGridOptions & (fixedArea ? goFixedVertLine : goVertLine);
  const bool horz = FGridOptions & (fixedArea ? goFixedHorzLine : goHorzLine);
  const TColor cellColour = fixedArea ? FFixedColor : (skinned ? GridRecord()->bgcolor : FColor);
  const int clw = ColLineWidth(), rlw = RowLineWidth();
  if (clw > 0) {
    const QColor c = SkinColor(vert ? lineColor : cellColour);
    for (int col : cols) {
      const int x = ColLeft(col) + ColWidths(col);
      p.fillRect(QRect(x, area.top(), clw, area.height()), c);
    }
  }
  if (rlw > 0) {
    const QColor c = SkinColor(horz ? lineColor : cellColour);
    for (int row : rows) {
      const int y = RowTop(row) + RowHeights(row);
      p.fillRect(QRect(area.left(), y, area.width(), rlw), c);
    }
  }
}

void TspSkinCustomGrid::PaintGrid(QImage& image, bool skinned) {
  if (width() < 1 || height() < 1) return;
  const TspDataSkinGridControl* rec = skinned ? GridRecord() : nullptr;
  const QImage* bgPicture = nullptr;
  if (rec && SkinData() && SkinData()->ValidPictureIndex(rec->bgpictureindex))
    bgPicture = &SkinData()->ActivePictures[size_t(rec->bgpictureindex)];

  QPainter p(&image);
  // Background: the record's picture tiled, what lies behind, or one fill that the cells and
  // the area past the last cell share.
  const bool ownBackground = (bgPicture && !FTransparent) || FTransparent;
  if (FTransparent) {
    if (FWallpaper.isNull()) {
      QImage behind;
      PaintParentBackground(this, behind);
      p.drawImage(0, 0, behind);
    } else if (FWallpaperStretch) {
      p.drawImage(image.rect(), FWallpaper);
    } else {
      p.drawTiledPixmap(image.rect(), QPixmap::fromImage(FWallpaper));
    }
  } else if (bgPicture) {
    p.drawTiledPixmap(image.rect(), QPixmap::fromImage(*bgPicture));
  } else {
    image.fill(SkinColor(rec ? rec->bgcolor : FColor));
  }

  TColor lineColor = rec ? rec->linescolor : FGridLineColor;
  if (ColorToRGB(FColor) == kSilver) lineColor = kGray;

  const std::vector<int> cols = ShownCols(), rows = ShownRows();
  const auto split = [](const std::vector<int>& all, int fixed) {
    const auto at = std::find_if(all.begin(), all.end(), [fixed](int v) { return v >= fixed; });
    return std::pair{std::vector<int>(all.begin(), at), std::vector<int>(at, all.end())};
  };
  const auto [fixedCols, scrollCols] = split(cols, FFixedCols);
  const auto [fixedRows, scrollRows] = split(rows, FFixedRows);
  const auto extent = [this](const std::vector<int>& cs, const std::vector<int>& rs) {
    if (cs.empty() || rs.empty()) return QRect();
    const int l = ColLeft(cs.front()), t = RowTop(rs.front());
    const int r = ColLeft(cs.back()) + ColWidths(cs.back()) + ColLineWidth();
    const int b = RowTop(rs.back()) + RowHeights(rs.back()) + RowLineWidth();
    return QRect(l, t, r - l, b - t);
  };

  struct TArea {
    const std::vector<int>& Cols;
    const std::vector<int>& Rows;
    bool FixedCols, FixedRows;
  };
  const TArea areas[] = {{fixedCols, fixedRows, true, true},
                         {scrollCols, fixedRows, false, true},
                         {fixedCols, scrollRows, true, false},
                         {scrollCols, scrollRows, false, false}};
  // A column scrolled by pixels slides under the fixed columns.
  const QRect scrollArea(FixedWidth(), 0, width() - FixedWidth(), height());
  const auto clipArea = [&](const TArea& a) {
    if (a.FixedCols)
      p.setClipping(false);
    else
      p.setClipRect(scrollArea);
  };
  for (const TArea& a : areas) {
    clipArea(a);
    PaintLines(p, a.Cols, a.Rows, extent(a.Cols, a.Rows), lineColor, a.FixedCols, a.FixedRows,
               rec != nullptr);
  }
  p.setClipping(false);

  const bool focused = GridFocused();
  const bool rowSelect = FGridOptions & goRowSelect;
  std::vector<QRect> focusRects;
  QColor focusColour;
  for (const TArea& a : areas) {
    clipArea(a);
    const bool fixedArea = a.FixedCols || a.FixedRows;
    for (int row : a.Rows)
      for (int col : a.Cols) {
        const QRect cell(ColLeft(col), RowTop(row), ColWidths(col), RowHeights(row));
        if (cell.isEmpty() || !cell.intersects(image.rect())) continue;
        TGridDrawState state = 0;
        if (fixedArea) state |= gdFixed;
        const bool current = row == FRow && (col == FCol || rowSelect);
        if (!fixedArea && current) state |= gdSelected;
        if (!fixedArea && row == FRow && col == FCol && focused) state |= gdFocused;
        if ((state & gdFocused) && EditorShowing()) continue;
        p.save();
        p.setClipRect(cell, a.FixedCols ? Qt::ReplaceClip : Qt::IntersectClip);
        if (FDefaultDrawing) {
          if (!rec) {
            if ((state & gdSelected) && (!(state & gdFocused) || rowSelect)) {
              p.fillRect(cell, SkinColor(clHighlight));
              p.setPen(SkinColor(clHighlightText));
            } else {
              if (fixedArea || !FTransparent)
                p.fillRect(cell, SkinColor(fixedArea ? FFixedColor : FColor));
              p.setPen(SkinColor(clWindowText));
            }
            if (fixedArea) {
              p.setPen(SkinColor(DarkenColor(ColorToRGB(FFixedColor), 20)));
              p.drawRect(cell.adjusted(0, 0, -1, -1));
            }
          } else if (!fixedArea && !(state & (gdSelected | gdFocused)) && !ownBackground) {
            p.fillRect(cell, SkinColor(rec->bgcolor));
          }
        }
        FFocusDotsColor = QColor();
        DrawCell(p, col, row, cell, state);
        p.restore();
        if (!rec && (state & gdFocused) && FDefaultDrawing && !rowSelect &&
            !((FGridOptions & goEditing) && (FGridOptions & goAlwaysShowEditor))) {
          focusRects.push_back(cell & scrollArea);
          focusColour = FFocusDotsColor.isValid() ? FFocusDotsColor : SkinColor(clWindowText);
        }
      }
  }
  p.setClipping(false);
  if (!rec && rowSelect && focused) {
    const QRect rowRect = CellRect(FFixedCols, FRow);
    if (!rowRect.isEmpty()) {
      const QRect last = extent(scrollCols, scrollRows);
      focusRects.push_back(
          QRect(rowRect.left(), rowRect.top(), last.right() - rowRect.left(), rowRect.height()));
      focusColour = SkinColor(clHighlightText);
    }
  }
  p.end();
  for (const QRect& r : focusRects) DrawFocusDots(image, r, focusColour);
}
