// The scroll bar on a real widget: the position arithmetic and the setter rules, the thumb
// geometry in both looks, holding the buttons and the track, dragging, keys and the wheel,
// and what the built-in skins paint.

#include "skin/builtin/builtin_skins.h"
#include "skin/controls/plain_look.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ScrollBarTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }

  // The pointer rests outside every window between tests, so no part starts out hovered.
  static void ParkPointer() {
    QCursor::setPos(900, 900);
    QCoreApplication::processEvents();
  }
  void TearDown() override { ParkPointer(); }

  void SetUp() override {
    ParkPointer();
    form = std::make_unique<QWidget>();
    form->resize(400, 300);
    other = new QLineEdit(form.get());
    other->setGeometry(10, 250, 100, 20);
    bar = new TspSkinScrollBar(form.get());
    bar->move(10, 10);
    bar->OnChange = [this](QObject* sender) {
      EXPECT_EQ(sender, bar);
      ++changes;
    };
    bar->OnLastChange = [this](QObject*) { ++lastChanges; };
    bar->OnPageUp = [this](QObject*) { ++pageUps; };
    bar->OnPageDown = [this](QObject*) { ++pageDowns; };
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  void UseBuiltinSkin() {
    data = new TspSkinData(form.get());
    data->SetSkinList(CreateBuiltinSkinList(form.get()));
    ASSERT_FALSE(data->IsEmpty());
    bar->SetSkinData(data);
  }

  const TspDataSkinScrollBarControl* Record(const char* name) const {
    const int i = data->FindControlData(name);
    return i < 0 ? nullptr
                 : dynamic_cast<const TspDataSkinScrollBarControl*>(
                       data->ControlList[size_t(i)].get());
  }

  QRect Track() {
    bar->UpdateLayout();
    return bar->TrackRect();
  }
  int ThumbLength() {
    bar->UpdateLayout();
    return bar->ThumbLength();
  }
  QRect ThumbRect() {
    bar->UpdateLayout();
    return bar->Part(TspSkinScrollBar::ThumbPart).Rect;
  }
  QRect PartRect(int part) {
    bar->UpdateLayout();
    return bar->Part(part).Rect;
  }
  int ThumbOffset() {
    return bar->Kind() == TspScrollBarKind::sbVertical ? ThumbRect().top() - Track().top()
                                                       : ThumbRect().left() - Track().left();
  }

  std::unique_ptr<QWidget> form;
  QLineEdit* other = nullptr;
  TspSkinScrollBar* bar = nullptr;
  TspSkinData* data = nullptr;
  int changes = 0, lastChanges = 0, pageUps = 0, pageDowns = 0;
};

// --- Arithmetic ---------------------------------------------------------------------------------

TEST_F(ScrollBarTest, PositionIsClampedToTheRangeAndPage) {
  struct Case {
    int min, max, page, request, expected;
  };
  const Case cases[] = {
      {0, 100, 0, 150, 100},                       // above Max without a page
      {0, 100, 0, -5, 0},                          // below Min
      {0, 100, 0, 100, 100},                       // the far end itself
      {0, 99, 10, 95, 90},                         // the last page starts at Max - PageSize + 1
      {0, 99, 10, 90, 90},     {10, 20, 0, 5, 10}, // Min above 0
      {10, 109, 10, 200, 100}, {0, 5, 10, 3, 0}, // a page larger than the range: the near end wins
      {7, 7, 0, 9, 7},                           // Max = Min
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.min << ".." << c.max << " page " << c.page << " -> " << c.request);
    bar->SetScrollParams(c.min, c.max, c.page, c.min);
    changes = 0;
    bar->SetPosition(c.request);
    EXPECT_EQ(bar->Position(), c.expected);
    EXPECT_EQ(changes, c.expected != c.min ? 1 : 0); // only a real change reports
    bar->SetPosition(c.request);
    EXPECT_EQ(changes, c.expected != c.min ? 1 : 0);
    // The quiet paths clamp the same way without a word.
    bar->SetScrollParams(c.min, c.max, c.page, c.request);
    EXPECT_EQ(bar->Position(), c.expected);
    bar->SetPositionQuiet(c.min);
    bar->SetPositionQuiet(c.request);
    EXPECT_EQ(bar->Position(), c.expected);
    EXPECT_EQ(changes, c.expected != c.min ? 1 : 0);
  }
  // Steps near the limits of int do not wrap around.
  bar->SetScrollParams(0, std::numeric_limits<int>::max(), 0, std::numeric_limits<int>::max());
  bar->SetSmallChange(5);
  QTest::mouseClick(bar, Qt::LeftButton, {}, PartRect(TspSkinScrollBar::UpButtonPart).center());
  EXPECT_EQ(bar->Position(), std::numeric_limits<int>::max());
}

TEST_F(ScrollBarTest, SetterRules) {
  // Max pulls the position back into what the page leaves.
  bar->SetScrollParams(0, 99, 10, 90);
  bar->SetMax(50);
  EXPECT_EQ(bar->Position(), 41);
  bar->SetScrollParams(0, 100, 0, 80);
  bar->SetMax(60);
  EXPECT_EQ(bar->Position(), 60);
  bar->SetMax(-10); // below Min: the position stays at Min
  EXPECT_EQ(bar->Position(), 0);
  // A Max that leaves room for the position does not move it, also with Min above 0.
  bar->SetScrollParams(10, 100, 10, 85);
  bar->SetMax(100);
  EXPECT_EQ(bar->Position(), 85);
  bar->SetMax(90);
  EXPECT_EQ(bar->Position(), 81);

  // Min raises the position.
  bar->SetScrollParams(0, 100, 0, 5);
  bar->SetMin(20);
  EXPECT_EQ(bar->Position(), 20);
  bar->SetMin(0);
  EXPECT_EQ(bar->Position(), 20);

  // A page is taken only when it fits beside the position.
  bar->SetScrollParams(0, 99, 0, 95);
  bar->SetPageSize(10);
  EXPECT_EQ(bar->PageSize(), 0);
  bar->SetPageSize(5);
  EXPECT_EQ(bar->PageSize(), 5);
  bar->SetPageSize(-1);
  EXPECT_EQ(bar->PageSize(), 5);
  bar->SetScrollParams(10, 109, 0, 95);
  bar->SetPageSize(15);
  EXPECT_EQ(bar->PageSize(), 15);
  EXPECT_EQ(changes, 0); // no setter reports a change
}

TEST_F(ScrollBarTest, PlainThumbGeometryRoundsHalvesToEven) {
  // 200 wide: track 17..183 (166), thumb 16, so the thumb travels 150 pixels.
  ASSERT_EQ(bar->size(), QSize(200, 19));
  EXPECT_EQ(Track(), QRect(17, 1, 166, 17));
  EXPECT_EQ(PartRect(TspSkinScrollBar::DownButtonPart), QRect(1, 1, 16, 17));
  EXPECT_EQ(PartRect(TspSkinScrollBar::UpButtonPart), QRect(183, 1, 16, 17));
  struct Case {
    int position, offset;
  };
  // 1.5 -> 2, 4.5 -> 4, 7.5 -> 8, 148.5 -> 148.
  const Case cases[] = {{0, 0}, {1, 2}, {3, 4}, {5, 8}, {99, 148}, {100, 150}};
  for (const Case& c : cases) {
    bar->SetPositionQuiet(c.position);
    EXPECT_EQ(ThumbOffset(), c.offset) << "position " << c.position;
    EXPECT_EQ(ThumbRect().width(), 16);
    EXPECT_EQ(ThumbRect().height(), 17); // fills the track across
  }
  // With a page: 166 * 25 / 100 = 41.5 -> 42, drawn 2 * 21; the last page fills the end.
  bar->SetScrollParams(0, 99, 25, 75);
  EXPECT_EQ(ThumbRect().width(), 42);
  EXPECT_EQ(ThumbRect().right() + 1, Track().right() + 1);
  // A tiny page still gets the minimum thumb.
  bar->SetScrollParams(0, 9999, 1, 0);
  EXPECT_EQ(ThumbRect().width(), 16);
  // Max = Min keeps the thumb at the start.
  bar->SetScrollParams(5, 5, 0, 5);
  EXPECT_EQ(ThumbOffset(), 0);
  // Vertical: the same along y.
  bar->SetKind(TspScrollBarKind::sbVertical);
  EXPECT_EQ(bar->size(), QSize(19, 200));
  EXPECT_EQ(bar->SkinDataName(), "vscrollbar");
  bar->SetScrollParams(0, 100, 0, 50);
  EXPECT_EQ(ThumbOffset(), 75);
  EXPECT_EQ(ThumbRect().width(), 17);
}

TEST_F(ScrollBarTest, BuiltinVerticalThumbSizes) {
  UseBuiltinSkin();
  bar->SetKind(TspScrollBarKind::sbVertical);
  const TspDataSkinScrollBarControl* rec = Record("vscrollbar");
  ASSERT_NE(rec, nullptr);
  ASSERT_EQ(rec->thumbminpagesize, 17);
  bar->resize(40, 128); // the record's width wins
  ASSERT_EQ(bar->width(), rec->skinrect.Width());
  // thumbminpagesize 17 without a page: 2 * (17 div 2).
  bar->SetScrollParams(0, 99, 0, 0);
  EXPECT_EQ(ThumbLength(), 16);
  // The track grows with the bar; the buttons beyond the corner move along.
  const int delta = 128 - rec->skinrect.Height();
  EXPECT_EQ(Track().height(), rec->trackarea.Height() + delta);
  EXPECT_EQ(PartRect(TspSkinScrollBar::UpButtonPart),
            rec->upbuttonrect.ToQRect().translated(0, delta));
  EXPECT_EQ(PartRect(TspSkinScrollBar::DownButtonPart), rec->downbuttonrect.ToQRect());
  // With a page: round(N * 25 / 100), at least thumbminsize.
  const int n = Track().height();
  bar->SetScrollParams(0, 99, 25, 0);
  EXPECT_EQ(ThumbLength(), (n * 25 / 100) / 2 * 2);
  bar->SetScrollParams(0, 9999, 1, 0);
  EXPECT_EQ(ThumbLength(), rec->thumbminsize / 2 * 2);
  // Across the track the thumb keeps its image's size, centred.
  EXPECT_EQ(ThumbRect().width(), rec->thumbrect.Width());
  EXPECT_EQ(ThumbRect().left(), Track().left() + Track().width() / 2 - rec->thumbrect.Width() / 2);
}

// --- Mouse --------------------------------------------------------------------------------------

TEST_F(ScrollBarTest, HoldingTheFarButtonRepeats) {
  const QPoint far = PartRect(TspSkinScrollBar::UpButtonPart).center();
  QElapsedTimer clock;
  clock.start();
  QTest::mousePress(bar, Qt::LeftButton, {}, far);
  EXPECT_EQ(bar->Position(), 1); // once at the press
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(bar->Repeating());
  EXPECT_EQ(bar->RepeatInterval(), TspSkinScrollBar::RepeatDelay);
  ASSERT_TRUE(QTest::qWaitFor([&] { return bar->Position() >= 4; }, 5000));
  EXPECT_GE(clock.elapsed(), TspSkinScrollBar::RepeatDelay); // nothing before the delay
  EXPECT_EQ(bar->RepeatInterval(), TspSkinScrollBar::RepeatPeriod);
  QTest::mouseRelease(bar, Qt::LeftButton, {}, far);
  EXPECT_FALSE(bar->Repeating());
  const int released = bar->Position();
  QTest::qWait(150);
  EXPECT_EQ(bar->Position(), released);
  EXPECT_EQ(lastChanges, 0); // only the thumb reports a last change
}

TEST_F(ScrollBarTest, ButtonRepeatFollowsTheMouseAndTheEvents) {
  int ups = 0;
  bar->OnUpButtonClick = [&](QObject*) { ++ups; };
  const QPoint far = PartRect(TspSkinScrollBar::UpButtonPart).center();
  QTest::mousePress(bar, Qt::LeftButton, {}, far);
  // The event replaces the default step.
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(bar->Position(), 0);
  bar->RepeatTick(); // the first tick only shortens the interval
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(bar->RepeatInterval(), TspSkinScrollBar::RepeatPeriod);
  bar->RepeatTick();
  bar->RepeatTick();
  EXPECT_EQ(ups, 3);
  // Off the button the repeat stops, back on it resumes at once at the short interval.
  QTest::mouseMove(bar, QPoint(100, 9));
  EXPECT_FALSE(bar->Part(TspSkinScrollBar::UpButtonPart).MouseIn);
  EXPECT_TRUE(bar->Part(TspSkinScrollBar::UpButtonPart).Down);
  EXPECT_FALSE(bar->Repeating());
  QTest::mouseMove(bar, far);
  EXPECT_TRUE(bar->Repeating());
  EXPECT_EQ(bar->RepeatInterval(), TspSkinScrollBar::RepeatPeriod);
  QTest::mouseRelease(bar, Qt::LeftButton, {}, far);
  EXPECT_EQ(bar->CapturedPart(), -1);
  EXPECT_FALSE(bar->Part(TspSkinScrollBar::UpButtonPart).Down);
  EXPECT_TRUE(bar->Part(TspSkinScrollBar::UpButtonPart).MouseIn); // still under the mouse

  // The near button steps down.
  bar->SetPositionQuiet(10);
  QTest::mouseClick(bar, Qt::LeftButton, {}, PartRect(TspSkinScrollBar::DownButtonPart).center());
  EXPECT_EQ(bar->Position(), 9);
}

TEST_F(ScrollBarTest, PagingInTheTrackStopsWhenTheThumbReachesTheMouse) {
  bar->SetLargeChange(10);
  // After the thumb: pages towards the far end until the thumb covers x = 150.
  const QPoint at(150, 9);
  QTest::mousePress(bar, Qt::LeftButton, {}, at);
  EXPECT_EQ(bar->Position(), 10);
  EXPECT_EQ(pageDowns, 1);
  EXPECT_EQ(bar->RepeatMode(), TspSkinScrollBar::PageDownRepeat);
  for (int i = 0; i < 30 && bar->Repeating(); ++i) bar->RepeatTick();
  EXPECT_FALSE(bar->Repeating());
  // 80 puts the thumb at 137..153: the first position that covers the mouse.
  EXPECT_EQ(bar->Position(), 80);
  EXPECT_EQ(pageDowns, 8);
  EXPECT_TRUE(ThumbRect().contains(at));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, at);

  // Before the thumb, in real time.
  const QPoint before(40, 9);
  QTest::mousePress(bar, Qt::LeftButton, {}, before);
  EXPECT_EQ(bar->Position(), 70);
  EXPECT_EQ(pageUps, 1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !bar->Repeating(); }, 5000));
  // 10 puts the thumb at 32..48.
  EXPECT_EQ(bar->Position(), 10);
  EXPECT_EQ(pageUps, 7);
  QTest::mouseRelease(bar, Qt::LeftButton, {}, before);
  EXPECT_EQ(changes, 15);
  EXPECT_EQ(lastChanges, 0);
}

TEST_F(ScrollBarTest, DraggingTheThumb) {
  const QPoint grip = ThumbRect().center();
  QTest::mousePress(bar, Qt::LeftButton, {}, grip);
  EXPECT_TRUE(bar->Dragging());
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(changes, 0);
  // Half the 150-pixel travel.
  QTest::mouseMove(bar, grip + QPoint(75, 0));
  EXPECT_EQ(bar->Position(), 50);
  // Beyond either end the position stops at the limit; off the bar across is fine.
  QTest::mouseMove(bar, grip + QPoint(400, 40));
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_TRUE(bar->Part(TspSkinScrollBar::ThumbPart).Down);
  QTest::mouseMove(bar, grip + QPoint(-300, 0));
  EXPECT_EQ(bar->Position(), 0);
  QTest::mouseMove(bar, grip + QPoint(3, 0)); // 3 / 150 * 100 = 2
  EXPECT_EQ(bar->Position(), 2);
  EXPECT_EQ(lastChanges, 0);
  QTest::mouseRelease(bar, Qt::LeftButton, {}, grip + QPoint(3, 0));
  EXPECT_FALSE(bar->Dragging());
  EXPECT_EQ(lastChanges, 1);
  EXPECT_EQ(changes, 4);

  // With a page the last page is the far end; the drag starts from the thumb where it is.
  bar->SetScrollParams(0, 99, 10, 45);
  const QPoint grip2 = ThumbRect().center();
  QTest::mousePress(bar, Qt::LeftButton, {}, grip2);
  QTest::mouseMove(bar, grip2 + QPoint(500, 0));
  EXPECT_EQ(bar->Position(), 90);
  QTest::mouseRelease(bar, Qt::LeftButton, {}, grip2 + QPoint(500, 0));
  EXPECT_EQ(lastChanges, 2);
}

TEST_F(ScrollBarTest, KeysAndWheelNeedCanFocused) {
  bar->SetPositionQuiet(50);
  // Without CanFocused a click leaves the focus where it is and keys do nothing.
  other->setFocus();
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(170, 9)); // page towards the far end
  EXPECT_TRUE(other->hasFocus());
  EXPECT_EQ(bar->Position(), 51);
  bar->SetCanFocused(true);
  QTest::mouseClick(bar, Qt::LeftButton, {}, PartRect(TspSkinScrollBar::DownButtonPart).center());
  ASSERT_TRUE(bar->hasFocus());
  EXPECT_EQ(bar->Position(), 50);
  QTest::keyClick(bar, Qt::Key_Right);
  QTest::keyClick(bar, Qt::Key_Down);
  EXPECT_EQ(bar->Position(), 52);
  QTest::keyClick(bar, Qt::Key_Left);
  QTest::keyClick(bar, Qt::Key_Up);
  QTest::keyClick(bar, Qt::Key_Up);
  EXPECT_EQ(bar->Position(), 49);
  auto wheel = [&](int delta) {
    QWheelEvent e(QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &e);
    return e.isAccepted();
  };
  EXPECT_TRUE(wheel(120));
  EXPECT_EQ(bar->Position(), 48);
  EXPECT_TRUE(wheel(-120));
  EXPECT_EQ(bar->Position(), 49);
  // Without the focus the wheel goes on to the parent.
  other->setFocus();
  EXPECT_FALSE(wheel(120));
  EXPECT_EQ(bar->Position(), 49);
}

// --- Looks --------------------------------------------------------------------------------------

TEST_F(ScrollBarTest, PlainLookStatesAndBothMarker) {
  const QRgb face = bar->palette().color(QPalette::Button).rgb();
  QImage img = bar->PaintImage();
  const QRect thumb = ThumbRect();
  EXPECT_EQ(img.pixel(thumb.topLeft()), bar->palette().color(QPalette::Dark).rgb());
  const QRect far = PartRect(TspSkinScrollBar::UpButtonPart);
  QTest::mouseMove(bar, far.topLeft() + QPoint(2, 2));
  img = bar->PaintImage();
  EXPECT_EQ(img.pixelColor(far.topLeft()), SkinColor(kPlainFrame));
  EXPECT_EQ(img.pixelColor(far.topLeft() + QPoint(2, 2)), SkinColor(kPlainHotFill));
  QTest::mousePress(bar, Qt::LeftButton, {}, far.topLeft() + QPoint(2, 2));
  EXPECT_EQ(bar->PaintImage().pixelColor(far.topLeft() + QPoint(2, 2)), SkinColor(kPlainDownFill));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, far.topLeft() + QPoint(2, 2));
  // Disabled: no thumb.
  bar->setEnabled(false);
  img = bar->PaintImage();
  EXPECT_EQ(img.pixel(ThumbRect().topLeft()), face);
  EXPECT_EQ(img.pixel(ThumbRect().center()), face);
  bar->setEnabled(true);
  // Both leaves a corner square free at the far end.
  bar->SetBothMarkerWidth(19);
  bar->SetBoth(true);
  EXPECT_EQ(bar->SkinDataName(), "bothhscrollbar");
  EXPECT_EQ(PartRect(TspSkinScrollBar::UpButtonPart), QRect(200 - 19 - 17, 1, 16, 17));
  EXPECT_EQ(Track().right() + 1, 200 - 19 - 17);
  bar->SetBothMarkerWidth(-4); // ignored
  EXPECT_EQ(bar->BothMarkerWidth(), 19);
  bar->SetBoth(false);
  EXPECT_EQ(bar->SkinDataName(), "hscrollbar");
  EXPECT_EQ(PartRect(TspSkinScrollBar::UpButtonPart), QRect(183, 1, 16, 17));
}

TEST_F(ScrollBarTest, SkinnedThumbAndButtonImages) {
  UseBuiltinSkin();
  bar->SetKind(TspScrollBarKind::sbVertical);
  bar->resize(19, 160);
  const TspDataSkinScrollBarControl* rec = Record("vscrollbar");
  ASSERT_NE(rec, nullptr);
  const QImage& picture = data->ActivePictures[size_t(rec->pictureindex)];
  // The middle of a thumb image: its ends keep their length, so the centre row is the
  // image's own centre row.
  auto thumbColour = [&](const TspRect& r) {
    return picture.pixelColor(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
  };
  bar->SetScrollParams(0, 100, 0, 50);
  const QRect thumb = ThumbRect();
  const QColor normal = thumbColour(rec->thumbrect);
  ASSERT_NE(normal, thumbColour(rec->downthumbrect));
  QImage img = bar->PaintImage();
  EXPECT_EQ(img.pixelColor(thumb.center()), normal);
  // The ends of the thumb keep their rounded corners from the picture.
  const int end = rec->thumboffset1;
  EXPECT_EQ(img.copy(thumb.left(), thumb.top(), thumb.width(), end),
            picture.copy(rec->thumbrect.Left, rec->thumbrect.Top, rec->thumbrect.Width(), end));
  // The track above and below is not the thumb's colour.
  EXPECT_NE(img.pixelColor(thumb.center().x(), Track().top() + 2), normal);

  QTest::mouseMove(bar, thumb.center());
  EXPECT_EQ(bar->PaintImage().pixelColor(thumb.center()), thumbColour(rec->activethumbrect));
  QTest::mousePress(bar, Qt::LeftButton, {}, thumb.center());
  EXPECT_EQ(bar->PaintImage().pixelColor(thumb.center()), thumbColour(rec->downthumbrect));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb.center());

  // A hot button shows its hot image over the composed bar.
  const QRect far = PartRect(TspSkinScrollBar::UpButtonPart);
  QTest::mouseMove(bar, far.center());
  EXPECT_EQ(bar->PaintImage().copy(far), picture.copy(rec->activeupbuttonrect.ToQRect()));

  // Disabled: the track shows where the thumb was.
  bar->setEnabled(false);
  EXPECT_NE(bar->PaintImage().pixelColor(thumb.center()), normal);
  bar->setEnabled(true);

  // Another skin: the new record's pictures, looked up again.
  data->SetSkinIndex(2);
  const TspDataSkinScrollBarControl* rec2 = Record("vscrollbar");
  ASSERT_NE(rec2, nullptr);
  const QImage& picture2 = data->ActivePictures[size_t(rec2->pictureindex)];
  QTest::mouseMove(form.get(), QPoint(390, 290));
  EXPECT_EQ(bar->PaintImage().pixelColor(ThumbRect().center()),
            picture2.pixelColor(rec2->thumbrect.Left + rec2->thumbrect.Width() / 2,
                                rec2->thumbrect.Top + rec2->thumbrect.Height() / 2));
}

// A hot thumb rectangle the picture does not hold has no image: nothing of it is cut (a
// huge one would size the allocation) and the thumb is not drawn from outside the picture.
TEST_F(ScrollBarTest, HotThumbRectOutsideThePictureDrawsNoThumbImage) {
  UseBuiltinSkin();
  bar->SetKind(TspScrollBarKind::sbVertical);
  bar->resize(19, 160);
  auto* rec = const_cast<TspDataSkinScrollBarControl*>(Record("vscrollbar"));
  ASSERT_NE(rec, nullptr);
  const QImage& picture = data->ActivePictures[size_t(rec->pictureindex)];
  rec->activethumbrect = {0, picture.height() + 10, 14, 100000};
  rec->thumbminpagesize = 0; // without a page the thumb image is cut, not composed
  rec->thumbtransparent = false;
  data->RecordsChanged();
  bar->SetScrollParams(0, 100, 0, 0);
  const QRect thumb = ThumbRect();
  ASSERT_FALSE(thumb.isEmpty());
  QTest::mouseMove(bar, thumb.center());
  EXPECT_NE(bar->PaintImage().pixelColor(thumb.center()), QColor(Qt::black));
}

// A minimum thumb size in the millions is no longer than the bar: it was composed as an
// image that long, gigabytes for a thumb the bar cannot show.
TEST_F(ScrollBarTest, AThumbMinimumBeyondTheBarIsCutToTheBar) {
  UseBuiltinSkin();
  bar->SetKind(TspScrollBarKind::sbVertical);
  bar->resize(19, 160);
  auto* rec = const_cast<TspDataSkinScrollBarControl*>(Record("vscrollbar"));
  ASSERT_NE(rec, nullptr);
  rec->thumbminsize = 125722723;
  data->RecordsChanged();
  bar->SetScrollParams(0, 100, 10, 0);
  EXPECT_LE(ThumbLength(), bar->height());
  EXPECT_FALSE(bar->PaintImage().isNull());
}

TEST_F(ScrollBarTest, SkinnedBothBarKeepsItsCorner) {
  UseBuiltinSkin();
  const TspDataSkinScrollBarControl* both = Record("bothhscrollbar");
  ASSERT_NE(both, nullptr);
  bar->resize(240, 19);
  const int height = bar->height();
  bar->SetBoth(true);
  const int delta = 240 - both->skinrect.Width();
  EXPECT_EQ(PartRect(TspSkinScrollBar::UpButtonPart),
            both->upbuttonrect.ToQRect().translated(delta, 0));
  EXPECT_EQ(Track().right() + 1, both->trackarea.Right + delta);
  // The corner lies beyond the far button.
  EXPECT_LT(PartRect(TspSkinScrollBar::UpButtonPart).right() + 1, 240);
  bar->SetBoth(false);
  EXPECT_EQ(bar->SkinDataName(), "hscrollbar");
  EXPECT_EQ(bar->height(), height);
  EXPECT_EQ(PartRect(TspSkinScrollBar::UpButtonPart).right() + 1, 240);
}

} // namespace
