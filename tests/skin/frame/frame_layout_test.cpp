// The frame's geometry, objects, client rectangle, region and minimum size, with the
// built-in skins and with none, and what a skin switch rebuilds.

#include "frame_fixture.h"

#include "skin/controls/paint_parent_background.h"
#include "skin/controls/panel.h"
#include "skin/data/skin_messages.h"
#include "skin/frame/caption_buttons.h"
#include "skin/frame/form_client.h"
#include "skin/frame/frame_geometry.h"
#include "skin/frame/skin_menu.h"

#include <QLabel>

namespace {

// The built-in skins draw a 200 x 120 frame picture: a 30-pixel caption, a 4-pixel border,
// three 30-pixel caption buttons at the right.
constexpr int kPicW = 200, kPicH = 120;

TEST_F(FrameTest, GeometryFollowsTheWindowSizeFromThePicturesOwnSize) {
  TspFormInfo info;
  {
    TspFormInfo& i = info;
    i.lefttoppoint = {10, 40};
    i.righttoppoint = {100, 40};
    i.leftbottompoint = {10, 110};
    i.rightbottompoint = {190, 110};
    i.clientrect = {4, 30, 196, 116};
    i.captionrect = {0, 0, 200, 30};
    i.buttonsrect = {110, 0, 200, 30};
    i.hittestrighttoppoint = {192, 8};
    i.maskrectarea = {4, 4, 196, 116};
  }
  // As large as the picture: nothing moves.
  const TspFrameGeometry same = ComputeFrameGeometry(info, kPicW, kPicH, kPicW, kPicH);
  EXPECT_EQ(same.RightBottom, info.rightbottompoint);
  EXPECT_EQ(same.ClientArea, info.clientrect);
  EXPECT_EQ(same.ButtonsArea, info.buttonsrect);
  // 300 wider and 80 higher.
  const TspFrameGeometry g = ComputeFrameGeometry(info, kPicW, kPicH, 500, 200);
  EXPECT_EQ(g.LeftTop, (TspPoint{10, 40}));
  EXPECT_EQ(g.RightTop, (TspPoint{400, 40}));
  EXPECT_EQ(g.LeftBottom, (TspPoint{10, 190}));
  EXPECT_EQ(g.RightBottom, (TspPoint{490, 190}));
  EXPECT_EQ(g.ClientArea, (TspRect{4, 30, 496, 196}));
  EXPECT_EQ(g.CaptionArea, (TspRect{0, 0, 500, 30}));
  EXPECT_EQ(g.ButtonsArea, (TspRect{410, 0, 500, 30}));
  EXPECT_EQ(g.HitRightTop, (TspPoint{492, 8}));
  EXPECT_EQ(g.MaskArea, (TspRect{4, 4, 496, 196}));
  // Buttons in the left half stay where they are.
  TspFormInfo left;
  left.buttonsrect = {0, 0, 60, 30};
  const TspFrameGeometry l = ComputeFrameGeometry(left, kPicW, kPicH, 500, 200);
  EXPECT_EQ(l.ButtonsArea, left.buttonsrect);
  EXPECT_TRUE(l.ButtonsLeftAnchored);
}

TEST_F(FrameTest, ClientRectanglesNeverInvert) {
  struct Case {
    int w, h;
    bool skinned;
    TspRect expected;
  } cases[] = {
      {400, 300, true, {4, 30, 396, 296}}, {200, 120, true, {4, 30, 196, 116}},
      {5, 10, true, {4, 30, 4, 30}},       {400, 300, false, {3, 22, 397, 297}},
      {4, 20, false, {3, 22, 3, 22}},
  };
  for (const Case& c : cases) {
    const TspRect r = c.skinned ? SkinnedClientRect({4, 30, 196, 116}, kPicW, kPicH, c.w, c.h)
                                : DefaultClientRect(c.w, c.h);
    EXPECT_EQ(r, c.expected) << c.w << "x" << c.h << (c.skinned ? " skinned" : " plain");
  }
  EXPECT_EQ(DefaultClientRect(400, 300, true), (TspRect{3, 18, 397, 297}));
}

TEST_F(FrameTest, BuiltinSkinPlacesButtonsFromTheRightAndStretchesTheCaption) {
  NewForm(400, 300);
  Show();
  EXPECT_TRUE(frame->IsSkinned());
  EXPECT_EQ(Object("closebutton")->ObjectRect, (TspRect{370, 0, 400, 30}));
  EXPECT_EQ(Object("maxbutton")->ObjectRect, (TspRect{340, 0, 370, 30}));
  EXPECT_EQ(Object("minbutton")->ObjectRect, (TspRect{310, 0, 340, 30}));
  // DisableSystemMenu hides the system-menu button; the caption keeps its own left edge.
  EXPECT_FALSE(Object("sysmenubutton")->Visible);
  EXPECT_EQ(Object("caption")->ObjectRect, (TspRect{0, 0, 310, 30}));
  // The client widget covers the client rectangle and holds the form's controls.
  EXPECT_EQ(frame->ClientWidget()->geometry(), QRect(4, 30, 392, 266));
  EXPECT_EQ(frame->WindowRegion(), QRegion(0, 0, 400, 300));
}

TEST_F(FrameTest, ButtonsWithoutAButtonsAreaFollowTheCaptionsRightEdgeWithTheirOffset) {
  TspSkinData skin;
  skin.ActivePictures.push_back(QImage(100, 20, QImage::Format_RGB32));
  TspFormInfo info;
  info.lefttoppoint = {10, 20};
  info.righttoppoint = {90, 20};
  info.leftbottompoint = {10, 50};
  info.rightbottompoint = {90, 50};
  info.captionrect = {5, 2, 95, 20};
  info.buttonsoffset = 2;
  const auto button = [&](const char* name, TspStdCommand command) {
    auto* d = new TspDataSkinStdButton;
    d->IDName = QString::fromLatin1(name);
    d->activepictureindex = 0;
    d->skinrectinapicture = true;
    d->skinrect = {0, 0, 16, 14};
    d->command = command;
    skin.ObjectList.emplace_back(d);
  };
  auto* caption = new TspDataSkinCaption;
  caption->IDName = QStringLiteral("caption");
  caption->skinrect = {5, 2, 95, 20};
  skin.ObjectList.emplace_back(caption);
  button("minbutton", TspStdCommand::cmMinimize);
  button("closebutton", TspStdCommand::cmClose);
  TspObjectList objects = BuildObjectList(skin);
  const TspFrameGeometry g = ComputeFrameGeometry(info, 100, 60, 300, 60);
  LayoutObjects(objects, info, g, 100, 60, QSize());
  // Close first at the caption's right edge (95 + 200), then minimise 2 pixels to its left.
  EXPECT_EQ(objects[2]->ObjectRect, (TspRect{279, 2, 295, 16}));
  EXPECT_EQ(objects[1]->ObjectRect, (TspRect{261, 2, 277, 16}));
  // The caption ends where the leftmost button begins.
  EXPECT_EQ(objects[0]->ObjectRect.Right, 261);
  EXPECT_TRUE(static_cast<TspSkinCaptionObject*>(objects[0].get())->ShowsFormCaption);
}

TEST_F(FrameTest, RepositioningMovesOrStretchesByTheCornerRegions) {
  TspFormInfo info;
  info.lefttoppoint = {10, 40};
  info.righttoppoint = {100, 40};
  info.leftbottompoint = {10, 110};
  info.rightbottompoint = {190, 110};
  struct Case {
    TspRect in, out;
  } cases[] = {
      {{0, 0, 10, 30}, {0, 0, 10, 30}},             // inside top-left: kept
      {{120, 0, 150, 30}, {170, 0, 200, 30}},       // inside top-right: moved right
      {{0, 112, 8, 118}, {0, 132, 8, 138}},         // inside bottom-left: moved down
      {{192, 112, 198, 118}, {242, 132, 248, 138}}, // bottom-right: both
      {{0, 0, 110, 30}, {0, 0, 160, 30}},           // top-left to top-right: stretched across
      {{0, 0, 195, 115}, {0, 0, 245, 135}},         // top-left to bottom-right: both ways
      {{0, 20, 5, 115}, {0, 20, 5, 135}},           // top-left to bottom-left: stretched down
      {{50, 50, 60, 60}, {50, 50, 60, 60}},         // in the middle: kept
  };
  for (const Case& c : cases)
    EXPECT_EQ(RepositionRect(c.in, info, 200, 120, 50, 20), c.out)
        << c.in.Left << "," << c.in.Top << "," << c.in.Right << "," << c.in.Bottom;
}

TEST_F(FrameTest, WithoutASkinTheFrameIsThePlainOne) {
  NewForm(400, 300, false);
  Show();
  EXPECT_FALSE(frame->IsSkinned());
  EXPECT_EQ(frame->ClientWidget()->geometry(), QRect(3, 22, 394, 275));
  // 17-pixel buttons at y 4 from 3 pixels inside the right edge: close, maximise, minimise.
  EXPECT_EQ(Object("closebutton")->ObjectRect, (TspRect{380, 4, 397, 21}));
  EXPECT_EQ(Object("maxbutton")->ObjectRect, (TspRect{363, 4, 380, 21}));
  EXPECT_EQ(Object("minbutton")->ObjectRect, (TspRect{346, 4, 363, 21}));
  const QImage shot = form->grab().toImage();
  // No skin data: the platform's colours.
  const QRgb face = QGuiApplication::palette().color(QPalette::Button).rgb();
  const QRgb dark = QGuiApplication::palette().color(QPalette::Shadow).rgb();
  ASSERT_NE(face, dark);
  EXPECT_EQ(shot.pixel(0, 150), dark);
  EXPECT_EQ(shot.pixel(1, 150), face);
  EXPECT_EQ(shot.pixel(2, 150), face);
  EXPECT_EQ(shot.pixel(200, 150), face); // the client background
  EXPECT_EQ(shot.pixel(399, 299), dark);
  EXPECT_EQ(frame->MinTrackingSize(), QSize(130, 25));
}

TEST_F(FrameTest, ApplyingASkinEnlargesAFormBelowItsMinimum) {
  NewForm(120, 20, false);
  frame->SetSkinData(nullptr);
  list = CreateBuiltinSkinList(form.get());
  data = new TspSkinData(form.get());
  data->SetSkinList(list);
  frame->SetSkinData(data);
  // formminwidth 200; the height of the frame without its client area, 120 - 86.
  EXPECT_EQ(frame->MinTrackingSize(), QSize(200, 34));
  EXPECT_EQ(form->size(), QSize(200, 34));
  EXPECT_EQ(form->minimumSize(), QSize(200, 34));
}

TEST_F(FrameTest, ControlsLiveOnTheClientWidgetAndSeeItsBackground) {
  form = std::make_unique<QWidget>();
  form->resize(300, 200);
  auto* early = new QLabel(QStringLiteral("made before"), form.get());
  list = CreateBuiltinSkinList(form.get());
  data = new TspSkinData(form.get());
  data->SetSkinList(list);
  frame = new TspVestimar(form.get());
  frame->SetSkinData(data);
  auto* late = new QLabel(QStringLiteral("made after"), form.get());
  Show();
  EXPECT_EQ(early->parentWidget(), frame->ClientWidget());
  EXPECT_EQ(late->parentWidget(), frame->ClientWidget());
  // A see-through panel on the client shows the skin's client background.
  auto* panel = new TspSkinPanel(frame->ClientWidget());
  panel->setGeometry(10, 10, 50, 50);
  QImage behind;
  PaintParentBackground(panel, behind);
  auto* client = static_cast<TspFormClient*>(frame->ClientWidget());
  EXPECT_EQ(behind.pixel(5, 5), client->Background().pixel(15, 15));
  EXPECT_EQ(QColor(behind.pixel(5, 5)),
            QColor(data->Picture.pixel(data->FormInfo.clientrect.Left + 5,
                                       data->FormInfo.clientrect.Top + 5)));
  EXPECT_EQ(TspSkinMenu::ForWindow(late), frame->SkinMenu());
}

TEST_F(FrameTest, AControllerNeedsAForm) {
  QWidget parent;
  auto* child = new QWidget(&parent);
  EXPECT_THROW(TspVestimar{child}, std::invalid_argument);
  EXPECT_THROW(TspVestimar{nullptr}, std::invalid_argument);
}

// Looks at the controller when a skin message reaches the form, before the controller does
// (a filter installed later runs first).
class MessageProbe : public QObject {
public:
  explicit MessageProbe(TspVestimar* f) : frame(f) { f->Form()->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* e) override {
    if (TspSkinMessageEvent::MessageOf(e) == SkinMsgChange) {
      skinnedAtChange = frame->IsSkinned();
      paintedAtChange = !frame->Painter().IsEmpty();
      frame->Form()->repaint();
    }
    if (e->type() == QEvent::Resize) ++resizes;
    return false;
  }
  TspVestimar* frame;
  bool skinnedAtChange = true, paintedAtChange = true;
  int resizes = 0;
};

TEST_F(FrameTest, ASkinSwitchRebuildsFrameAndClientOnce) {
  NewForm(400, 300);
  Show();
  int changes = 0;
  frame->OnChangeSkinData = [&](QObject*) { ++changes; };
  const QColor blueCaption = PixelAt({200, 15});
  MessageProbe probe(frame);
  data->SetSkinIndex(1);
  EXPECT_FALSE(probe.skinnedAtChange);
  EXPECT_FALSE(probe.paintedAtChange);
  EXPECT_EQ(changes, 1);
  // The frame is recomputed for the size the window has: no resize back and forth that a
  // window manager refusing a step would leave changed.
  EXPECT_EQ(probe.resizes, 0);
  EXPECT_EQ(form->size(), QSize(400, 300));
  EXPECT_TRUE(frame->IsSkinned());
  EXPECT_NE(PixelAt({200, 15}), blueCaption);
  EXPECT_EQ(PixelAt({200, 150}), QColor(data->Picture.pixel(100, 60)));
  EXPECT_EQ(Object("closebutton")->ObjectRect, (TspRect{370, 0, 400, 30}));
}

// A display change that leaves the form larger than its screen's work area brings the form
// within it and lays the frame out for the new size; a form that still fits is left alone.
TEST_F(FrameTest, ADisplayChangeBringsAnOversizedFormWithinTheScreen) {
  NewForm(400, 300);
  Show();
  QScreen* screen = form->screen();
  const QSize work = screen->availableSize();
  emit screen->availableGeometryChanged(screen->availableGeometry());
  EXPECT_EQ(form->size(), QSize(400, 300));

  form->resize(work.width() + 150, work.height() + 100);
  ASSERT_GT(form->width(), work.width());
  emit screen->availableGeometryChanged(screen->availableGeometry());
  EXPECT_LE(form->width(), work.width());
  EXPECT_LE(form->height(), work.height());
  // The buttons follow the right edge of the new size.
  EXPECT_LT(CentreOf("closebutton").x(), form->width());
  EXPECT_GT(CentreOf("closebutton").x(), form->width() - 60);
  EXPECT_LE(frame->ClientWidget()->geometry().right(), form->width());
}

} // namespace
