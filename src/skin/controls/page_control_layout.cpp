// Where the page control's parts go: tab sizes and positions along the strip, the strip,
// the frame, the page area, close buttons and the tab scroller.

#include "skin/controls/mnemonic.h"
#include "skin/controls/page_control_internal.h"
#include "skin/data/record_check.h"

#include <QFontMetrics>
#include <algorithm>

using namespace page_control_detail;

// --- Geometry
// --------------------------------------------------------------------------------------

QFont TspSkinPageControl::TabFont() {
  const TspDataSkinTabControl* rec = Record();
  if (!rec) return FDefaultFont;
  return SkinFont(FUseSkinFont, rec->fontname, rec->fontheight, rec->fontstyle, FDefaultFont);
}

int TspSkinPageControl::ItemHeight() {
  if (FTabHeight > 0) return FTabHeight;
  ReadSkinRecord();
  const TspDataSkinTabControl* rec = Record();
  // A tab rectangle the picture does not hold draws no face and sets no height: tabs would
  // otherwise be images as tall as it says.
  if (const QImage* picture = rec ? FBinding.Picture(rec->pictureindex) : nullptr;
      picture && PictureHolds(*picture, rec->tabrect))
    return rec->tabrect.Height();
  return FDefaultItemHeight;
}

const std::vector<TspSkinPageControl::TabLayoutItem>& TspSkinPageControl::Layout() {
  if (FLayoutValid) return FLayout;
  ReadSkinRecord();
  FLayout.clear();
  const QFontMetrics fm(TabFont(), this);
  int imageWidth = 0;
  if (FImages)
    for (const QImage& image : FImages->Images) imageWidth = std::max(imageWidth, image.width());
  const int reserve =
      kImageReserve + imageWidth + (FShowCloseButtons ? CloseButtonRect(-1).width() : 0);
  int start = 0;
  for (TspSkinTabSheet* page : FPages) {
    if (!page->FTabVisible) continue;
    const int length = FTabWidth > 0 ? FTabWidth
                                     : fm.horizontalAdvance(ParseMnemonic(page->FCaption).Text) +
                                           2 * kTabPadding + reserve;
    FLayout.push_back({page, start, length});
    start += length;
  }
  FLayoutValid = true;
  return FLayout;
}

int TspSkinPageControl::TabsOffsetNow() {
  if (FTabsOffset > 0) return FTabsOffset;
  if (!FTabsInCenter || FTabWidth == 0) return 0;
  return std::max(width() / 2 - TabCount() * FTabWidth / 2, 0);
}

QRect TspSkinPageControl::TabRect(int tabIndex) {
  const auto& layout = Layout();
  if (tabIndex < 0 || tabIndex >= int(layout.size())) return QRect();
  const int first = std::clamp(FFirstTab, 0, std::max(int(layout.size()) - 1, 0));
  const int start = layout[size_t(tabIndex)].Start -
                    (layout.empty() ? 0 : layout[size_t(first)].Start) + TabsOffsetNow();
  const int length = layout[size_t(tabIndex)].Length;
  const int s = ItemHeight();
  switch (FTabPosition) {
  case TspTabPosition::tpBottom:
    return QRect(start, height() - s, length, s);
  case TspTabPosition::tpLeft:
    return QRect(0, start, s, length);
  case TspTabPosition::tpRight:
    return QRect(width() - s, start, s, length);
  default:
    return QRect(start, 0, length, s);
  }
}

int TspSkinPageControl::TabAt(const QPoint& pos) {
  if (FScroller && FScroller->geometry().contains(pos)) return -1;
  const int count = int(Layout().size());
  for (int i = 0; i < count; ++i)
    if (TabRect(i).contains(pos)) return i;
  return -1;
}

QRect TspSkinPageControl::FrameRect() {
  const int s = ItemHeight(), w = width(), h = height();
  switch (FTabPosition) {
  case TspTabPosition::tpBottom:
    return QRect(0, 0, w, h - s);
  case TspTabPosition::tpLeft:
    return QRect(s, 0, w - s, h);
  case TspTabPosition::tpRight:
    return QRect(0, 0, w - s, h);
  default:
    return QRect(0, s, w, h - s);
  }
}

QRect TspSkinPageControl::StripRect() {
  const int s = ItemHeight(), w = width(), h = height();
  switch (FTabPosition) {
  case TspTabPosition::tpBottom:
    return QRect(0, h - s, w, s);
  case TspTabPosition::tpLeft:
    return QRect(0, 0, s, h);
  case TspTabPosition::tpRight:
    return QRect(w - s, 0, s, h);
  default:
    return QRect(0, 0, w, s);
  }
}

QRect TspSkinPageControl::PageArea() {
  const QRect f = FrameRect();
  ReadSkinRecord();
  const TspDataSkinTabControl* rec = Record();
  if (!rec) return f.adjusted(1, 1, -1, -1);
  const TspRect& c = rec->clientrect;
  const int l = c.Left, t = c.Top, r = rec->skinrect.Width() - c.Right,
            b = rec->skinrect.Height() - c.Bottom;
  return QRect(f.left() + l, f.top() + t, std::max(f.width() - l - r, 0),
               std::max(f.height() - t - b, 0));
}

QRect TspSkinPageControl::CloseButtonRect(int tabIndex) {
  const TspDataSkinTabControl* rec = Record();
  const int size =
      rec && !rec->closebuttonrect.IsEmpty() ? rec->closebuttonrect.Width() : kPlainCloseSize;
  if (tabIndex == -1) return QRect(0, 0, size, size); // the size alone
  if (!FShowCloseButtons) return QRect();
  const QRect item = TabRect(tabIndex);
  if (item.isEmpty()) return QRect();
  // Placed in the horizontal tab image, then turned with it.
  const QSize horizontal = Horizontal() ? item.size() : item.size().transposed();
  QRect box(QPoint(0, 0), QSize(horizontal.width(), ItemHeight()));
  const bool selected = TabPage(tabIndex) == FActivePage;
  if (rec && !selected &&
      rec->tabrect.Height() != Nonempty(rec->activetabrect, rec->tabrect).Height())
    box.translate(0, FTabPosition == TspTabPosition::tpBottom ? -2 : 2);
  return OrientedRect(CloseButtonInBox(box, size, rec != nullptr), horizontal, FTabPosition)
      .translated(item.topLeft());
}

bool TspSkinPageControl::HasScroller() const {
  return !FScroller.isNull();
}

void TspSkinPageControl::Relayout() {
  FLayoutValid = false;
  const QRect area = PageArea();
  for (TspSkinTabSheet* page : FPages) page->setGeometry(area);
  UpdateScroller();
  update();
}

void TspSkinPageControl::UpdateScroller() {
  const auto& layout = Layout();
  bool need = false;
  if (Horizontal() && !layout.empty()) {
    const int total = layout.back().Start + layout.back().Length + TabsOffsetNow();
    // Tabs that all fit from the start need no scrolling, whatever was scrolled before.
    need = total > width() - 3;
  }
  if (!need) {
    if (FScroller) delete FScroller.data();
    FFirstTab = 0;
    return;
  }
  if (!FScroller) FScroller = new TspTabScroller(this);
  const int h = FDefaultItemHeight, w = 2 * FDefaultItemHeight;
  int y = 0;
  if (FTabPosition == TspTabPosition::tpBottom)
    y = height() - h;
  else if (Record())
    y = std::max(FrameRect().top() - h, 0);
  FScroller->Max = std::max(int(layout.size()) - 1, 0);
  FFirstTab = std::clamp(FFirstTab, 0, FScroller->Max);
  FScroller->setGeometry(width() - w, y, w, h);
  FScroller->raise();
  FScroller->show();
  FScroller->update();
}

void TspSkinPageControl::ScrollTo(int first) {
  const int max = std::max(TabCount() - 1, 0);
  first = std::clamp(first, 0, max);
  if (first == FFirstTab) return;
  FFirstTab = first;
  FHotTab = -1;
  UpdateScroller();
  update();
}

void TspSkinPageControl::MakeTabVisible(int tabIndex) {
  if (!Horizontal() || tabIndex < 0) return;
  if (tabIndex < FFirstTab) {
    ScrollTo(tabIndex);
    return;
  }
  // Scroll right until the tab ends left of the scroller.
  const int limit = width() - (FScroller ? FScroller->width() : 0) - 3;
  const int saved = FFirstTab;
  int first = FFirstTab;
  for (; first < tabIndex; ++first) {
    FFirstTab = first;
    if (TabRect(tabIndex).right() < limit) break;
  }
  FFirstTab = saved;
  ScrollTo(first);
}
