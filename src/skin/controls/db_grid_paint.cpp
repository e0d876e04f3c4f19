// The data grid's cells: the indicator with its glyphs, the titles and the data cells, from
// the record's cell images or in the plain look.
#include "skin/controls/db_grid.h"

#include "skin/controls/plain_look.h"
#include "skin/data/skin_data.h"
#include "store/table_cursor.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace {

// The glyphs, 6 x 11, '#' black.
const char* const kGlyphs[5][11] = {
    // arrow: row r has min(r, 10 - r) + 1 pixels from the left
    {"#     ", "##    ", "###   ", "####  ", "##### ", "######", "##### ", "####  ", "###   ",
     "##    ", "#     "},
    // edit: an I-beam
    {"      ", "## ## ", "  #   ", "  #   ", "  #   ", "  #   ", "  #   ", "  #   ", "  #   ",
     "## ## ", "      "},
    // insert: an asterisk
    {"      ", "      ", "  #   ", "# # # ", " ###  ", "#####", " ###  ", "# # # ", "  #   ",
     "      ", "      "},
    // multi-dot: a round dot
    {"      ", "      ", "      ", " ##   ", "####  ", "####  ", " ##   ", "      ", "      ",
     "      ", "      "},
    // multi-arrow: an arrow outline
    {"#     ", "##    ", "# #   ", "#  #  ", "#   # ", "#    #", "#   # ", "#  #  ", "# #   ",
     "##    ", "#     "},
};

QImage GlyphImage(const char* const rows[11]) {
  QImage image(6, 11, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 6 && rows[y][x]; ++x)
      if (rows[y][x] == '#') image.setPixel(x, y, qRgb(0, 0, 0));
  return image;
}

// The three strokes of the plain check box's mark, from (x, y).
void DrawPlainCheck(QPainter& p, int x, int y, const QColor& colour) {
  p.setPen(colour);
  for (int k = 0; k < 3; ++k) {
    const int a = y - k + 5;
    p.drawPoint(x, a);
    p.drawPoint(x + 1, a + 1);
    for (int i = 0; i < 5; ++i) p.drawPoint(x + 2 + i, a + 2 - i);
  }
}

// The image with its bottom-left pixel's colour left out.
QImage KeyedImage(const QImage& source) {
  QImage image = source.convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) return image;
  const QRgb key = image.pixel(0, image.height() - 1);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) line[x] = 0;
  }
  return image;
}

} // namespace

const TspImageList& TspSkinCustomDBGrid::BuiltinIndicators() {
  static TspImageList list;
  if (list.Images.empty())
    for (const auto& rows : kGlyphs) list.Images.push_back(GlyphImage(rows));
  return list;
}

bool TspSkinCustomDBGrid::RowMarked(int record) const {
  if (!(FOptions & dgMultiSelect) || FSelectedRows.Count() == 0) return false;
  const TTableCursor* cursor = DataSet();
  const int row = FDataLink.FirstRow() + record;
  if (!cursor || row < 0 || row >= cursor->RecordCount()) return false;
  // Rows are told apart by their key, as the cursor's bookmarks are.
  const int key = cursor->FieldIndex(QStringLiteral("ID"));
  return key >= 0 && FSelectedRows.Contains(cursor->FieldAtRow(row, key));
}

void TspSkinCustomDBGrid::DrawCell(QPainter& p, int col, int row, const QRect& rect,
                                   TGridDrawState state) {
  const int k = col - FIndicatorOffset;
  const int r = row - FTitleOffset;
  if (k < 0) {
    if (r < 0) {
      // The corner: the plain title look.
      const QImage image = CellImage(true, false, rect.size(), nullptr);
      if (!image.isNull()) p.drawImage(rect.topLeft(), image);
      return;
    }
    DrawIndicatorCell(p, r, rect);
    return;
  }
  if (k >= FColumns.Count()) {
    p.fillRect(rect, SkinColor(GridRecord() ? GridRecord()->bgcolor : Color()));
    return;
  }
  const TspColumn& column = *FColumns[k];
  if (!column.Showing()) return;
  if (r < 0) {
    DrawTitleCell(p, column, rect);
    return;
  }
  DrawDataCell(p, col, r, rect, state);
}

void TspSkinCustomDBGrid::DrawIndicatorCell(QPainter& p, int record, const QRect& rect) {
  const TspDataSkinGridControl* rec = GridRecord();
  int glyph = -1;
  const TTableCursor* cursor = DataSet();
  if (cursor && record < FDataLink.RecordCount()) {
    const bool active = record == FDataLink.ActiveRecord();
    const bool marked = RowMarked(record);
    if (active || marked) {
      switch (cursor->State()) {
      case TDataSetState::dsBrowse:
        glyph = active && marked ? 4 : marked ? 3 : 0;
        break;
      case TDataSetState::dsEdit:
        glyph = 1;
        break;
      case TDataSetState::dsInsert:
        glyph = 2;
        break;
      default:
        glyph = 0;
        break;
      }
    }
  }
  const TspImageList& glyphs = FIndicatorImageList ? *FIndicatorImageList : BuiltinIndicators();
  const QImage image = glyph >= 0 ? glyphs.Image(glyph) : QImage();
  if (rec) {
    QRect text;
    const QImage cell = CellImage(true, false, rect.size(), &text);
    if (!cell.isNull()) p.drawImage(CellImageAt(rect, cell), cell);
    if (!image.isNull()) {
      text.translate(CellImageAt(rect, cell));
      p.drawImage(text.left() + text.width() / 2 - image.width() / 2,
                  text.top() + text.height() / 2 - image.height() / 2, image);
    }
    return;
  }
  const bool both = (FOptions & dgColLines) && (FOptions & dgRowLines);
  const int frame = both ? 1 : 2;
  p.fillRect(rect, SkinColor(FixedColor()));
  if (!image.isNull()) {
    const int y = rect.top() + (rect.height() - image.height()) / 2;
    // Read from the right, the arrow points left from the cell's left edge.
    if (layoutDirection() == Qt::RightToLeft)
      p.drawImage(rect.left() + frame, y, image.mirrored(true, false));
    else
      p.drawImage(rect.right() + 1 - image.width() - frame, y, image);
  }
  if (both) {
    p.setPen(SkinColor(DarkenColor(ColorToRGB(FixedColor()), 20)));
    p.drawRect(rect.adjusted(0, 0, -1, -1));
  }
}

void TspSkinCustomDBGrid::DrawTitleCell(QPainter& p, const TspColumn& column, const QRect& rect) {
  const TspDataSkinGridControl* rec = GridRecord();
  if (rec) {
    QRect text;
    const QImage cell = CellImage(true, false, rect.size(), &text);
    if (!cell.isNull()) p.drawImage(CellImageAt(rect, cell), cell);
    QFont font = HeaderFont(&column);
    TColor bg = column.Title().Color();
    if (OnGetCellParam) OnGetCellParam(this, const_cast<TspColumn*>(&column), gdFixed, bg, font);
    p.setFont(font);
    p.setPen(SkinColor(rec->fixedfontcolor));
    DrawCellText(p, text.translated(CellImageAt(rect, cell)), 0, column.Title().Caption(),
                 column.Title().Alignment(), true, QColor());
    return;
  }
  const bool both = (FOptions & dgColLines) && (FOptions & dgRowLines);
  const int frame = both ? 1 : 2;
  const TColor colour = column.Title().Color();
  p.fillRect(rect, SkinColor(colour));
  p.setFont(column.Title().Font());
  p.setPen(SkinColor(column.Title().FontColor()));
  QRect area = rect;
  if (column.Expanded())
    area.setRight(area.right() - style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  DrawCellText(p, both ? area.adjusted(1, 1, -1, -1) : area, frame, column.Title().Caption(),
               column.Title().Alignment(), true, QColor());
  if (both) {
    p.setPen(SkinColor(DarkenColor(ColorToRGB(colour), 20)));
    p.drawRect(rect.adjusted(0, 0, -1, -1));
  }
}

void TspSkinCustomDBGrid::DrawDataCell(QPainter& p, int col, int record, const QRect& rect,
                                       TGridDrawState state) {
  const TspDataSkinGridControl* rec = GridRecord();
  const TspColumn* column = FColumns[col - FIndicatorOffset];
  const TTableCursor* cursor = DataSet();
  QFont font = DataFont(column);
  TColor bg = rec ? rec->bgcolor : column->Color();
  if (!cursor || record >= FDataLink.RecordCount()) {
    p.fillRect(rect, SkinColor(bg));
    return;
  }
  const bool focused = GridFocused();
  const bool editing = EditorShowing();
  const bool selected = state & gdSelected;
  const bool highlight =
      RowMarked(record) || (selected && ((FOptions & dgAlwaysShowSelection) || focused) &&
                            (!editing || (FOptions & dgRowSelect)));
  if (OnGetCellParam) OnGetCellParam(this, const_cast<TspColumn*>(column), state, bg, font);
  const int field = column->FieldIndex();
  const TFieldKind kind = field >= 0 ? cursor->FieldKind(field) : TFieldKind::Other;
  const QVariant value = FDataLink.Value(record, field);
  const QString text = CellText(record, *column);
  p.setFont(font);

  if (DefaultDrawing()) {
    QRect textRect;
    bool onImage = false;
    QColor textColour;
    if (rec) {
      const bool focusLook =
          focused && ((state & gdFocused) || (selected && (FOptions & dgRowSelect)));
      if (focusLook || selected || highlight) {
        const QImage cell = CellImage(false, focusLook, rect.size(), &textRect);
        if (!cell.isNull()) {
          p.drawImage(CellImageAt(rect, cell), cell);
          onImage = true;
          textRect.translate(CellImageAt(rect, cell));
        }
        textColour = SkinColor(focusLook ? rec->focusfontcolor : rec->selectfontcolor);
        if (OnGetCellParam) OnGetCellParam(this, const_cast<TspColumn*>(column), state, bg, font);
      }
      if (!onImage) {
        const TspRect& tr = rec->celltextrect;
        const TspRect& sel = rec->selectcellrect;
        if (!Transparent()) p.fillRect(rect, SkinColor(bg));
        // The insets of the cell images' text rectangle, on the mirrored sides when read
        // from the right.
        int inLeft = tr.Left, inRight = sel.Width() - tr.Right;
        if (layoutDirection() == Qt::RightToLeft) std::swap(inLeft, inRight);
        textRect =
            QRect(QPoint(rect.left() + inLeft, rect.top() + tr.Top),
                  QPoint(rect.right() - inRight, rect.bottom() + 1 + tr.Bottom - sel.Height() - 1));
        if (textColour == QColor()) textColour = SkinColor(rec->fontcolor);
      }
    } else {
      textRect = rect;
      if (highlight) {
        bg = clHighlight;
        textColour = SkinColor(clHighlightText);
      } else {
        textColour = isEnabled() ? SkinColor(clWindowText) : SkinColor(clGrayText);
      }
      if (!Transparent() || highlight) p.fillRect(rect, SkinColor(bg));
      FFocusDotsColor = textColour;
    }
    p.setPen(textColour);
    if (kind == TFieldKind::Boolean) {
      DrawBooleanMark(p, rect, !value.isNull() && value.toBool(), rec != nullptr, textColour);
    } else {
      const bool transparentText =
          onImage || Transparent() ||
          (rec && SkinData() && SkinData()->ValidPictureIndex(rec->bgpictureindex));
      DrawCellText(p, textRect, rec ? 0 : 2, text, column->Alignment(), transparentText,
                   SkinColor(bg));
    }
  }
  if (OnDrawDataCell && FColumns.State() == TspDBGridColumnsState::csDefault)
    OnDrawDataCell(this, p, rect, field, state);
  if (OnDrawColumnCell)
    OnDrawColumnCell(this, p, rect, col - FIndicatorOffset, const_cast<TspColumn*>(column), state);
}

void TspSkinCustomDBGrid::DrawBooleanMark(QPainter& p, const QRect& area, bool value, bool skinned,
                                          const QColor& colour) {
  const int cx = area.left() + area.width() / 2, cy = area.top() + area.height() / 2;
  if (!skinned) {
    if (value) DrawPlainCheck(p, cx - 4, cy - 4, colour);
    return;
  }
  // The skin's check box images; a skin without the record shows no mark.
  const TspSkinData* data = SkinData();
  const int index = data ? data->FindControlData(QStringLiteral("checkbox")) : -1;
  if (index < 0) return;
  const auto* box =
      dynamic_cast<const TspDataSkinCheckRadioControl*>(data->ControlList[size_t(index)].get());
  if (!box || !data->ValidPictureIndex(box->pictureindex)) return;
  const TspRect& r = value ? box->checkimagerect : box->uncheckimagerect;
  if (r.IsEmpty()) return;
  const QImage mark = KeyedImage(data->ActivePictures[size_t(box->pictureindex)].copy(r.ToQRect()));
  p.drawImage(cx - mark.width() / 2, cy - mark.height() / 2, mark);
}

void TspSkinCustomDBGrid::DrawCellText(QPainter& p, const QRect& rect, int dx, const QString& text,
                                       TAlignment alignment, bool transparent,
                                       const QColor& background) {
  if (rect.isEmpty()) return;
  if (!transparent && background.isValid()) p.fillRect(rect, background);
  if (text.isEmpty()) return;
  const QFontMetrics fm(p.font());
  const int tw = fm.horizontalAdvance(text);
  const bool rtl = layoutDirection() == Qt::RightToLeft;
  if (rtl && alignment != TAlignment::taCenter)
    alignment = alignment == TAlignment::taLeftJustify ? TAlignment::taRightJustify
                                                       : TAlignment::taLeftJustify;
  int x = rect.left() + dx + 2;
  if (alignment == TAlignment::taRightJustify) x = rect.right() + 1 - tw - 3;
  if (alignment == TAlignment::taCenter) x = rect.left() + rect.width() / 2 - tw / 2;
  int y = rect.top() + rect.height() / 2 - fm.height() / 2;
  if (p.font().pixelSize() > 0 && p.font().pixelSize() % 2 == 1) --y;
  p.save();
  p.setClipRect(rect, Qt::IntersectClip);
  p.drawText(x, y + fm.ascent(), text);
  p.restore();
}
