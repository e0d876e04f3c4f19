// The frame under the mouse: hit testing, hot and pressed caption buttons, close, maximise
// and restore, moving by the caption and sizing from the edges (the frame's own move and
// size, as the offscreen platform has no window manager to do it), and the system menu.

#include "frame_fixture.h"

#include "skin/frame/popup_window.h"
#include "skin/frame/skin_menu.h"

#include <QCloseEvent>
#include <stdexcept>

namespace {

TEST_F(FrameTest, HitTestingFindsCaptionEdgesCornersAndClient) {
  NewForm(400, 300);
  Show();
  struct Case {
    QPoint p;
    TspHitCode code;
  } cases[] = {
      {{150, 15}, HTCAPTION}, {{200, 150}, HTCLIENT},   {{1, 1}, HTTOPLEFT},
      {{398, 2}, HTTOPRIGHT}, {{1, 298}, HTBOTTOMLEFT}, {{398, 298}, HTBOTTOMRIGHT},
      {{150, 1}, HTTOP},      {{150, 298}, HTBOTTOM},   {{1, 150}, HTLEFT},
      {{398, 150}, HTRIGHT},  {{385, 15}, HTBORDER},
  };
  for (const Case& c : cases) EXPECT_EQ(frame->HitTest(c.p), c.code) << c.p.x() << "," << c.p.y();
  // The pointer shows the zone; the client area keeps its own cursor.
  Move({398, 298});
  EXPECT_EQ(form->cursor().shape(), Qt::SizeFDiagCursor);
  EXPECT_EQ(frame->ClientWidget()->cursor().shape(), Qt::ArrowCursor);
  Move({150, 15});
  EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
  // Maximised, the edges size nothing.
  frame->SetWindowState(TspWindowState::wsMaximized);
  EXPECT_EQ(frame->HitTest({1, 150}), HTBORDER);
  EXPECT_EQ(frame->HitTest({150, 1}), HTCAPTION);
}

TEST_F(FrameTest, PlainFrameHitTesting) {
  NewForm(400, 300, false);
  Show();
  struct Case {
    QPoint p;
    TspHitCode code;
  } cases[] = {
      {{2, 2}, HTTOPLEFT}, {{398, 298}, HTBOTTOMRIGHT}, {{396, 296}, HTCLIENT}, {{2, 100}, HTLEFT},
      {{100, 2}, HTTOP},   {{100, 10}, HTCAPTION},      {{100, 100}, HTCLIENT},
  };
  for (const Case& c : cases) EXPECT_EQ(frame->HitTest(c.p), c.code) << c.p.x() << "," << c.p.y();
}

TEST_F(FrameTest, HoveredButtonLightsUpAloneAndGoesDarkWhenLeft) {
  NewForm(400, 300);
  Show();
  const QPoint close = CentreOf("closebutton");
  const QColor normal = PixelAt(close + QPoint(-10, -10));
  const QColor captionBefore = PixelAt({150, 15});
  Move(close);
  EXPECT_EQ(frame->HoveredIndex() >= 0, true);
  EXPECT_TRUE(Object("closebutton")->Active);
  const QColor hot = PixelAt(close + QPoint(-10, -10));
  EXPECT_NE(hot, normal);
  EXPECT_EQ(PixelAt({150, 15}), captionBefore);
  Move({150, 15});
  EXPECT_EQ(frame->HoveredIndex(), -1);
  EXPECT_EQ(PixelAt(close + QPoint(-10, -10)), normal);
  // Straight from the button into the client area below it.
  Move(close);
  EXPECT_GE(frame->HoveredIndex(), 0);
  QTest::mouseMove(frame->ClientWidget(), QPoint(close.x() - 4, 5));
  EXPECT_EQ(frame->HoveredIndex(), -1);
  EXPECT_EQ(PixelAt(close + QPoint(-10, -10)), normal);
}

// The pointer leaves without the frame seeing it go: a window opens over the button under
// a still pointer, or the pointer jumps off every window. The poll lets the button go.
TEST_F(FrameTest, TheHoverPollLetsAButtonGoWhenThePointerLeftUnseen) {
  NewForm(400, 300);
  Show();
  const QPoint close = CentreOf("closebutton");
  const QColor normal = PixelAt(close + QPoint(-10, -10));
  enum class Away { OverPopUp, OffEveryWindow };
  for (Away away : {Away::OverPopUp, Away::OffEveryWindow}) {
    SCOPED_TRACE(int(away));
    QCursor::setPos(790, 790);
    QCursor::setPos(form->mapToGlobal(close));
    Move(close);
    ASSERT_GE(frame->HoveredIndex(), 0);
    // Still over the button: the poll keeps it hot.
    QTest::qWait(150);
    EXPECT_GE(frame->HoveredIndex(), 0);
    std::unique_ptr<QWidget> popUp;
    switch (away) {
    case Away::OverPopUp:
      popUp = std::make_unique<QWidget>(nullptr, Qt::ToolTip);
      popUp->setGeometry(QRect(form->mapToGlobal(close) - QPoint(20, 20), QSize(40, 40)));
      popUp->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(popUp.get()));
      break;
    case Away::OffEveryWindow:
      QCursor::setPos(form->mapToGlobal(QPoint(-50, -50)));
      break;
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame->HoveredIndex() == -1; }));
    EXPECT_FALSE(Object("closebutton")->Active);
    EXPECT_EQ(PixelAt(close + QPoint(-10, -10)), normal);
  }
}

TEST_F(FrameTest, AnInactiveWindowShowsNoHotButtons) {
  NewForm(400, 300);
  Show();
  const QColor activeCaption = PixelAt({150, 15});
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  // The inactive picture's caption bar.
  EXPECT_NE(PixelAt({150, 15}), activeCaption);
  Move(CentreOf("closebutton"));
  EXPECT_EQ(frame->HoveredIndex(), -1);
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  Move({150, 15});
  Move(CentreOf("closebutton"));
  EXPECT_GE(frame->HoveredIndex(), 0);
}

TEST_F(FrameTest, CloseRunsOnlyWhenReleasedOverTheButton) {
  NewForm(400, 300);
  Show();
  const QPoint close = CentreOf("closebutton");
  Move(close);
  Press(close);
  EXPECT_TRUE(static_cast<const TspSkinButtonObject*>(Object("closebutton"))->Down);
  // Dragged off: nothing else lights up, and the release does nothing.
  Move(CentreOf("maxbutton"));
  EXPECT_EQ(frame->HoveredIndex(), -1);
  Release(CentreOf("maxbutton"));
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(frame->CapturedIndex(), -1);
  EXPECT_FALSE(static_cast<const TspSkinButtonObject*>(Object("closebutton"))->Down);
  Move(close);
  Press(close);
  Release(close);
  EXPECT_FALSE(form->isVisible());
}

// A form whose close fails, as a close handler that cannot save its settings does.
class FailingCloseForm : public QWidget {
protected:
  void closeEvent(QCloseEvent*) override { throw std::runtime_error("settings not saved"); }
};

TEST_F(FrameTest, AFailingCloseStillEndsThePressAndIsReported) {
  QCursor::setPos(790, 790);
  form = std::make_unique<FailingCloseForm>();
  form->setGeometry(Work().left() + 100, Work().top() + 100, 400, 300);
  list = CreateBuiltinSkinList(form.get());
  data = new TspSkinData(form.get());
  data->SetSkinList(list);
  frame = new TspVestimar(form.get());
  frame->SetSkinData(data);
  Show();
  const QPoint close = CentreOf("closebutton");
  Move(close);
  Press(close);
  EXPECT_THROW(Release(close), std::runtime_error);
  EXPECT_EQ(frame->CapturedIndex(), -1);
  EXPECT_FALSE(static_cast<const TspSkinButtonObject*>(Object("closebutton"))->Down);
  // The frame goes on working: the next press lights the button again.
  Move(CentreOf("maxbutton"));
  Press(CentreOf("maxbutton"));
  EXPECT_GE(frame->CapturedIndex(), 0);
  Release(CentreOf("maxbutton"));
  EXPECT_EQ(frame->WindowState(), TspWindowState::wsMaximized);
}

TEST_F(FrameTest, MaximiseToTheWorkAreaAndRestoreByButtonAndByDoubleClick) {
  NewForm(400, 300);
  Show();
  const QRect normal = form->geometry();
  const QScreen* s = form->screen();
  const QRect target = MaximizedBounds(s->geometry(), s->availableGeometry(), true, false);
  int maximised = 0, restored = 0;
  frame->OnMaximize = [&](QObject*) { ++maximised; };
  frame->OnRestore = [&](QObject*) { ++restored; };
  Move(CentreOf("maxbutton"));
  Press(CentreOf("maxbutton"));
  Release(CentreOf("maxbutton"));
  EXPECT_EQ(form->geometry(), target);
  EXPECT_EQ(frame->WindowState(), TspWindowState::wsMaximized);
  // The close button follows the right edge.
  EXPECT_EQ(Object("closebutton")->ObjectRect.Right, target.width());
  // Dragging the caption of a maximised window moves nothing.
  DragGlobal(form->mapToGlobal(QPoint(100, 15)),
             {form->mapToGlobal(QPoint(150, 60)), form->mapToGlobal(QPoint(200, 90))});
  EXPECT_EQ(form->geometry(), target);
  Move(CentreOf("maxbutton"));
  Press(CentreOf("maxbutton"));
  Release(CentreOf("maxbutton"));
  EXPECT_EQ(form->geometry(), normal);
  QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(100, 15));
  EXPECT_EQ(form->geometry(), target);
  QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(100, 15));
  EXPECT_EQ(form->geometry(), normal);
  EXPECT_EQ(maximised, 2);
  EXPECT_EQ(restored, 2);
}

TEST_F(FrameTest, DraggingTheCaptionMovesTheWindow) {
  NewForm(400, 300);
  Show();
  const QPoint start = form->pos();
  const QPoint grip = form->mapToGlobal(QPoint(150, 15));
  DragGlobal(grip, {grip + QPoint(5, 3), grip + QPoint(40, 25), grip + QPoint(60, 50)});
  EXPECT_EQ(form->pos(), start + QPoint(60, 50));
  EXPECT_EQ(form->size(), QSize(400, 300));
}

TEST_F(FrameTest, SizingFromTheCornerKeepsTheMinimum) {
  NewForm(400, 300);
  Show();
  const QPoint topLeft = form->pos();
  const QPoint corner = form->mapToGlobal(QPoint(398, 298));
  DragGlobal(corner, {corner + QPoint(10, 10), corner + QPoint(50, 30)});
  EXPECT_EQ(form->geometry(), QRect(topLeft, QSize(450, 330)));
  EXPECT_EQ(frame->ClientWidget()->size(), QSize(442, 296));
  // Far below the minimum tracking size: held at 200 x 34.
  const QPoint corner2 = form->mapToGlobal(QPoint(448, 328));
  DragGlobal(corner2, {corner2 - QPoint(100, 100), corner2 - QPoint(400, 400)});
  EXPECT_EQ(form->geometry(), QRect(topLeft, QSize(200, 34)));
  // From the left edge the right edge stays.
  form->setGeometry(QRect(topLeft, QSize(400, 300)));
  const QPoint left = form->mapToGlobal(QPoint(1, 150));
  DragGlobal(left, {left + QPoint(30, 0)});
  EXPECT_EQ(form->geometry(), QRect(topLeft + QPoint(30, 0), QSize(370, 300)));
}

TEST_F(FrameTest, SnapsToTheWorkAreasLeftEdgeUntilTheMouseMovesAway) {
  const QRect area(0, 0, 800, 600);
  TspMagneticSnap snap;
  const QSize size(200, 100);
  // Within 9 pixels of the left edge: snapped, the cursor remembered at x 109.
  EXPECT_EQ(snap.Snap({9, 200}, size, area, {109, 300}, 10), QPoint(0, 200));
  EXPECT_TRUE(snap.SnappedLeft());
  // Still near, the mouse 5 pixels on: stays.
  EXPECT_EQ(snap.Snap({5, 200}, size, area, {114, 300}, 10), QPoint(0, 200));
  // The mouse more than 10 pixels from where it snapped: the window follows it.
  EXPECT_EQ(snap.Snap({8, 200}, size, area, {121, 300}, 10), QPoint(12, 200));
  // Far from every edge: not snapped.
  TspMagneticSnap free;
  EXPECT_EQ(free.Snap({300, 200}, size, area, {0, 0}, 10), QPoint(300, 200));
  // Near the right and bottom edges.
  EXPECT_EQ(free.Snap({595, 495}, size, area, {0, 0}, 10), QPoint(600, 500));
}

TEST_F(FrameTest, SystemMenuOpensOnlyWhenEnabled) {
  NewForm(400, 300);
  Show();
  const auto popups = [] {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<TspSkinPopupWindow*>(w) && w->isVisible()) ++n;
    return n;
  };
  Press({150, 15}, Qt::RightButton);
  Release({150, 15}, Qt::RightButton);
  QTest::keyClick(form.get(), Qt::Key_Space, Qt::AltModifier);
  EXPECT_EQ(popups(), 0);
  frame->SetDisableSystemMenu(false);
  Press({150, 15}, Qt::RightButton);
  Release({150, 15}, Qt::RightButton);
  ASSERT_EQ(popups(), 1);
  TspSkinPopupWindow* level = frame->SkinMenu()->Level(0);
  QStringList items;
  for (int i = 0; i < level->ItemCount(); ++i) items << level->Item(i).Caption.Text;
  EXPECT_EQ(items, (QStringList{"Minimize", "Maximize", "", "Close"}));
  // Every item but the separator shows the plain frame's glyph of its command.
  for (int i = 0; i < level->ItemCount(); ++i)
    EXPECT_EQ(level->Item(i).Image.isNull(), level->Item(i).Separator) << i;
  frame->SkinMenu()->CloseMenu();
  // Maximised and able to roll up: restore and roll up instead of maximise.
  frame->SetBorderIcons(TspBorderIcon::biSystemMenu | TspBorderIcon::biMinimize |
                        TspBorderIcon::biMaximize | TspBorderIcon::biRollUp);
  frame->SetWindowState(TspWindowState::wsMaximized);
  TspSkinPopupMenu menu;
  frame->BuildSystemMenu(menu);
  QStringList texts;
  for (QAction* a : menu.actions()) texts << a->text();
  EXPECT_EQ(texts, (QStringList{"Mi&nimize", "&Restore", "Ro&llUp", "", "&Close"}));
  EXPECT_EQ(menu.actions().last()->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
  // The system-menu button, shown once the menu is allowed, opens it below itself.
  frame->SetWindowState(TspWindowState::wsNormal);
  ASSERT_TRUE(Object("sysmenubutton")->Visible);
  // The closed menu may leave the activation elsewhere on this platform: the form takes it.
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  Move(CentreOf("sysmenubutton"));
  Press(CentreOf("sysmenubutton"));
  ASSERT_EQ(popups(), 1);
  EXPECT_EQ(frame->SkinMenu()->Level(0)->y(),
            form->mapToGlobal(QPoint(0, Object("sysmenubutton")->ObjectRect.Bottom)).y());
  frame->SkinMenu()->CloseMenu();
}

} // namespace

namespace {

TEST_F(FrameTest, AWindowPlacedWithItsCaptionOffEveryScreenComesBack) {
  NewForm(400, 300);
  Show();
  form->move(-99999, 99999999);
  const QRect work = Work();
  EXPECT_TRUE(work.contains(QRect(form->pos(), QSize(400, 30))))
      << form->pos().x() << "," << form->pos().y();
  // A place on the screen is kept as it is.
  form->move(work.left() + 37, work.top() + 41);
  EXPECT_EQ(form->pos(), QPoint(work.left() + 37, work.top() + 41));
}

} // namespace

namespace {

TEST_F(FrameTest, MinimiseAndTheWindowManagersOwnStateChangesAreFollowed) {
  NewForm(400, 300);
  Show();
  int minimised = 0, restored = 0;
  frame->OnMinimize = [&](QObject*) { ++minimised; };
  frame->OnRestore = [&](QObject*) { ++restored; };
  Move(CentreOf("minbutton"));
  Press(CentreOf("minbutton"));
  Release(CentreOf("minbutton"));
  EXPECT_TRUE(form->isMinimized());
  EXPECT_EQ(minimised, 1);
  // The platform restores it.
  form->showNormal();
  EXPECT_FALSE(form->isMinimized());
  EXPECT_EQ(restored, 1);
  // The window manager maximises it: the frame takes the maximised state and restores to
  // where the window was.
  const QRect normal = form->geometry();
  form->showMaximized();
  EXPECT_EQ(frame->WindowState(), TspWindowState::wsMaximized);
  frame->SetWindowState(TspWindowState::wsNormal);
  EXPECT_EQ(form->geometry(), normal);
}

TEST_F(FrameTest, AButtonThatMorphsCrossFadesInTimerSteps) {
  NewForm(400, 300);
  for (const auto& o : frame->Objects()) o->Morphing = true;
  Show();
  const TspActiveSkinObject* close = Object("closebutton");
  Move(CentreOf("closebutton"));
  // Five 25 ms steps of 0.2 to the hot image.
  EXPECT_LT(close->MorphKf, 1.0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return close->MorphKf >= 1.0; }, 2000));
  Move({150, 15});
  EXPECT_TRUE(QTest::qWaitFor([&] { return close->MorphKf <= 0.0; }, 2000));
}

} // namespace

namespace {

TEST_F(FrameTest, RollUpLeavesTheFrameAloneAndRollsBackDown) {
  // The plain frame's roll-up button.
  NewForm(400, 300, false);
  frame->SetBorderIcons(TspBorderIcon::biSystemMenu | TspBorderIcon::biRollUp);
  Show();
  int changes = 0;
  frame->OnChangeRollUpState = [&](QObject*) { ++changes; };
  const QPoint rollUp = CentreOf("rollupbutton");
  Move(rollUp);
  Press(rollUp);
  Release(rollUp);
  EXPECT_TRUE(frame->RolledUp());
  // The caption and its borders: 19 + 6.
  EXPECT_EQ(form->size(), QSize(400, 25));
  // Nothing sizes a rolled-up window.
  EXPECT_EQ(frame->HitTest({399, 24}), HTBORDER);
  Move(rollUp);
  Press(rollUp);
  Release(rollUp);
  EXPECT_FALSE(frame->RolledUp());
  EXPECT_EQ(form->size(), QSize(400, 300));
  EXPECT_EQ(changes, 2);
}

TEST_F(FrameTest, ACaptionDoubleClickRollsUpAWindowThatCannotMaximise) {
  NewForm(400, 300);
  frame->SetBorderIcons(TspBorderIcon::biSystemMenu | TspBorderIcon::biRollUp);
  Show();
  QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(100, 15));
  // The frame picture's height without its client area.
  EXPECT_EQ(form->size(), QSize(400, 34));
  QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(100, 15));
  EXPECT_EQ(form->size(), QSize(400, 300));
  // Without biRollUp a double click does nothing here.
  frame->SetBorderIcons(TspBorderIcon::biSystemMenu);
  QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(100, 15));
  EXPECT_EQ(form->size(), QSize(400, 300));
}

} // namespace

// The controller's layered border, where translucency is composed: placed around the form
// when it shows, following moves, the inactive look when another window is active, gone
// while maximised and back on restore, and gone with a skin switch to none.
TEST_F(FrameTest, TheLayeredBorderFollowsTheWindow) {
  NewForm(400, 300);
  frame->SetLayeredWindowsSupport([] { return true; });
  TspFormLayerBorder* border = frame->LayerBorder();
  EXPECT_FALSE(border->Shown());
  Show();
  ASSERT_TRUE(border->Shown());
  EXPECT_TRUE(border->LayerBounds().contains(form->frameGeometry()));
  EXPECT_TRUE(border->Active());

  form->move(form->pos() + QPoint(30, 20));
  EXPECT_TRUE(border->LayerBounds().contains(form->frameGeometry()));

  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_FALSE(border->Active());
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  EXPECT_TRUE(border->Active());

  Move(CentreOf("maxbutton"));
  Press(CentreOf("maxbutton"));
  Release(CentreOf("maxbutton"));
  EXPECT_FALSE(border->Shown());
  Move(CentreOf("maxbutton"));
  Press(CentreOf("maxbutton"));
  Release(CentreOf("maxbutton"));
  EXPECT_TRUE(border->Shown());

  data->SetShowLayeredBorders(false);
  EXPECT_FALSE(border->Shown());
  data->SetShowLayeredBorders(true);
  EXPECT_TRUE(border->Shown());
}
