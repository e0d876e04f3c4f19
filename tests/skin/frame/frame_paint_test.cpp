// What the frame paints: the caption text and its "..." rule, its place, the client
// background of skins with and without a picture, the inactive look and the show fade.

#include "frame_fixture.h"

#include "skin/frame/caption_text.h"
#include "skin/frame/frame_paint.h"

namespace {

TEST_F(FrameTest, CaptionTextIsShortenedWithDotsOnlyWhenItDoesNotFit) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  const QFontMetrics m(font);
  const QString text = QStringLiteral("Save The Vorns");
  const int full = m.horizontalAdvance(text);
  EXPECT_EQ(TrimCaption(text, m, full), text);
  const QString cut = TrimCaption(text, m, full - 1);
  EXPECT_TRUE(cut.endsWith(QStringLiteral("...")));
  EXPECT_LE(m.horizontalAdvance(cut), full - 1);
  EXPECT_TRUE(text.startsWith(cut.chopped(3)));
  // One more character would not fit.
  EXPECT_GT(m.horizontalAdvance(text.left(cut.size() - 3 + 1) + QStringLiteral("...")), full - 1);
  EXPECT_EQ(TrimCaption(QStringLiteral("W"), m, 1), QStringLiteral("..."));
  EXPECT_EQ(TrimCaption(QString(), m, 0), QString());
}

TEST_F(FrameTest, CaptionTextIsPlacedByAlignmentAndOddHeightsRiseAPixel) {
  const TspRect tr{10, 0, 110, 30};
  struct Case {
    TspAlignment alignment;
    int fontHeight;
    QPoint expected;
  } cases[] = {
      {TspAlignment::taLeftJustify, 14, {10, 8}},
      {TspAlignment::taRightJustify, 14, {70, 8}},
      {TspAlignment::taCenter, 14, {40, 8}},
      {TspAlignment::taLeftJustify, 13, {10, 7}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CaptionTextOrigin(tr, 40, 14, c.alignment, c.fontHeight), c.expected)
        << int(c.alignment) << " " << c.fontHeight;
}

TEST_F(FrameTest, TheCaptionShowsTheWindowTitleInTheSkinsColour) {
  NewForm(400, 300);
  Show();
  const TspDataSkinCaption& caption =
      static_cast<const TspSkinCaptionObject*>(Object("caption"))->Data();
  const QColor text = ColorToQColor(caption.activefontcolor);
  const auto textPixels = [&] {
    const QImage shot = form->grab().toImage();
    int n = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 300; ++x) n += QColor(shot.pixel(x, y)) == text;
    return n;
  };
  const int titled = textPixels();
  EXPECT_GT(titled, 20);
  form->setWindowTitle(QString());
  EXPECT_EQ(textPixels(), 0);
  form->setWindowTitle(QStringLiteral("A much longer title than the one before it"));
  EXPECT_GT(textPixels(), titled);
}

TEST_F(FrameTest, ClientBackgroundTilesTheClientPartOrFallsBackToButtonFace) {
  TspSkinData skin;
  skin.ActivePictures.clear();
  // A skin whose client part is a 2 x 1 pattern of red and blue.
  QImage picture(10, 10, QImage::Format_RGB32);
  picture.fill(Qt::black);
  picture.setPixel(4, 4, qRgb(255, 0, 0));
  picture.setPixel(5, 4, qRgb(0, 0, 255));
  skin.Picture = picture;
  skin.FormInfo.clientrect = {4, 4, 6, 5};
  // Not loaded: the plain fill, in the platform's face colour.
  skin.ClearSkin();
  skin.Picture = picture;
  const QImage plain = ComposeClientBackground(&skin, 5, 3, 20, 20);
  EXPECT_EQ(QColor(plain.pixel(2, 1)), QGuiApplication::palette().color(QPalette::Button));
  EXPECT_EQ(QColor(ComposeClientBackground(nullptr, 5, 3, 20, 20).pixel(2, 1)),
            QGuiApplication::palette().color(QPalette::Button));
  // A loaded skin: the frame reads only what a skin gives, so load the built-in one and
  // replace its picture and client rectangle.
  NewForm(300, 200);
  data->Picture = picture;
  data->FormInfo.clientrect = {4, 4, 6, 5};
  data->FormInfo.stretcheffect = false;
  data->FormInfo.bgpictureindex = -1;
  const QImage tiled = ComposeClientBackground(data, 5, 3, 20, 20);
  EXPECT_EQ(QColor(tiled.pixel(0, 0)), QColor(Qt::red));
  EXPECT_EQ(QColor(tiled.pixel(1, 2)), QColor(Qt::blue));
  EXPECT_EQ(QColor(tiled.pixel(4, 1)), QColor(Qt::red));
  // A client part outside the picture, or a background picture without pixels: plain.
  data->FormInfo.clientrect = {40, 40, 60, 60};
  EXPECT_EQ(QColor(ComposeClientBackground(data, 5, 3, 20, 20).pixel(2, 2)),
            ColorToQColor(data->SkinColors.cbtnface));
  data->ActivePictures.push_back(QImage());
  data->FormInfo.bgpictureindex = int(data->ActivePictures.size()) - 1;
  data->FormInfo.stretcheffect = true;
  EXPECT_EQ(QColor(ComposeClientBackground(data, 5, 3, 20, 20).pixel(2, 2)),
            ColorToQColor(data->SkinColors.cbtnface));
}

TEST_F(FrameTest, TheBorderImagesOfAFrameAsLargeAsThePictureAreItsBands) {
  NewForm(200, 120);
  Show();
  const TspFramePainter& p = frame->Painter();
  ASSERT_FALSE(p.IsEmpty());
  ASSERT_EQ(p.Top().size(), QSize(200, 30));
  ASSERT_EQ(p.Bottom().size(), QSize(200, 4));
  ASSERT_EQ(p.Left().size(), QSize(4, 86));
  // Away from the objects, the images hold the picture's pixels.
  EXPECT_EQ(p.Bottom().pixel(100, 3), data->Picture.pixel(100, 119));
  EXPECT_EQ(p.Left().pixel(0, 40), data->Picture.pixel(0, 70));
  EXPECT_EQ(p.Right().pixel(3, 40), data->Picture.pixel(199, 70));
}

TEST_F(FrameTest, TheInactiveFrameUsesTheInactivePictureOrTheSkinsEffect) {
  NewForm(400, 300);
  Show();
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  // The bottom border is free of objects and text.
  EXPECT_EQ(PixelAt({200, 299}), QColor(data->InactivePicture.pixel(100, 119)));
  // Without an inactive picture, and with automatic rendering, the effect darkens or
  // lightens the active one.
  data->InactivePicture = QImage();
  data->FormInfo.autorenderinginactiveimage = true;
  data->FormInfo.inactiveeffect = TspInactiveEffect::ieInvert;
  frame->RepaintFrame();
  const QRgb active = data->Picture.pixel(100, 119);
  EXPECT_EQ(PixelAt({200, 299}),
            QColor(qRgb(255 - qRed(active), 255 - qGreen(active), 255 - qBlue(active))));
}

TEST_F(FrameTest, TheShowFadeIsSteppedByATimerAndNeverLeftHalfDone) {
  NewForm(300, 200);
  frame->SetAlphaBlendAnimation(true);
  Show();
  EXPECT_LT(form->windowOpacity(), 1.0);
  // 15 steps of 5 ms.
  EXPECT_TRUE(QTest::qWaitFor([&] { return form->windowOpacity() >= 1.0; }, 2000));
  // Hidden while fading: the window is left at its target, not transparent.
  auto second = std::make_unique<QWidget>();
  auto* frame2 = new TspVestimar(second.get());
  frame2->SetAlphaBlend(true);
  frame2->SetAlphaBlendAnimation(true);
  frame2->SetAlphaBlendValue(200);
  second->show();
  EXPECT_LT(second->windowOpacity(), 0.1);
  second->hide();
  EXPECT_NEAR(second->windowOpacity(), 200 / 255.0, 0.01);
}

} // namespace

namespace {

TEST_F(FrameTest, AnAnimatedCaptionStepsThroughItsFramesAndStops) {
  NewForm(400, 300);
  // Three 20 x 30 frames of plain colours side by side in an active picture of their own.
  QImage frames(60, 30, QImage::Format_RGB32);
  frames.fill(Qt::red);
  for (int y = 0; y < 30; ++y)
    for (int x = 20; x < 60; ++x) frames.setPixel(x, y, x < 40 ? qRgb(0, 255, 0) : qRgb(0, 0, 255));
  data->ActivePictures.push_back(frames);
  for (const auto& record : data->ObjectList)
    if (auto* caption = dynamic_cast<TspDataSkinCaption*>(record.get())) {
      caption->activepictureindex = int(data->ActivePictures.size()) - 1;
      caption->animateskinrect = {0, 0, 20, 30};
      caption->framecount = 3;
      caption->animateinterval = 50;
      caption->inactiveanimation = true;
    }
  frame->ApplySkin();
  Show();
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  auto* caption = static_cast<const TspSkinCaptionObject*>(Object("caption"));
  // Deactivated with inactiveanimation: from the last frame back to none.
  EXPECT_TRUE(QTest::qWaitFor([&] { return caption->AnimatePosition == 0; }, 3000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->CaptionAnimationRunning(); }, 3000));
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  EXPECT_TRUE(frame->CaptionAnimationRunning());
  // Up through the frames to the static look after the last, then the timer stops.
  EXPECT_TRUE(QTest::qWaitFor([&] { return caption->AnimatePosition == 4; }, 3000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->CaptionAnimationRunning(); }, 3000));
  EXPECT_EQ(caption->AnimatePosition, 4);
  const QColor still = PixelAt({2, 2});
  EXPECT_NE(still, QColor(Qt::red));
  // A frame shows its own part of the picture, stretched over the caption.
  for (const auto& o : frame->Objects())
    if (auto* c = dynamic_cast<TspSkinCaptionObject*>(o.get())) c->AnimatePosition = 2;
  frame->RepaintFrame();
  EXPECT_EQ(PixelAt({2, 2}), QColor(0, 255, 0));
  EXPECT_EQ(caption->AnimationFrame(), (TspRect{20, 0, 40, 30}));
}

} // namespace

namespace {

TEST_F(FrameTest, ACaptionWithATextFrameDrawsItBehindTheText) {
  NewForm(400, 300);
  // A 40 x 20 text frame: 4-pixel white ends around a magenta middle.
  QImage picture(40, 20, QImage::Format_RGB32);
  picture.fill(Qt::white);
  for (int y = 0; y < 20; ++y)
    for (int x = 4; x < 36; ++x) picture.setPixel(x, y, qRgb(255, 0, 255));
  data->ActivePictures.push_back(picture);
  for (const auto& record : data->ObjectList)
    if (auto* caption = dynamic_cast<TspDataSkinCaption*>(record.get())) {
      caption->activepictureindex = int(data->ActivePictures.size()) - 1;
      caption->framerect = {0, 0, 40, 20};
      caption->frametextrect = {6, 3, 34, 17};
      caption->frameleftoffset = 4;
      caption->framerightoffset = 4;
      caption->fullframe = true;
    }
  frame->ApplySkin();
  Show();
  // Across the whole caption (buttonsoffset 0): white ends, magenta between, above the text.
  const QImage shot = form->grab().toImage();
  int y = -1;
  for (int row = 0; row < 30 && y < 0; ++row)
    if (shot.pixel(0, row) == qRgb(255, 255, 255)) y = row;
  ASSERT_GE(y, 0);
  EXPECT_EQ(PixelAt({3, y}), QColor(Qt::white));
  EXPECT_EQ(PixelAt({200, y}), QColor(255, 0, 255));
  EXPECT_EQ(PixelAt({306, y}), QColor(Qt::white));
}

} // namespace
