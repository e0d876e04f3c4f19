// List boxes and combo boxes: a scrolled list with a selection, a short list without a bar,
// a list in tab columns, and fixed combo boxes in their states next to an edit-style one.
#include "gallery_context.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/list_box.h"

namespace {
constexpr int kListX = 10, kListW = 150;
constexpr int kComboX = 176, kComboW = 130;
constexpr int kStateX = kComboX + kComboW + 8, kStateW = 60;
constexpr int kRowH = 28;
constexpr int kFirstRow = kSectionTop + 18;

QStringList Animals() {
  return {Tr("Cat"),     Tr("Dog"),    Tr("Rabbit"), Tr("Snake"), Tr("Scorpion"), Tr("Parrot"),
          Tr("Hamster"), Tr("Ferret"), Tr("Turtle"), Tr("Goat"),  Tr("Pony"),     Tr("Llama")};
}

TspSkinListBox* AddList(TGalleryContext& c, QWidget* section, const QRect& r,
                        const QStringList& items) {
  auto* list = new TspSkinListBox(section);
  list->setGeometry(r);
  list->SetSkinData(c.SkinData);
  list->SetItems(items);
  return list;
}

TspSkinComboBox* AddCombo(TGalleryContext& c, QWidget* section, int row, const QString& state,
                          int item) {
  const int y = kFirstRow + row * kRowH;
  auto* combo = new TspSkinComboBox(section);
  combo->setGeometry(kComboX, y, kComboW, 20);
  combo->SetSkinData(c.SkinData);
  combo->SetItems(Animals());
  combo->SetItemIndex(item);
  // The state's name beside the field, centred on it.
  AddColumnLabel(c, section, state, QRect(kStateX, y + (combo->height() - 16) / 2, kStateW, 16));
  return combo;
}
} // namespace

void BuildListSection(TGalleryContext& c, QWidget* section) {
  AddColumnLabel(c, section, Tr("List box"), QRect(kListX, kSectionTop, kListW, 16));
  auto* animals = AddList(c, section, QRect(kListX, kFirstRow, kListW, 150), Animals());
  animals->SetItemIndex(2);
  animals->SetTopIndex(1);

  AddColumnLabel(c, section, Tr("Short list"), QRect(kListX, kFirstRow + 156, kListW, 16));
  auto* roles = AddList(c, section, QRect(kListX, kFirstRow + 174, kListW, 58),
                        {Tr("Administrator"), Tr("Employee"), Tr("Member")});
  roles->SetRowCount(3);

  AddColumnLabel(c, section, Tr("Combo boxes"), QRect(kComboX, kSectionTop, kComboW, 16));
  AddCombo(c, section, 0, Tr("normal"), 0);
  TspSkinComboBox* hot = AddCombo(c, section, 1, Tr("hot"), 1);
  c.AfterSkinChange.push_back([hot] { ForceHover(hot); });
  TspSkinComboBox* disabled = AddCombo(c, section, 2, Tr("disabled"), 3);
  disabled->setEnabled(false);
  TspSkinComboBox* edit = AddCombo(c, section, 3, Tr("edit style"), 5);
  edit->SetStyle(TspComboBoxStyle::spcbEditStyle);

  // Tab columns: a name and the animal's age.
  AddColumnLabel(c, section, Tr("Tab columns"), QRect(kComboX, kFirstRow + 4 * kRowH + 4, 200, 16));
  auto* ages =
      AddList(c, section, QRect(kComboX, kFirstRow + 4 * kRowH + 22, 200, 76),
              {Tr("Milo\t3 years"), Tr("Luna\t8 months"), Tr("Bean\t2 years"), Tr("Pip\t5 years")});
  ages->SetTabWidths({90, 100});
  ages->SetRowCount(4);
  ages->SetItemIndex(0);
}
