// The pages: tab sheets and the page model of the page control (order, tab visibility,
// the current page and the user's selection).

#include "skin/controls/page_control_internal.h"

#include "skin/controls/control_messages.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

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
