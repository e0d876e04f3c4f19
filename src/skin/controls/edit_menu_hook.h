#pragma once
// The edits' context menu without a dependency on the menus: the controls describe the
// commands of a right click, and a higher layer (the skinned popup menus) installs the
// function that shows them. Without one the edits keep the platform's own menu.

#include <QPoint>
#include <functional>

class QContextMenuEvent;
class QLineEdit;
class QTextEdit;
class QWidget;
class TspSkinData;

// One command of the menu: whether it can run now, and what it does.
struct TspEditMenuCommand {
  bool Enabled = false;
  std::function<void()> Run;
};

// What an edit offers at the moment of the click, in menu order (separators come from the
// menu: after Undo and after Delete).
struct TspEditMenuRequest {
  QWidget* Edit = nullptr;
  TspSkinData* SkinData = nullptr;
  // Screen position of the menu: the pointer, or the edit's centre from the keyboard.
  QPoint At;
  TspEditMenuCommand Undo, Cut, Copy, Paste, Delete, SelectAll;
};

// Shows the menu; the installed function owns everything it builds.
using TspEditMenuHook = void (*)(const TspEditMenuRequest& request);

void SetEditMenuHook(TspEditMenuHook hook);
TspEditMenuHook EditMenuHook();

// Fill a request from the editor's state and hand it to the hook. Each returns false (and
// does nothing) when no hook is installed. `owner` is the widget the menu belongs to.
bool ShowEditMenu(QLineEdit* editor, QWidget* owner, TspSkinData* data, const QContextMenuEvent* e);
bool ShowEditMenu(QTextEdit* editor, QWidget* owner, TspSkinData* data, const QContextMenuEvent* e);
