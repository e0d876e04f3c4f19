#include "skin/frame/skin_menu.h"

#include "skin/controls/skin_binding.h"
#include "skin/data/skin_data.h"
#include "skin/frame/menu_placement.h"
#include "skin/frame/popup_window.h"
#include "skin/frame/vestimar.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

namespace {

constexpr int kSubMenuDelayMs = 500;
constexpr int kFadeStepMs = 5;

bool HasVisibleItem(const QMenu* menu, int first) {
  const QList<QAction*> actions = menu->actions();
  for (qsizetype i = std::max(first, 0); i < actions.size(); ++i)
    if (actions[i]->isVisible()) return true;
  return false;
}

TspRect WorkAreaFor(const QWidget* form, const TspRect& anchor) {
  const QScreen* s = form ? form->screen() : nullptr;
  if (!s) s = QGuiApplication::screenAt(QPoint(anchor.Left, anchor.Top));
  if (!s) s = QGuiApplication::primaryScreen();
  return s ? TspRect::FromQRect(s->availableGeometry()) : TspRect{0, 0, 1024, 768};
}

} // namespace

// --- TspSkinMenu -----------------------------------------------------------------------------

TspSkinMenu::TspSkinMenu(QWidget* form) : QObject(form), FForm(form) {
  FOptions.DefaultItemFont = DefaultSkinFont();
  FWaitTimer.setSingleShot(true);
  FWaitTimer.setInterval(kSubMenuDelayMs);
  connect(&FWaitTimer, &QTimer::timeout, this, [this] { WaitTimeout(); });
  FFadeTimer.setInterval(kFadeStepMs);
  connect(&FFadeTimer, &QTimer::timeout, this, [this] { FadeStep(); });
}

TspSkinMenu::~TspSkinMenu() {
  // No notifications from a menu that goes away: its owners may be half destroyed.
  OnMenuClose = nullptr;
  OnPopupControlClosed = nullptr;
  OnResultControlCommand = nullptr;
  for (TspSkinPopupWindow* w : FLevels) {
    w->Closing = true;
    delete w;
  }
  FLevels.clear();
}

TspSkinMenu* TspSkinMenu::ForWindow(QWidget* widget) {
  QWidget* form = widget ? widget->window() : QApplication::activeWindow();
  if (!form) return nullptr;
  if (TspVestimar* frame = TspVestimar::ForWindow(form)) return frame->SkinMenu();
  if (auto* m = form->findChild<TspSkinMenu*>(QString(), Qt::FindDirectChildrenOnly)) return m;
  return new TspSkinMenu(form);
}

void TspSkinMenu::SetDefaultItemHeight(int value) {
  if (value > 0) FOptions.DefaultItemHeight = value;
}

void TspSkinMenu::SetAlphaBlendValue(int value) {
  FOptions.AlphaBlendValue = std::clamp(value, 0, 255);
}

void TspSkinMenu::SetMaxItemsInWindow(int value) {
  if (value >= 0) FOptions.MaxItemsInWindow = value;
}

void TspSkinMenu::ShowMenu(QWidget* popupControl, TspSkinData* data, bool upwards,
                           QMenu* parentItem, const TspRect& anchor, int firstIndex) {
  FFirstLevel = !FVisible;
  CloseMenu();
  FWorkArea = WorkAreaFor(FForm, anchor);
  FSkinData = data;
  FPopupControl = popupControl;
  FRootMenu = parentItem;
  if (!parentItem || !HasVisibleItem(parentItem, firstIndex)) return;
  FLook = MakeMenuLook(data, FOptions);
  FVisible = true;
  if (!OpenLevel(parentItem, firstIndex, anchor, false, upwards)) FVisible = false;
}

bool TspSkinMenu::OpenLevel(QMenu* source, int firstIndex, const TspRect& anchor, bool subMenu,
                            bool upwards) {
  auto* w = new TspSkinPopupWindow(this, source, firstIndex, FLook, FOptions.MaxItemsInWindow,
                                   FWorkArea.Height());
  if (w->ItemCount() == 0) {
    w->Closing = true;
    delete w;
    return false;
  }
  FLevels.push_back(w);
  TspMenuPlacement m;
  m.Anchor = anchor;
  m.WorkArea = FWorkArea;
  m.Width = w->width();
  m.Height = w->height();
  m.ItemsTop = w->ItemsArea().top();
  m.SubMenu = subMenu;
  m.Upwards = upwards;
  m.Scrollable = w->Scrollable();
  m.Limited = w->Limited();
  const TspPoint at = PlaceMenuLevel(m);
  w->move(at.X, at.Y);
  if (FOptions.AlphaBlend) {
    const bool fade = FOptions.AlphaBlendAnimation && FFirstLevel && FLevels.size() == 1;
    FFadeAlpha = fade ? 0 : FOptions.AlphaBlendValue;
    w->setWindowOpacity(FFadeAlpha / 255.0);
    if (fade) {
      FFading = w;
      FFadeTimer.start();
    }
  }
  w->show();
  FKeyboardSelected = true;
  w->SetSelected(w->NextSelectable(1));
  return true;
}

TspMenuDrawItemEvent TspSkinMenu::DrawItemHandler(QAction* action, QMenu* source) const {
  for (QMenu* menu : {source, FRootMenu.data()})
    if (auto* popup = qobject_cast<TspSkinPopupMenu*>(menu))
      if (TspMenuDrawItemEvent handler = popup->OnDrawItem(action)) return handler;
  return {};
}

void TspSkinMenu::FadeStep() {
  if (!FFading || FFading->Closing) {
    FFadeTimer.stop();
    return;
  }
  const int target = FOptions.AlphaBlendValue;
  FFadeAlpha = std::min(target, FFadeAlpha + std::max(1, target / 15));
  FFading->setWindowOpacity(FFadeAlpha / 255.0);
  if (FFadeAlpha >= target) FFadeTimer.stop();
}

void TspSkinMenu::CloseLevels(int index) {
  const int keep = std::max(index + 1, 0);
  if (int(FLevels.size()) <= keep) return;
  // The wait timer belongs to an item of its level: a closed level stops it.
  if (FWaitingLevel && LevelIndex(FWaitingLevel) >= keep) {
    FWaitTimer.stop();
    FWaitingLevel = nullptr;
    FWaitingIndex = -1;
  }
  while (int(FLevels.size()) > keep) {
    TspSkinPopupWindow* w = FLevels.back();
    FLevels.pop_back();
    w->Closing = true;
    w->StopScrolling();
    w->hide();
    w->deleteLater();
  }
  if (index >= 0 && index < int(FLevels.size())) {
    TspSkinPopupWindow* parent = FLevels[size_t(index)];
    for (int i = 0; i < parent->ItemCount(); ++i)
      if (parent->Item(i).Down) parent->SetDown(i, false);
  }
}

void TspSkinMenu::CloseMenu() {
  if (FClosing) return;
  const bool wasOpen = FVisible || !FLevels.empty();
  FClosing = true;
  FWaitTimer.stop();
  FFadeTimer.stop();
  FWaitingLevel = nullptr;
  FWaitingIndex = -1;
  CloseLevels(-1);
  FVisible = false;
  FClosing = false;
  if (!wasOpen) return;
  QPointer<QWidget> control = FPopupControl;
  if (control && OnPopupControlClosed) OnPopupControlClosed(control);
  // Fired once, and forgotten before it runs: a handler may open the next menu.
  auto handler = std::move(OnMenuClose);
  OnMenuClose = nullptr;
  QObject* sender = CloseSender;
  CloseSender = nullptr;
  if (handler) handler(sender ? sender : this);
}

void TspSkinMenu::LevelHidden(TspSkinPopupWindow* level) {
  if (level->Closing || FClosing) return;
  CloseMenu();
}

int TspSkinMenu::LevelIndex(const TspSkinPopupWindow* w) const {
  const auto it = std::find(FLevels.begin(), FLevels.end(), w);
  return it == FLevels.end() ? -1 : int(it - FLevels.begin());
}

int TspSkinMenu::LevelAt(const QPoint& globalPos) const {
  for (int i = int(FLevels.size()) - 1; i >= 0; --i)
    if (FLevels[size_t(i)]->geometry().contains(globalPos)) return i;
  return -1;
}

void TspSkinMenu::SelectItem(int level, int index, bool byKeyboard) {
  if (level < 0 || level >= LevelCount()) return;
  TspSkinPopupWindow* w = FLevels[size_t(level)];
  const int old = w->SelectedIndex();
  if (index == old) {
    // Pointing at the item the keys selected opens its submenu at once.
    if (!byKeyboard && FKeyboardSelected && index >= 0 && w->Item(index).SubMenu &&
        !w->Item(index).Down) {
      FKeyboardSelected = false;
      OpenSubMenu(level, index);
    }
    return;
  }
  if (FWaitingLevel == w && FWaitingIndex == old) {
    FWaitTimer.stop();
    FWaitingLevel = nullptr;
    FWaitingIndex = -1;
  }
  if (index < 0 || !w->Item(index).Selectable()) {
    w->SetSelected(-1);
    return;
  }
  FKeyboardSelected = byKeyboard;
  w->SetSelected(index);
  const TspSkinMenuItem& item = w->Item(index);
  // Another item's submenu closes.
  if (level + 1 < LevelCount()) CloseLevels(level);
  if (item.SubMenu && !byKeyboard) {
    FWaitingLevel = w;
    FWaitingIndex = index;
    FWaitTimer.start();
  }
}

void TspSkinMenu::WaitTimeout() {
  const int level = LevelIndex(FWaitingLevel);
  const int index = FWaitingIndex;
  FWaitingLevel = nullptr;
  FWaitingIndex = -1;
  if (level >= 0) OpenSubMenu(level, index);
}

void TspSkinMenu::OpenSubMenu(int level, int index) {
  if (level < 0 || level >= LevelCount()) return;
  TspSkinPopupWindow* w = FLevels[size_t(level)];
  if (index < 0 || index >= w->ItemCount()) return;
  const TspSkinMenuItem& item = w->Item(index);
  if (!item.SubMenu || !item.Selectable()) return;
  CloseLevels(level);
  w->SetSelected(index);
  const QRect r(w->mapToGlobal(item.Rect.topLeft()), item.Rect.size());
  if (OpenLevel(item.SubMenu, 0, TspRect::FromQRect(r), true, false)) w->SetDown(index, true);
}

void TspSkinMenu::Choose(int level, int index) {
  if (level < 0 || level >= LevelCount()) return;
  TspSkinPopupWindow* w = FLevels[size_t(level)];
  if (index < 0 || index >= w->ItemCount() || !w->Item(index).Selectable()) return;
  const TspSkinMenuItem& item = w->Item(index);
  if (item.SubMenu) {
    OpenSubMenu(level, index);
    return;
  }
  // Everything the command needs is taken before the windows close: after CloseMenu no
  // level may be touched, and the command may free the menu or open another.
  QPointer<QAction> action = item.Action;
  std::vector<QPointer<QMenu>> menus;
  for (int i = level; i >= 0; --i) menus.emplace_back(FLevels[size_t(i)]->Source());
  QPointer<QWidget> result = FPopupControl;
  auto resultHandler = OnResultControlCommand;
  CloseMenu();
  if (!action) return;
  action->trigger();
  for (const QPointer<QMenu>& m : menus)
    if (m && action) emit m->triggered(action);
  if (result && resultHandler) resultHandler(result);
}

void TspSkinMenu::HandleKey(QKeyEvent* e) {
  e->accept();
  if (FLevels.empty()) return;
  const int level = LevelCount() - 1;
  TspSkinPopupWindow* w = FLevels.back();
  switch (e->key()) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
    if (w->SelectedIndex() >= 0) Choose(level, w->SelectedIndex());
    return;
  case Qt::Key_Down:
  case Qt::Key_Up: {
    const int next = w->NextSelectable(e->key() == Qt::Key_Down ? 1 : -1);
    if (next >= 0) SelectItem(level, next, true);
    return;
  }
  case Qt::Key_Right:
    if (w->SelectedIndex() >= 0 && w->Item(w->SelectedIndex()).SubMenu)
      OpenSubMenu(level, w->SelectedIndex());
    return;
  case Qt::Key_Left:
    if (level > 0) CloseLevels(level - 1);
    return;
  case Qt::Key_Escape:
    if (level > 0)
      CloseLevels(level - 1);
    else
      CloseMenu();
    return;
  default:
    break;
  }
  const QString text = e->text();
  if (text.isEmpty()) return;
  for (int i = 0; i < w->ItemCount(); ++i) {
    const TspSkinMenuItem& item = w->Item(i);
    if (item.Selectable() && IsMnemonicChar(item.Caption, text)) {
      SelectItem(level, i, true);
      Choose(level, i);
      return;
    }
  }
}

void TspSkinMenu::PointerMoved(const QPoint& globalPos) {
  for (TspSkinPopupWindow* w : FLevels)
    if (w->Scrollable() && !w->geometry().contains(globalPos)) w->StopScrolling();
  const int level = LevelAt(globalPos);
  if (level < 0) return;
  TspSkinPopupWindow* w = FLevels[size_t(level)];
  const QPoint local = w->mapFromGlobal(globalPos);
  if (w->Scrollable()) {
    w->ScrollByPointer(local);
    if (w->ScrollState() != 0) {
      CloseLevels(level);
      return;
    }
  }
  const int index = w->AnyItemAt(local);
  if (index < 0) return;
  SelectItem(level, index, false);
}

void TspSkinMenu::PointerPressed(const QPoint& globalPos) {
  // A press outside every level closes the menu.
  if (LevelAt(globalPos) < 0) CloseMenu();
}

void TspSkinMenu::PointerReleased(const QPoint& globalPos, Qt::MouseButton button) {
  if (button != Qt::LeftButton) return;
  const int level = LevelAt(globalPos);
  if (level < 0) return;
  TspSkinPopupWindow* w = FLevels[size_t(level)];
  const int index = w->ItemAt(w->mapFromGlobal(globalPos));
  if (index < 0) return;
  if (w->SelectedIndex() != index) SelectItem(level, index, false);
  if (w->Item(index).SubMenu) {
    // Qt closes a pop-up that opens while it delivers the release: the submenu opens
    // right after it.
    QPointer<TspSkinPopupWindow> guard(w);
    QTimer::singleShot(0, this, [this, guard, index] {
      const int at = LevelIndex(guard);
      if (at >= 0 && !guard->Item(index).Down) OpenSubMenu(at, index);
    });
    return;
  }
  Choose(level, index);
}

// --- TspSkinPopupMenu ------------------------------------------------------------------------

TspSkinPopupMenu::TspSkinPopupMenu(QWidget* parent) : QMenu(parent) {}

void TspSkinPopupMenu::SetOnDrawItem(QAction* item, TspMenuDrawItemEvent handler) {
  if (!item) return;
  if (!handler) {
    FDrawItem.erase(item);
    return;
  }
  // A deleted action's address may come back as another action's.
  if (!FDrawItem.count(item))
    connect(item, &QObject::destroyed, this, [this, item] { FDrawItem.erase(item); });
  FDrawItem[item] = std::move(handler);
}

TspMenuDrawItemEvent TspSkinPopupMenu::OnDrawItem(QAction* item) const {
  const auto at = FDrawItem.find(item);
  return at == FDrawItem.end() ? TspMenuDrawItemEvent() : at->second;
}

TspSkinPopupMenu::~TspSkinPopupMenu() {
  // A menu that goes while open closes its windows first; its close handler is not ours
  // to call any more.
  if (FSkinMenu && FSkinMenu->CloseSender == this) {
    FSkinMenu->OnMenuClose = nullptr;
    FSkinMenu->CloseSender = nullptr;
    FSkinMenu->CloseMenu();
  }
  // The menu's own actions go after this: they must not reach the map that goes now.
  for (const auto& [action, handler] : FDrawItem)
    disconnect(action, &QObject::destroyed, this, nullptr);
}

void TspSkinPopupMenu::Popup(int x, int y) {
  Open(FControl, TspRect{x, y, x, y}, false);
}

void TspSkinPopupMenu::PopupRect(const QRect& r, bool upwards) {
  Open(FControl, TspRect::FromQRect(r), upwards);
}

void TspSkinPopupMenu::PopupFromControl(QWidget* control, int x, int y) {
  Open(control, TspRect{x, y, x, y}, false);
}

void TspSkinPopupMenu::Open(QWidget* control, const TspRect& anchor, bool upwards) {
  FPopupPoint = QPoint(anchor.Left, anchor.Top);
  TspSkinMenu* menu = FSkinMenu ? FSkinMenu.data() : TspSkinMenu::ForWindow(control);
  // Without a host there is nothing to show the menu in.
  if (!menu) return;
  FSkinMenu = menu;
  // ShowMenu closes a menu that is open, with that menu's own handler.
  menu->CloseMenu();
  menu->OnMenuClose = OnMenuClose;
  menu->CloseSender = this;
  menu->ShowMenu(control, FSkinData, upwards, this, anchor, 0);
  if (!menu->Visible()) {
    menu->OnMenuClose = nullptr;
    menu->CloseSender = nullptr;
  }
}
