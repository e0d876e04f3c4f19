// The skinned edits' context menu: opened by the right button or the menu key, its items
// enabled by the edit's state, and its commands on the clipboard.

#include "menu_fixture.h"

#include "skin/controls/edit.h"
#include "skin/controls/edit_menu_hook.h"
#include "skin/controls/rich_edit.h"
#include "skin/frame/edit_menu.h"

#include <QClipboard>

namespace {

class EditMenuTest : public MenuTest {
protected:
  void SetUp() override {
    MenuTest::SetUp();
    InstallSkinnedEditMenus();
    edit = new TspSkinEdit(form.get());
    edit->SetSkinData(data);
    edit->setGeometry(20, 20, 200, 21);
    edit->show();
    edit->SetText("Milo the vorn");
    QGuiApplication::clipboard()->clear();
  }
  void TearDown() override {
    MenuTest::TearDown();
    SetEditMenuHook(nullptr);
  }

  void RightClick(QWidget* w) {
    const QPoint at = w->rect().center();
    QTest::mouseClick(w->window()->windowHandle(), Qt::RightButton, {}, w->mapTo(w->window(), at));
  }
  // Enabled state of each item, in menu order, separators left out.
  QString EnabledItems() const {
    QString s;
    for (int i = 0; i < Level(0)->ItemCount(); ++i) {
      const TspSkinMenuItem& item = Level(0)->Item(i);
      if (!item.Separator) s += item.Enabled ? '1' : '0';
    }
    return s;
  }

  TspSkinEdit* edit = nullptr;
};

TEST_F(EditMenuTest, CopyCutPasteAndSelectAllThroughTheMenu) {
  edit->Editor()->setFocus();
  edit->Editor()->setSelection(0, 4);
  RightClick(edit->Editor());
  ASSERT_TRUE(host->Visible());
  // Undo, Cut, Copy, Paste, Delete, Select All with two separators.
  ASSERT_EQ(Level(0)->ItemCount(), 8);
  EXPECT_EQ(Level(0)->Item(0).Caption.Text, "Undo");
  EXPECT_TRUE(Level(0)->Item(1).Separator);
  EXPECT_EQ(Level(0)->Item(7).Caption.Text, "Select All");
  EXPECT_EQ(EnabledItems(), "011011");
  ClickOn(0, "Copy");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Milo");
  EXPECT_EQ(edit->Text(), "Milo the vorn");

  RightClick(edit->Editor());
  // Paste is now possible.
  EXPECT_EQ(EnabledItems(), "011111");
  ClickOn(0, "Cut");
  EXPECT_EQ(edit->Text(), " the vorn");
  // Undo is possible after the cut; nothing is selected.
  RightClick(edit->Editor());
  EXPECT_EQ(EnabledItems(), "100101");
  ClickOn(0, "Select All");
  EXPECT_EQ(edit->Editor()->selectedText(), " the vorn");
  RightClick(edit->Editor());
  // The whole text is selected: Select All is off.
  EXPECT_EQ(EnabledItems(), "111110");
  ClickOn(0, "Paste");
  EXPECT_EQ(edit->Text(), "Milo");
  Flush();
  EXPECT_EQ(LivePopups(), 0);
}

TEST_F(EditMenuTest, AReadOnlyEditOffersOnlyCopyAndSelectAll) {
  edit->SetReadOnly(true);
  QGuiApplication::clipboard()->setText("x");
  edit->Editor()->setSelection(0, 4);
  // On the frame, left of the text.
  ASSERT_FALSE(edit->Editor()->geometry().contains(QPoint(1, 10)));
  QTest::mouseClick(form->windowHandle(), Qt::RightButton, {},
                    edit->mapTo(form.get(), QPoint(1, 10)));
  ASSERT_TRUE(host->Visible());
  EXPECT_EQ(EnabledItems(), "001001");
  Key(Qt::Key_Escape);
}

TEST_F(EditMenuTest, TheMenuKeyOpensTheMenuAtTheEditsCentre) {
  edit->Editor()->setFocus();
  edit->Editor()->deselect();
  // What the platform sends for the context-menu key.
  QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
  QApplication::sendEvent(edit->Editor(), &key);
  ASSERT_TRUE(host->Visible());
  const QPoint centre = edit->mapToGlobal(edit->rect().center());
  EXPECT_EQ(Level(0)->pos(), centre);
  // Only Select All can run now: it is selected at once, and Up comes back to it.
  EXPECT_EQ(EnabledItems(), "000001");
  Key(Qt::Key_Up);
  Key(Qt::Key_Return);
  EXPECT_EQ(edit->Editor()->selectedText(), "Milo the vorn");
}

TEST_F(EditMenuTest, TheRichEditCopiesThroughTheMenu) {
  auto* rich = new TspSkinRichEdit(form.get());
  rich->SetSkinData(data);
  rich->setGeometry(20, 60, 200, 100);
  rich->show();
  rich->setPlainText("Feeding at noon");
  rich->setFocus();
  rich->selectAll();
  RightClick(rich->viewport());
  ASSERT_TRUE(host->Visible());
  EXPECT_EQ(EnabledItems(), "011010");
  ClickOn(0, "Copy");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Feeding at noon");
}

TEST_F(EditMenuTest, WithoutTheHookTheEditKeepsThePlatformMenu) {
  SetEditMenuHook(nullptr);
  QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
  EXPECT_FALSE(ShowEditMenu(edit->Editor(), edit, data, &e));
  EXPECT_FALSE(host->Visible());
}

} // namespace
