// Check boxes and radio groups: a column of check boxes in every state, flat and framed,
// radio buttons in theirs, a radio group with two columns and a word-wrapped caption.
#include "gallery_context.h"
#include "skin/controls/check_radio_box.h"
#include "skin/controls/radio_group.h"

#include <QEvent>
#include <QPointer>

namespace {
constexpr int kLeftX = 12, kRightX = 200, kColW = 172;
constexpr int kFirstRow = kSectionTop + 20;
constexpr int kRowH = 27;
constexpr int kBoxH = 25;

int RowY(int row) {
  return kFirstRow + row * kRowH;
}

TspSkinCheckRadioBox* AddBox(TGalleryContext& c, QWidget* section, const QString& caption, int x,
                             int row, bool radio = false) {
  auto* b = new TspSkinCheckRadioBox(section);
  b->SetRadio(radio);
  b->SetCaption(caption);
  b->setGeometry(x, RowY(row), kColW, kBoxH);
  b->SetSkinData(c.SkinData);
  return b;
}

// The window's focus control lives on the other sheet: while this section shows, its
// focused box holds the focus instead.
class TFocusOnShow : public QObject {
public:
  TFocusOnShow(QWidget* section, QWidget* target) : QObject(section), FTarget(target) {
    section->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Show && FTarget) FTarget->setFocus(Qt::OtherFocusReason);
    return QObject::eventFilter(watched, e);
  }

private:
  QPointer<QWidget> FTarget;
};
} // namespace

void BuildCheckSection(TGalleryContext& c, QWidget* section) {
  AddColumnLabel(c, section, Tr("Check boxes"), {kLeftX, kSectionTop, kColW, 16});
  AddColumnLabel(c, section, Tr("Radio buttons"), {kRightX, kSectionTop, kColW, 16});

  // Check boxes: each row one state, the table for looks rather than a tab order.
  int row = 0;
  AddBox(c, section, Tr("Unchecked"), kLeftX, row++);
  AddBox(c, section, Tr("Checked"), kLeftX, row++)->SetChecked(true);
  TspSkinCheckRadioBox* grayed = AddBox(c, section, Tr("Grayed"), kLeftX, row++);
  grayed->SetAllowGrayed(true);
  grayed->SetState(TCheckBoxState::cbGrayed);
  TspSkinCheckRadioBox* hot = AddBox(c, section, Tr("Hot"), kLeftX, row++);
  hot->SetChecked(true);
  c.AfterSkinChange.push_back([hot] { ForceHover(hot); });
  TspSkinCheckRadioBox* focused = AddBox(c, section, Tr("Focused"), kLeftX, row++);
  focused->SetCanFocused(true);
  new TFocusOnShow(section, focused);
  TspSkinCheckRadioBox* off = AddBox(c, section, Tr("Disabled, checked"), kLeftX, row++);
  off->SetChecked(true);
  off->setEnabled(false);
  AddBox(c, section, Tr("Disabled"), kLeftX, row++)->setEnabled(false);
  TspSkinCheckRadioBox* framed = AddBox(c, section, Tr("Framed"), kLeftX, row++);
  framed->SetFlat(false);
  framed->SetChecked(true);
  TspSkinCheckRadioBox* framedHot = AddBox(c, section, Tr("Framed, hot"), kLeftX, row++);
  framedHot->SetFlat(false);
  c.AfterSkinChange.push_back([framedHot] { ForceHover(framedHot); });

  // Radio buttons of one group, and one under the mouse.
  row = 0;
  AddBox(c, section, Tr("Chosen"), kRightX, row++, true)->SetChecked(true);
  AddBox(c, section, Tr("Not chosen"), kRightX, row++, true);
  TspSkinCheckRadioBox* hotRadio = AddBox(c, section, Tr("Hot"), kRightX, row++, true);
  hotRadio->SetGroupIndex(2);
  c.AfterSkinChange.push_back([hotRadio] { ForceHover(hotRadio); });
  TspSkinCheckRadioBox* offRadio = AddBox(c, section, Tr("Disabled, chosen"), kRightX, row++, true);
  offRadio->SetGroupIndex(3);
  offRadio->SetChecked(true);
  offRadio->setEnabled(false);

  // The application's kind of group: items in two columns under a caption.
  auto* group = new TspSkinRadioGroup(section);
  group->SetCaption(Tr("Adopt a"));
  group->setGeometry(kRightX, RowY(row) + 4, kColW, 84);
  group->SetSkinData(c.SkinData);
  group->SetItems({Tr("Cat"), Tr("Dog"), Tr("Vorn"), Tr("Parrot")});
  group->SetColumns(2);
  group->SetItemIndex(2);

  TspSkinCheckRadioBox* wrapped =
      AddBox(c, section, Tr("A long caption wraps onto a second line"), kRightX, 0);
  wrapped->SetWordWrap(true);
  wrapped->setGeometry(kRightX, RowY(row) + 96, kColW, 36);
}
