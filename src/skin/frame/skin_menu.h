#pragma once
// Skinned popup menus. A menu is a tree of QMenu / QAction objects (captions, short cuts,
// enabled, checked, exclusive groups, icons, visibility, sub-menus, triggered) that is
// never shown as a QMenu: TspSkinMenu opens a chain of TspSkinPopupWindow levels for it,
// painted from the skin, and runs hovering, keys, clicks and closing.
//
// A window with a form controller (TspVestimar) uses the controller's TspSkinMenu, with the
// controller's menu options; any other top-level window gets one on first use
// (TspSkinMenu::ForWindow), a child object of the window.

#include "skin/data/skin_data.h"
#include "skin/frame/menu_look.h"
#include "skin/frame/popup_window.h"
#include "skin/render/geometry.h"

#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <vector>

class TspSkinPopupWindow;
class QKeyEvent;

class TspSkinMenu : public QObject {
  Q_OBJECT
public:
  explicit TspSkinMenu(QWidget* form);
  ~TspSkinMenu() override;

  // The menu of `widget`'s top-level window: its form controller's, else one made when it
  // has none.
  static TspSkinMenu* ForWindow(QWidget* widget);

  QWidget* Form() const { return FForm; }

  // --- Menu options of the form controller ----------------------------------------------
  bool UseSkinFont() const { return FOptions.UseSkinFont; }
  void SetUseSkinFont(bool value) { FOptions.UseSkinFont = value; }
  bool UseSkinSize() const { return FOptions.UseSkinSize; }
  void SetUseSkinSize(bool value) { FOptions.UseSkinSize = value; }
  // Values of 0 and below are ignored.
  int DefaultItemHeight() const { return FOptions.DefaultItemHeight; }
  void SetDefaultItemHeight(int value);
  const QFont& DefaultItemFont() const { return FOptions.DefaultItemFont; }
  void SetDefaultItemFont(const QFont& value) { FOptions.DefaultItemFont = value; }
  bool AlphaBlend() const { return FOptions.AlphaBlend; }
  void SetAlphaBlend(bool value) { FOptions.AlphaBlend = value; }
  int AlphaBlendValue() const { return FOptions.AlphaBlendValue; }
  void SetAlphaBlendValue(int value);
  bool AlphaBlendAnimation() const { return FOptions.AlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool value) { FOptions.AlphaBlendAnimation = value; }
  // 0 means no limit; negative values are ignored.
  int MaxItemsInWindow() const { return FOptions.MaxItemsInWindow; }
  void SetMaxItemsInWindow(int value);
  // How long the pointer rests on an item before its submenu opens (500 ms).
  int SubMenuDelay() const { return FWaitTimer.interval(); }
  void SetSubMenuDelay(int ms) { FWaitTimer.setInterval(ms); }

  // --- Operations -----------------------------------------------------------------------
  // Closes any open menu and opens the items of `parentItem` from `firstIndex` on, at
  // `anchor` (screen coordinates; an empty rectangle for a point). Nothing opens when no
  // visible item is left.
  void ShowMenu(QWidget* popupControl, TspSkinData* data, bool upwards, QMenu* parentItem,
                const TspRect& anchor, int firstIndex = 0);
  // Closes every level and notifies.
  void CloseMenu();
  // Closes the levels above `index`.
  void CloseLevels(int index);

  bool Visible() const { return FVisible; }
  int LevelCount() const { return int(FLevels.size()); }
  TspSkinPopupWindow* Level(int index) const { return FLevels[size_t(index)]; }
  // The control that opened the open (or last) menu.
  QWidget* PopupControl() const { return FPopupControl; }

  // Fired once when the menu closes, then forgotten: each opening sets it anew.
  std::function<void(QObject*)> OnMenuClose;
  // The sender OnMenuClose reports (the popup menu that opened this menu).
  QObject* CloseSender = nullptr;
  // The notifications to the control that opened the menu: it closed; a command ran.
  std::function<void(QWidget*)> OnPopupControlClosed;
  std::function<void(QWidget*)> OnResultControlCommand;

  // --- What the levels call -------------------------------------------------------------
  void HandleKey(QKeyEvent* e);
  void PointerMoved(const QPoint& globalPos);
  void PointerPressed(const QPoint& globalPos);
  void PointerReleased(const QPoint& globalPos, Qt::MouseButton button);
  // A level was hidden by someone else (Qt closes pop-ups when the application loses
  // the activation): the whole menu closes.
  void LevelHidden(TspSkinPopupWindow* level);

  // Selects item `index` of `level` as the pointer or the keys do.
  void SelectItem(int level, int index, bool byKeyboard);
  // Chooses item `index` of `level`: opens its submenu, or closes the menu and runs it.
  void Choose(int level, int index);
  // Opens the submenu of item `index` of `level` at once.
  void OpenSubMenu(int level, int index);
  // The owner-draw handler of an item of `source`: the one the popup menu that opened the
  // menu (or `source` itself, when it is a popup menu) holds for it.
  TspMenuDrawItemEvent DrawItemHandler(QAction* action, QMenu* source) const;

private:
  bool OpenLevel(QMenu* source, int firstIndex, const TspRect& anchor, bool subMenu, bool upwards);
  int LevelAt(const QPoint& globalPos) const;
  int LevelIndex(const TspSkinPopupWindow* w) const;
  void WaitTimeout();
  void FadeStep();

  QPointer<QWidget> FForm;
  TspMenuOptions FOptions;
  std::vector<TspSkinPopupWindow*> FLevels;
  bool FVisible = false;
  bool FFirstLevel = false;
  bool FClosing = false;
  QPointer<TspSkinData> FSkinData;
  TspMenuLook FLook;
  TspRect FWorkArea;
  QPointer<QWidget> FPopupControl;
  // The menu whose items the root level shows.
  QPointer<QMenu> FRootMenu;
  // The item whose submenu the wait timer opens.
  QPointer<TspSkinPopupWindow> FWaitingLevel;
  int FWaitingIndex = -1;
  QTimer FWaitTimer;
  // Whether the selected item of the deepest level was selected by a key.
  bool FKeyboardSelected = false;
  // The fade-in of the root level, stepped by a timer.
  QTimer FFadeTimer;
  QPointer<TspSkinPopupWindow> FFading;
  int FFadeAlpha = 0;
};

// A popup menu that shows itself through the skinned menus. Its actions are the items.
class TspSkinPopupMenu : public QMenu {
  Q_OBJECT
public:
  explicit TspSkinPopupMenu(QWidget* parent = nullptr);
  ~TspSkinPopupMenu() override;

  // Skin of the menu; none gives the plain look.
  TspSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TspSkinData* value) { FSkinData = value; }
  // The menu host; by default that of the control's (or else the active) window.
  TspSkinMenu* SkinMenu() const { return FSkinMenu; }
  void SetSkinMenu(TspSkinMenu* value) { FSkinMenu = value; }
  // The control the menu belongs to.
  QWidget* Control() const { return FControl; }
  void SetControl(QWidget* value) { FControl = value; }
  // Where the menu last opened, (-1, -1) before.
  QPoint PopupPoint() const { return FPopupPoint; }

  std::function<void(QObject*)> OnMenuClose;

  // An item (of this menu or of its submenus) that `handler` draws instead of the menu;
  // an empty handler gives the item back to the menu.
  void SetOnDrawItem(QAction* item, TspMenuDrawItemEvent handler);
  TspMenuDrawItemEvent OnDrawItem(QAction* item) const;

  // Opens at a screen point.
  void Popup(int x, int y);
  // Opens beside a screen rectangle: below it, or above it with `upwards`.
  void PopupRect(const QRect& r, bool upwards);
  // Opens at a screen point for `control`.
  void PopupFromControl(QWidget* control, int x, int y);

private:
  void Open(QWidget* control, const TspRect& anchor, bool upwards);

  QPointer<TspSkinData> FSkinData;
  QPointer<TspSkinMenu> FSkinMenu;
  QPointer<QWidget> FControl;
  QPoint FPopupPoint{-1, -1};
  std::map<QAction*, TspMenuDrawItemEvent> FDrawItem;
};
