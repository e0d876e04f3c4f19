// The data grid editor's button and pick list on real widgets: which button a column gets,
// where the list drops and how big it is, the keys and clicks that open, pick from and close
// it, what a read-only grid allows, and the skin the list takes.

#include "db_grid_fixture.h"

#include "grab_checks.h"
#include "skin/controls/db_popup_listbox.h"
#include "skin/controls/inplace_edit.h"
#include "skin/controls/plain_look.h"

#include <QScreen>

namespace {

const QStringList kColours = {"Black", "Brown", "Ginger", "White"};

class DBGridEditorTest : public DBGridTest {
protected:
  // A writable grid (unless `readOnly`) showing the editor on the first record's Colour cell,
  // whose column has `pickList`.
  void EditColour(const QStringList& pickList, bool readOnly = false, bool skinned = true) {
    MakeGrid(5, skinned);
    grid->SetReadOnly(readOnly);
    ShowRows(10);
    ShowForm();
    colour = grid->Columns()[FieldColumn("Colour")];
    colour->SetPickList(pickList);
    grid->SetSelectedIndex(FieldColumn("Colour"));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F2);
    ASSERT_TRUE(grid->EditorShowing());
    editor = grid->InplaceEditor();
    list = editor->PickList();
  }
  // Keys as the platform delivers them: to the active window, which hands them to an open
  // pop-up.
  void Key(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(form->windowHandle(), key, m);
  }
  QString StoredColour(int recNo) {
    return cursor->FieldAtRow(recNo - 1, cursor->FieldIndex("Colour")).toString();
  }

  TspColumn* colour = nullptr;
  TspSkinInplaceEdit* editor = nullptr;
  TspDBPopupListbox* list = nullptr;
};

TEST_F(DBGridEditorTest, ButtonStyleChoosesTheEditorsButton) {
  struct Case {
    TspColumnButtonStyle style;
    bool pickList;
    TspEditButton button;
  };
  const Case cases[] = {
      {TspColumnButtonStyle::cbsAuto, false, TspEditButton::None},
      {TspColumnButtonStyle::cbsEllipsis, true, TspEditButton::Ellipsis},
      {TspColumnButtonStyle::cbsNone, true, TspEditButton::None},
      {TspColumnButtonStyle::cbsAuto, true, TspEditButton::DropDown},
  };
  EditColour(kColours);
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.style) * 2 + c.pickList);
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_FALSE(grid->EditorShowing());
    colour->SetButtonStyle(c.style);
    colour->SetPickList(c.pickList ? kColours : QStringList());
    QTest::keyClick(grid, Qt::Key_F2);
    ASSERT_TRUE(grid->EditorShowing());
    EXPECT_EQ(editor->Button(), c.button);
    // The text stops short of the button.
    EXPECT_EQ(editor->textMargins().right(), editor->ButtonRect().width());
    if (c.button != TspEditButton::None) {
      EXPECT_EQ(editor->ButtonRect().right(), editor->rect().right());
    }
  }
  // The last one's button, skinned, wears the title cells' image: its corner is theirs.
  const QRect button = editor->ButtonRect();
  const QRect title = grid->CellRect(grid->IndicatorOffset(), 0);
  EXPECT_EQ(Grab(*editor).pixel(button.topLeft()), Grab(*grid).pixel(title.topLeft()));
}

TEST_F(DBGridEditorTest, AltDownDropsTheListUnderTheEditorAndAClickPicksAnItem) {
  EditColour(kColours);
  ASSERT_EQ(editor->text(), QStringLiteral("Brown"));
  QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(editor->ListVisible());
  ASSERT_TRUE(list->isVisible());
  EXPECT_TRUE(list->isWindow());
  EXPECT_TRUE(list->windowFlags().testFlag(Qt::Popup));
  // The form keeps the activation, the editor the focus.
  EXPECT_TRUE(form->isActiveWindow());
  EXPECT_EQ(QApplication::focusWidget(), editor);
  EXPECT_EQ(list->geometry().topLeft(), editor->mapToGlobal(QPoint(0, editor->height())));
  EXPECT_EQ(list->width(), editor->width());
  EXPECT_EQ(list->ListBox()->VisibleRows(), 4);
  EXPECT_FALSE(list->ScrollBar()->isVisible());
  // It opens on the item equal to the text.
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(list->RecordIndex(), data->FindControlData("listbox"));

  TspListBox* items = list->ListBox();
  QTest::mouseClick(items, Qt::LeftButton, {}, items->ItemRect(2).center());
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(editor->text(), QStringLiteral("Ginger"));
  EXPECT_EQ(StoredColour(1), QStringLiteral("Brown"));
  // Like typed text, the pick goes into the field when the record changes.
  QTest::keyClick(editor, Qt::Key_Down);
  EXPECT_EQ(cursor->RecNo(), 2);
  EXPECT_EQ(StoredColour(1), QStringLiteral("Ginger"));
}

TEST_F(DBGridEditorTest, KeysMoveTheSelectionEnterTakesItEscapeAndF4CloseWithoutIt) {
  EditColour(kColours);
  QTest::keyClick(editor, Qt::Key_F4);
  ASSERT_TRUE(list->isVisible());
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  EXPECT_EQ(list->ItemIndex(), 3);
  EXPECT_EQ(editor->text(), QStringLiteral("Brown"));
  Key(Qt::Key_Escape);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(editor->text(), QStringLiteral("Brown"));
  // Escape closed only the list: the editor stays.
  EXPECT_TRUE(grid->EditorShowing());

  for (const auto& [key, mods] : {std::pair{Qt::Key_F4, Qt::KeyboardModifiers()},
                                  std::pair{Qt::Key_Up, Qt::KeyboardModifiers(Qt::AltModifier)}}) {
    SCOPED_TRACE(key);
    QTest::keyClick(editor, Qt::Key_F4);
    ASSERT_TRUE(list->isVisible());
    Key(Qt::Key_Up);
    Key(key, mods);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(editor->text(), QStringLiteral("Brown"));
  }

  QTest::keyClick(editor, Qt::Key_F4);
  Key(Qt::Key_End);
  Key(Qt::Key_Return);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(editor->text(), QStringLiteral("White"));
}

TEST_F(DBGridEditorTest, APressOutsideClosesTheListAndAPressOnTheButtonTogglesIt) {
  EditColour(kColours);
  const QPoint button = editor->ButtonRect().center();
  QTest::mouseClick(editor, Qt::LeftButton, {}, button);
  ASSERT_TRUE(list->isVisible());
  EXPECT_TRUE(editor->ButtonPressed());
  // A press elsewhere on the form closes it and changes nothing.
  QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, QPoint(650, 480));
  EXPECT_FALSE(list->isVisible());
  EXPECT_FALSE(editor->ListVisible());
  EXPECT_EQ(editor->text(), QStringLiteral("Brown"));

  // A press on the button while the list is open only closes it.
  QTest::mouseClick(editor, Qt::LeftButton, {}, button);
  ASSERT_TRUE(list->isVisible());
  QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, editor->mapTo(form.get(), button));
  EXPECT_FALSE(list->isVisible());
  EXPECT_FALSE(editor->ButtonPressed());
}

TEST_F(DBGridEditorTest, DropDownRowsLimitTheListAndNearTheBottomItOpensAbove) {
  QStringList many;
  for (int i = 1; i <= 12; ++i) many << QStringLiteral("Colour %1").arg(i);
  EditColour(many);
  QTest::keyClick(editor, Qt::Key_F4);
  EXPECT_EQ(list->ListBox()->VisibleRows(), 7);
  EXPECT_TRUE(list->ScrollBar()->isVisible());
  Key(Qt::Key_Escape);
  colour->SetDropDownRows(3);
  QTest::keyClick(editor, Qt::Key_F4);
  EXPECT_EQ(list->ListBox()->VisibleRows(), 3);
  Key(Qt::Key_Escape);

  const QRect work = form->screen()->availableGeometry();
  form->move(form->x(), work.bottom() - grid->y() - editor->geometry().bottom() - 20);
  QCoreApplication::processEvents();
  QTest::keyClick(editor, Qt::Key_F4);
  ASSERT_TRUE(list->isVisible());
  EXPECT_EQ(list->geometry().bottom() + 1, editor->mapToGlobal(QPoint(0, 0)).y());
  Key(Qt::Key_Escape);
}

TEST_F(DBGridEditorTest, AReadOnlyGridShowsTheListButNothingChangesTheValue) {
  EditColour(kColours, true);
  ASSERT_TRUE(editor->isReadOnly());
  EXPECT_EQ(editor->Button(), TspEditButton::DropDown);
  QTest::keyClick(editor, Qt::Key_F4);
  ASSERT_TRUE(list->isVisible());
  Key(Qt::Key_Down);
  Key(Qt::Key_Return);
  EXPECT_EQ(editor->text(), QStringLiteral("Brown"));
  QTest::keyClick(editor, Qt::Key_F4);
  TspListBox* items = list->ListBox();
  QTest::mouseClick(items, Qt::LeftButton, {}, items->ItemRect(0).center());
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(editor->text(), QStringLiteral("Brown"));
  QTest::keyClick(editor, Qt::Key_Down);
  EXPECT_EQ(cursor->State(), TDataSetState::dsBrowse);
  EXPECT_EQ(StoredColour(1), QStringLiteral("Brown"));
}

TEST_F(DBGridEditorTest, TheEllipsisButtonFiresOnEditButtonClickOnARelease) {
  EditColour({});
  int clicks = 0;
  grid->OnEditButtonClick = [&](QObject* sender) {
    EXPECT_EQ(sender, grid);
    ++clicks;
  };
  QTest::keyClick(editor, Qt::Key_Escape);
  colour->SetButtonStyle(TspColumnButtonStyle::cbsEllipsis);
  QTest::keyClick(grid, Qt::Key_F2);
  const QPoint button = editor->ButtonRect().center();
  QTest::mousePress(editor, Qt::LeftButton, {}, button);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(editor->ButtonPressed());
  QTest::mouseRelease(editor, Qt::LeftButton, {}, button);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(list->isVisible());
  // Released away from the button: no click.
  QTest::mousePress(editor, Qt::LeftButton, {}, button);
  QTest::mouseMove(editor, QPoint(2, 2));
  EXPECT_FALSE(editor->ButtonPressed());
  QTest::mouseRelease(editor, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(clicks, 1);
}

TEST_F(DBGridEditorTest, TheListTakesThePickListSkinAndCaption) {
  EditColour(kColours);
  // A name the skin lacks gives the plain list.
  grid->SetPickListBoxSkinDataName(QStringLiteral("picklist"));
  QTest::keyClick(editor, Qt::Key_F4);
  ASSERT_TRUE(list->isVisible());
  EXPECT_EQ(list->RecordIndex(), -1);
  EXPECT_EQ(list->CaptionMode(), TspListBoxCaptionMode::Off);
  Key(Qt::Key_Escape);

  grid->SetPickListBoxSkinDataName(QStringLiteral("listbox"));
  grid->SetPickListBoxCaptionMode(true);
  QTest::keyClick(editor, Qt::Key_F4);
  ASSERT_TRUE(list->isVisible());
  EXPECT_EQ(list->RecordIndex(), data->FindControlData("listbox"));
  EXPECT_EQ(list->CaptionMode(), TspListBoxCaptionMode::On);
  EXPECT_EQ(list->Caption(), QStringLiteral("Colour"));
  EXPECT_FALSE(list->CaptionRect().isEmpty());
  // The caption band comes on top of the rows.
  EXPECT_EQ(list->ListBox()->VisibleRows(), 4);
  Key(Qt::Key_Escape);
}

TEST_F(DBGridEditorTest, ThePlainButtonShowsItsArrowAndItsPressedFace) {
  EditColour(kColours, false, false);
  const QRect button = editor->ButtonRect();
  QImage image = Grab(*editor);
  const QRgb face = SkinColor(clBtnFace).rgb();
  const QRgb glyph = SkinColor(clBtnText).rgb();
  EXPECT_GT(CountColour(image, face, button), button.width() * button.height() / 2);
  EXPECT_GT(CountColour(image, glyph, button), 0);
  QTest::mousePress(editor, Qt::LeftButton, {}, button.center());
  image = Grab(*editor);
  EXPECT_GT(CountColour(image, SkinColor(kPlainDownFill).rgb(), button), 0);
  EXPECT_EQ(CountColour(image, face, button), 0);
  QTest::mouseRelease(editor, Qt::LeftButton, {}, button.center());
  Key(Qt::Key_Escape);
}

} // namespace
