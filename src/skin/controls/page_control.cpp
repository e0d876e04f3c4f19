#include "skin/controls/page_control.h"
#include "skin/controls/plain_look.h"

#include "skin/controls/control_messages.h"
#include "skin/controls/paint_parent_background.h"
#include "skin/data/control_image.h"
#include "skin/render/draw_helpers.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTransform>
#include <QWheelEvent>
#include <algorithm>

namespace {

// Room on each side of a caption, as the platform's tab control keeps it.
constexpr int kTabPadding = 6;
// The platform's tab control reserves room for an image before each caption; the page
// control's own image list makes that one pixel wide.
constexpr int kImageReserve = 1;
constexpr int kPlainCloseSize = 14;
constexpr int kMaxTabFaces = 48;

// Plain tab colours.

TspRect Nonempty(const TspRect& r, const TspRect& fallback) {
  return r.IsEmpty() ? fallback : r;
}

// Every second pixel of the rectangle's edge, the pattern running on around the corners.
void DrawDottedRect(QPainter& p, const QRect& r, const QColor& color) {
  if (r.width() <= 0 || r.height() <= 0) return;
  std::vector<QPoint> dots;
  int n = 0;
  auto step = [&](int x, int y) {
    if (n++ % 2 == 0) dots.emplace_back(x, y);
  };
  const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
  for (int x = l; x < rr; ++x) step(x, t);
  for (int y = t; y < b; ++y) step(rr, y);
  for (int x = rr; x > l; --x) step(x, b);
  for (int y = b; y > t; --y) step(l, y);
  if (r.width() == 1 || r.height() == 1) dots.emplace_back(l, t);
  p.save();
  p.setPen(color);
  p.drawPoints(dots.data(), int(dots.size()));
  p.restore();
}

// A small cross of two diagonals in the middle of `r`.
void DrawCross(QPainter& p, const QRect& r, const QColor& color) {
  const int s = std::max(std::min(r.width(), r.height()) / 2 - 1, 2);
  const QPoint c = r.center();
  p.save();
  p.setPen(QPen(color, 1));
  p.drawLine(c.x() - s / 2, c.y() - s / 2, c.x() + s / 2, c.y() + s / 2);
  p.drawLine(c.x() - s / 2, c.y() + s / 2, c.x() + s / 2, c.y() - s / 2);
  p.restore();
}

// The image of a horizontal tab turned to its place: left tabs face right, right tabs left.
QImage Oriented(const QImage& image, TspTabPosition position) {
  switch (position) {
  case TspTabPosition::tpLeft:
    return image.transformed(QTransform().rotate(-90));
  case TspTabPosition::tpRight:
    return image.transformed(QTransform().rotate(90));
  default:
    return image;
  }
}

// Where a rectangle of a horizontal tab image (len x thickness) lands once turned.
QRect OrientedRect(const QRect& r, QSize horizontal, TspTabPosition position) {
  switch (position) {
  case TspTabPosition::tpLeft:
    return QRect(r.top(), horizontal.width() - r.left() - r.width(), r.height(), r.width());
  case TspTabPosition::tpRight:
    return QRect(horizontal.height() - r.top() - r.height(), r.left(), r.height(), r.width());
  default:
    return r;
  }
}

} // namespace

// --- TspTabScroller --------------------------------------------------------------------------

// The two arrow buttons that scroll a strip of tabs too long for the control, drawn from
// the record the "tab" record names in "updown".
class TspTabScroller : public QWidget {
public:
  explicit TspTabScroller(TspSkinPageControl* owner) : QWidget(owner), FOwner(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
  }

  int Max = 0;

protected:
  void paintEvent(QPaintEvent*) override {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Button));
    QPainter p(&image);
    const TspSkinData* skin = FOwner->SkinData();
    const TspDataSkinTabControl* tab = FOwner->Record();
    const TspDataSkinUpDownControl* rec = nullptr;
    if (tab && skin) {
      const int index = skin->FindControlData(tab->updown);
      if (index >= 0)
        rec = dynamic_cast<const TspDataSkinUpDownControl*>(skin->ControlList[size_t(index)].get());
    }
    const QImage* picture = rec && skin->ValidPictureIndex(rec->pictureindex)
                                ? &skin->ActivePictures[size_t(rec->pictureindex)]
                                : nullptr;
    for (int b = 0; b < 2; ++b) {
      const QRect r = Button(b);
      const bool hot = FHot == b, down = FDown == b && hot;
      const bool enabled = b == 0 ? FOwner->FirstTab() > 0 : FOwner->FirstTab() < Max;
      if (picture) {
        const TspRect normal = b == 0 ? rec->downbuttonrect : rec->upbuttonrect;
        const TspRect active =
            Nonempty(b == 0 ? rec->activedownbuttonrect : rec->activeupbuttonrect, normal);
        const TspRect pressed =
            Nonempty(b == 0 ? rec->downdownbuttonrect : rec->downupbuttonrect, active);
        const TspRect source = !enabled ? normal : down ? pressed : hot ? active : normal;
        const QImage piece = FOwner->Piece(*picture, source, r.size());
        if (!piece.isNull()) p.drawImage(r.topLeft(), piece);
      } else {
        p.fillRect(r, down             ? SkinColor(kPlainDownFill)
                      : hot && enabled ? SkinColor(kPlainHotFill)
                                       : palette().color(QPalette::Button));
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        const QColor arrow =
            palette().color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
        DrawArrow(p, TspRect::FromQRect(r), QColorToColor(arrow), b == 0 ? 1 : 2);
      }
    }
    p.end();
    QPainter(this).drawImage(0, 0, image);
  }

  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    FDown = HitButton(e->position().toPoint());
    update();
  }

  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    const int b = HitButton(e->position().toPoint());
    const int down = FDown;
    FDown = -1;
    update();
    if (b >= 0 && b == down) FOwner->ScrollTo(FOwner->FirstTab() + (b == 0 ? -1 : 1));
  }

  void mouseMoveEvent(QMouseEvent* e) override {
    const int b = HitButton(e->position().toPoint());
    if (b != FHot) {
      FHot = b;
      update();
    }
  }

  void leaveEvent(QEvent*) override {
    FHot = -1;
    update();
  }

private:
  QRect Button(int b) const {
    const int half = width() / 2;
    return b == 0 ? QRect(0, 0, half, height()) : QRect(half, 0, width() - half, height());
  }
  int HitButton(const QPoint& pos) const {
    for (int b = 0; b < 2; ++b)
      if (Button(b).contains(pos)) return b;
    return -1;
  }

  TspSkinPageControl* FOwner;
  int FHot = -1;
  int FDown = -1;
};

// --- TspSkinTabSheet ---------------------------------------------------------------------------

TspSkinTabSheet::TspSkinTabSheet(TspSkinPageControl* pageControl) : QWidget(pageControl) {
  // The page paints its whole background itself.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setVisible(false);
  if (pageControl) pageControl->InsertPage(this, pageControl->PageCount());
}

TspSkinTabSheet::~TspSkinTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TspSkinTabSheet::SetPageControl(TspSkinPageControl* value) {
  if (value == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  setParent(value);
  setVisible(false);
  if (value) value->InsertPage(this, value->PageCount());
}

void TspSkinTabSheet::SetCaption(const QString& value) {
  if (value == FCaption) return;
  FCaption = value;
  if (FPageControl) FPageControl->Relayout();
}

void TspSkinTabSheet::SetTabVisible(bool value) {
  if (value == FTabVisible) return;
  FTabVisible = value;
  if (FPageControl) FPageControl->TabVisibleChanged(this);
}

void TspSkinTabSheet::SetImageIndex(int value) {
  FImageIndex = value;
  if (FPageControl) FPageControl->Relayout();
}

void TspSkinTabSheet::SetWallPaper(const QImage& value) {
  FWallPaper = value.convertToFormat(QImage::Format_RGB32);
  update();
  SendParentBackgroundChanged(this);
}

int TspSkinTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TspSkinTabSheet::SetPageIndex(int value) {
  if (FPageControl) FPageControl->MovePage(this, value);
}

int TspSkinTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int index = 0;
  for (TspSkinTabSheet* page : FPageControl->FPages) {
    if (page == this) return index;
    if (page->FTabVisible) ++index;
  }
  return -1;
}

void TspSkinTabSheet::PaintPageBackground(QPainter& painter, const QRect& area) {
  if (width() <= 0 || height() <= 0) return;
  if (!FPageControl) {
    painter.fillRect(area, palette().color(QPalette::Window));
    return;
  }
  FPageControl->ReadSkinRecord();
  FPageControl->PaintBackgroundPiece(painter, rect(), area,
                                     FWallPaper.isNull() ? nullptr : &FWallPaper);
}

void TspSkinTabSheet::PaintChildBackground(QPainter& painter, const QRect& area) {
  PaintPageBackground(painter, area);
}

void TspSkinTabSheet::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  PaintPageBackground(p, event->rect());
}

void TspSkinTabSheet::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  update();
  if (FPageControl) {
    FPageControl->ReadSkinRecord();
    const TspDataSkinTabControl* rec = FPageControl->Record();
    // A stretched background changes everywhere under the children.
    if (rec && rec->stretcheffect) SendParentBackgroundChanged(this);
  }
}

// --- TspSkinPageControl: binding and properties -------------------------------------------------

TspSkinPageControl::TspSkinPageControl(QWidget* parent)
    : QWidget(parent), FDefaultFont(DefaultSkinFont()) {
  FBinding.SkinDataName = QStringLiteral("tab");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  resize(289, 193);
}

TspSkinPageControl::~TspSkinPageControl() {
  // The pages are deleted with the widget's children after this: they must not call back.
  for (TspSkinTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

void TspSkinPageControl::SetSkinData(TspSkinData* value) {
  auto lost = [this] {
    DropSkinRecord();
    Relayout();
    for (TspSkinTabSheet* page : FPages) page->update();
  };
  if (FBinding.SetSkinData(value, this, lost))
    ApplySkin();
  else
    lost();
}

void TspSkinPageControl::SetSkinDataName(const QString& value) {
  FBinding.SkinDataName = value;
  ApplySkin();
}

void TspSkinPageControl::SetDefaultFont(const QFont& value) {
  FDefaultFont = value;
  Relayout();
}

void TspSkinPageControl::SetUseSkinFont(bool value) {
  FUseSkinFont = value;
  Relayout();
}

const TspDataSkinTabControl* TspSkinPageControl::Record() const {
  return FBinding.RecordAs<TspDataSkinTabControl>();
}

void TspSkinPageControl::ReadSkinRecord() {
  FBinding.ReadSkinRecord();
}

void TspSkinPageControl::SetDefaultItemHeight(int value) {
  FDefaultItemHeight = std::max(value, 1);
  Relayout();
}

void TspSkinPageControl::SetTabsBGTransparent(bool value) {
  FTabsBGTransparent = value;
  update();
}

void TspSkinPageControl::SetTabsInCenter(bool value) {
  // Centring needs tabs of one known width.
  if (value && FTabWidth == 0) return;
  FTabsInCenter = value;
  if (value) {
    FTabPosition = TspTabPosition::tpTop;
    FTabsBGTransparent = true;
  }
  Relayout();
}

void TspSkinPageControl::SetTabsOffset(int value) {
  FTabsOffset = value;
  if (value > 0) {
    FTabPosition = TspTabPosition::tpTop;
    FTabsBGTransparent = true;
  }
  Relayout();
}

void TspSkinPageControl::SetTabExtededDraw(bool value) {
  FTabExtededDraw = value;
  update();
}

void TspSkinPageControl::SetTabMargin(int value) {
  if (value < -1) return;
  FTabMargin = value;
  update();
}

void TspSkinPageControl::SetTabSpacing(int value) {
  FTabSpacing = value;
  update();
}

void TspSkinPageControl::SetTabLayout(TspButtonLayout value) {
  FTabLayout = value;
  update();
}

void TspSkinPageControl::SetTextInHorizontal(bool value) {
  FTextInHorizontal = value;
  update();
}

void TspSkinPageControl::SetImages(TspImageList* value) {
  if (FImages) disconnect(FImages, &QObject::destroyed, this, nullptr);
  FImages = value;
  if (value)
    connect(value, &QObject::destroyed, this, [this] {
      FImages = nullptr;
      Relayout();
    });
  Relayout();
}

void TspSkinPageControl::SetShowCloseButtons(bool value) {
  FShowCloseButtons = value;
  Relayout();
}

void TspSkinPageControl::SetTabHeight(int value) {
  FTabHeight = std::max(value, 0);
  Relayout();
}

void TspSkinPageControl::SetTabWidth(int value) {
  FTabWidth = std::max(value, 0);
  if (FTabWidth == 0) FTabsInCenter = false;
  Relayout();
}

void TspSkinPageControl::SetTabPosition(TspTabPosition value) {
  // Centred or offset tabs stay on top.
  if ((FTabsInCenter || FTabsOffset > 0) && value != TspTabPosition::tpTop) return;
  FTabPosition = value;
  FFirstTab = 0;
  Relayout();
}

// --- Page model
// -----------------------------------------------------------------------------------

TspSkinTabSheet* TspSkinPageControl::Pages(int index) const {
  return index >= 0 && index < PageCount() ? FPages[size_t(index)] : nullptr;
}

int TspSkinPageControl::TabCount() const {
  return int(std::count_if(FPages.begin(), FPages.end(),
                           [](const TspSkinTabSheet* p) { return p->FTabVisible; }));
}

TspSkinTabSheet* TspSkinPageControl::TabPage(int tabIndex) const {
  if (tabIndex < 0) return nullptr;
  for (TspSkinTabSheet* page : FPages)
    if (page->FTabVisible && tabIndex-- == 0) return page;
  return nullptr;
}

int TspSkinPageControl::TabIndex() const {
  return FActivePage ? FActivePage->TabIndex() : -1;
}

void TspSkinPageControl::SetTabIndex(int tabIndex) {
  if (tabIndex < 0) {
    SetActivePageInternal(nullptr);
    return;
  }
  if (TspSkinTabSheet* page = TabPage(tabIndex)) SetActivePageInternal(page);
}

void TspSkinPageControl::SetActivePage(TspSkinTabSheet* page) {
  if (page && page->FPageControl != this) return;
  SetActivePageInternal(page);
}

void TspSkinPageControl::SetActivePageInternal(TspSkinTabSheet* page) {
  if (page == FActivePage) return;
  TspSkinTabSheet* old = FActivePage;
  FActivePage = page;
  if (page) {
    page->setGeometry(PageArea());
    page->show();
    page->raise();
  }
  if (old) old->hide();
  if (FScroller) FScroller->raise();
  if (page && page->FTabVisible) MakeTabVisible(page->TabIndex());
  update();
}

bool TspSkinPageControl::SelectPageByUser(TspSkinTabSheet* page) {
  if (!page || page == FActivePage || page->FPageControl != this) return false;
  // The handler may hide or free pages: the target is held by a guard, not by its index.
  QPointer<TspSkinTabSheet> target(page);
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (!allow || !target || target->FPageControl != this) return false;
  SetActivePageInternal(target);
  if (OnChange) OnChange(this);
  return true;
}

TspSkinTabSheet* TspSkinPageControl::FindNextPage(bool forward, bool wrap) const {
  const int count = PageCount();
  if (count == 0) return nullptr;
  int index = FActivePage ? FActivePage->PageIndex() : (forward ? -1 : count);
  for (int steps = 0; steps < count; ++steps) {
    index += forward ? 1 : -1;
    if (index < 0 || index >= count) {
      if (!wrap) return nullptr;
      index = (index + count) % count;
    }
    TspSkinTabSheet* page = FPages[size_t(index)];
    if (page == FActivePage) return nullptr;
    if (page->FTabVisible) return page;
  }
  return nullptr;
}

void TspSkinPageControl::InsertPage(TspSkinTabSheet* page, int index) {
  index = std::clamp(index, 0, PageCount());
  FPages.insert(FPages.begin() + index, page);
  page->FPageControl = this;
  page->setGeometry(PageArea());
  FHotTab = -1;
  FLayoutValid = false;
  // A tab that appears while no page is current makes its page current.
  if (page->FTabVisible && !FActivePage) SetActivePageInternal(page);
  Relayout();
}

void TspSkinPageControl::RemovePage(TspSkinTabSheet* page) {
  const auto it = std::find(FPages.begin(), FPages.end(), page);
  if (it == FPages.end()) return;
  const int index = int(it - FPages.begin());
  FPages.erase(it);
  page->FPageControl = nullptr;
  FHotTab = -1;
  FLayoutValid = false;
  if (page == FActivePage) {
    // As the platform's page control does: the next page with a tab takes its place.
    FActivePage = nullptr;
    const int count = PageCount();
    for (int i = 0; i < count; ++i) {
      TspSkinTabSheet* next = FPages[size_t((index + i) % count)];
      if (next->FTabVisible) {
        SetActivePageInternal(next);
        break;
      }
    }
  }
  Relayout();
}

void TspSkinPageControl::MovePage(TspSkinTabSheet* page, int index) {
  const auto it = std::find(FPages.begin(), FPages.end(), page);
  if (it == FPages.end()) return;
  FPages.erase(it);
  index = std::clamp(index, 0, PageCount());
  FPages.insert(FPages.begin() + index, page);
  FHotTab = -1;
  Relayout();
}

void TspSkinPageControl::TabVisibleChanged(TspSkinTabSheet* page) {
  FHotTab = -1;
  FLayoutValid = false;
  if (!page->FTabVisible && page == FActivePage)
    SetActivePageInternal(nullptr); // hiding the current tab leaves no current page
  else if (page->FTabVisible && !FActivePage)
    SetActivePageInternal(page); // the first tab shown while none is current becomes current
  Relayout();
}

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
  if (rec && rec->tabrect.Height() > 0) return rec->tabrect.Height();
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
    const int length =
        FTabWidth > 0 ? FTabWidth
                      : fm.horizontalAdvance(QString(page->FCaption).remove(QLatin1Char('&'))) +
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
  // In the horizontal tab image: at the right end of the caption box, vertically centred.
  const QSize horizontal = Horizontal() ? item.size() : item.size().transposed();
  QRect box(QPoint(0, 0), QSize(horizontal.width(), ItemHeight()));
  const bool selected = TabPage(tabIndex) == FActivePage;
  if (rec && !selected &&
      rec->tabrect.Height() != Nonempty(rec->activetabrect, rec->tabrect).Height())
    box.translate(0, FTabPosition == TspTabPosition::tpBottom ? -2 : 2);
  const QRect r(box.right() + 1 - size - (rec ? 3 : 1), box.top() + box.height() / 2 - size / 2,
                size, size);
  return OrientedRect(r, horizontal, FTabPosition).translated(item.topLeft());
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

// --- Skin changes
// ------------------------------------------------------------------------------------

void TspSkinPageControl::DropSkinRecord() {
  FBinding.RecordIndex = -1;
  FPieces.Clear();
  FTabFaces.clear();
  FFrameStrips = TspBorderStrips();
  FFrameStripsKey = 0;
}

void TspSkinPageControl::ApplySkin() {
  DropSkinRecord();
  ReadSkinRecord();
  Relayout();
  for (TspSkinTabSheet* page : FPages) page->update();
  if (FScroller) FScroller->update();
}

// --- Painting
// -----------------------------------------------------------------------------------------

QImage TspSkinPageControl::Piece(const QImage& picture, const TspRect& rect, QSize size) {
  return FPieces.Piece(picture, rect, size);
}

void TspSkinPageControl::PaintBackgroundPiece(QPainter& p, const QRect& target,
                                              const QRect& paintArea, const QImage* wallpaper) {
  const QRect area = target & paintArea;
  if (area.isEmpty()) return;
  const TspDataSkinTabControl* rec = Record();
  const TspSkinData* skin = SkinData();
  auto tile = [&](const QImage& image) {
    if (image.isNull()) return;
    p.save();
    p.setBrushOrigin(target.topLeft());
    p.fillRect(area, QBrush(image));
    p.restore();
  };
  // A stretched piece: the whole rectangle, its height or its width, as stretchtype says.
  auto stretchSize = [&](QSize piece, QSize over) {
    if (rec->stretchtype == TspStretchType::stHorz) return QSize(piece.width(), over.height());
    if (rec->stretchtype == TspStretchType::stVert) return QSize(over.width(), piece.height());
    return over;
  };
  if (wallpaper) {
    tile(*wallpaper);
  } else if (rec && skin && skin->ValidPictureIndex(rec->bgpictureindex)) {
    const QImage& bg = skin->ActivePictures[size_t(rec->bgpictureindex)];
    const TspRect whole{0, 0, bg.width(), bg.height()};
    tile(Piece(bg, whole, rec->stretcheffect ? stretchSize(bg.size(), target.size()) : QSize()));
  } else if (!rec) {
    p.fillRect(area, palette().color(QPalette::Button));
  } else if (const QImage* picture = FBinding.Picture(rec->pictureindex)) {
    const TspRect& s = rec->skinrect;
    const TspRect& c = rec->clientrect;
    const TspRect piece{s.Left + c.Left, s.Top + c.Top, s.Left + c.Right, s.Top + c.Bottom};
    tile(Piece(*picture, piece,
               rec->stretcheffect ? stretchSize(piece.ToQRect().size(), size()) : QSize()));
  } else {
    p.fillRect(area, palette().color(QPalette::Button));
  }
}

void TspSkinPageControl::PaintFrame(QPainter& p) {
  const TspDataSkinTabControl* rec = Record();
  const QImage* picture = rec ? FBinding.Picture(rec->pictureindex) : nullptr;
  const QRect f = FrameRect();
  if (!picture || f.width() <= 0 || f.height() <= 0) return;
  if (FFrameStripsSize != f.size() || FFrameStripsKey != picture->cacheKey()) {
    TspNinePartGeometry g;
    g.ClientRect = rec->clientrect;
    g.LT = rec->lefttoppoint;
    g.RT = rec->righttoppoint;
    g.LB = rec->leftbottompoint;
    g.RB = rec->rightbottompoint;
    TspStretchFlags flags;
    flags.leftstretch = rec->leftstretch;
    flags.topstretch = rec->topstretch;
    flags.rightstretch = rec->rightstretch;
    flags.bottomstretch = rec->bottomstretch;
    flags.stretcheffect = rec->stretcheffect;
    flags.stretchtype = int(rec->stretchtype);
    const int W = rec->skinrect.Width(), H = rec->skinrect.Height();
    FFrameStrips = ComposeBorderStrips(*picture, rec->skinrect, g, f.width(), f.height(),
                                       TargetGeometry(g, W, H, f.width(), f.height()), flags);
    FFrameStripsSize = f.size();
    FFrameStripsKey = picture->cacheKey();
  }
  const TspBorderStrips& s = FFrameStrips;
  const int top = s.Top.isNull() ? 0 : s.Top.height();
  if (!s.Top.isNull()) p.drawImage(f.topLeft(), s.Top);
  if (!s.Left.isNull()) p.drawImage(f.left(), f.top() + top, s.Left);
  if (!s.Right.isNull())
    p.drawImage(f.left() + f.width() - s.Right.width(), f.top() + top, s.Right);
  if (!s.Bottom.isNull()) p.drawImage(f.left(), f.top() + f.height() - s.Bottom.height(), s.Bottom);
}

void TspSkinPageControl::PaintStripBackground(QPainter& p, const QRect& strip) {
  p.save();
  p.setClipRect(strip, Qt::IntersectClip);
  const TspDataSkinTabControl* rec = Record();
  const QImage* picture = rec ? FBinding.Picture(rec->pictureindex) : nullptr;
  if (FTabsBGTransparent || !picture) {
    if (FTabsBGTransparent)
      PaintParentBackground(this, p);
    else
      p.fillRect(strip, palette().color(QPalette::Button));
  } else {
    const TspRect& s = rec->skinrect;
    const TspRect& c = rec->clientrect;
    const TspRect client{s.Left + c.Left, s.Top + c.Top, s.Left + c.Right, s.Top + c.Bottom};
    const QImage tile = Piece(*picture, Nonempty(rec->tabsbgrect, client), QSize());
    if (!tile.isNull()) {
      p.setBrushOrigin(strip.topLeft());
      p.fillRect(strip, QBrush(tile));
    }
  }
  p.restore();
}

QImage TspSkinPageControl::TabFace(const TspRect& source, QSize size) {
  const TspDataSkinTabControl* rec = Record();
  const QImage* picture = rec ? FBinding.Picture(rec->pictureindex) : nullptr;
  if (!picture || source.IsEmpty() || size.isEmpty()) return QImage();
  for (const CachedTab& c : FTabFaces)
    if (c.PictureKey == picture->cacheKey() && c.Source == source && c.Size == size) return c.Image;
  QImage face;
  if (FTabHeight == 0) {
    ComposeHorizontalImage(face, *picture, source, rec->tableftoffset, rec->tabrightoffset,
                           rec->tabstretcheffect, size.width());
  } else {
    face = QImage(size, QImage::Format_RGB32);
    face.fill(palette().color(QPalette::Button));
    const int w = source.Width(), h = source.Height();
    ComposeStretchedImage(face, *picture, source,
                          TspRect{rec->tableftoffset, h / 4, w - rec->tabrightoffset, h - h / 4},
                          true);
  }
  if (int(FTabFaces.size()) >= kMaxTabFaces) FTabFaces.clear();
  FTabFaces.push_back({picture->cacheKey(), source, size, face});
  return face;
}

void TspSkinPageControl::DrawCloseButton(QPainter& p, const QRect& r, TspSkinTabSheet* page) {
  const TspDataSkinTabControl* rec = Record();
  const QImage* picture = rec ? FBinding.Picture(rec->pictureindex) : nullptr;
  const bool pressed = page->FClosePressed && page->FCloseHot, hot = page->FCloseHot;
  if (!rec) {
    DrawCross(p, r, hot || pressed ? Qt::white : Qt::black);
    return;
  }
  if (!rec->closebuttonrect.IsEmpty() && picture) {
    const TspRect active = Nonempty(rec->closebuttonactiverect, rec->closebuttonrect);
    const TspRect down = Nonempty(rec->closebuttondownrect, active);
    const TspRect source = pressed ? down : hot ? active : rec->closebuttonrect;
    QImage piece = picture->copy(source.ToQRect()).convertToFormat(QImage::Format_ARGB32);
    if (rec->buttontransparent) {
      const QRgb key = SkinColor(rec->buttontransparentcolor).rgb();
      for (int y = 0; y < piece.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
        for (int x = 0; x < piece.width(); ++x)
          if ((line[x] & 0xFFFFFFu) == (key & 0xFFFFFFu)) line[x] = 0;
      }
    }
    p.drawImage(r.topLeft(), piece);
    return;
  }
  // No close button of its own: the skin's small tool button with a cross.
  const TspSkinData* skin = SkinData();
  const int index = skin ? skin->FindControlData(QStringLiteral("resizetoolbutton")) : -1;
  const auto* button =
      index >= 0
          ? dynamic_cast<const TspDataSkinButtonControl*>(skin->ControlList[size_t(index)].get())
          : nullptr;
  const QImage* buttonPicture = button ? RecordPicture(*button, skin->ActivePictures) : nullptr;
  if (!button || !buttonPicture) {
    DrawCross(p, r, SkinColor(rec->fontcolor));
    return;
  }
  const TspRect active = Nonempty(button->activeskinrect, button->skinrect);
  const TspRect source = pressed ? Nonempty(button->downskinrect, active)
                         : hot   ? active
                                 : button->skinrect;
  TspControlGeometry g = ControlGeometry(*button);
  QImage face;
  const QSize size = FitSizeToSkin(g, r.size());
  ComposeControlImage(face, *buttonPicture, g, source, size);
  p.drawImage(r.topLeft(), face);
  DrawCross(p, r,
            SkinColor(pressed ? button->downfontcolor
                      : hot   ? button->activefontcolor
                              : button->fontcolor));
}

void TspSkinPageControl::DrawTabContent(QPainter& p, int tabIndex, QRect box, bool selected,
                                        bool hot, const QFont& font, const QColor& color) {
  TspSkinTabSheet* page = TabPage(tabIndex);
  if (!page) return;
  const TspDataSkinTabControl* rec = Record();
  if (FShowCloseButtons) {
    const int size = CloseButtonRect(-1).width();
    const QRect r(box.right() + 1 - size - (rec ? 3 : 1), box.top() + box.height() / 2 - size / 2,
                  size, size);
    DrawCloseButton(p, r, page);
    box.setRight(box.right() - size - 2 - (rec ? 3 : 0));
  }
  if (OnDrawSkinTab) {
    OnDrawSkinTab(tabIndex, box, selected, hot, p);
    return;
  }
  p.setFont(font);
  p.setPen(color);
  const QFontMetrics fm(font);
  const QImage image = FImages ? FImages->Image(page->FImageIndex) : QImage();
  const QString& caption = page->FCaption;
  const int flags = Qt::TextShowMnemonic | Qt::TextSingleLine;
  if (image.isNull() && !FTabExtededDraw) {
    p.drawText(box, Qt::AlignCenter | flags, caption);
    return;
  }
  const QSize text = caption.isEmpty() ? QSize() : fm.size(flags, caption);
  if (FTabExtededDraw) {
    const TspGlyphCaptionPlacement at = PlaceGlyphAndCaption(
        TspRect::FromQRect(box), image.size(), text, FTabLayout, FTabMargin, FTabSpacing);
    if (!image.isNull()) p.drawImage(at.Glyph.X, at.Glyph.Y, image);
    p.drawText(QRect(at.Caption.X, at.Caption.Y, text.width() + 2, text.height()),
               Qt::AlignCenter | flags, caption);
    return;
  }
  const int group = image.width() + 2 + text.width();
  const int x = box.left() + (box.width() - group) / 2;
  const int cy = box.top() + box.height() / 2;
  p.drawImage(x, cy - image.height() / 2, image);
  p.drawText(QRect(x + image.width() + 2, box.top(), text.width() + 1, box.height()),
             Qt::AlignLeft | Qt::AlignVCenter | flags, caption);
}

QImage TspSkinPageControl::TabImage(int tabIndex, bool selected, bool hot, bool focused) {
  const auto& layout = Layout();
  if (tabIndex < 0 || tabIndex >= int(layout.size())) return QImage();
  const int length = layout[size_t(tabIndex)].Length, s = ItemHeight();
  const TspDataSkinTabControl* rec = Record();
  const QFont font = TabFont();
  QImage face;
  QColor color;
  QRect box(0, 0, length, s);
  if (rec) {
    const TspRect active = Nonempty(rec->activetabrect, rec->tabrect);
    const TspRect focus = Nonempty(rec->focustabrect, active);
    const TspRect source = hot && !selected && !rec->mouseintabrect.IsEmpty() ? rec->mouseintabrect
                           : selected && focused                              ? focus
                           : !selected                                        ? rec->tabrect
                                                                              : active;
    const int grow = selected ? source.Height() - rec->tabrect.Height() : 0;
    face =
        TabFace(source, FTabHeight == 0 ? QSize(length, source.Height()) : QSize(length, s + grow));
    if (face.isNull()) {
      face = QImage(length, s, QImage::Format_RGB32);
      face.fill(palette().color(QPalette::Button));
    } else {
      face = face.copy();
    }
    // The first tab at the strip's left edge joins the frame's corner.
    if (selected && tabIndex == 0 && Horizontal() && TabRect(0).left() == 0) {
      const TspRect corner =
          focused ? Nonempty(rec->tableftbottomfocusrect, rec->tableftbottomactiverect)
                  : rec->tableftbottomactiverect;
      const QImage* picture = FBinding.Picture(rec->pictureindex);
      if (!corner.IsEmpty() && picture) {
        QPainter cp(&face);
        cp.drawImage(0, face.height() - corner.Height(), *picture, corner.Left, corner.Top,
                     corner.Width(), corner.Height());
      }
    }
    color = SkinColor(hot && !selected      ? rec->mouseinfontcolor
                      : selected && focused ? rec->focusfontcolor
                      : !selected           ? rec->fontcolor
                                            : rec->activefontcolor);
    if (!selected && rec->tabrect.Height() != active.Height())
      box.translate(0, 2); // unselected captions sit lower, by the selected tab's overhang
  } else {
    face = QImage(length, s, QImage::Format_RGB32);
    QPainter fp(&face);
    if (!selected) {
      face.fill(hot ? SkinColor(kPlainHotFill) : palette().color(QPalette::Button));
    } else {
      face.fill(focused ? SkinColor(kPlainDownFill) : SkinColor(kPlainHotFill));
      fp.setPen(SkinColor(kPlainFrame));
      fp.drawRect(face.rect().adjusted(0, 0, -1, -1));
    }
    color = palette().color(QPalette::ButtonText);
  }

  const bool bottom = FTabPosition == TspTabPosition::tpBottom;
  if (bottom) {
    // Bottom tabs are the top tabs turned upside down; the item is the image's lower part.
    face = face.mirrored(false, true);
    box.moveTop(face.height() - s - (box.top() > 0 ? 2 : 0));
  }
  const bool turned = !Horizontal();
  if (turned && FTextInHorizontal) {
    face = Oriented(face, FTabPosition);
    box = face.rect();
  }
  {
    QPainter p(&face);
    if (rec && rec->showfocus && focused && selected)
      DrawDottedRect(p,
                     box.adjusted(rec->focusoffsetx, rec->focusoffsety, -rec->focusoffsetx,
                                  -rec->focusoffsety),
                     color);
    DrawTabContent(p, tabIndex, box, selected, hot, font, color);
  }
  if (turned && !FTextInHorizontal) face = Oriented(face, FTabPosition);
  return face;
}

void TspSkinPageControl::PaintTo(QImage& image, const QRect& area) {
  QPainter p(&image);
  p.translate(-area.topLeft());
  ReadSkinRecord();
  const TspDataSkinTabControl* rec = Record();
  const int count = int(Layout().size());
  const bool focused = hasFocus();

  if (!rec) {
    p.fillRect(area, palette().color(QPalette::Button));
    if (count > 0) DrawBorderFrame(p);
  } else if (count == 0) {
    // No tab: the control shows its background only.
    PaintBackgroundPiece(p, rect(), area, nullptr);
    return;
  } else {
    if (!FActivePage || !FActivePage->isVisible())
      PaintBackgroundPiece(p, PageArea(), area, nullptr);
    PaintFrame(p);
    const QRect strip = StripRect();
    if (strip.intersects(area)) PaintStripBackground(p, strip);
  }

  const int selected = TabIndex();
  p.save();
  if (rec) p.setClipRect(StripRect(), Qt::IntersectClip);
  for (int i = 0; i < count; ++i) {
    if (i == selected) continue;
    const QRect r = TabRect(i);
    if (!r.intersects(area)) continue;
    p.drawImage(r.topLeft(), TabImage(i, false, i == FHotTab, focused));
  }
  p.restore();
  if (selected >= 0) {
    // The selected tab overlaps the frame, so it comes last.
    const QImage tab = TabImage(selected, true, selected == FHotTab, focused);
    const QRect r = TabRect(selected);
    QPoint at = r.topLeft();
    if (FTabPosition == TspTabPosition::tpBottom) at.ry() -= tab.height() - r.height();
    if (FTabPosition == TspTabPosition::tpRight) at.rx() -= tab.width() - r.width();
    if (QRect(at, tab.size()).intersects(area)) p.drawImage(at, tab);
  }
}

void TspSkinPageControl::DrawBorderFrame(QPainter& p) {
  p.save();
  p.setPen(palette().color(QPalette::Dark));
  p.drawRect(FrameRect().adjusted(0, 0, -1, -1));
  p.restore();
}

QImage TspSkinPageControl::PaintImage() {
  if (width() <= 0 || height() <= 0) return QImage();
  QImage image(size(), QImage::Format_RGB32);
  PaintTo(image, rect());
  return image;
}

void TspSkinPageControl::paintEvent(QPaintEvent* event) {
  if (width() <= 0 || height() <= 0) return;
  // Only the part asked for is composed: hot tracking repaints single tabs.
  const QRect area = event->rect() & rect();
  if (area.isEmpty()) return;
  QImage image(area.size(), QImage::Format_RGB32);
  PaintTo(image, area);
  QPainter(this).drawImage(area.topLeft(), image);
}

// --- Input
// ------------------------------------------------------------------------------------------

void TspSkinPageControl::RepaintTab(int tabIndex) {
  const QRect r = TabRect(tabIndex);
  if (r.isEmpty()) return;
  // The selected tab may overhang its item by a few pixels towards the page.
  update(r.adjusted(-8, -8, 8, 8));
}

void TspSkinPageControl::UpdateHot(const QPoint& pos) {
  const int hot = rect().contains(pos) ? TabAt(pos) : -1;
  if (hot != FHotTab) {
    const int old = FHotTab;
    FHotTab = hot;
    // A selected tab shows no hot look.
    if (old >= 0 && old != TabIndex()) RepaintTab(old);
    if (hot >= 0 && hot != TabIndex()) RepaintTab(hot);
  }
  if (!FShowCloseButtons) return;
  for (int i = 0; i < TabCount(); ++i) {
    TspSkinTabSheet* page = TabPage(i);
    const bool inside = i == hot && CloseButtonRect(i).contains(pos);
    if (inside != page->FCloseHot || (!inside && page->FClosePressed)) {
      page->FCloseHot = inside;
      if (!inside) page->FClosePressed = false;
      RepaintTab(i);
    }
  }
}

void TspSkinPageControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  const QPoint pos = event->position().toPoint();
  const int tab = TabAt(pos);
  if (tab < 0) return;
  TspSkinTabSheet* page = TabPage(tab);
  if (FShowCloseButtons && CloseButtonRect(tab).contains(pos)) {
    page->FCloseHot = true;
    page->FClosePressed = true;
    RepaintTab(tab);
    return;
  }
  SelectPageByUser(page);
  UpdateHot(pos);
}

void TspSkinPageControl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  if (!FShowCloseButtons) return;
  const QPoint pos = event->position().toPoint();
  for (int i = 0; i < TabCount(); ++i) {
    TspSkinTabSheet* page = TabPage(i);
    if (!page->FClosePressed) continue;
    page->FClosePressed = false;
    RepaintTab(i);
    if (!CloseButtonRect(i).contains(pos)) continue;
    bool canClose = true;
    QPointer<TspSkinTabSheet> guard(page);
    if (OnClose) OnClose(page, canClose);
    if (!guard) return;
    if (canClose) {
      page->SetTabVisible(false);
      if (FFreeOnClose) delete page;
      if (OnAfterClose) OnAfterClose(this);
    } else if (!rect().contains(pos)) {
      page->FCloseHot = false;
      update();
    }
    return;
  }
}

void TspSkinPageControl::mouseMoveEvent(QMouseEvent* event) {
  UpdateHot(event->position().toPoint());
  QWidget::mouseMoveEvent(event);
}

void TspSkinPageControl::leaveEvent(QEvent* event) {
  UpdateHot(QPoint(-1, -1));
  QWidget::leaveEvent(event);
}

void TspSkinPageControl::wheelEvent(QWheelEvent* event) {
  if (!FMouseWheelSupport || !hasFocus()) {
    QWidget::wheelEvent(event);
    return;
  }
  const int delta = event->angleDelta().y();
  if (delta != 0) SelectPageByUser(FindNextPage(delta < 0, false));
  event->accept();
}

void TspSkinPageControl::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const int key = event->key();
  if (ctrl && (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_PageDown ||
               key == Qt::Key_PageUp)) {
    const bool forward = (key == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier)) ||
                         key == Qt::Key_PageDown;
    SelectPageByUser(FindNextPage(forward, true));
    event->accept();
    return;
  }
  if (hasFocus() && !ctrl) {
    const bool h = Horizontal();
    const int previous = h ? Qt::Key_Left : Qt::Key_Up, next = h ? Qt::Key_Right : Qt::Key_Down;
    if (key == previous || key == next) {
      SelectPageByUser(FindNextPage(key == next, false));
      event->accept();
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void TspSkinPageControl::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  RepaintTab(TabIndex());
}

void TspSkinPageControl::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  RepaintTab(TabIndex());
}

void TspSkinPageControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FFrameStrips = TspBorderStrips();
  FFrameStripsKey = 0;
  Relayout();
}

bool TspSkinPageControl::event(QEvent* event) {
  if (TspControlMessageEvent::MessageOf(event) == ParentBackgroundChangedMessage) {
    if (FTabsBGTransparent) update(StripRect());
    return true;
  }
  return QWidget::event(event);
}
