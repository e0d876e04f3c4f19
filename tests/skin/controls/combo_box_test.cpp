// The skinned combo box on real widgets: the drop-down's size and place, the key table,
// auto-complete on its clock, the closing rules, the change rule the application relies on,
// the edit style and the painting of the field.

#include "skin/builtin/builtin_skins.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/skin_fonts.h"
#include "skin/controls/skin_tree.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QStringList kFive = {"Cat", "Dog", "Rabbit", "Snake", "Scorpion"};

QStringList Numbered(int n) {
  QStringList items;
  for (int i = 0; i < n; ++i) items << QStringLiteral("Animal %1").arg(i, 2, 10, QLatin1Char('0'));
  return items;
}

class ComboBoxTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }
  static void ParkPointer() {
    QCursor::setPos(5, 5);
    QCoreApplication::processEvents();
  }

  void SetUp() override {
    ParkPointer();
    form = std::make_unique<QWidget>();
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    form->setGeometry(work.left() + 100, work.top() + 100, 400, 300);
    data = new TspSkinData(form.get());
    data->SetSkinList(CreateBuiltinSkinList(form.get()));
    ASSERT_FALSE(data->IsEmpty());
    new TspSkinnedFormHook(form.get());
  }
  void TearDown() override { ParkPointer(); }

  TspSkinComboBox* Add(const QStringList& items, bool skinned = true) {
    auto* c = new TspSkinComboBox(form.get());
    if (skinned) c->SetSkinData(data);
    c->setGeometry(20, 20, 160, 20);
    c->SetItems(items);
    c->OnChange = [this](QObject*) { ++changes; };
    c->OnClick = [this](QObject*) { ++clicks; };
    c->show();
    return c;
  }

  void ShowForm() {
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  // Keys as the platform delivers them: to the active window, which hands them to an open
  // pop-up.
  void Key(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(form->windowHandle(), key, m);
  }
  void Type(const char* text) {
    for (const char* c = text; *c; ++c) QTest::keyClick(form->windowHandle(), *c);
  }

  const TspDataSkinComboBox* Rec() {
    const int i = data->FindControlData("combobox");
    return i < 0 ? nullptr
                 : dynamic_cast<const TspDataSkinComboBox*>(data->ControlList[size_t(i)].get());
  }

  std::unique_ptr<QWidget> form;
  TspSkinData* data = nullptr;
  int changes = 0, clicks = 0;
};

TEST_F(ComboBoxTest, DropDownShowsAtMostDropDownCountRowsBelowTheField) {
  ShowForm();
  TspSkinComboBox* c = Add(kFive.mid(0, 3));
  c->SetItemIndex(1);
  c->DropDown();
  TspPopupListBox* popup = c->ListBox();
  ASSERT_TRUE(popup->isVisible());
  EXPECT_TRUE(c->DroppedDown());
  EXPECT_TRUE(popup->isWindow());
  EXPECT_TRUE(popup->windowFlags().testFlag(Qt::Popup));
  // The form keeps the activation.
  EXPECT_TRUE(form->isActiveWindow());
  EXPECT_EQ(popup->ListBox()->VisibleRows(), 3);
  EXPECT_EQ(popup->ListBox()->height(), 3 * popup->ListBox()->ItemHeight());
  EXPECT_FALSE(popup->ScrollBar()->isVisible());
  EXPECT_EQ(popup->width(), c->width());
  EXPECT_EQ(popup->geometry().topLeft(), c->mapToGlobal(QPoint(0, c->height())));
  EXPECT_EQ(popup->ItemIndex(), 1);
  EXPECT_EQ(popup->RecordIndex(), data->FindControlData("listbox"));
  Key(Qt::Key_Escape);
  EXPECT_FALSE(popup->isVisible());

  c->SetItems(Numbered(20));
  c->SetListBoxWidth(220);
  c->DropDown();
  EXPECT_EQ(popup->ListBox()->VisibleRows(), 8);
  EXPECT_EQ(popup->ListBox()->height(), 8 * popup->ListBox()->ItemHeight());
  EXPECT_TRUE(popup->ScrollBar()->isVisible());
  EXPECT_EQ(popup->ScrollBar()->Max(), 19);
  EXPECT_EQ(popup->width(), 220);
  c->CloseUp(false);

  // No items, no list.
  c->ClearItems();
  c->DropDown();
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_FALSE(popup->isVisible());
}

TEST_F(ComboBoxTest, NearTheBottomOfTheScreenTheListOpensAbove) {
  ShowForm();
  const QRect work = form->screen()->availableGeometry();
  form->move(form->x(), work.bottom() - 60);
  QCoreApplication::processEvents();
  TspSkinComboBox* c = Add(Numbered(20));
  c->DropDown();
  const QRect popup = c->ListBox()->geometry();
  const QPoint top = c->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(popup.bottom() + 1, top.y());
  EXPECT_EQ(popup.left(), top.x());
  c->CloseUp(false);
}

TEST_F(ComboBoxTest, KeysSelectAtOnceAndPageByDropDownCount) {
  ShowForm();
  TspSkinComboBox* c = Add(Numbered(25));
  c->setFocus();
  c->SetItemIndex(20);
  Key(Qt::Key_PageUp);
  EXPECT_EQ(c->ItemIndex(), 11);
  c->SetItemIndex(0);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(c->ItemIndex(), 7);
  Key(Qt::Key_End); // not in the table
  EXPECT_EQ(c->ItemIndex(), 7);
  c->SetItemIndex(0);
  Key(Qt::Key_Up); // none before the first
  EXPECT_EQ(c->ItemIndex(), 0);
  Key(Qt::Key_Down);
  EXPECT_EQ(c->ItemIndex(), 1);
  EXPECT_EQ(c->Text(), "Animal 01");
  c->SetItemIndex(24);
  Key(Qt::Key_Right); // none after the last
  EXPECT_EQ(c->ItemIndex(), 24);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(c->ItemIndex(), 24);

  // Alt+Down opens; Down selects at once while open, Enter keeps it.
  c->SetItemIndex(3);
  const int changesBefore = changes;
  Key(Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(c->DroppedDown());
  Key(Qt::Key_Down);
  EXPECT_EQ(c->Text(), "Animal 04");
  EXPECT_EQ(c->ListBox()->ItemIndex(), 4);
  EXPECT_EQ(changes, changesBefore + 1);
  int closeUps = 0;
  c->OnCloseUp = [&](QObject*) { ++closeUps; };
  Key(Qt::Key_Return);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(c->ItemIndex(), 4);
  EXPECT_EQ(closeUps, 1);
  EXPECT_EQ(changes, changesBefore + 1); // accepting the shown item changes nothing
}

TEST_F(ComboBoxTest, EscapeRestoresTheItemShownWhenTheListOpened) {
  ShowForm();
  TspSkinComboBox* c = Add(kFive);
  c->setFocus();
  c->SetItemIndex(1);
  const int base = changes;
  int closeUps = 0;
  c->OnCloseUp = [&](QObject*) { ++closeUps; };
  c->DropDown();
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  EXPECT_EQ(c->Text(), "Snake");
  Key(Qt::Key_Escape);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(c->ItemIndex(), 1);
  EXPECT_EQ(c->Text(), "Dog");
  EXPECT_EQ(changes, base + 3); // Rabbit, Snake, and back to Dog
  EXPECT_EQ(closeUps, 0);       // only an accepted close-up reports
  // Alt+Up cancels too.
  c->DropDown();
  Key(Qt::Key_Up, Qt::AltModifier);
  EXPECT_FALSE(c->DroppedDown());
}

TEST_F(ComboBoxTest, AutoCompleteCyclesALetterAndMatchesQuickPrefixes) {
  ShowForm();
  TspSkinComboBox* c = Add(kFive);
  c->setFocus();
  qint64 now = 10000;
  c->Clock = [&] { return now; };
  Type("s");
  EXPECT_EQ(c->Text(), "Snake");
  now += TspSkinComboBox::AutoCompleteDelay + 1; // a new prefix: "s" again, after Snake
  Type("s");
  EXPECT_EQ(c->Text(), "Scorpion");
  now += 1000;
  Type("s"); // round the end
  EXPECT_EQ(c->Text(), "Snake");

  c->SetItemIndex(0);
  now += 1000;
  Type("s");
  now += TspSkinComboBox::AutoCompleteDelay; // still quick: the prefix grows to "sc"
  Type("c");
  EXPECT_EQ(c->Text(), "Scorpion");
  now += 100;
  Type("x"); // "scx" matches nothing: the selection stays
  EXPECT_EQ(c->Text(), "Scorpion");

  c->SetAutoComplete(false);
  now += 1000;
  Type("c");
  EXPECT_EQ(c->Text(), "Scorpion");
}

TEST_F(ComboBoxTest, ClosesOnAPressOutsideAndPicksWithAClick) {
  ShowForm();
  TspSkinComboBox* c = Add(kFive);
  c->SetItemIndex(0);
  c->DropDown();
  TspPopupListBox* popup = c->ListBox();
  ASSERT_TRUE(popup->isVisible());
  QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, QPoint(300, 250));
  EXPECT_FALSE(popup->isVisible());
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(c->ItemIndex(), 0);

  // A press on the field toggles the list; a click on an item picks it.
  QTest::mouseClick(c, Qt::LeftButton, {}, c->rect().center());
  ASSERT_TRUE(c->DroppedDown());
  TspListBox* list = popup->ListBox();
  const int before = changes;
  QTest::mouseClick(list, Qt::LeftButton, {}, list->ItemRect(2).center());
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(c->ItemIndex(), 2);
  EXPECT_EQ(c->Text(), "Rabbit");
  EXPECT_EQ(changes, before + 1);
}

TEST_F(ComboBoxTest, OnChangeFiresOnlyWhenTheShownTextChanges) {
  ShowForm();
  TspSkinComboBox* c = Add({});
  EXPECT_EQ(changes, 0);
  c->SetItems({"Cat", "Dog"});
  c->SetItemIndex(0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(clicks, 1);
  // Refilled with the same items and the first selected again: the text stays, so no change.
  c->ClearItems();
  EXPECT_EQ(c->Text(), "Cat");
  c->SetItems({"Cat", "Dog"});
  c->SetItemIndex(0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(clicks, 2);
  // Picking the shown item from the list changes nothing either.
  c->DropDown();
  c->CloseUp(true);
  EXPECT_EQ(changes, 1);
  // Other items do change it.
  c->SetItems({"Horse", "Cat"});
  c->SetItemIndex(0);
  EXPECT_EQ(changes, 2);
  c->SetText("Cat");
  EXPECT_EQ(c->ItemIndex(), 1);
  EXPECT_EQ(changes, 3);
  c->SetText("Cat");
  EXPECT_EQ(changes, 3);
}

TEST_F(ComboBoxTest, WheelStepsTheSelection) {
  ShowForm();
  TspSkinComboBox* c = Add(kFive);
  c->SetItemIndex(1);
  const auto wheel = [&](QWidget* w, int delta) {
    QWheelEvent e(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
  };
  wheel(c, -120); // towards the user: the next item
  EXPECT_EQ(c->ItemIndex(), 2);
  EXPECT_EQ(c->Text(), "Rabbit");
  wheel(c, 120);
  EXPECT_EQ(c->ItemIndex(), 1);
  // While open (the platform hands the wheel to the pop-up) only the list's selection moves.
  c->DropDown();
  wheel(c->ListBox()->ListBox(), -120);
  EXPECT_EQ(c->ListBox()->ItemIndex(), 2);
  EXPECT_EQ(c->Text(), "Dog");
  c->CloseUp(false);
  EXPECT_EQ(c->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, EditStyleTypesIntoItsFieldAndTakesItems) {
  ShowForm();
  TspSkinComboBox* c = Add(kFive);
  c->SetStyle(TspComboBoxStyle::spcbEditStyle);
  ASSERT_NE(c->Editor(), nullptr);
  c->Editor()->setFocus();
  QTest::keyClicks(c->Editor(), "Hen");
  EXPECT_EQ(c->Text(), "Hen");
  EXPECT_EQ(changes, 3);
  QTest::keyClick(c->Editor(), Qt::Key_Down);
  EXPECT_EQ(c->ItemIndex(), 0);
  EXPECT_EQ(c->Text(), "Cat");
  EXPECT_EQ(c->Editor()->selectedText(), "Cat");
  EXPECT_EQ(changes, 4);
  // Sideways keys move the caret, not the selection.
  QTest::keyClick(c->Editor(), Qt::Key_Right);
  EXPECT_EQ(c->ItemIndex(), 0);
  // The button opens the list.
  QTest::mouseClick(c, Qt::LeftButton, {}, c->ButtonRect().center());
  EXPECT_TRUE(c->DroppedDown());
  c->CloseUp(false);
}

TEST_F(ComboBoxTest, FieldPaintsTheRecordStates) {
  ShowForm();
  TspSkinComboBox* c = Add(kFive);
  const TspDataSkinComboBox* rec = Rec();
  ASSERT_NE(rec, nullptr);
  EXPECT_EQ(c->height(), rec->skinrect.Height());
  // The button keeps its place at the right end as the field grows.
  EXPECT_EQ(c->ButtonRect().right() + 1,
            c->width() - (rec->skinrect.Width() - rec->buttonrect.Right));
  const QImage& pic = data->ActivePictures[size_t(rec->pictureindex)];
  const auto center = [](const TspRect& r) { return QPoint(r.Left + r.Width() / 2, r.Top + 2); };
  c->SetItemIndex(0);
  c->setFocus();
  const QImage focused = c->PaintImage();
  const QRect item = c->ItemRect();
  EXPECT_EQ(QColor(focused.pixel(item.right() - 1, item.top() + 1)),
            QColor(pic.pixel(center(rec->focusitemrect))));
  c->DropDown();
  const QImage dropped = c->PaintImage();
  const QRect b = c->ButtonRect();
  EXPECT_EQ(QColor(dropped.pixel(b.left() + 1, b.top() + 1)),
            QColor(pic.pixel(rec->downbuttonrect.Left + 1, rec->downbuttonrect.Top + 1)));
  c->CloseUp(false);
  c->setEnabled(false);
  const QImage disabled = c->PaintImage();
  EXPECT_EQ(QColor(disabled.pixel(b.left() + 1, b.top() + 1)),
            QColor(pic.pixel(rec->unenabledbuttonrect.Left + 1, rec->unenabledbuttonrect.Top + 1)));

  // A skin switch reaches the pop-up list too, though it is a window of its own.
  c->setEnabled(true);
  c->SetItems(Numbered(20));
  c->DropDown();
  data->SetSkinIndex(2);
  ASSERT_FALSE(data->IsEmpty());
  EXPECT_EQ(c->RecordIndex(), data->FindControlData("combobox"));
  EXPECT_EQ(c->ListBox()->RecordIndex(), data->FindControlData("listbox"));
  EXPECT_EQ(c->ListBox()->ScrollBar()->RecordIndex(), data->FindControlData("vscrollbar"));
  c->CloseUp(false);

  // Without a skin: the plain field with its own button and the palette's text colour.
  TspSkinComboBox* plain = Add(kFive, false);
  plain->SetItemIndex(2);
  EXPECT_EQ(plain->RecordIndex(), -1);
  const QImage image = plain->PaintImage();
  EXPECT_EQ(QColor(image.pixel(plain->ButtonRect().left() + 2, plain->ButtonRect().top() + 2)),
            plain->palette().color(QPalette::Button));
}

} // namespace
