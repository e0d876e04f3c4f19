#include "hint_fixture.h"

#include "skin/controls/image_list.h"

#include <QToolTip>

namespace {

QColor InfoText() {
  return QGuiApplication::palette().color(QPalette::Active, QPalette::ToolTipText);
}

} // namespace

TEST(HintText, EverySeparatorEndsAndBreaksOnce) {
  struct Case {
    const char* text;
    const char* separator;
    const char* replaced;
    int lines;
  };
  const Case cases[] = {
      {"one@two", "@", "one\n\rtwo", 2},
      {"one two", "@", "one two", 1},
      {"a@@b", "@", "a\n\r\n\rb", 3},
      {"a@b", "", "a@b", 1},
      // Separators of line-break characters are replaced once, not again in their result.
      {"a\nb", "\n", "a\n\rb", 2},
      {"a\rb\rc", "\r", "a\n\rb\n\rc", 3},
      {"a\n\rb", "\n\r", "a\n\rb", 2},
      {"a\r\nb", "\r\n", "a\n\rb", 2},
      {"a<br>b<br>", "<br>", "a\n\rb\n\r", 3},
  };
  for (const Case& c : cases) {
    const QString out =
        ReplaceHintSeparator(QString::fromLatin1(c.text), QString::fromLatin1(c.separator));
    EXPECT_EQ(out, QString::fromLatin1(c.replaced)) << c.text;
    EXPECT_EQ(HintLines(out).size(), c.lines) << c.text;
  }
  // Each kind of break, alone or paired, ends one line.
  EXPECT_EQ(HintLines("a\r\nb\rc\nd\n\re"), QStringList({"a", "b", "c", "d", "e"}));
  EXPECT_EQ(HintLines("a\n\nb"), QStringList({"a", "", "b"}));
}

TEST(HintFrame, TinyContentKeepsTheCornerPointsInOrder) {
  TspHintLook look;
  look.Skinned = true;
  look.Picture = QImage(40, 30, QImage::Format_RGB32);
  look.Geometry = {{3, 3, 37, 27}, {15, 10}, {25, 10}, {15, 20}, {25, 20}};
  struct Case {
    int w, h, margin;
    QSize size;
  };
  const Case cases[] = {
      {0, 0, 5, {30, 20}},   // grown until the right points meet the left ones
      {4, 2, 10, {30, 20}},  // still too small
      {40, 30, 5, {51, 36}}, // large enough: picture margins and the 5 only
      {40, 30, 10, {56, 36}},
  };
  for (const Case& c : cases) {
    const TspHintFrame f = MakeHintFrame(look, c.w, c.h, c.margin);
    EXPECT_EQ(f.Size, c.size) << c.w << "x" << c.h;
    const TspNinePartGeometry& g = f.Scaled;
    EXPECT_GE(g.RT.X, g.LT.X);
    EXPECT_GE(g.RB.X, g.LB.X);
    EXPECT_GE(g.LB.Y, g.LT.Y);
    EXPECT_GE(g.RB.Y, g.RT.Y);
    // The client rectangle keeps the picture's margins.
    EXPECT_EQ(g.ClientRect, (TspRect{3, 3, c.size.width() - 3, c.size.height() - 3}));
  }
}

TEST_F(HintTest, ToolTipShowsSkinnedHintInsteadOfThePlatformTip) {
  plain->setToolTip("ONE@TWO");
  EXPECT_TRUE(ToolTip(plain));
  ASSERT_TRUE(Shown());
  EXPECT_FALSE(QToolTip::isVisible());
  EXPECT_EQ(hint->HintControl(), plain);
  EXPECT_EQ(Window()->Text(), "ONE\n\rTWO");
  // Under the pointer, never taking the activation.
  EXPECT_EQ(Window()->pos(),
            plain->mapToGlobal(QPoint(5, 5)) + QPoint(0, TspSkinHint::CursorHeight));
  EXPECT_EQ(QApplication::activeWindow(), form.get());
  EXPECT_TRUE(Window()->testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(Window()->windowType(), Qt::ToolTip);

  // The built-in skin: its hint picture, its font colour, two lines centred in the client area.
  ASSERT_TRUE(Window()->Skinned());
  EXPECT_EQ(Window()->Look().FontColor, QColor(68, 68, 68));
  const QRect area = Window()->HintClientArea();
  const auto two = InkBands(Window()->PaintImage().copy(area), QColor(68, 68, 68));
  ASSERT_EQ(two.size(), 2u);
  const int centreX = (two[0].Left + two[0].Right) / 2, centreY = (two[0].Top + two[1].Bottom) / 2;
  EXPECT_NEAR(centreX, area.width() / 2, 3);
  EXPECT_NEAR(centreY, area.height() / 2, 4);
  const QSize twoLines = Window()->size();

  plain->setToolTip("ONE TWO");
  ToolTip(plain);
  EXPECT_EQ(
      InkBands(Window()->PaintImage().copy(Window()->HintClientArea()), QColor(68, 68, 68)).size(),
      1u);
  EXPECT_EQ(twoLines.height() - Window()->height(), QFontMetrics(Window()->Look().Font).height());
}

TEST_F(HintTest, TitleShowsInBoldAboveTheText) {
  panel->setToolTip("MMMM");
  panel->SetHintTitle("MMMM");
  ToolTip(panel);
  ASSERT_TRUE(Shown());
  EXPECT_TRUE(Window()->Titled());
  EXPECT_EQ(hint->HintTitle(), "MMMM");
  const QRect area = Window()->HintClientArea();
  const auto bands = InkBands(Window()->PaintImage().copy(area), QColor(68, 68, 68));
  ASSERT_EQ(bands.size(), 2u);
  // The same word, with heavier strokes in the title's bold face; both start 5 pixels into
  // the client area.
  EXPECT_GT(bands[0].Count, bands[1].Count * 5 / 4);
  EXPECT_NEAR(bands[0].Left, 5, 2);
  EXPECT_NEAR(bands[1].Left, 5, 2);

  // A plain widget's hint after it has no title.
  plain->setToolTip("MMMM");
  ToolTip(plain);
  EXPECT_FALSE(Window()->Titled());
  EXPECT_TRUE(hint->HintTitle().isEmpty());
}

TEST_F(HintTest, ImageBesideTheTextAndOutOfRangeIndexIgnored) {
  TspImageList images;
  QImage red(12, 40, QImage::Format_RGB32);
  red.fill(Qt::red);
  images.Images.push_back(red);
  panel->setToolTip("TEXT");
  panel->SetHintImageList(&images);

  panel->SetHintImageIndex(0);
  ToolTip(panel);
  ASSERT_TRUE(Window()->Titled());
  const QRect area = Window()->HintClientArea();
  const auto redBands = InkBands(Window()->PaintImage().copy(area), Qt::red, 10);
  ASSERT_EQ(redBands.size(), 1u);
  EXPECT_EQ(redBands[0].Left, 5);
  EXPECT_EQ(redBands[0].Bottom - redBands[0].Top + 1, 40);
  EXPECT_GE(Window()->height(), 40);
  const auto text = InkBands(Window()->PaintImage().copy(area), QColor(68, 68, 68));
  ASSERT_FALSE(text.empty());
  EXPECT_GE(text[0].Left, 5 + 12 + 5);

  panel->SetHintImageIndex(1);
  ToolTip(panel);
  EXPECT_FALSE(Window()->Titled());
  EXPECT_TRUE(InkBands(Window()->PaintImage(), Qt::red, 10).empty());
}

TEST_F(HintTest, PlacedInsideTheWorkAreasRightAndBottomEdges) {
  plain->setToolTip("A HINT TEXT");
  ToolTip(plain);
  const QSize size = Window()->size();
  const QRect work = Work();
  struct Case {
    const char* name;
    QPoint pointer;
    bool left, up;
  };
  const int nearRight = work.right() - size.width() / 2, nearBottom = work.bottom() - 4;
  const Case cases[] = {
      {"middle", work.center(), false, false},
      {"right", {nearRight, work.center().y()}, true, false},
      {"bottom", {work.center().x(), nearBottom}, false, true},
      {"corner", {nearRight, nearBottom}, true, true},
  };
  for (const Case& c : cases) {
    ToolTip(plain, c.pointer);
    const QPoint proposed = c.pointer + QPoint(0, TspSkinHint::CursorHeight);
    const QPoint expected(c.left ? proposed.x() - size.width() - 2 : proposed.x(),
                          c.up ? proposed.y() - size.height() - 2 : proposed.y());
    EXPECT_EQ(Window()->pos(), expected) << c.name;
    EXPECT_EQ(Window()->size(), size) << c.name;
  }
}

TEST_F(HintTest, PlainLookWithoutAHintPicture) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
  };
  const Case cases[] = {
      {"no skin data", [this] { hint->SetSkinData(nullptr); }},
      {"no hint picture", [this] { data->HintWindow.windowpictureindex = -1; }},
      {"picture index past the list",
       [this] { data->HintWindow.windowpictureindex = int(data->ActivePictures.size()); }},
  };
  for (const Case& c : cases) {
    c.arrange();
    QFont font("Tahoma");
    font.setPixelSize(11);
    hint->SetDefaultFont(font);
    plain->setToolTip("PLAIN@TEXT");
    ToolTip(plain);
    ASSERT_TRUE(Shown()) << c.name;
    EXPECT_FALSE(Window()->Skinned()) << c.name;
    const QFontMetrics fm(font);
    EXPECT_EQ(Window()->size(),
              QSize(std::max(fm.horizontalAdvance("PLAIN"), fm.horizontalAdvance("TEXT")) + 4,
                    2 * fm.height() + 4))
        << c.name;
    const QImage image = Window()->PaintImage();
    const QPalette pal = QGuiApplication::palette();
    const QRgb frame = pal.color(QPalette::Active, QPalette::Dark).rgb();
    EXPECT_EQ(image.pixel(0, 0), frame) << c.name;
    EXPECT_EQ(image.pixel(image.width() - 1, image.height() / 2), frame) << c.name;
    EXPECT_EQ(image.pixel(1, 1), pal.color(QPalette::Active, QPalette::ToolTipBase).rgb())
        << c.name;
    const auto bands =
        InkBands(image.copy(2, 2, image.width() - 4, image.height() - 4), InfoText(), 400);
    EXPECT_EQ(bands.size(), 2u) << c.name;
    SetUp(); // a fresh skin for the next case
  }
}

TEST_F(HintTest, SkinSwitchRepaintsTheShownHint) {
  // Shown plain while the loaded skin lacks its hint picture...
  data->HintWindow.windowpictureindex = -1;
  plain->setToolTip("SWITCH");
  ToolTip(plain);
  ASSERT_FALSE(Window()->Skinned());
  // ...and skinned once the next skin, which has one, is in.
  data->SetSkinIndex(1);
  ASSERT_TRUE(Shown());
  EXPECT_TRUE(Window()->Skinned());
  const int index = data->HintWindow.windowpictureindex;
  ASSERT_TRUE(data->ValidPictureIndex(index));
  EXPECT_EQ(Window()->Look().Picture, data->ActivePictures[size_t(index)]);
  EXPECT_EQ(Window()->Look().FontColor, QColor(68, 68, 68));
  // The skin data gone: the next hint is plain.
  delete data;
  data = nullptr;
  ToolTip(plain);
  EXPECT_FALSE(Window()->Skinned());
}

TEST_F(HintTest, HiddenWhenQtWouldHideATip) {
  struct Case {
    const char* name;
    std::function<void()> act;
  };
  const Case cases[] = {
      {"press", [this] { QTest::mousePress(form.get(), Qt::LeftButton, {}, QPoint(300, 200)); }},
      {"key", [this] { QTest::keyClick(form.get(), Qt::Key_A); }},
      {"leave",
       [this] {
         QEvent leave(QEvent::Leave);
         QApplication::sendEvent(plain, &leave);
       }},
      {"control hidden", [this] { plain->hide(); }},
      {"control destroyed", [this] { delete plain; }},
      {"timeout",
       [this] {
         hint->SetHintHidePause(20);
         ToolTip(plain);
         EXPECT_TRUE(QTest::qWaitFor([this] { return !Shown(); }, 2000));
       }},
  };
  for (const Case& c : cases) {
    plain->setToolTip("HIDE ME");
    ToolTip(plain);
    ASSERT_TRUE(Shown()) << c.name;
    // A modifier alone keeps it.
    QTest::keyClick(form.get(), Qt::Key_Shift);
    EXPECT_TRUE(Shown()) << c.name;
    c.act();
    EXPECT_FALSE(Shown()) << c.name;
    EXPECT_EQ(hint->HintControl(), nullptr) << c.name;
    SetUp();
  }
}

TEST_F(HintTest, OneActiveComponentServesTheToolTips) {
  plain->setToolTip("WHO");
  auto* second = new TspSkinHint(form.get(), [] { return true; });
  EXPECT_FALSE(hint->Active());
  EXPECT_EQ(TspSkinHint::ActiveHint(), second);
  EXPECT_TRUE(ToolTip(plain));
  EXPECT_EQ(hint->HintWindow(), nullptr);
  ASSERT_NE(second->HintWindow(), nullptr);
  EXPECT_TRUE(second->HintWindow()->isVisible());
  // A widget without a tool tip shows nothing, and the event is still answered.
  EXPECT_TRUE(ToolTip(form.get(), form->mapToGlobal(QPoint(300, 250))));
  EXPECT_FALSE(second->HintWindow()->isVisible());

  hint->SetActive(true);
  EXPECT_FALSE(second->Active());
  delete second;
  ToolTip(plain);
  EXPECT_TRUE(Shown());
  hint->SetActive(false);
  EXPECT_FALSE(Shown());
  EXPECT_EQ(TspSkinHint::ActiveHint(), nullptr);
  // Inactive: the event goes on to the widget, which shows the platform's tip.
  ToolTip(plain);
  EXPECT_FALSE(Shown());
  EXPECT_TRUE(QToolTip::isVisible());
  QToolTip::hideText();
}

TEST_F(HintTest, OnShowHintMayChangeOrRefuseTheHint) {
  plain->setToolTip("ORIGINAL");
  QObject* sender = nullptr;
  hint->OnShowHint = [&](QObject* s, TspHintInfo& info) {
    sender = s;
    EXPECT_EQ(info.HintControl, plain);
    info.HintStr = info.HintStr == "ORIGINAL" ? "CHANGED" : info.HintStr;
    info.CanShow = info.HintStr != "REFUSE";
  };
  ToolTip(plain);
  EXPECT_EQ(sender, hint);
  EXPECT_EQ(Window()->Text(), "CHANGED");
  plain->setToolTip("REFUSE");
  ToolTip(plain);
  EXPECT_FALSE(Shown());
}

TEST_F(HintTest, AlphaBlendAppliedWhereTranslucencyIsComposed) {
  plain->setToolTip("ALPHA");
  hint->SetAlphaBlend(true);
  hint->SetAlphaBlendValue(200);
  ToolTip(plain);
  EXPECT_TRUE(Window()->AppliedAlphaBlend());
  EXPECT_NEAR(Window()->windowOpacity(), 200 / 255.0, 0.01);

  // Faded in by a timer, from 0 up to the value.
  hint->SetAlphaBlendAnimation(true);
  ToolTip(plain);
  EXPECT_TRUE(Window()->IsFading());
  EXPECT_LT(Window()->windowOpacity(), 0.05);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !Window()->IsFading(); }, 2000));
  EXPECT_NEAR(Window()->windowOpacity(), 200 / 255.0, 0.01);
  // Hidden in the middle of a fade, it is left at full value, never invisible.
  ToolTip(plain);
  hint->HideHint();
  EXPECT_FALSE(Window()->IsFading());
  EXPECT_NEAR(Window()->windowOpacity(), 200 / 255.0, 0.01);

  hint->SetAlphaBlend(false);
  ToolTip(plain);
  EXPECT_FALSE(Window()->AppliedAlphaBlend());
  EXPECT_DOUBLE_EQ(Window()->windowOpacity(), 1.0);

  // Not composed: no window alpha, whatever is asked.
  layered = false;
  hint->SetAlphaBlend(true);
  EXPECT_FALSE(hint->AlphaBlendSupport());
  ToolTip(plain);
  EXPECT_FALSE(Window()->AppliedAlphaBlend());
  EXPECT_DOUBLE_EQ(Window()->windowOpacity(), 1.0);
}

TEST_F(HintTest, FrameObjectHintAfterThePauseForTheHidePause) {
  hint->SetHintPause(10);
  hint->SetHintHidePause(30);
  panel->SetHintTitle("NOT FOR OBJECTS");
  const QPoint at = Work().topLeft() + QPoint(200, 150);
  hint->ShowFrameObjectHint("Close", at);
  EXPECT_TRUE(hint->FrameObjectHintPending());
  ASSERT_TRUE(QTest::qWaitFor(
      [this] { return hint->ObjectHintWindow() && hint->ObjectHintWindow()->isVisible(); }, 2000));
  TspSkinHintWindow* w = hint->ObjectHintWindow();
  EXPECT_EQ(w->pos(), at);
  EXPECT_EQ(w->Text(), "Close");
  EXPECT_FALSE(w->Titled());
  EXPECT_EQ(QApplication::activeWindow(), form.get());
  ASSERT_TRUE(QTest::qWaitFor([w] { return !w->isVisible(); }, 2000));

  // Replaced while pending, and stopped before it shows.
  hint->SetHintPause(20);
  hint->ShowFrameObjectHint("Minimize", at);
  hint->ShowFrameObjectHint("Maximize", at);
  EXPECT_EQ(hint->FrameObjectHintText(), "Maximize");
  hint->HideFrameObjectHint();
  EXPECT_FALSE(hint->FrameObjectHintPending());
  QTest::qWait(60);
  EXPECT_FALSE(w->isVisible());
}

TEST_F(HintTest, WithoutComposedTranslucencyBlendsOverTheScreenBelow) {
  form->setAutoFillBackground(true);
  QPalette red = form->palette();
  red.setColor(QPalette::Window, Qt::red);
  form->setPalette(red);
  form->repaint();
  layered = false;
  plain->setToolTip("BLEND");
  const QPoint over = form->mapToGlobal(QPoint(150, 100));
  ToolTip(plain, over);
  const QImage opaque = Window()->PaintImage();
  Window()->hide();

  hint->SetAlphaBlend(true);
  hint->SetAlphaBlendValue(100);
  ToolTip(plain, over);
  const QImage blended = Window()->PaintImage();
  ASSERT_EQ(blended.size(), opaque.size());
  EXPECT_DOUBLE_EQ(Window()->windowOpacity(), 1.0);
  // The hint's light background mixed with the red form under it: 155/255 of red.
  const QPoint inside = Window()->HintClientArea().topLeft();
  const QColor o = opaque.pixelColor(inside), b = blended.pixelColor(inside);
  const double k = 1 - 100 / 255.0;
  EXPECT_NEAR(b.red(), (1 - k) * o.red() + k * 255, 2);
  EXPECT_NEAR(b.green(), (1 - k) * o.green(), 2);
}
