// skintool sheet: every control record of a skin composed at two sizes, labelled, on one
// picture, so that a person can review a whole skin at a glance.

#include "commands.h"
#include "skin/controls/control_image.h"
#include "skin/render/bmp_codec.h"
#include "skin_file.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace {
struct StateImage {
  QString Key;
  QImage Image;
};

struct Cell {
  QString Title;
  QString Note; // why a record has no composed image
  QImage Small, Large;
  std::vector<StateImage> States; // the record's other pictures: states, glyphs, items
};

// Collects the rectangles of a record that cut a picture out of the skin: every
// rectangle key but the skin rectangle itself and the areas relative to it.
class PictureRectCollector : public TspFieldVisitor {
public:
  std::vector<std::pair<QString, TspRect>> Rects;
  void Rect(const char* key, TspRect& field) override {
    const QString k = QString::fromLatin1(key).toLower();
    if (field.IsEmpty() || k == u"skinrect" || k == u"clientrect" || k.contains(u"text") ||
        k.contains(u"area"))
      return;
    Rects.emplace_back(k, field);
  }
  void Integer(const char*, int&, int) override {}
  void Color(const char*, TColor&, TColor) override {}
  void Flag(const char*, bool&) override {}
  void Point(const char*, TspPoint&) override {}
  void Text(const char*, QString&, const char*) override {}
  void FontStyle(const char*, TspFontStyles&) override {}
  void EnumValue(const char*, int&, const TspEnumInfo&) override {}
  void Lines(const char*, QStringList&) override {}
};

constexpr int kColumns = 4;
constexpr int kCellWidth = 300;
constexpr int kPad = 10;
constexpr int kTitleHeight = 34;
constexpr int kImageWidth = kCellWidth - 2 * kPad;
// The tallest sheet: one picture of at most kMaxPicturePixels.
constexpr qint64 kMaxSheetHeight = kMaxPicturePixels / (kColumns * kCellWidth);

std::vector<StateImage> StateImages(const QImage* picture, TspSkinRecord& record) {
  std::vector<StateImage> states;
  if (!picture) return states;
  PictureRectCollector collector;
  record.VisitFields(collector);
  for (const auto& [key, rect] : collector.Rects) {
    const QRect r = rect.ToQRect();
    // No wider than the cell: the rest would not show, and a skin may be huge.
    if (picture->rect().contains(r))
      states.push_back(
          {key, picture->copy(r.x(), r.y(), std::min(r.width(), kImageWidth), r.height())});
  }
  return states;
}

Cell MakeCell(const TspSkinData& skin, TspDataSkinControl& record) {
  Cell cell;
  cell.States = StateImages(RecordPicture(record, skin.ActivePictures), record);
  cell.Title = QStringLiteral("%1  (%2)").arg(record.IDName, QString(record.ClassName()).mid(11));
  try {
    const QSize skinSize(record.skinrect.Width(), record.skinrect.Height());
    cell.Small = ComposeRecord(skin, record, skinSize);
    if (cell.Small.width() > kImageWidth)
      cell.Small = cell.Small.copy(0, 0, kImageWidth, cell.Small.height());
    // The larger size shows how sides and centre stretch or tile.
    cell.Large = ComposeRecord(skin, record,
                               {std::min(kImageWidth, skinSize.width() * 2 + 40),
                                std::min(160, skinSize.height() * 2 + 20)});
  } catch (const std::exception& e) {
    cell.Note = QString::fromLocal8Bit(e.what());
  }
  return cell;
}

constexpr int kStateLabelHeight = 13;
constexpr int kStateLabelWidth = 84;

// Lays the state images out in rows under the composed ones; returns the height used.
int LayOutStates(const Cell& c, int width, std::vector<QPoint>* places) {
  int x = 0, y = 0, rowHeight = 0;
  for (const StateImage& s : c.States) {
    const int w = std::max(s.Image.width(), kStateLabelWidth),
              h = s.Image.height() + kStateLabelHeight;
    if (x > 0 && x + w > width) {
      x = 0;
      y += rowHeight + 4;
      rowHeight = 0;
    }
    if (places) places->push_back({x, y});
    x += w + 6;
    rowHeight = std::max(rowHeight, h);
  }
  return c.States.empty() ? 0 : y + rowHeight + kPad;
}

// An object of the frame: its state images come from its active picture.
Cell MakeObjectCell(const TspSkinData& skin, TspDataSkinObject& object) {
  Cell cell;
  cell.Title = QStringLiteral("%1  (%2)").arg(object.IDName, QString(object.ClassName()).mid(3));
  const int i = object.activepictureindex;
  cell.States =
      StateImages(skin.ValidPictureIndex(i) ? &skin.ActivePictures[size_t(i)] : nullptr, object);
  if (cell.States.empty()) cell.Note = QStringLiteral("drawn on the frame picture");
  return cell;
}

// The frame pictures, scaled down to fit a cell.
Cell MakeFrameCell(const QString& title, const QImage& picture) {
  Cell cell;
  cell.Title = title;
  if (picture.isNull()) {
    cell.Note = QStringLiteral("empty");
    return cell;
  }
  cell.Small = picture.width() > kImageWidth
                   ? picture.scaledToWidth(kImageWidth, Qt::FastTransformation)
                   : picture;
  return cell;
}

int CellHeight(const Cell& c) {
  const int images = c.Small.height() + (c.Large.isNull() ? 0 : c.Large.height() + kPad);
  return kTitleHeight + std::max(images, 16) + kPad + LayOutStates(c, kImageWidth, nullptr);
}
} // namespace

int RunSheet(const QStringList& args) {
  const auto skin = LoadSkin(args[0]);
  std::vector<Cell> cells;
  // A row is at least the average height of its cells, so this sum bounds the sheet from
  // below: stop as soon as it is too tall, before a huge skin fills the memory with cells.
  qint64 cellHeights = 0;
  const auto add = [&](Cell cell) {
    cellHeights += CellHeight(cell);
    if (cellHeights / kColumns > kMaxSheetHeight)
      throw ToolError(
          QStringLiteral("the skin has too many or too large records for one sheet").toStdString());
    cells.push_back(std::move(cell));
  };
  add(MakeFrameCell(QStringLiteral("frame picture"), skin->Picture));
  add(MakeFrameCell(QStringLiteral("inactive frame picture"), skin->InactivePicture));
  // Frame buttons and menu items are objects: their state images go on the sheet too.
  for (const auto& object : skin->ObjectList) add(MakeObjectCell(*skin, *object));
  for (const auto& record : skin->ControlList) add(MakeCell(*skin, *record));

  // Rows are as tall as their tallest cell.
  std::vector<int> rowHeights;
  for (size_t i = 0; i < cells.size(); i += kColumns) {
    int h = 0;
    for (size_t j = i; j < std::min(cells.size(), i + kColumns); ++j)
      h = std::max(h, CellHeight(cells[j]));
    rowHeights.push_back(h);
  }
  const int headerHeight = 40;
  qint64 total = headerHeight;
  for (int h : rowHeights) total += h;
  if (total > kMaxSheetHeight)
    throw ToolError(QStringLiteral("the sheet would be %1 pixels tall, more than %2")
                        .arg(total)
                        .arg(kMaxSheetHeight)
                        .toStdString());

  QImage sheet(kColumns * kCellWidth, int(std::max<qint64>(total, headerHeight + 1)),
               QImage::Format_RGB32);
  sheet.fill(QColor(0xF3, 0xF5, 0xF8));
  QPainter p(&sheet);
  QFont titleFont(QStringLiteral("DejaVu Sans"));
  titleFont.setPixelSize(16);
  titleFont.setBold(true);
  p.setFont(titleFont);
  p.setPen(QColor(0x1E, 0x24, 0x30));
  p.drawText(QRect(kPad, 0, sheet.width() - 2 * kPad, headerHeight), Qt::AlignVCenter,
             QStringLiteral("%1: %2 objects, %3 control records")
                 .arg(skin->SkinName)
                 .arg(skin->ObjectList.size())
                 .arg(skin->ControlList.size()));

  QFont labelFont(QStringLiteral("DejaVu Sans"));
  labelFont.setPixelSize(11);
  p.setFont(labelFont);
  int y = headerHeight;
  for (size_t row = 0; row < rowHeights.size(); ++row) {
    for (size_t col = 0; col < kColumns; ++col) {
      const size_t i = row * kColumns + col;
      if (i >= cells.size()) break;
      const Cell& c = cells[i];
      const int x = int(col) * kCellWidth;
      p.fillRect(x + 2, y + 2, kCellWidth - 4, rowHeights[row] - 4, QColor(0xFF, 0xFF, 0xFF));
      p.setPen(QColor(0x1E, 0x24, 0x30));
      p.drawText(QRect(x + kPad, y + 4, kCellWidth - 2 * kPad, kTitleHeight - 8),
                 Qt::AlignLeft | Qt::AlignVCenter, c.Title);
      int iy = y + kTitleHeight;
      if (!c.Note.isEmpty()) {
        p.setPen(QColor(0x8A, 0x93, 0xA3));
        p.drawText(QRect(x + kPad, iy, kCellWidth - 2 * kPad, 16), Qt::AlignLeft, c.Note);
        iy += 16 + kPad;
      } else {
        p.drawImage(x + kPad, iy, c.Small);
        iy += c.Small.height() + kPad;
        if (!c.Large.isNull()) p.drawImage(x + kPad, iy, c.Large);
        iy += (c.Large.isNull() ? 0 : c.Large.height() + kPad);
      }
      std::vector<QPoint> places;
      LayOutStates(c, kImageWidth, &places);
      p.setPen(QColor(0x8A, 0x93, 0xA3));
      for (size_t k = 0; k < c.States.size(); ++k) {
        const QPoint at = places[k] + QPoint(x + kPad, iy);
        const int labelWidth = std::max(c.States[k].Image.width(), kStateLabelWidth);
        p.drawText(QRect(at.x(), at.y(), labelWidth, kStateLabelHeight),
                   Qt::AlignLeft | Qt::AlignTop,
                   p.fontMetrics().elidedText(c.States[k].Key, Qt::ElideRight, labelWidth));
        p.drawImage(at.x(), at.y() + kStateLabelHeight, c.States[k].Image);
      }
    }
    y += rowHeights[row];
  }
  p.end();
  if (!sheet.save(args[1], "PNG"))
    throw ToolError(QStringLiteral("cannot write %1").arg(args[1]).toStdString());
  return 0;
}
