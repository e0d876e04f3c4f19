// Scroll bars: horizontal bars in their states (normal, hot arrow, pressed thumb, disabled),
// a vertical bar, and a vertical and a horizontal bar sharing a corner.
#include "gallery_context.h"
#include "skin/controls/scroll_bar.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace {
constexpr int kBarX = 78, kBarW = 160;
constexpr int kRowH = 24;
constexpr int kFirstRow = kSectionTop + 2;
constexpr int kRows = 4;
constexpr int kBottom = kFirstRow + kRows * kRowH; // below the last row
constexpr int kVerticalX = kBarX + kBarW + 14;
constexpr int kPairX = kVerticalX + 34, kPairRight = 382;

TspSkinScrollBar* AddBar(TGalleryContext& c, QWidget* section, TspScrollBarKind kind) {
  auto* bar = new TspSkinScrollBar(section);
  bar->SetKind(kind);
  bar->SetSkinData(c.SkinData);
  return bar;
}

// A horizontal bar centred on a 25-pixel row at its skin height.
void PlaceInRow(TspSkinScrollBar* bar, int row) {
  const int h = bar->height();
  bar->setGeometry(kBarX, kFirstRow + row * kRowH + (25 - h) / 2, kBarW, h);
}

// What the mouse would send; the bar tracks its parts from these.
void SendMouse(QWidget* to, QEvent::Type type, QPoint at) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
  QMouseEvent e(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(to, &e);
}
} // namespace

void BuildScrollBarSection(TGalleryContext& c, QWidget* section) {
  const QString names[kRows] = {Tr("Normal"), Tr("Hot"), Tr("Pressed"), Tr("Disabled")};
  TspSkinScrollBar* rows[kRows];
  for (int i = 0; i < kRows; ++i) {
    AddRowLabel(c, section, names[i], kFirstRow + i * kRowH);
    rows[i] = AddBar(c, section, TspScrollBarKind::sbHorizontal);
    rows[i]->SetScrollParams(0, 99, 25, 10 + 20 * i);
  }
  rows[kRows - 1]->setEnabled(false);
  TspSkinScrollBar* hot = rows[1];
  TspSkinScrollBar* pressed = rows[2];

  TspSkinScrollBar* vertical = AddBar(c, section, TspScrollBarKind::sbVertical);
  vertical->SetScrollParams(0, 99, 0, 30);

  // A scroll box's pair: the horizontal bar runs under the vertical one and holds the corner.
  TspSkinScrollBar* pairV = AddBar(c, section, TspScrollBarKind::sbVertical);
  pairV->SetScrollParams(0, 99, 40, 20);
  TspSkinScrollBar* pairH = AddBar(c, section, TspScrollBarKind::sbHorizontal);
  pairH->SetScrollParams(0, 99, 60, 40);
  pairH->SetBoth(true);

  // Bars take their skin's thickness: lay them out again after every skin change.
  c.AfterSkinChange.push_back([=] {
    for (int i = 0; i < kRows; ++i) PlaceInRow(rows[i], i);
    vertical->setGeometry(kVerticalX, kFirstRow, vertical->width(), kBottom - kFirstRow - 2);
    const int thick = pairH->height();
    pairH->SetBothMarkerWidth(pairV->width());
    pairH->setGeometry(kPairX, kBottom - 2 - thick, kPairRight - kPairX, thick);
    pairV->setGeometry(kPairRight - pairV->width(), kFirstRow, pairV->width(),
                       kBottom - 2 - thick - kFirstRow);

    // The far arrow under the mouse, and the thumb held down.
    hot->UpdateLayout();
    SendMouse(hot, QEvent::MouseMove, hot->Part(TspSkinScrollBar::UpButtonPart).Rect.center());
    if (pressed->Dragging())
      SendMouse(pressed, QEvent::MouseButtonRelease,
                pressed->Part(TspSkinScrollBar::ThumbPart).Rect.center());
    pressed->UpdateLayout();
    SendMouse(pressed, QEvent::MouseButtonPress,
              pressed->Part(TspSkinScrollBar::ThumbPart).Rect.center());
  });
}
