#include "grab_checks.h"
#include "pattern_skin.h"
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/image_list.h"
#include "skin/controls/page_control.h"
#include "skin/controls/skin_fonts.h"
#include "skin/controls/skin_tree.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_fixtures.h"
#include "skin/data/skin_list.h"
#include "skin/render/composition.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

// A shown form holding a page control with pages "A", "B", "C", "D".
class PageControlTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterSkinFonts();
    form = std::make_unique<QWidget>();
    form->resize(420, 300);
    pc = new TspSkinPageControl(form.get());
    pc->setGeometry(10, 10, 400, 260);
    for (const char* name : {"A", "B", "C", "D"}) {
      auto* page = new TspSkinTabSheet(pc);
      page->SetCaption(name);
      page->setObjectName(name);
      pages.push_back(page);
    }
    pc->OnChanging = [this](QObject* sender, bool& allow) {
      EXPECT_EQ(sender, pc);
      log.push_back("changing " + Name(pc->ActivePage()));
      if (Changing) Changing(allow);
    };
    pc->OnChange = [this](QObject*) { log.push_back("change " + Name(pc->ActivePage())); };
  }

  void Show() {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }

  static std::string Name(const QWidget* w) { return w ? w->objectName().toStdString() : "none"; }

  void ClickTab(int tabIndex) {
    const QRect r = pc->TabRect(tabIndex);
    ASSERT_FALSE(r.isEmpty());
    QTest::mouseClick(pc, Qt::LeftButton, {}, r.center());
  }

  void UseBuiltinSkin(int index = 0) {
    skin = std::make_unique<TspSkinData>();
    skin->SetSkinList(CreateBuiltinSkinList(skin.get()));
    skin->SetSkinIndex(index);
    ASSERT_FALSE(skin->IsEmpty());
    pc->SetSkinData(skin.get());
  }

  std::unique_ptr<TspSkinData> skin;
  std::unique_ptr<QWidget> form;
  TspSkinPageControl* pc = nullptr;
  std::vector<TspSkinTabSheet*> pages;
  std::vector<std::string> log;
  std::function<void(bool&)> Changing;
};

TEST_F(PageControlTest, TabVisibilityDecidesTheCurrentPage) {
  // The first page given a tab became current, and only it is shown.
  EXPECT_EQ(pc->ActivePage(), pages[0]);
  EXPECT_TRUE(pages[0]->isVisibleTo(pc));
  EXPECT_FALSE(pages[1]->isVisibleTo(pc));

  // Hiding the current page's tab leaves no current page.
  pages[0]->SetTabVisible(false);
  EXPECT_EQ(pc->ActivePage(), nullptr);
  EXPECT_EQ(pc->TabIndex(), -1);
  EXPECT_FALSE(pages[0]->isVisibleTo(pc));
  EXPECT_EQ(pc->TabCount(), 3);

  // Hiding every tab, then showing some: the first shown becomes current, later ones not.
  for (TspSkinTabSheet* p : pages) p->SetTabVisible(false);
  EXPECT_EQ(pc->TabCount(), 0);
  pages[3]->SetTabVisible(true);
  EXPECT_EQ(pc->ActivePage(), pages[3]);
  // One tab left: it has tab index 0 whatever its page index.
  EXPECT_EQ(pages[3]->TabIndex(), 0);
  EXPECT_EQ(pc->TabPage(0), pages[3]);
  EXPECT_EQ(pc->TabIndex(), 0);
  pages[1]->SetTabVisible(true);
  pages[2]->SetTabVisible(true);
  EXPECT_EQ(pc->ActivePage(), pages[3]);
  EXPECT_EQ(pc->TabIndex(), 2);
  EXPECT_EQ(pages[1]->TabIndex(), 0);
  EXPECT_EQ(pages[0]->TabIndex(), -1);
  // None of this was the user's doing.
  EXPECT_TRUE(log.empty());
}

TEST_F(PageControlTest, CodeSelectsWithoutEventsAndMayShowAPageWithoutTab) {
  pages[2]->SetTabVisible(false);
  pc->SetActivePage(pages[2]); // a screen shown without a tab
  EXPECT_EQ(pc->ActivePage(), pages[2]);
  EXPECT_EQ(pc->TabIndex(), -1);
  EXPECT_TRUE(pages[2]->isVisibleTo(pc));
  // A tab appearing while such a page is current leaves it current.
  pages[2]->SetTabVisible(false);
  EXPECT_EQ(pc->ActivePage(), pages[2]);
  pc->SetTabIndex(1);
  EXPECT_EQ(pc->ActivePage(), pages[1]);
  EXPECT_FALSE(pages[2]->isVisibleTo(pc));
  // A page of another control is refused.
  TspSkinPageControl other;
  TspSkinTabSheet foreign(&other);
  pc->SetActivePage(&foreign);
  EXPECT_EQ(pc->ActivePage(), pages[1]);
  EXPECT_TRUE(log.empty());
}

TEST_F(PageControlTest, ClicksSelectThroughOnChangingAndOnChange) {
  Show();
  ClickTab(2);
  EXPECT_EQ(pc->ActivePage(), pages[2]);
  EXPECT_EQ(log, (std::vector<std::string>{"changing A", "change C"}));
  // The current tab again: nothing.
  log.clear();
  ClickTab(2);
  EXPECT_TRUE(log.empty());
  // Outside every tab: nothing.
  QTest::mouseClick(pc, Qt::LeftButton, {}, QPoint(pc->width() - 5, 5));
  QTest::mouseClick(pc, Qt::LeftButton, {}, pc->PageArea().center());
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(pc->ActivePage(), pages[2]);
  // Every tab under its own rectangle.
  for (int i = 0; i < pc->TabCount(); ++i) {
    const QRect r = pc->TabRect(i);
    EXPECT_EQ(pc->TabAt(r.topLeft()), i);
    EXPECT_EQ(pc->TabAt(r.bottomRight()), i);
  }
}

TEST_F(PageControlTest, OnChangingCanRefuseTheUsersSelection) {
  Show();
  Changing = [](bool& allow) { allow = false; };
  ClickTab(1);
  EXPECT_EQ(pc->ActivePage(), pages[0]);
  EXPECT_EQ(log, (std::vector<std::string>{"changing A"}));
  EXPECT_TRUE(pages[0]->isVisibleTo(pc));
  EXPECT_FALSE(pages[1]->isVisibleTo(pc));
}

TEST_F(PageControlTest, LeavingAPageThatHidesItsOwnTabSelectsTheClickedPage) {
  // As the application leaves its animal page: OnChanging hides the tab being left, which
  // moves every later tab down by one. The page clicked still becomes current.
  Show();
  pc->SetActivePage(pages[1]);
  Changing = [this](bool&) { pc->ActivePage()->SetTabVisible(false); };
  ClickTab(2); // "C"
  EXPECT_EQ(pc->ActivePage(), pages[2]);
  EXPECT_FALSE(pages[1]->TabVisible());
  EXPECT_EQ(log, (std::vector<std::string>{"changing B", "change C"}));
}

TEST_F(PageControlTest, KeyboardAndWheelSelectAsTheUser) {
  Show();
  pc->setFocus();
  ASSERT_TRUE(pc->hasFocus());
  QTest::keyClick(pc, Qt::Key_Right);
  EXPECT_EQ(pc->ActivePage(), pages[1]);
  QTest::keyClick(pc, Qt::Key_Left);
  QTest::keyClick(pc, Qt::Key_Left); // no page before the first: nothing
  EXPECT_EQ(pc->ActivePage(), pages[0]);
  EXPECT_EQ(log, (std::vector<std::string>{"changing A", "change B", "changing B", "change A"}));

  // Ctrl+Tab wraps around, also from a control on the page; hidden tabs are skipped.
  log.clear();
  pages[1]->SetTabVisible(false);
  auto* child = new QWidget(pages[0]);
  child->setFocusPolicy(Qt::StrongFocus);
  child->show();
  child->setFocus();
  QTest::keyClick(child, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(pc->ActivePage(), pages[2]);
  QTest::keyClick(pc, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(pc, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(pc->ActivePage(), pages[3]);

  // The wheel only with MouseWheelSupport and the focus; nothing past the last page.
  pc->setFocus();
  log.clear();
  auto wheel = [this](int delta) {
    QWheelEvent e(QPointF(5, 5), pc->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pc, &e);
  };
  wheel(-120);
  EXPECT_EQ(pc->ActivePage(), pages[3]);
  pc->SetMouseWheelSupport(true);
  wheel(-120); // towards the user on the last page
  EXPECT_EQ(pc->ActivePage(), pages[3]);
  EXPECT_TRUE(log.empty());
  wheel(120);
  EXPECT_EQ(pc->ActivePage(), pages[2]);
  EXPECT_EQ(log, (std::vector<std::string>{"changing D", "change C"}));
}

TEST_F(PageControlTest, PagesComeAndGoSafely) {
  // Deleting the current page makes the next page with a tab current.
  delete pages[0];
  EXPECT_EQ(pc->PageCount(), 3);
  EXPECT_EQ(pc->ActivePage(), pages[1]);
  // A page moved to another control leaves this one.
  TspSkinPageControl other;
  pages[3]->SetPageControl(&other);
  EXPECT_EQ(pc->PageCount(), 2);
  EXPECT_EQ(other.ActivePage(), pages[3]);
  EXPECT_EQ(pages[3]->PageIndex(), 0);
  pages[2]->SetPageIndex(0);
  EXPECT_EQ(pc->Pages(0), pages[2]);
  EXPECT_EQ(pc->TabPage(1), pages[1]);
  // The control goes first; its pages go with it without calling back.
  form.reset();
}

TEST_F(PageControlTest, CloseButtonsAskBeforeClosing) {
  Show();
  pc->SetShowCloseButtons(true);
  std::vector<std::string> closing;
  bool allow = false;
  pc->OnClose = [&](TspSkinTabSheet* page, bool& canClose) {
    closing.push_back(Name(page));
    canClose = allow;
  };
  int afterClose = 0;
  pc->OnAfterClose = [&](QObject*) { ++afterClose; };
  const QRect close = pc->CloseButtonRect(1);
  ASSERT_FALSE(close.isEmpty());
  ASSERT_TRUE(pc->TabRect(1).contains(close));
  QTest::mouseClick(pc, Qt::LeftButton, {}, close.center());
  EXPECT_EQ(closing, (std::vector<std::string>{"B"}));
  EXPECT_TRUE(pages[1]->TabVisible());   // refused
  EXPECT_EQ(pc->ActivePage(), pages[0]); // a close button does not select
  allow = true;
  pc->SetFreeOnClose(true);
  QPointer<TspSkinTabSheet> b(pages[1]);
  QTest::mouseClick(pc, Qt::LeftButton, {}, pc->CloseButtonRect(1).center());
  EXPECT_TRUE(b.isNull());
  EXPECT_EQ(afterClose, 1);
  EXPECT_EQ(pc->PageCount(), 3);
  // Pressing a close button and releasing elsewhere closes nothing.
  QTest::mousePress(pc, Qt::LeftButton, {}, pc->CloseButtonRect(0).center());
  QTest::mouseRelease(pc, Qt::LeftButton, {}, pc->PageArea().center());
  EXPECT_EQ(closing.size(), 2u);
}

TEST_F(PageControlTest, TabImagesComeFromTheImageListWhileItLives) {
  auto images = std::make_unique<TspImageList>();
  images->Images = {SolidImage(10, 10, qRgb(250, 0, 250))};
  const int plainWidth = pc->TabRect(1).width();
  pc->SetImages(images.get());
  pages[1]->SetImageIndex(0);
  const QRect tab = pc->TabRect(1);
  EXPECT_EQ(tab.width(), plainWidth + 10); // room for the image before every caption
  const QImage shot = Grab(*pc);
  int magenta = 0;
  for (int y = tab.top(); y <= tab.bottom(); ++y)
    for (int x = tab.left(); x <= tab.right(); ++x)
      magenta += shot.pixel(x, y) == qRgb(250, 0, 250);
  EXPECT_EQ(magenta, 100);
  images.reset();
  EXPECT_EQ(pc->Images(), nullptr);
  EXPECT_EQ(pc->TabRect(1).width(), plainWidth);
  Grab(*pc);
}

TEST_F(PageControlTest, TabIsAsWideAsItsCaptionIsDrawn) {
  // "&&" draws one ampersand and the mark none: the tab measures "Cats & Dogs".
  const QFontMetrics fm(pc->DefaultFont(), pc); // no skin: the default font
  const int padding = pc->TabRect(0).width() - fm.horizontalAdvance(QStringLiteral("A"));
  pages[1]->SetCaption(QStringLiteral("Cats && &Dogs"));
  EXPECT_EQ(pc->TabRect(1).width(), fm.horizontalAdvance(QStringLiteral("Cats & Dogs")) + padding);
}

TEST_F(PageControlTest, CentredTabsNeedAFixedWidth) {
  pc->SetTabsInCenter(true);
  EXPECT_FALSE(pc->TabsInCenter());
  pc->SetTabWidth(50);
  pc->SetTabPosition(TspTabPosition::tpBottom);
  pc->SetTabsInCenter(true);
  EXPECT_TRUE(pc->TabsInCenter());
  EXPECT_EQ(pc->TabPosition(), TspTabPosition::tpTop);
  EXPECT_TRUE(pc->TabsBGTransparent());
  // Four tabs of 50 in 400 pixels start at 100.
  EXPECT_EQ(pc->TabRect(0), QRect(100, 0, 50, pc->ItemHeight()));
  EXPECT_EQ(pc->TabAt(QPoint(101, 3)), 0);
  EXPECT_EQ(pc->TabAt(QPoint(99, 3)), -1);
}

TEST_F(PageControlTest, TooManyTabsScrollAndTheSelectedTabComesIntoView) {
  Show();
  pc->SetTabWidth(120);
  EXPECT_TRUE(pc->HasScroller());
  EXPECT_EQ(pc->FirstTab(), 0);
  pc->SetActivePage(pages[3]);
  const QRect last = pc->TabRect(3);
  EXPECT_GT(pc->FirstTab(), 0);
  EXPECT_GE(last.left(), 0);
  EXPECT_LE(last.right(), pc->width() - 2 * pc->DefaultItemHeight());
  // The tabs before it are scrolled out: the strip starts with the first tab in view.
  EXPECT_EQ(pc->TabAt(QPoint(1, 5)), pc->FirstTab());
  pc->SetTabWidth(40);
  EXPECT_FALSE(pc->HasScroller());
  EXPECT_EQ(pc->FirstTab(), 0);
}

// --- Looks -----------------------------------------------------------------------------------

// The tab face of `source` as the control must draw it: its fixed ends kept, its middle
// stretched to `width`.
QImage TabFace(const TspSkinData& skin, const TspRect& source, int width) {
  const auto* rec = dynamic_cast<const TspDataSkinTabControl*>(
      skin.ControlList[size_t(skin.FindControlData("tab"))].get());
  QImage face;
  ComposeHorizontalImage(face, skin.ActivePictures[size_t(rec->pictureindex)], source,
                         rec->tableftoffset, rec->tabrightoffset, rec->tabstretcheffect, width);
  return face;
}

const TspDataSkinTabControl& TabRecord(const TspSkinData& skin) {
  return dynamic_cast<const TspDataSkinTabControl&>(
      *skin.ControlList[size_t(skin.FindControlData("tab"))]);
}

TEST_F(PageControlTest, EachTabPaintsTheSkinRectangleItsStateSelects) {
  UseBuiltinSkin();
  // Without captions a tab is nothing but its face.
  for (TspSkinTabSheet* p : pages) p->SetCaption(QString());
  pc->SetTabWidth(60);
  Show();
  const TspDataSkinTabControl& rec = TabRecord(*skin);
  ASSERT_EQ(pc->ItemHeight(), rec.tabrect.Height());
  ASSERT_EQ(rec.activetabrect.Height(), rec.tabrect.Height() + 1);
  QTest::mouseMove(pc, pc->TabRect(2).center());
  ASSERT_EQ(pc->HotTab(), 2);
  pc->clearFocus();
  const QImage shot = Grab(*pc);

  struct Case {
    int Tab;
    TspRect Source;
  } cases[] = {{0, rec.activetabrect}, {1, rec.tabrect}, {2, rec.mouseintabrect}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Tab);
    const QRect r = pc->TabRect(c.Tab);
    const QImage face = TabFace(*skin, c.Source, r.width());
    EXPECT_TRUE(SamePixels(shot.copy(QRect(r.topLeft(), face.size())), face));
  }
  // The selected tab overhangs the frame by one pixel: the frame's top edge shows beside
  // it, the tab's own last row over it.
  const QRect selected = pc->TabRect(0);
  const int edge = pc->FrameRect().top();
  EXPECT_EQ(edge, selected.bottom() + 1);
  const QImage active = TabFace(*skin, rec.activetabrect, selected.width());
  EXPECT_EQ(shot.pixel(selected.center().x(), edge), active.pixel(selected.width() / 2, edge));
  EXPECT_NE(shot.pixel(pc->width() - 10, edge), active.pixel(selected.width() / 2, edge));

  // Bottom tabs are the same faces upside down.
  pc->SetTabPosition(TspTabPosition::tpBottom);
  QTest::mouseMove(pc, QPoint(pc->width() - 5, pc->height() / 2));
  const QImage bottom = Grab(*pc);
  const QRect b0 = pc->TabRect(0), b1 = pc->TabRect(1);
  const QImage flippedActive = TabFace(*skin, rec.activetabrect, b0.width()).mirrored(false, true);
  const QImage flippedNormal = TabFace(*skin, rec.tabrect, b1.width()).mirrored(false, true);
  EXPECT_EQ(b0.bottom(), pc->height() - 1);
  EXPECT_TRUE(SamePixels(bottom.copy(QRect(b0.left(), b0.bottom() + 1 - flippedActive.height(),
                                           b0.width(), flippedActive.height())),
                         flippedActive));
  EXPECT_TRUE(SamePixels(bottom.copy(b1), flippedNormal));
}

// A tab record whose four tab faces are different parts of a picture whose every pixel
// differs, so a face drawn for the wrong state shows.
std::unique_ptr<TspSkinData> PatternTabSkin(const char* tabrect = "0,40,30,60") {
  return OnePictureSkin(
      "tabs", PatternImage(120, 120, 3),
      "[SKINCONTROLS]\r\ncount=1\r\n0=tab:tab\r\n"
      "[tab]\r\npictureindex=0\r\nskinrect=0,0,30,30\r\nclientrect=2,3,27,28\r\n"
      "lefttoppoint=5,5\r\nrighttoppoint=25,5\r\nleftbottompoint=5,25\r\n"
      "rightbottompoint=25,25\r\nbgpictureindex=-1\r\ntabrect=" +
          QByteArray(tabrect) +
          "\r\nactivetabrect=30,40,60,62\r\nfocustabrect=60,40,90,62\r\nmouseintabrect=90,40,120,"
          "60\r\n"
          "tableftoffset=6\r\ntabrightoffset=7\r\ntabsbgrect=0,70,10,80\r\ntabstretcheffect=1\r\n");
}

// A tab rectangle the picture does not hold gives no tab height: every tab would be an
// image as tall as the rectangle says.
TEST_F(PageControlTest, ATabRectOutsideThePictureSetsNoTabHeight) {
  skin = PatternTabSkin("0,40,30,3000000");
  ASSERT_FALSE(skin->IsEmpty());
  pc->SetSkinData(skin.get());
  Show();
  EXPECT_EQ(pc->ItemHeight(), pc->DefaultItemHeight());
  EXPECT_FALSE(Grab(*pc).isNull());
}

TEST_F(PageControlTest, FocusedSelectedTabShowsTheFocusFace) {
  skin = PatternTabSkin();
  ASSERT_FALSE(skin->IsEmpty());
  pc->SetSkinData(skin.get());
  for (TspSkinTabSheet* p : pages) p->SetCaption(QString());
  pc->SetTabWidth(50);
  Show();
  const TspDataSkinTabControl& rec = TabRecord(*skin);
  ASSERT_EQ(pc->ItemHeight(), 20);
  QTest::mouseMove(pc, pc->TabRect(3).center());
  for (const bool focused : {false, true}) {
    SCOPED_TRACE(focused);
    focused ? pc->setFocus() : pc->clearFocus();
    ASSERT_EQ(pc->hasFocus(), focused);
    const QImage shot = Grab(*pc);
    struct Case {
      int Tab;
      TspRect Source;
    } cases[] = {{0, focused ? rec.focustabrect : rec.activetabrect},
                 {1, rec.tabrect},
                 {3, rec.mouseintabrect}};
    for (const Case& c : cases) {
      SCOPED_TRACE(c.Tab);
      const QRect r = pc->TabRect(c.Tab);
      const QImage face = TabFace(*skin, c.Source, r.width());
      EXPECT_TRUE(SamePixels(shot.copy(QRect(r.topLeft(), face.size())), face));
    }
    // The strip between and after the tabs is the record's strip piece, tiled.
    const QRect strip(pc->TabRect(3).right() + 1, 0, 30, pc->ItemHeight());
    EXPECT_EQ(shot.pixel(strip.left() + 12, 5),
              skin->ActivePictures[0].pixel((strip.left() + 12) % 10, 70 + 5));
  }
}

TEST_F(PageControlTest, UnselectedCaptionsSitLowerByTheOverhang) {
  UseBuiltinSkin();
  for (TspSkinTabSheet* p : pages) p->SetCaption("Mm");
  pc->SetTabWidth(60);
  Show();
  pc->clearFocus();
  const QImage shot = Grab(*pc);
  // The first row of caption ink in a tab.
  auto firstInkRow = [&](int tab) {
    const QRect r = pc->TabRect(tab);
    const QRgb face = shot.pixel(r.left() + 3, r.top() + r.height() / 2);
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left() + 8; x < r.right() - 8; ++x)
        if (shot.pixel(x, y) != face && y > r.top() + 3) return y;
    return -1;
  };
  const int selected = firstInkRow(0), other = firstInkRow(1);
  ASSERT_GE(selected, 0);
  EXPECT_EQ(other - selected, 2);
}

TEST_F(PageControlTest, PlainLookAndSkinChangesWithoutLeaks) {
  Show();
  pc->clearFocus();
  // No skin: the selected tab framed, the page area framed in the palette's shadow.
  QImage plain = Grab(*pc);
  const QRect sel = pc->TabRect(0);
  EXPECT_EQ(plain.pixel(sel.left(), sel.center().y()), qRgb(59, 107, 183));
  EXPECT_EQ(plain.pixel(sel.center().x(), sel.center().y() + 3), qRgb(193, 212, 243));
  const QRect frame = pc->FrameRect();
  EXPECT_EQ(plain.pixel(frame.right(), frame.center().y()),
            pc->palette().color(QPalette::Dark).rgb());
  pc->setFocus();
  plain = Grab(*pc);
  EXPECT_EQ(plain.pixel(sel.center().x(), sel.center().y() + 3), qRgb(162, 188, 228));

  // Skin switches through the form's hook; the pages follow.
  new TspSkinnedFormHook(form.get());
  UseBuiltinSkin(0);
  const QImage blue = Grab(*pc), bluePage = Grab(*pages[0]);
  EXPECT_EQ(pc->ItemHeight(), TabRecord(*skin).tabrect.Height());
  skin->SetSkinIndex(3);
  const QImage purple = Grab(*pc);
  EXPECT_FALSE(SamePixels(blue, purple));
  EXPECT_EQ(pages[0]->geometry(), pc->PageArea());
  // The skin data going away leaves the plain look.
  skin.reset();
  EXPECT_EQ(pc->RecordIndex(), -1);
  EXPECT_EQ(pc->ItemHeight(), pc->DefaultItemHeight());
  EXPECT_TRUE(SamePixels(Grab(*pc), plain));
  EXPECT_EQ(Grab(*pages[0]).pixel(5, 5), pc->palette().color(QPalette::Button).rgb());
}

TEST_F(PageControlTest, PagesPaintTheSkinsPageBackgroundAndAnswerTheirChildren) {
  UseBuiltinSkin();
  Show();
  const TspDataSkinTabControl& rec = TabRecord(*skin);
  const QImage& picture = skin->ActivePictures[size_t(rec.pictureindex)];
  // The record's client piece, tiled from the page's corner.
  const QRgb piece = picture.pixel(rec.skinrect.Left + rec.clientrect.Left + 1,
                                   rec.skinrect.Top + rec.clientrect.Top + 1);
  const QImage page = Grab(*pages[0]);
  EXPECT_EQ(page.pixel(0, 0), piece);
  EXPECT_EQ(page.pixel(page.width() - 1, page.height() - 1), piece);
  // A wallpaper replaces it.
  pages[0]->SetWallPaper(SolidImage(3, 3, qRgb(9, 99, 199)));
  EXPECT_EQ(Grab(*pages[0]).pixel(10, 10), qRgb(9, 99, 199));
  // A page answers a child asking for what lies behind it.
  QImage behind(20, 20, QImage::Format_RGB32);
  behind.fill(Qt::black);
  QPainter p(&behind);
  static_cast<TspBackgroundSource*>(pages[0])->PaintChildBackground(p, QRect(0, 0, 20, 20));
  p.end();
  EXPECT_EQ(behind.pixel(7, 7), qRgb(9, 99, 199));
}

} // namespace
