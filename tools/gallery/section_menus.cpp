// The skinned popup menu: a button that drops it down, an edit whose right click opens the
// edits' menu, and a picture of the menu open on its submenu, so that the gallery's
// pictures show it in every skin.
#include "gallery_context.h"
#include "skin/controls/button.h"
#include "skin/controls/edit.h"
#include "skin/controls/skin_binding.h"
#include "skin/frame/edit_menu.h"
#include "skin/frame/popup_window.h"
#include "skin/frame/skin_menu.h"

#include <QActionGroup>
#include <QLabel>
#include <QPainter>

namespace {
constexpr int kLeft = 12;
constexpr int kButtonW = 120;
constexpr int kRowH = 25;

TspSkinPopupMenu* MakeMenu(QWidget* owner, TspSkinData* data) {
  auto* menu = new TspSkinPopupMenu(owner);
  menu->SetSkinData(data);
  menu->addAction(Tr("&Adopt"));
  menu->addAction(Tr("&Feed"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  menu->addSeparator();
  QAction* vaccinated = menu->addAction(Tr("&Vaccinated"));
  vaccinated->setCheckable(true);
  vaccinated->setChecked(true);
  auto* place = new QActionGroup(menu);
  for (const char* caption : {"&Indoor", "&Outdoor"}) {
    QAction* a = place->addAction(Tr(caption));
    a->setCheckable(true);
    menu->addAction(a);
  }
  place->actions().first()->setChecked(true);
  QMenu* kind = menu->addMenu(Tr("&Kind"));
  for (const char* caption : {"&Cat", "&Dog", "V&orn"}) kind->addAction(Tr(caption));
  menu->addAction(Tr("-Records-"))->setEnabled(false);
  menu->addAction(Tr("&Returned"))->setEnabled(false);
  return menu;
}

// The menu open with its submenu, as its windows paint it, in one picture. The windows are
// made but never shown.
QImage OpenMenuPicture(QWidget* host, QMenu* menu, TspSkinData* data) {
  TspSkinMenu painter(host);
  TspMenuOptions options;
  options.DefaultItemFont = DefaultSkinFont();
  const TspMenuLook look = MakeMenuLook(data, options);
  TspSkinPopupWindow root(&painter, menu, 0, look, 0, 0);
  int sub = -1;
  for (int i = 0; i < root.ItemCount(); ++i)
    if (root.Item(i).SubMenu) sub = i;
  if (sub < 0) return {};
  root.SetSelected(sub);
  root.SetDown(sub, true);
  TspSkinPopupWindow child(&painter, root.Item(sub).SubMenu, 0, look, 0, 0);
  child.SetSelected(child.NextSelectable(1));
  const QRect item = root.Item(sub).Rect;
  const QPoint at(item.right() + 2, item.top() - child.ItemsArea().top());
  QImage image(at.x() + child.width(), std::max(root.height(), at.y() + child.height()),
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.drawImage(0, 0, root.PaintImage());
  p.drawImage(at, child.PaintImage());
  return image;
}
} // namespace

void BuildMenuSection(TGalleryContext& c, QWidget* section) {
  InstallSkinnedEditMenus();
  const int top = kSectionTop + 4;
  TspSkinPopupMenu* menu = MakeMenu(section, c.SkinData);
  auto* button = Bind(c, new TspSkinButton(section), {kLeft, top, kButtonW, kRowH});
  button->SetCaption(Tr("Open the menu"));
  button->OnClick = [button, menu](QObject*) {
    menu->SetControl(button);
    menu->PopupRect(QRect(button->mapToGlobal(QPoint(0, 0)), button->size()), false);
  };
  auto* edit = Bind(c, new TspSkinEdit(section), {kLeft + kButtonW + 10, top + 2, 200, 21});
  edit->SetText(Tr("Right-click for the edit menu"));

  auto* picture = new QLabel(section);
  picture->move(kLeft, top + kRowH + 12);
  picture->setAttribute(Qt::WA_TranslucentBackground);
  TspSkinData* data = c.SkinData;
  const auto update = [data, section, menu, picture] {
    const QImage image = OpenMenuPicture(section->window(), menu, data);
    picture->setPixmap(QPixmap::fromImage(image));
    picture->resize(image.size());
  };
  c.AfterSkinChange.push_back(update);
}
