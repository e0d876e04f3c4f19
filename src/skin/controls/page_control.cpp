// The page control's binding, properties, skin changes and input; its pages, layout and
// painting are in page_control_model.cpp, page_control_layout.cpp and
// page_control_paint.cpp.

#include "skin/controls/page_control_internal.h"

#include "skin/controls/control_messages.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>

using namespace page_control_detail;

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

// --- Skin changes
// ------------------------------------------------------------------------------------

void TspSkinPageControl::DropSkinRecord() {
  FBinding.Drop();
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
