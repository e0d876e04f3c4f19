// The skinned popup menus on real windows: keys, the pointer, the closing rules and what
// runs after a command.

#include "menu_fixture.h"

#include <QActionGroup>

namespace {

TEST_F(MenuTest, UpAndDownWrapAndSkipSeparatorsAndDisabledItems) {
  Add(root, "&Adopt");
  root->addSeparator();
  Add(root, "&Return", false);
  Add(root, "&Feed");
  Open();
  // The first selectable item is selected when the level opens.
  EXPECT_EQ(Selected(0), "Adopt");
  Key(Qt::Key_Down);
  EXPECT_EQ(Selected(0), "Feed");
  Key(Qt::Key_Down);
  EXPECT_EQ(Selected(0), "Adopt");
  Key(Qt::Key_Up);
  EXPECT_EQ(Selected(0), "Feed");
  Key(Qt::Key_Return);
  EXPECT_EQ(ran, QStringList{"&Feed"});
  EXPECT_FALSE(host->Visible());
}

TEST_F(MenuTest, UpAndDownStopWhenNoItemIsEnabled) {
  Add(root, "One", false);
  root->addSeparator();
  Add(root, "Two", false);
  Open();
  EXPECT_EQ(Level(0)->SelectedIndex(), -1);
  Key(Qt::Key_Down);
  Key(Qt::Key_Up);
  EXPECT_EQ(Level(0)->SelectedIndex(), -1);
  Key(Qt::Key_Return);
  EXPECT_TRUE(ran.isEmpty());
  EXPECT_TRUE(host->Visible());
}

TEST_F(MenuTest, RightAndLeftOpenAndCloseSubMenusAndEscapeClosesLevelByLevel) {
  Add(root, "Cats");
  QMenu* dogs = root->addMenu("Dogs");
  Add(dogs, "Beagle", false);
  Add(dogs, "Collie");
  Open();
  Key(Qt::Key_Down);
  ASSERT_EQ(Selected(0), "Dogs");
  Key(Qt::Key_Right);
  ASSERT_EQ(host->LevelCount(), 2);
  // The submenu opens beside its item, first item level with it, its first enabled item
  // selected; the parent item stays down.
  EXPECT_EQ(Selected(1), "Collie");
  EXPECT_TRUE(Level(0)->Item(1).Down);
  const QRect parentItem(Level(0)->mapToGlobal(Level(0)->Item(1).Rect.topLeft()),
                         Level(0)->Item(1).Rect.size());
  EXPECT_EQ(Level(1)->x(), parentItem.right() + 2);
  EXPECT_EQ(Level(1)->y() + Level(1)->ItemsArea().top(), parentItem.top());
  Key(Qt::Key_Left);
  EXPECT_EQ(host->LevelCount(), 1);
  EXPECT_FALSE(Level(0)->Item(1).Down);
  Key(Qt::Key_Right);
  Key(Qt::Key_Escape);
  EXPECT_EQ(host->LevelCount(), 1);
  EXPECT_TRUE(host->Visible());
  Key(Qt::Key_Escape);
  EXPECT_FALSE(host->Visible());
  EXPECT_TRUE(ran.isEmpty());
}

TEST_F(MenuTest, AnAcceleratorChoosesItsItemWithoutRegardToCase) {
  Add(root, "&Undo");
  Add(root, "Cu&t");
  Add(root, "&Paste", false);
  Add(root, "Pas&te &again");
  Open();
  // Disabled items have no accelerator: "t" is Cut's, the first of the enabled items.
  Type('P');
  EXPECT_TRUE(host->Visible());
  Type('T');
  EXPECT_EQ(ran, QStringList{"Cu&t"});
  EXPECT_FALSE(host->Visible());
}

TEST_F(MenuTest, HoverHighlightsAndASubMenuOpensAfterItsDelay) {
  host->SetSubMenuDelay(30);
  Add(root, "Cats");
  QMenu* dogs = root->addMenu("Dogs");
  Add(dogs, "Collie");
  Add(root, "Birds", false);
  Open();
  MoveTo(0, "Cats");
  EXPECT_EQ(Selected(0), "Cats");
  // A disabled item under the pointer is not highlighted.
  MoveTo(0, "Birds");
  EXPECT_EQ(Level(0)->SelectedIndex(), -1);
  MoveTo(0, "Dogs");
  EXPECT_EQ(Selected(0), "Dogs");
  EXPECT_EQ(host->LevelCount(), 1);
  QTest::qWait(120);
  ASSERT_EQ(host->LevelCount(), 2);
  // Back on another item of the root: its submenu closes at once.
  MoveTo(0, "Cats");
  EXPECT_EQ(host->LevelCount(), 1);
}

TEST_F(MenuTest, TheSubMenuTimerStopsWhenItsLevelCloses) {
  host->SetSubMenuDelay(30);
  QMenu* dogs = root->addMenu("Dogs");
  Add(dogs, "Beagle");
  QMenu* small = dogs->addMenu("Small");
  Add(small, "Pug");
  Open();
  Key(Qt::Key_Right);
  ASSERT_EQ(host->LevelCount(), 2);
  MoveTo(1, "Small");
  Key(Qt::Key_Escape);
  ASSERT_EQ(host->LevelCount(), 1);
  QTest::qWait(120);
  EXPECT_EQ(host->LevelCount(), 1);
  EXPECT_EQ(ShownPopups(), 1);
}

TEST_F(MenuTest, AClickRunsTheCommandAfterEveryWindowClosed) {
  QMenu* dogs = root->addMenu("Dogs");
  QAction* collie = dogs->addAction("Collie");
  int levelsSeen = -1, shownSeen = -1;
  QObject::connect(collie, &QAction::triggered, [&] {
    levelsSeen = host->LevelCount();
    shownSeen = ShownPopups();
  });
  int closes = 0;
  root->OnMenuClose = [&](QObject* sender) {
    EXPECT_EQ(sender, root);
    ++closes;
  };
  QAction* seen = nullptr;
  QObject::connect(root, &QMenu::triggered, [&](QAction* a) { seen = a; });
  Add(root, "Cats");
  Open();
  // A click opens a submenu at once, without the hover delay.
  MoveTo(0, "Cats");
  ClickOn(0, "Dogs");
  QCoreApplication::processEvents();
  ASSERT_EQ(host->LevelCount(), 2);
  ClickOn(1, "Collie");
  EXPECT_EQ(levelsSeen, 0);
  EXPECT_EQ(shownSeen, 0);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(seen, collie);
  Flush();
  EXPECT_EQ(LivePopups(), 0);
}

TEST_F(MenuTest, ACommandThatFreesItsMenuTouchesNoFreedWindow) {
  auto* menu = new TspSkinPopupMenu(form.get());
  QAction* a = menu->addAction("Close");
  QObject::connect(a, &QAction::triggered, [menu] { delete menu; });
  menu->SetSkinData(data);
  const QPoint g = form->mapToGlobal(QPoint(50, 50));
  menu->PopupFromControl(form.get(), g.x(), g.y());
  ASSERT_TRUE(host->Visible());
  QTest::mouseClick(Level(0)->windowHandle(), Qt::LeftButton, {}, Level(0)->Item(0).Rect.center());
  EXPECT_FALSE(host->Visible());
  Flush();
  EXPECT_EQ(LivePopups(), 0);
}

TEST_F(MenuTest, APressOutsideClosesAndFreesTheMenu) {
  Add(root, "Cats");
  QMenu* dogs = root->addMenu("Dogs");
  Add(dogs, "Collie");
  int closes = 0;
  root->OnMenuClose = [&](QObject*) { ++closes; };
  Open();
  Key(Qt::Key_Down);
  Key(Qt::Key_Right);
  ASSERT_EQ(LivePopups(), 2);
  QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, QPoint(380, 280));
  EXPECT_FALSE(host->Visible());
  EXPECT_EQ(closes, 1);
  Flush();
  EXPECT_EQ(LivePopups(), 0);
  EXPECT_TRUE(ran.isEmpty());
  // Escape frees it too.
  Open();
  Key(Qt::Key_Escape);
  Flush();
  EXPECT_EQ(LivePopups(), 0);
}

TEST_F(MenuTest, TheMenuNeverTakesTheActivation) {
  Add(root, "Cats");
  QMenu* dogs = root->addMenu("Dogs");
  Add(dogs, "Collie");
  Open();
  Key(Qt::Key_Down);
  Key(Qt::Key_Right);
  ASSERT_EQ(host->LevelCount(), 2);
  EXPECT_TRUE(Level(0)->isWindow());
  EXPECT_TRUE(Level(0)->windowFlags().testFlag(Qt::Popup));
  EXPECT_TRUE(Level(1)->testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(Level(1)->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(QApplication::activeWindow(), form.get());
  EXPECT_TRUE(form->isActiveWindow());
}

TEST_F(MenuTest, AMenuWithoutVisibleItemsIsNotShown) {
  Add(root, "Hidden")->setVisible(false);
  root->SetSkinData(data);
  root->PopupFromControl(form.get(), 10, 10);
  EXPECT_FALSE(host->Visible());
  EXPECT_EQ(LivePopups(), 0);
}

TEST_F(MenuTest, ALongMenuScrollsWithTheKeysAndTheMarkers) {
  for (int i = 0; i < 12; ++i) Add(root, QStringLiteral("Animal %1").arg(i));
  host->SetMaxItemsInWindow(5);
  Open();
  TspSkinPopupWindow* w = Level(0);
  ASSERT_TRUE(w->Scrollable());
  EXPECT_TRUE(w->Limited());
  EXPECT_EQ(w->height(), 5 * w->Look().ItemHeight + (w->height() - w->ItemsArea().height()) + 20);
  for (int i = 0; i < 6; ++i) Key(Qt::Key_Down);
  EXPECT_EQ(Selected(0), "Animal 6");
  EXPECT_EQ(w->TopIndex(), 2);
  EXPECT_TRUE(w->Item(6).Visible);
  // Up from the first item wraps to the last and scrolls to it.
  for (int i = 0; i < 7; ++i) Key(Qt::Key_Up);
  EXPECT_EQ(Selected(0), "Animal 11");
  EXPECT_EQ(w->TopIndex(), 7);
  // Resting on the top marker scrolls up one item per tick.
  QTest::mouseMove(w->windowHandle(), QPoint(w->width() / 2, w->ItemsArea().top() + 5));
  EXPECT_EQ(w->ScrollState(), 1);
  QTest::qWait(350);
  EXPECT_LT(w->TopIndex(), 7);
}

} // namespace

namespace {

TEST_F(MenuTest, AMenuOpenedAtTheWorkAreasCornerStaysInside) {
  for (int i = 0; i < 4; ++i) Add(root, QStringLiteral("Animal %1").arg(i));
  QMenu* more = root->addMenu("More");
  Add(more, "Vorn");
  root->SetSkinData(data);
  const QRect work = form->screen()->availableGeometry();
  root->PopupFromControl(form.get(), work.right() - 2, work.bottom() - 2);
  ASSERT_TRUE(host->Visible());
  const QRect r = Level(0)->geometry();
  EXPECT_TRUE(work.contains(r)) << r.x() << "," << r.y();
  // Above the point, ending at it; moved left to end at the right edge.
  EXPECT_EQ(r.bottom() + 1, work.bottom() - 2);
  EXPECT_EQ(r.right(), work.right());
  // Its submenu has no room on the right: it opens to the left of its item.
  Key(Qt::Key_Up);
  Key(Qt::Key_Right);
  ASSERT_EQ(host->LevelCount(), 2);
  EXPECT_EQ(Level(1)->geometry().right(), r.left() + Level(0)->ItemsArea().left() - 2);
  EXPECT_TRUE(work.contains(Level(1)->geometry()));
}

} // namespace

namespace {

TEST_F(MenuTest, TheFadeInRisesOnItsTimerAfterTheMenuShows) {
  Add(root, "Cats");
  host->SetAlphaBlend(true);
  host->SetAlphaBlendValue(204);
  host->SetAlphaBlendAnimation(true);
  Open();
  // Opening returns at once with the window transparent; the timer raises the alpha.
  EXPECT_EQ(Level(0)->windowOpacity(), 0.0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Level(0)->windowOpacity() >= 0.8; }, 5000));
  EXPECT_NEAR(Level(0)->windowOpacity(), 0.8, 0.01);
  host->CloseMenu();
  // Without the animation the window shows at its alpha at once.
  host->SetAlphaBlendAnimation(false);
  Open();
  EXPECT_NEAR(Level(0)->windowOpacity(), 0.8, 0.01);
}

} // namespace
