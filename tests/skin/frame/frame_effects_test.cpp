// The frame's effects: the caption text's glow, glowing-text and reflection looks (active
// and inactive), the cross-fade of a caption that has its own active image, and the glow
// frame around a hot caption button.

#include "frame_fixture.h"

#include "skin/render/layered_window.h"

namespace {

// Frame tests that switch the form's activation.
class FrameEffectsTest : public FrameTest {
protected:
  void Deactivate() {
    // Away from the form: the pointer over the form must stay over it.
    other = std::make_unique<QWidget>();
    other->setGeometry(Work().left() + 600, Work().top() + 600, 50, 50);
    other->show();
    QApplication::setActiveWindow(other.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(other.get()));
  }
  void Activate() {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  TspDataSkinCaption& CaptionRecord() {
    for (const auto& record : data->ObjectList)
      if (auto* caption = dynamic_cast<TspDataSkinCaption*>(record.get())) return *caption;
    throw std::logic_error("the skin has no caption");
  }
  const TspSkinCaptionObject& Caption() {
    return *static_cast<const TspSkinCaptionObject*>(Object("caption"));
  }
  QImage CaptionPixels() { return form->grab().toImage().copy(Caption().ObjectRect.ToQRect()); }
  void TearDown() override {
    other.reset();
    FrameTest::TearDown();
  }
  // The pointer itself goes to the object too (the frame's hover poll reads it), which
  // becomes the hot one.
  void Hover(const QString& name) {
    const QPoint p = CentreOf(name);
    QCursor::setPos(form->mapToGlobal(p));
    Move(p);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          const int i = frame->HoveredIndex();
          return i >= 0 && frame->Objects()[size_t(i)]->IDName == name;
        },
        2000))
        << name.toStdString() << " hot: " << frame->HoveredIndex();
  }
  std::unique_ptr<QWidget> other;
};

TEST_F(FrameEffectsTest, CaptionTextEffectsShowWhileActiveOrAlwaysWhenAskedTo) {
  const TColor red = 0x0000FF;
  struct Case {
    const char* name;
    std::function<void(TspDataSkinCaption&)> set;
    bool active, inactive; // whether the look differs from the plain text
  } cases[] = {
      {"glow",
       [&](TspDataSkinCaption& c) {
         c.gloweffect = true;
         c.glowactivecolor = c.glowcolor = red;
       },
       true, false},
      {"glow also inactive",
       [&](TspDataSkinCaption& c) {
         c.gloweffect = c.glowinactiveeffect = true;
         c.glowactivecolor = c.glowcolor = red;
       },
       true, true},
      {"glowing text", [](TspDataSkinCaption& c) { c.vistagloweffect = true; }, true, false},
      {"glowing text also inactive",
       [](TspDataSkinCaption& c) { c.vistagloweffect = c.vistaglowinactiveeffect = true; }, true,
       true},
      {"reflection",
       [&](TspDataSkinCaption& c) {
         c.reflectioneffect = true;
         c.reflactionactivecolor = c.reflactioncolor = red;
       },
       true, true},
  };
  NewForm(400, 300);
  form->setWindowTitle(QStringLiteral("Vorns"));
  Show();
  const QImage plainActive = CaptionPixels();
  Deactivate();
  const QImage plainInactive = CaptionPixels();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NewForm(400, 300);
    form->setWindowTitle(QStringLiteral("Vorns"));
    c.set(CaptionRecord());
    frame->ApplySkin();
    Show();
    EXPECT_EQ(CaptionPixels() != plainActive, c.active);
    Deactivate();
    EXPECT_EQ(CaptionPixels() != plainInactive, c.inactive);
  }
}

TEST_F(FrameEffectsTest, ACaptionWithItsOwnActiveImageCrossFadesWithTheActivation) {
  NewForm(400, 300);
  form->setWindowTitle(QString());
  QImage green(200, 40, QImage::Format_RGB32);
  green.fill(qRgb(0, 255, 0));
  data->ActivePictures.push_back(green);
  TspDataSkinCaption& record = CaptionRecord();
  record.activepictureindex = int(data->ActivePictures.size()) - 1;
  record.activeskinrect = {0, 0, record.skinrect.Width(), record.skinrect.Height()};
  record.morphing = true;
  frame->ApplySkin();
  Show();
  const QPoint corner = Caption().ObjectRect.ToQRect().topLeft() + QPoint(1, 1);
  // Shown inactive, then activated: the active image fades in.
  ASSERT_TRUE(QTest::qWaitFor([&] { return Caption().MorphKf == 1; }, 2000));
  EXPECT_EQ(PixelAt(corner), QColor(0, 255, 0));

  Deactivate();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return Caption().MorphKf > 0 && Caption().MorphKf < 1; }, 2000));
  const QColor between = PixelAt(corner);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Caption().MorphKf == 0; }, 2000));
  // Inactive, the caption is what the frame picture has there.
  const QColor normal = PixelAt(corner);
  EXPECT_NE(normal, QColor(0, 255, 0));
  EXPECT_NE(between, normal);
  EXPECT_NE(between, QColor(0, 255, 0));

  Activate();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Caption().MorphKf == 1; }, 2000));
  EXPECT_EQ(PixelAt(corner), QColor(0, 255, 0));
  // Without skin effects the change is immediate.
  data->SetEnableSkinEffects(false);
  Deactivate();
  EXPECT_NE(PixelAt(corner), QColor(0, 255, 0));
}

TEST_F(FrameEffectsTest, AHotCaptionButtonShowsItsGlowFrameWhereTranslucencyIsComposed) {
  NewForm(400, 300);
  QImage glow(30, 30, QImage::Format_RGB32);
  glow.fill(qRgb(255, 200, 0));
  data->ActivePictures.push_back(glow);
  for (const auto& record : data->ObjectList)
    if (record->IDName == QStringLiteral("closebutton")) {
      auto& o = static_cast<TspDataSkinObject&>(*record);
      o.glowlayerpictureindex = int(data->ActivePictures.size()) - 1;
      o.glowlayeroffsetx = 5;
      o.glowlayeroffsety = 4;
      o.glowlayeralphablendvalue = 200;
    }
  frame->SetLayeredWindowsSupport([] { return true; });
  frame->ApplySkin();
  Show();
  const QRect button = Object("closebutton")->ObjectRect.ToQRect();

  Hover("closebutton");
  ASSERT_TRUE(frame->GlowLayer().IsShowing());
  EXPECT_EQ(frame->GlowLayer().Window()->position(),
            form->mapToGlobal(button.topLeft()) - QPoint(5, 4));
  EXPECT_TRUE(QTest::qWaitFor([&] { return frame->GlowLayer().CurrentAlpha() == 200; }, 2000));
  // Leaving the button takes it away; so does the form losing the activation.
  Hover("maxbutton");
  EXPECT_FALSE(frame->GlowLayer().IsShowing());
  Hover("closebutton");
  ASSERT_TRUE(frame->GlowLayer().IsShowing());
  Deactivate();
  EXPECT_FALSE(frame->GlowLayer().IsShowing());
  Activate();

  // Objects without a glow picture, the skin's switch off, or no translucency: none.
  Hover("maxbutton");
  EXPECT_FALSE(frame->GlowLayer().IsShowing());
  data->SetShowCaptionButtonGlowFrames(false);
  Hover("closebutton");
  EXPECT_FALSE(frame->GlowLayer().IsShowing());
  data->SetShowCaptionButtonGlowFrames(true);
  Hover("maxbutton");
  frame->SetLayeredWindowsSupport([] { return false; });
  Hover("closebutton");
  EXPECT_FALSE(frame->GlowLayer().IsShowing());

  // A skin switch hides it.
  frame->SetLayeredWindowsSupport([] { return true; });
  Hover("maxbutton");
  Hover("closebutton");
  ASSERT_TRUE(frame->GlowLayer().IsShowing());
  data->SetSkinIndex(1);
  EXPECT_FALSE(frame->GlowLayer().IsShowing());
}

} // namespace
