// The skinned list box on real widgets: items painted from the record, selection by mouse
// and keys with OnListBoxClick, the skinned scroll bar kept in step both ways, the plain
// look and skin switches.

#include "skin/builtin/builtin_skins.h"
#include "skin/controls/list_box.h"
#include "skin/controls/plain_look.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/skin_fonts.h"
#include "skin/controls/skin_tree.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QStringList kAnimals = {"Cat",   "Dog",   "Rabbit", "Snake",   "Scorpion", "Parrot",
                              "Horse", "Goat",  "Sheep",  "Hamster", "Turtle",   "Ferret",
                              "Mouse", "Llama", "Pony",   "Lizard"};

class ListBoxTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }
  static void ParkPointer() {
    QCursor::setPos(900, 900);
    QCoreApplication::processEvents();
  }

  void SetUp() override {
    ParkPointer();
    form = std::make_unique<QWidget>();
    form->resize(400, 300);
    data = new TspSkinData(form.get());
    data->SetSkinList(CreateBuiltinSkinList(form.get())); // "sknBlue"
    ASSERT_FALSE(data->IsEmpty());
    new TspSkinnedFormHook(form.get());
  }
  void TearDown() override { ParkPointer(); }

  TspSkinListBox* Add(const QStringList& items, int h = 120, bool skinned = true) {
    auto* l = new TspSkinListBox(form.get());
    if (skinned) l->SetSkinData(data);
    l->setGeometry(20, 20, 150, h);
    l->SetItems(items);
    return l;
  }

  void ShowForm() {
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  const TspDataSkinListBox* Rec() {
    const int i = data->FindControlData("listbox");
    return i < 0 ? nullptr
                 : dynamic_cast<const TspDataSkinListBox*>(data->ControlList[size_t(i)].get());
  }
  // A pixel of the record's picture in the middle of `r` (the built-in items are flat).
  QColor PictureColor(const TspRect& r) {
    const QImage& pic = data->ActivePictures[size_t(Rec()->pictureindex)];
    return QColor(pic.pixel(r.Left + r.Width() / 2, r.Top + r.Height() / 2));
  }

  std::unique_ptr<QWidget> form;
  TspSkinData* data = nullptr;
};

// How many pixels of row `r` of `image` have colour `c`.
int CountColor(const QImage& image, const QRect& r, const QColor& c) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (QColor(image.pixel(x, y)) == c) ++n;
  return n;
}

// How many pixels of `r` are close to `c` (smoothed text keeps few exact pixels).
int CountNear(const QImage& image, const QRect& r, const QColor& c) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const QColor p(image.pixel(x, y));
      if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) +
              std::abs(p.blue() - c.blue()) <
          60)
        ++n;
    }
  return n;
}

TEST_F(ListBoxTest, ItemsArePaintedFromTheRecordInTheirStates) {
  ShowForm();
  TspSkinListBox* l = Add(kAnimals);
  const TspDataSkinListBox* rec = Rec();
  ASSERT_NE(rec, nullptr);
  l->show();
  l->SetItemIndex(1);
  // Rows as high as the record's item; the inner list fills the fitted client area less the bar.
  EXPECT_EQ(l->ListBox()->ItemHeight(), rec->itemrect.Height());
  EXPECT_EQ(l->ListBox()->geometry().left(), rec->clientrect.Left);
  EXPECT_EQ(l->ListBox()->geometry().right() + 1, l->ScrollBar()->geometry().left());

  const QImage unfocused = l->ListBox()->PaintImage();
  const QRect row0 = l->ListBox()->ItemRect(0), row1 = l->ListBox()->ItemRect(1);
  const QColor plain = PictureColor(rec->itemrect);
  const QColor selected = PictureColor(rec->activeitemrect);
  ASSERT_NE(plain, selected);
  // Background pixels in each row's own colour, and text drawn over it in the record's colours.
  EXPECT_GT(CountColor(unfocused, row0, plain), row0.width() * row0.height() / 2);
  EXPECT_GT(CountColor(unfocused, row1, selected), row1.width() * row1.height() / 2);
  EXPECT_GT(CountNear(unfocused, row0, SkinColor(rec->fontcolor)), 5);
  EXPECT_GT(CountNear(unfocused, row1, SkinColor(rec->activefontcolor)), 5);

  // With the focus the selected item takes the focused look (an inner ring).
  l->ListBox()->setFocus();
  const QImage focused = l->ListBox()->PaintImage();
  const QColor ring(data->ActivePictures[size_t(rec->pictureindex)].pixel(
      rec->focusitemrect.Left + 1, rec->focusitemrect.Top + 1));
  EXPECT_EQ(QColor(focused.pixel(row1.left() + 1, row1.top() + 1)), ring);
}

TEST_F(ListBoxTest, SelectionByMouseAndKeysFiresOnListBoxClick) {
  ShowForm();
  TspSkinListBox* l = Add(kAnimals);
  l->show();
  int clicks = 0;
  l->OnListBoxClick = [&](QObject* sender) {
    EXPECT_EQ(sender, l);
    ++clicks;
  };
  TspListBox* inner = l->ListBox();
  QTest::mouseClick(inner, Qt::LeftButton, {}, inner->ItemRect(2).center());
  EXPECT_EQ(l->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(inner->hasFocus());

  QTest::keyClick(inner, Qt::Key_Down);
  EXPECT_EQ(l->ItemIndex(), 3);
  EXPECT_EQ(clicks, 2);
  QTest::keyClick(inner, Qt::Key_Home);
  EXPECT_EQ(l->ItemIndex(), 0);
  QTest::keyClick(inner, Qt::Key_Up); // nothing before the first
  EXPECT_EQ(l->ItemIndex(), 0);
  EXPECT_EQ(clicks, 3);
  // A letter moves to the next item that begins with it, round the end.
  QTest::keyClick(inner, Qt::Key_S);
  EXPECT_EQ(l->Items()[l->ItemIndex()], "Snake");
  QTest::keyClick(inner, Qt::Key_S);
  EXPECT_EQ(l->Items()[l->ItemIndex()], "Scorpion");

  // Code does not click; neither does a press below the last item.
  l->SetItemIndex(5);
  const int before = clicks;
  l->SetItems({"Cat", "Dog"});
  QTest::mouseClick(inner, Qt::LeftButton, {}, QPoint(10, inner->height() - 3));
  EXPECT_EQ(clicks, before);
  EXPECT_EQ(l->ItemIndex(), -1);
}

TEST_F(ListBoxTest, ExtendedMultiSelection) {
  ShowForm();
  TspSkinListBox* l = Add(kAnimals);
  l->SetMultiSelect(true);
  l->show();
  TspListBox* inner = l->ListBox();
  QTest::mouseClick(inner, Qt::LeftButton, {}, inner->ItemRect(1).center());
  QTest::mouseClick(inner, Qt::LeftButton, Qt::ShiftModifier, inner->ItemRect(3).center());
  EXPECT_EQ(l->SelCount(), 3);
  QTest::mouseClick(inner, Qt::LeftButton, Qt::ControlModifier, inner->ItemRect(2).center());
  EXPECT_FALSE(l->Selected(2));
  EXPECT_TRUE(l->Selected(1));
  EXPECT_TRUE(l->Selected(3));
  QTest::mouseClick(inner, Qt::LeftButton, {}, inner->ItemRect(0).center());
  EXPECT_EQ(l->SelCount(), 1);
}

TEST_F(ListBoxTest, ScrollBarStaysInStepBothWays) {
  ShowForm();
  TspSkinListBox* shortList = Add({"Cat", "Dog"});
  shortList->show();
  EXPECT_FALSE(shortList->ScrollBar()->isVisible());
  EXPECT_EQ(shortList->ListBox()->width(), shortList->ListRect().width());

  TspSkinListBox* l = Add(kAnimals, 100);
  l->move(200, 20);
  l->show();
  TspListBox* inner = l->ListBox();
  TspSkinScrollBar* bar = l->ScrollBar();
  const int rows = inner->VisibleRows();
  ASSERT_LT(rows, int(kAnimals.size()));
  ASSERT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->Kind(), TspScrollBarKind::sbVertical);
  EXPECT_EQ(bar->RecordIndex(), data->FindControlData("vscrollbar"));
  EXPECT_EQ(bar->Max(), int(kAnimals.size()) - 1);
  EXPECT_EQ(bar->PageSize(), rows);

  // The list moves the bar: the last item brought into view puts the thumb at the end.
  inner->setFocus();
  QTest::keyClick(inner, Qt::Key_End);
  EXPECT_EQ(inner->TopIndex(), int(kAnimals.size()) - rows);
  EXPECT_EQ(bar->Position(), inner->TopIndex());
  EXPECT_EQ(inner->ItemAtPos(inner->ItemRect(l->ItemIndex()).center()), l->ItemIndex());

  // The bar moves the list: its near button scrolls up a row, a page click a page.
  bar->UpdateLayout();
  QTest::mouseClick(bar, Qt::LeftButton, {},
                    bar->Part(TspSkinScrollBar::DownButtonPart).Rect.center());
  EXPECT_EQ(inner->TopIndex(), int(kAnimals.size()) - rows - 1);
  EXPECT_EQ(bar->Position(), inner->TopIndex());
  bar->SetPosition(0);
  EXPECT_EQ(inner->TopIndex(), 0);
  // The wheel on the list, and more items, keep the bar in step.
  QTest::mouseMove(inner, inner->rect().center());
  QWheelEvent wheel(QPointF(10, 10), inner->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(inner, &wheel);
  EXPECT_EQ(inner->TopIndex(), 3);
  EXPECT_EQ(bar->Position(), 3);
  l->AddItem("Zebra");
  EXPECT_EQ(bar->Max(), int(kAnimals.size()));
}

TEST_F(ListBoxTest, PlainLookAndSkinSwitches) {
  ShowForm();
  TspSkinListBox* l = Add(kAnimals, 120, false);
  l->show();
  l->SetItemIndex(0);
  // No skin: the default item height, the palette's highlight for the selection.
  EXPECT_EQ(l->RecordIndex(), -1);
  EXPECT_EQ(l->ListBox()->ItemHeight(), 20);
  const QImage plain = l->ListBox()->PaintImage();
  const QRect row0 = l->ListBox()->ItemRect(0);
  EXPECT_GT(CountColor(plain, row0, l->palette().color(QPalette::Highlight)), row0.width());
  ASSERT_TRUE(l->ScrollBar()->isVisible());
  EXPECT_EQ(l->ScrollBar()->RecordIndex(), -1);

  // Bound to the skin, then switched: each skin's own selection colour, the bar re-bound.
  l->SetSkinData(data);
  const QColor blue = PictureColor(Rec()->activeitemrect);
  EXPECT_GT(CountColor(l->ListBox()->PaintImage(), row0, blue), row0.width());
  data->SetSkinIndex(1);
  ASSERT_FALSE(data->IsEmpty());
  const QColor second = PictureColor(Rec()->activeitemrect);
  ASSERT_NE(second, blue);
  EXPECT_EQ(l->RecordIndex(), data->FindControlData("listbox"));
  EXPECT_EQ(l->ScrollBar()->RecordIndex(), data->FindControlData("vscrollbar"));
  EXPECT_GT(CountColor(l->ListBox()->PaintImage(), l->ListBox()->ItemRect(0), second),
            row0.width());
}

TEST_F(ListBoxTest, OnDrawItemDrawsEachShownItem) {
  ShowForm();
  TspSkinListBox* l = Add({"Cat", "Dog"});
  l->show();
  std::vector<int> drawn;
  l->OnDrawItem = [&](QObject*, QPainter& p, int index, TspOwnerDrawState, const QRect& text, int h,
                      int w) {
    drawn.push_back(index);
    EXPECT_EQ(h, l->ListBox()->ItemHeight());
    EXPECT_EQ(w, l->ListBox()->width());
    p.fillRect(text, Qt::magenta);
  };
  const QImage image = l->ListBox()->PaintImage();
  EXPECT_EQ(drawn, (std::vector<int>{0, 1}));
  EXPECT_GT(CountColor(image, l->ListBox()->ItemRect(1), QColor(Qt::magenta)), 20);
}

} // namespace

namespace {

TEST_F(ListBoxTest, CaptionBandAndItsButtons) {
  ShowForm();
  TspSkinListBox* l = Add(kAnimals);
  l->show();
  const int top = l->ListBox()->y();
  l->SetCaption("Animals");
  l->SetCaptionMode(TspListBoxCaptionMode::On);
  l->SetShowCaptionButtons(true);
  EXPECT_EQ(l->CaptionRect().height(), l->DefaultCaptionHeight());
  EXPECT_EQ(l->ListBox()->y(), top + l->DefaultCaptionHeight());
  // Up and down step the selection (with a click) unless replaced; check only reports.
  int clicks = 0, checks = 0;
  l->OnListBoxClick = [&](QObject*) { ++clicks; };
  l->OnCheckButtonClick = [&](QObject*) { ++checks; };
  const QRect band = l->CaptionRect();
  const int s = band.height() - 4;
  const QPoint check(band.right() - 1 - s / 2, band.center().y());
  const QPoint down(check.x() - s - 1, check.y()), up(down.x() - s - 1, check.y());
  QTest::mouseClick(l, Qt::LeftButton, {}, down);
  QTest::mouseClick(l, Qt::LeftButton, {}, down);
  EXPECT_EQ(l->ItemIndex(), 1);
  QTest::mouseClick(l, Qt::LeftButton, {}, up);
  EXPECT_EQ(l->ItemIndex(), 0);
  EXPECT_EQ(clicks, 3);
  QTest::mouseClick(l, Qt::LeftButton, {}, check);
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(l->ItemIndex(), 0);
}

TEST_F(ListBoxTest, HorizontalExtentShowsABottomBarSharingTheCorner) {
  ShowForm();
  TspSkinListBox* l = Add(kAnimals);
  l->show();
  l->SetHorizontalExtent(400);
  TspSkinScrollBar* h = l->HScrollBar();
  ASSERT_TRUE(h->isVisible());
  // Both bars: the bottom one spans the corner with its own record.
  EXPECT_TRUE(h->Both());
  EXPECT_EQ(h->RecordIndex(), data->FindControlData("bothhscrollbar"));
  EXPECT_EQ(h->geometry().right(), l->ScrollBar()->geometry().right());
  EXPECT_EQ(l->ScrollBar()->geometry().bottom() + 1, h->y());
  EXPECT_EQ(h->Max(), 399);
  EXPECT_EQ(h->PageSize(), l->ListBox()->width());
  h->SetPosition(50);
  EXPECT_EQ(l->ListBox()->HorizontalPosition(), 50);
  l->SetItems({"Cat"});
  EXPECT_FALSE(l->ScrollBar()->isVisible());
  EXPECT_FALSE(h->Both());
  l->SetHorizontalExtent(0);
  EXPECT_FALSE(h->isVisible());
}

} // namespace
