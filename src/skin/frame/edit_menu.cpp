#include "skin/frame/edit_menu.h"

#include "skin/controls/edit_menu_hook.h"
#include "skin/data/skin_data.h"
#include "skin/frame/skin_menu.h"

#include <QAction>

namespace {

QString ResourceText(const TspSkinData* data, const char* name, const char* fallback) {
  const TspResourceStrData* strings = data ? data->ResourceStrData() : nullptr;
  const QString text = strings ? strings->GetResString(QString::fromLatin1(name)) : QString();
  return text.isEmpty() ? QString::fromLatin1(fallback) : text;
}

void AddCommand(QMenu* menu, const QString& caption, const TspEditMenuCommand& command) {
  QAction* a = menu->addAction(caption);
  a->setEnabled(command.Enabled);
  QObject::connect(a, &QAction::triggered, a, [run = command.Run] {
    if (run) run();
  });
}

} // namespace

void InstallSkinnedEditMenus() {
  SetEditMenuHook(&ShowSkinnedEditMenu);
}

void ShowSkinnedEditMenu(const TspEditMenuRequest& r) {
  if (!r.Edit) return;
  const TspSkinData* data = r.SkinData;
  // Owned by the edit while open: an edit that goes takes its menu with it.
  auto* menu = new TspSkinPopupMenu(r.Edit);
  menu->SetSkinData(r.SkinData);
  menu->SetControl(r.Edit);
  AddCommand(menu, ResourceText(data, "EDIT_UNDO", "Undo"), r.Undo);
  menu->addSeparator();
  AddCommand(menu, ResourceText(data, "EDIT_CUT", "Cut"), r.Cut);
  AddCommand(menu, ResourceText(data, "EDIT_COPY", "Copy"), r.Copy);
  AddCommand(menu, ResourceText(data, "EDIT_PASTE", "Paste"), r.Paste);
  AddCommand(menu, ResourceText(data, "EDIT_DELETE", "Delete"), r.Delete);
  menu->addSeparator();
  AddCommand(menu, ResourceText(data, "EDIT_SELECTALL", "Select All"), r.SelectAll);
  // Freed once closed, whether a command was chosen or not; a chosen command runs after
  // the close, before the deferred delete.
  menu->OnMenuClose = [menu](QObject*) { menu->deleteLater(); };
  menu->Popup(r.At.x(), r.At.y());
  if (!menu->SkinMenu() || !menu->SkinMenu()->Visible()) menu->deleteLater();
}
