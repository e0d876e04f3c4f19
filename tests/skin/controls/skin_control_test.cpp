#include "grab_checks.h"
#include "pattern_skin.h"
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/button.h"
#include "skin/controls/control_image.h"
#include "skin/controls/control_messages.h"
#include "skin/controls/paint_parent_background.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/skin_fonts.h"
#include "skin/controls/skin_tree.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_fixtures.h"
#include "skin/data/skin_list.h"
#include "skin/data/skin_messages.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPalette>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// Picture 0: every pixel differs, so a shifted or wrong part shows. Picture 1: a mask that
// is black but for its four corner pixels. Picture 2: the same mask, all white.
QImage CornerMask(int w, int h) {
  QImage m = SolidImage(w, h, qRgb(0, 0, 0));
  for (const QPoint p : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
    m.setPixel(p, qRgb(255, 255, 255));
  return m;
}

const QByteArray kRecords =
    "[SKINCONTROLS]\r\ncount=10\r\n0=fixed:panel\r\n1=nine:panel\r\n2=horz:panel\r\n"
    "3=vert:panel\r\n4=maskfixed:panel\r\n5=masknine:panel\r\n6=stretched:panel\r\n"
    "7=plainkind:stdlabel\r\n8=font:button\r\n9=sides:panel\r\n"
    "[fixed]\r\npictureindex=0\r\nskinrect=0,0,20,10\r\n"
    "[nine]\r\npictureindex=0\r\nskinrect=0,0,30,30\r\nlefttoppoint=5,5\r\n"
    "righttoppoint=25,5\r\nleftbottompoint=5,25\r\nrightbottompoint=25,25\r\n"
    "clientrect=5,5,25,25\r\nstretcheffect=1\r\n"
    "[horz]\r\npictureindex=0\r\nskinrect=0,30,20,50\r\nlefttoppoint=4,0\r\n"
    "righttoppoint=15,0\r\nclientrect=4,2,15,18\r\n"
    "[vert]\r\npictureindex=0\r\nskinrect=30,0,40,40\r\nlefttoppoint=0,5\r\n"
    "leftbottompoint=0,30\r\nclientrect=1,5,9,30\r\n"
    "[maskfixed]\r\npictureindex=0\r\nmaskpictureindex=1\r\nskinrect=0,0,10,10\r\n"
    "[masknine]\r\npictureindex=0\r\nmaskpictureindex=1\r\nskinrect=0,0,10,10\r\n"
    "lefttoppoint=3,3\r\nrighttoppoint=7,3\r\nleftbottompoint=3,7\r\nrightbottompoint=7,7\r\n"
    "clientrect=3,3,7,7\r\n"
    "[stretched]\r\npictureindex=0\r\nskinrect=0,0,30,30\r\nlefttoppoint=5,5\r\n"
    "righttoppoint=25,5\r\nleftbottompoint=5,25\r\nrightbottompoint=25,25\r\n"
    "clientrect=5,5,25,25\r\nstretcheffect=1\r\nstretchtype=stvert\r\nleftstretch=1\r\n"
    "topstretch=1\r\nrightstretch=1\r\nbottomstretch=1\r\n"
    "[sides]\r\npictureindex=0\r\nskinrect=0,0,30,30\r\nlefttoppoint=5,5\r\n"
    "righttoppoint=25,5\r\nleftbottompoint=5,25\r\nrightbottompoint=25,25\r\n"
    "clientrect=5,5,25,25\r\nleftstretch=1\r\ntopstretch=1\r\nrightstretch=1\r\n"
    "bottomstretch=1\r\n"
    "[plainkind]\r\npictureindex=0\r\nskinrect=0,0,12,12\r\n"
    "[font]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nfontname=Courier\r\nfontheight=17\r\n"
    "fontstyle=fsbold\r\n";

QByteArray HandDescription(const QByteArray& extra = {}) {
  return "[VERSION]\r\nskinname=hand\r\n"
         "[PICTURES]\r\npicture=main.bmp\r\nmask=\r\nactivepicturescount=3\r\n"
         "0=a.bmp\r\n1=m.bmp\r\n2=w.bmp\r\n"
         "[FORMINFO]\r\nclientrect=4,20,60,50\r\n" +
         kRecords + extra;
}

std::unique_ptr<TspSkinData> HandSkin(int seed = 7, QObject* owner = nullptr) {
  TspSkinPayload p;
  p.Version = 2;
  p.Picture = PatternImage(8, 8, 1);
  p.ActivePictures = {PatternImage(64, 64, seed), CornerMask(10, 10),
                      SolidImage(10, 10, qRgb(255, 255, 255))};
  p.DescriptionText = HandDescription();
  return LoadPayload(p, owner);
}

// The record's skin rectangle composed as the control should draw it.
QImage Composed(const TspSkinData& data, const QString& name, QSize size) {
  const int i = data.FindControlData(name);
  if (i < 0) return QImage();
  const TspDataSkinControl& rec = *data.ControlList[size_t(i)];
  TspControlGeometry g = ControlGeometry(rec);
  size = FitSizeToSkin(g, size);
  QImage out;
  ComposeControlImage(out, *RecordPicture(rec, data.ActivePictures), g, rec.skinrect, size);
  return out;
}

// A form with a solid, known background.
std::unique_ptr<QWidget> Form(QRgb colour = qRgb(200, 10, 30)) {
  auto form = std::make_unique<QWidget>();
  QPalette pal = form->palette();
  pal.setColor(QPalette::Window, QColor(colour));
  form->setPalette(pal);
  form->resize(300, 200);
  return form;
}

// Writes down what the base calls.
class Recorder : public TspSkinCustomControl {
public:
  using TspSkinCustomControl::TspSkinCustomControl;
  std::vector<std::string>* Log = nullptr;
  int DefaultDraws = 0, SkinDraws = 0, BackgroundChanges = 0;
  // Draws the hot state of a button record instead of its skin rectangle.
  bool Hot = false;
  void DrawDefaultImage(QImage& image) override {
    ++DefaultDraws;
    TspSkinCustomControl::DrawDefaultImage(image);
  }
  void DrawSkinImage(QImage& image) override {
    ++SkinDraws;
    if (const auto* button = RecordAs<TspDataSkinButtonControl>(); Hot && button)
      image = StateImage(button->activeskinrect);
    else
      TspSkinCustomControl::DrawSkinImage(image);
  }
  void DropSkinRecord() override {
    TspSkinCustomControl::DropSkinRecord();
    if (Log) Log->push_back("drop " + objectName().toStdString());
  }
  void ApplySkin() override {
    TspSkinCustomControl::ApplySkin();
    if (Log) Log->push_back("apply " + objectName().toStdString());
  }
  void ParentBackgroundChanged() override {
    ++BackgroundChanges;
    TspSkinCustomControl::ParentBackgroundChanged();
  }
};

class SkinControlTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }
};

TEST_F(SkinControlTest, ZeroWidthOrHeightPaintsNothing) {
  const auto data = HandSkin();
  for (const QSize s : {QSize(0, 30), QSize(40, 0), QSize(0, 0)}) {
    for (const char* name : {"nine", "missing"}) {
      Recorder c;
      c.SetSkinDataName(name);
      c.SetSkinData(data.get());
      c.resize(s);
      EXPECT_TRUE(c.PaintImage().isNull());
      EXPECT_EQ(c.DefaultDraws + c.SkinDraws, 0) << name;
    }
  }
}

TEST_F(SkinControlTest, FitsSizeToEachGeometryMode) {
  const auto data = HandSkin();
  struct Case {
    const char* Name;
    TspGeometryMode Mode;
    QSize Fitted;  // of 70 x 33 through SetBounds
    QSize Resized; // of 81 x 40 through resize()
  } cases[] = {
      {"fixed", TspGeometryMode::Fixed, {20, 10}, {20, 10}},
      {"nine", TspGeometryMode::NinePart, {70, 33}, {81, 40}},
      {"horz", TspGeometryMode::Horizontal, {70, 20}, {81, 20}},
      {"vert", TspGeometryMode::Vertical, {10, 33}, {10, 40}},
      {"plainkind", TspGeometryMode::Fixed, {12, 12}, {12, 12}},
      {"missing", TspGeometryMode::None, {70, 33}, {81, 40}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto form = Form();
    TspSkinCustomControl ctl(form.get());
    ctl.SetSkinDataName(c.Name);
    ctl.SetSkinData(data.get());
    EXPECT_EQ(ctl.GeometryMode(), c.Mode);
    ctl.SetBounds(3, 4, 70, 33);
    EXPECT_EQ(ctl.geometry(), QRect(QPoint(3, 4), c.Fitted));
    // A plain resize, as a layout makes, ends fitted too.
    form->show();
    ctl.resize(81, 40);
    EXPECT_EQ(ctl.size(), c.Resized);
  }
}

TEST_F(SkinControlTest, FittedGeometryFollowsTheSize) {
  const auto data = HandSkin();
  TspSkinCustomControl nine, horz, vert;
  for (auto [c, n] : {std::pair{&nine, "nine"}, {&horz, "horz"}, {&vert, "vert"}}) {
    c->SetSkinDataName(n);
    c->SetSkinData(data.get());
    c->SetBounds(0, 0, 50, 60);
  }
  // dW = 20, dH = 30 against the 30 x 30 skin rectangle.
  EXPECT_EQ(nine.FittedLeftTopPoint(), (TspPoint{5, 5}));
  EXPECT_EQ(nine.FittedRightTopPoint(), (TspPoint{45, 5}));
  EXPECT_EQ(nine.FittedLeftBottomPoint(), (TspPoint{5, 55}));
  EXPECT_EQ(nine.FittedRightBottomPoint(), (TspPoint{45, 55}));
  EXPECT_EQ(nine.FittedClientRect(), (TspRect{5, 5, 45, 55}));
  // Horizontal: dW = 30; the height stays the skin's.
  EXPECT_EQ(horz.FittedRightTopPoint(), (TspPoint{45, 0}));
  EXPECT_EQ(horz.FittedClientRect(), (TspRect{4, 2, 45, 18}));
  // Vertical: dH = 20.
  EXPECT_EQ(vert.FittedLeftBottomPoint(), (TspPoint{0, 50}));
  EXPECT_EQ(vert.FittedClientRect(), (TspRect{1, 5, 9, 50}));
}

TEST_F(SkinControlTest, PaintsTheComposedRecordOfBuiltinSkins) {
  TspSkinData data;
  data.SetSkinList(CreateBuiltinSkinList(&data));
  data.SetSkinIndex(0);
  ASSERT_FALSE(data.IsEmpty());
  struct Case {
    const char* Name;
    QSize Asked;
  } cases[] = {{"panel", {123, 77}}, {"edit", {150, 40}}, {"button", {90, 23}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ASSERT_GE(data.FindControlData(c.Name), 0);
    TspSkinCustomControl ctl;
    ctl.SetSkinDataName(c.Name);
    ctl.SetSkinData(&data);
    ctl.SetBounds(0, 0, c.Asked.width(), c.Asked.height());
    const QImage expected = Composed(data, c.Name, c.Asked);
    ASSERT_EQ(ctl.size(), expected.size());
    EXPECT_TRUE(SamePixels(Grab(ctl), expected));
  }
}

TEST_F(SkinControlTest, WithoutRecordPaintsThePlainLookOrNothing) {
  const auto data = HandSkin();
  auto form = Form();
  TspSkinCustomControl ctl(form.get());
  QPalette pal = ctl.palette();
  pal.setColor(QPalette::Button, QColor(1, 2, 3));
  pal.setColor(QPalette::Window, QColor(4, 5, 6));
  ctl.setPalette(pal);
  ctl.SetDefaultWidth(41);
  ctl.SetDefaultHeight(17);
  ctl.SetSkinDataName("absent");
  ctl.SetSkinData(data.get());
  EXPECT_EQ(ctl.size(), QSize(41, 17)); // DefaultWidth and DefaultHeight apply
  EXPECT_EQ(Grab(ctl).pixel(20, 8), qRgb(1, 2, 3));
  ctl.SetDrawDefault(false);
  EXPECT_EQ(Grab(ctl).pixel(20, 8), qRgb(4, 5, 6));
}

TEST_F(SkinControlTest, AlphaBlendOverTheParentBackground) {
  const auto data = HandSkin();
  auto form = Form(qRgb(200, 10, 30));
  TspSkinCustomControl ctl(form.get());
  ctl.SetSkinDataName("nine");
  ctl.SetSkinData(data.get());
  ctl.SetBounds(10, 10, 40, 40);
  const QImage opaque = Grab(ctl);
  ctl.SetAlphaBlend(true);
  ctl.SetAlphaBlendValue(255);
  EXPECT_TRUE(SamePixels(Grab(ctl), opaque));
  ctl.SetAlphaBlendValue(0);
  EXPECT_TRUE(SamePixels(Grab(ctl), SolidImage(40, 40, qRgb(200, 10, 30))));
  ctl.SetAlphaBlendValue(100); // k = 155 / 255
  const QImage blended = Grab(ctl);
  for (const QPoint p : {QPoint(0, 0), QPoint(17, 3), QPoint(39, 39)}) {
    const QRgb c = opaque.pixel(p);
    const auto mix = [](int a, int b) { return int(std::lround((100.0 * a + 155.0 * b) / 255)); };
    EXPECT_EQ(blended.pixel(p), qRgb(mix(qRed(c), 200), mix(qGreen(c), 10), mix(qBlue(c), 30)));
  }
  // The same inside a grab of the whole form, where the form is being rendered already.
  const QImage formImage = Grab(*form);
  EXPECT_TRUE(SamePixels(formImage.copy(10, 10, 40, 40), blended));
  ctl.SetAlphaBlendValue(300); // clamped to opaque
  EXPECT_EQ(ctl.AlphaBlendValue(), 255);
}

TEST_F(SkinControlTest, ParentBackgroundHasLowerGraphicSiblingsOnly) {
  auto form = Form(qRgb(200, 10, 30));
  const auto solid = [&](auto* w, QRgb button) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Button, QColor(button));
    w->setPalette(pal);
  };
  TspGraphicSkinCustomControl below(form.get()); // graphic, lower: shows
  solid(&below, qRgb(0, 255, 0));
  below.setGeometry(0, 0, 40, 40);
  TspSkinCustomControl windowedBelow(form.get()); // windowed: does not
  solid(&windowedBelow, qRgb(0, 0, 255));
  windowedBelow.setGeometry(60, 0, 40, 40);
  TspSkinCustomControl ctl(form.get());
  ctl.setGeometry(20, 20, 60, 30);
  TspGraphicSkinCustomControl above(form.get()); // above the control: does not
  solid(&above, qRgb(255, 255, 0));
  above.setGeometry(30, 30, 10, 10);
  form->show();

  QImage bg;
  PaintParentBackground(&ctl, bg);
  ASSERT_EQ(bg.size(), QSize(60, 30));
  EXPECT_EQ(bg.pixel(0, 0), qRgb(0, 255, 0));   // (20, 20) on the form: the lower sibling
  EXPECT_EQ(bg.pixel(19, 19), qRgb(0, 255, 0)); // its last pixel
  EXPECT_EQ(bg.pixel(20, 0), qRgb(200, 10, 30));
  EXPECT_EQ(bg.pixel(45, 5), qRgb(200, 10, 30)); // the windowed sibling is its own window
  EXPECT_EQ(bg.pixel(12, 12), qRgb(0, 255, 0));  // the sibling above is left out

  below.hide();
  PaintParentBackground(&ctl, bg);
  EXPECT_EQ(bg.pixel(0, 0), qRgb(200, 10, 30));
}

TEST_F(SkinControlTest, ParentBackgroundThroughContainers) {
  auto form = Form(qRgb(200, 10, 30));
  // A see-through container shows the form and paints its own drawing over it.
  class Frame : public QWidget {
  public:
    using QWidget::QWidget;
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(0, 0, 5, 5, QColor(9, 9, 9)); }
  } frame(form.get());
  frame.setGeometry(10, 10, 100, 100);
  // A skinned container answers for its own background.
  class Source : public QWidget, public TspBackgroundSource {
  public:
    using QWidget::QWidget;
    void PaintChildBackground(QPainter& p, const QRect& area) override {
      Areas.push_back(area);
      p.fillRect(area, QColor(7, 77, 177));
    }
    std::vector<QRect> Areas;
  } source(form.get());
  source.setGeometry(150, 10, 100, 100);
  TspSkinControl inFrame(&frame), inSource(&source);
  inFrame.setGeometry(0, 0, 20, 20);
  inSource.setGeometry(90, 95, 20, 20); // sticks out of its parent
  form->show();

  QImage bg;
  PaintParentBackground(&inFrame, bg);
  EXPECT_EQ(bg.pixel(2, 2), qRgb(9, 9, 9));
  EXPECT_EQ(bg.pixel(10, 10), qRgb(200, 10, 30));
  // Inside a grab of the whole form, which is rendering the container already.
  inFrame.SetAlphaBlend(true);
  inFrame.SetAlphaBlendValue(0);
  const QImage whole = Grab(*form);
  EXPECT_EQ(whole.pixel(12, 12), qRgb(9, 9, 9));
  EXPECT_EQ(whole.pixel(20, 20), qRgb(200, 10, 30));
  PaintParentBackground(&inSource, bg);
  ASSERT_EQ(source.Areas.size(), 1u);
  EXPECT_EQ(source.Areas[0], QRect(90, 95, 10, 5)); // clipped to the parent
  EXPECT_EQ(bg.pixel(5, 2), qRgb(7, 77, 177));
}

TEST_F(SkinControlTest, DestroyedComponentsAreDropped) {
  auto data = HandSkin();
  TspSkinCustomControl ctl;
  QPalette pal = ctl.palette();
  pal.setColor(QPalette::Button, QColor(1, 2, 3));
  ctl.setPalette(pal);
  ctl.SetSkinDataName("nine");
  ctl.SetSkinData(data.get());
  ctl.SetBounds(0, 0, 40, 40);
  auto hints = std::make_unique<TspImageList>();
  ctl.SetHintImageList(hints.get());
  ASSERT_NE(ctl.RecordIndex(), -1);
  ASSERT_NE(Grab(ctl).pixel(20, 20), qRgb(1, 2, 3));
  hints.reset();
  EXPECT_EQ(ctl.HintImageList(), nullptr);
  data.reset();
  EXPECT_EQ(ctl.SkinData(), nullptr);
  EXPECT_EQ(ctl.RecordIndex(), -1);
  EXPECT_EQ(ctl.GeometryMode(), TspGeometryMode::None);
  EXPECT_TRUE(ctl.StateImage({0, 0, 30, 30}).isNull());
  EXPECT_TRUE(SamePixels(Grab(ctl), SolidImage(40, 40, qRgb(1, 2, 3))));
}

// Sees a form's events after the filters installed later (Qt runs the newest first).
struct Watch : QObject {
  std::function<void(QEvent*)> F;
  bool eventFilter(QObject*, QEvent* e) override {
    if (F) F(e);
    return false;
  }
};

TEST_F(SkinControlTest, SkinSwitchDropsBeforeAndAppliesAfter) {
  auto form = Form();
  Watch watch;
  form->installEventFilter(&watch);
  new TspSkinnedFormHook(form.get());
  TspSkinData data, other;
  data.SetSkinList(CreateBuiltinSkinList(&data));
  data.SetSkinIndex(0);
  std::vector<std::string> log;
  Recorder panel(form.get()), button(&panel), foreign(form.get());
  panel.setObjectName("panel");
  button.setObjectName("button");
  button.Hot = true; // the normal states of the built-in skins share their neutral colours
  foreign.setObjectName("foreign");
  for (Recorder* r : {&panel, &button, &foreign}) {
    r->Log = &log;
    r->SetSkinDataName(r->objectName());
  }
  panel.SetSkinData(&data);
  button.SetSkinData(&data);
  foreign.SetSkinData(&other); // bound to another skin data: left alone
  panel.SetBounds(0, 0, 120, 80);
  button.SetBounds(5, 5, 100, 23);
  const QImage blueButton = Grab(button);
  log.clear();

  int recordsDuringChange = -2;
  watch.F = [&](QEvent* e) {
    if (TspSkinMessageEvent::MessageOf(e) == SkinMsgBeforeChange)
      recordsDuringChange = std::max(panel.RecordIndex(), button.RecordIndex());
  };
  data.SetSkinIndex(1);
  EXPECT_EQ(recordsDuringChange, -1);
  EXPECT_EQ(log,
            (std::vector<std::string>{"drop panel", "drop button", "apply panel", "apply button"}));
  // Repainted from the new skin.
  const QImage greenButton = Grab(button);
  EXPECT_FALSE(SamePixels(greenButton, blueButton));
  const auto* record = button.RecordAs<TspDataSkinButtonControl>();
  ASSERT_NE(record, nullptr);
  TspControlGeometry g = ControlGeometry(*record);
  QImage expected;
  ComposeControlImage(expected, data.ActivePictures[size_t(record->pictureindex)], g,
                      record->activeskinrect, FitSizeToSkin(g, QSize(100, 23)));
  EXPECT_TRUE(SamePixels(greenButton, expected));
}

TEST_F(SkinControlTest, WalkFindsSkinnableControlsOfAnyClass) {
  TspSkinData a, b;
  std::vector<std::string> log;
  // A control of a Qt class that repeats the binding itself.
  struct Foreign : QWidget, TspSkinnable {
    Foreign(QWidget* parent, std::string name, TspSkinData* data, std::vector<std::string>& log)
        : QWidget(parent), Name(std::move(name)), Data(data), Log(log) {}
    std::string Name;
    TspSkinData* Data;
    std::vector<std::string>& Log;
    TspSkinData* BoundSkinData() const override { return Data; }
    void DropSkinRecord() override { Log.push_back("drop " + Name); }
    void ApplySkin() override { Log.push_back("apply " + Name); }
  };
  QWidget root;
  Foreign first(&root, "1", &a, log);
  QWidget plain(&root);
  Foreign nested(&plain, "1.1", &a, log), other(&plain, "1.2", &b, log);
  Foreign last(&root, "2", &a, log);
  QWidget dialog(&root, Qt::Dialog); // a form of its own: it hears the change itself
  Foreign inDialog(&dialog, "d", &a, log);

  DropSkinRecords(&root, &a);
  ApplySkins(&root, &a);
  EXPECT_EQ(log, (std::vector<std::string>{"drop 1", "drop 1.1", "drop 2", "apply 1", "apply 1.1",
                                           "apply 2"}));
  log.clear();
  DropSkinRecords(&root, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"drop 1", "drop 1.1", "drop 1.2", "drop 2"}));
}

TEST_F(SkinControlTest, MaskRegionFromTheMaskPicture) {
  const auto data = HandSkin();
  auto form = Form();
  const auto corners = [](int w, int h) {
    QRegion r(0, 0, w, h);
    for (const QPoint p : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
      r -= QRegion(p.x(), p.y(), 1, 1);
    return r;
  };
  TspSkinCustomControl fixed(form.get()), nine(form.get()), orphan;
  fixed.SetSkinDataName("maskfixed");
  nine.SetSkinDataName("masknine");
  orphan.SetSkinDataName("masknine");
  for (auto* c : {&fixed, &nine, &orphan}) c->SetSkinData(data.get());
  nine.SetBounds(0, 0, 30, 20);
  // Regions compare as pixel sets: Qt's equality compares the bands they are kept in.
  const auto same = [](const QRegion& a, const QRegion& b) { return (a ^ b).isEmpty(); };
  ASSERT_TRUE(fixed.WindowRegion().has_value());
  EXPECT_TRUE(same(*fixed.WindowRegion(), corners(10, 10)));
  EXPECT_TRUE(same(fixed.mask(), corners(10, 10)));
  ASSERT_TRUE(nine.WindowRegion().has_value());
  EXPECT_TRUE(same(*nine.WindowRegion(), corners(30, 20)));
  EXPECT_TRUE(same(nine.mask(), corners(30, 20)));
  form->show();
  nine.resize(50, 41); // follows the size
  EXPECT_TRUE(same(nine.mask(), corners(50, 41)));
  orphan.SetBounds(0, 0, 30, 20); // no parent: no region
  EXPECT_FALSE(orphan.WindowRegion().has_value());
  // A record without a mask removes the region.
  nine.SetSkinDataName("nine");
  nine.ApplySkin();
  EXPECT_FALSE(nine.WindowRegion().has_value());
  EXPECT_TRUE(nine.mask().isEmpty());
}

// With stretched sides the frame strips and the client area painted apart give the image
// the whole composition gives; tiled sides start their tiles at the strip's own edge.
TEST_F(SkinControlTest, SeparateClientPaintMatchesTheWholeImage) {
  const auto data = HandSkin();
  TspSkinData builtin;
  builtin.SetSkinList(CreateBuiltinSkinList(&builtin));
  builtin.SetSkinIndex(2);
  const std::pair<TspSkinData*, const char*> cases[] = {
      {data.get(), "sides"}, {data.get(), "stretched"}, {&builtin, "panel"}};
  for (const auto& [skin, name] : cases) {
    SCOPED_TRACE(name);
    auto form = Form();
    TspSkinCustomControl ctl(form.get());
    ctl.SetSkinDataName(name);
    ctl.SetSkinData(skin);
    ctl.SetBounds(0, 0, 97, 61);
    const QImage whole = Grab(ctl);
    ASSERT_TRUE(SamePixels(whole, Composed(*skin, name, QSize(97, 61))));
    ctl.SetSeparateClientPaint(true);
    EXPECT_TRUE(SamePixels(Grab(ctl), whole));
    // Alpha-blended, the whole image is composed again (no strips on their own).
    ctl.SetAlphaBlend(true);
    ctl.SetAlphaBlendValue(255);
    EXPECT_TRUE(SamePixels(Grab(ctl), whole));
  }
}

TEST_F(SkinControlTest, FontRule) {
  const auto data = HandSkin();
  TspSkinCustomControl ctl;
  EXPECT_EQ(ctl.DefaultFont().family(), "Tahoma");
  EXPECT_EQ(ctl.DefaultFont().pixelSize(), 13);
  const auto fromRecord = [&] {
    const auto* rec = ctl.RecordAs<TspDataSkinButtonControl>();
    return rec ? ctl.SkinFont(rec->fontname, rec->fontheight, rec->fontstyle)
               : ctl.SkinFont({}, 0, {});
  };
  ctl.SetSkinDataName("font");
  ctl.SetSkinData(data.get());
  ASSERT_NE(ctl.RecordAs<TspDataSkinButtonControl>(), nullptr);
  EXPECT_EQ(ctl.RecordAs<TspDataSkinPanelControl>(), nullptr); // the kind is checked
  QFont f = fromRecord();
  EXPECT_EQ(f.family(), "Courier");
  EXPECT_EQ(f.pixelSize(), 17);
  EXPECT_TRUE(f.bold());
  ctl.SetUseSkinFont(false);
  EXPECT_EQ(fromRecord(), ctl.DefaultFont());
  ctl.SetUseSkinFont(true);
  ctl.SetSkinData(nullptr);
  EXPECT_EQ(fromRecord(), ctl.DefaultFont());
  EXPECT_TRUE(RegisterSkinFonts()); // the Tahoma the skins name is there
}

TEST_F(SkinControlTest, ParentBackgroundChangedReachesBlendedChildren) {
  const auto data = HandSkin();
  auto form = Form();
  Recorder panel(form.get()), child(&panel), grandchild(&child);
  panel.SetSkinDataName("stretched"); // stretcheffect: a new size changes the children's view
  panel.SetSkinData(data.get());
  panel.SetBounds(0, 0, 100, 100);
  EXPECT_EQ(child.BackgroundChanges, 1);
  EXPECT_EQ(grandchild.BackgroundChanges, 0); // the child is opaque: it keeps the message
  child.SetAlphaBlend(true);
  panel.SetBounds(0, 0, 120, 100);
  EXPECT_EQ(child.BackgroundChanges, 2);
  EXPECT_EQ(grandchild.BackgroundChanges, 1); // forwarded by the blended child
  // Shown, a plain resize and a layout's resize tell them too; a move does not.
  form->show();
  const int shown = child.BackgroundChanges;
  panel.resize(130, 100);
  EXPECT_EQ(child.BackgroundChanges, shown + 1);
  QWidget host;
  auto* layout = new QVBoxLayout(&host);
  layout->setContentsMargins(0, 0, 0, 0);
  Recorder laidOut, laidOutChild(&laidOut);
  laidOut.SetSkinDataName("stretched");
  laidOut.SetSkinData(data.get());
  laidOutChild.SetAlphaBlend(true);
  layout->addWidget(&laidOut);
  host.resize(150, 90);
  host.show();
  const int laidOutBefore = laidOutChild.BackgroundChanges;
  host.resize(170, 110);
  QCoreApplication::processEvents();
  EXPECT_GT(laidOutChild.BackgroundChanges, laidOutBefore);
  layout->removeWidget(&laidOut);
  laidOut.setParent(nullptr);
  panel.move(5, 5);
  EXPECT_EQ(child.BackgroundChanges, shown + 1);
  // Without stretcheffect nothing is sent.
  panel.SetSkinDataName("fixed");
  panel.ApplySkin();
  const int before = child.BackgroundChanges;
  panel.SetBounds(0, 0, 10, 10);
  EXPECT_EQ(child.BackgroundChanges, before);
}

TEST_F(SkinControlTest, StateImagesAreComposedOncePerSizeAndSkin) {
  const auto data = HandSkin();
  TspSkinCustomControl ctl;
  ctl.SetSkinDataName("nine");
  ctl.SetSkinData(data.get());
  ctl.SetBounds(0, 0, 50, 40);
  const QImage a = ctl.StateImage({30, 30, 60, 60});
  EXPECT_EQ(ctl.StateImage({30, 30, 60, 60}).cacheKey(), a.cacheKey());
  EXPECT_EQ(a.size(), QSize(50, 40));
  ctl.resize(60, 40);
  EXPECT_EQ(ctl.StateImage({30, 30, 60, 60}).size(), QSize(60, 40));
  // Another skin loaded into the same object: never the old images.
  TspCompressedStoredSkin stored;
  TspSkinPayload p;
  p.ActivePictures = {PatternImage(64, 64, 99)};
  p.DescriptionText = HandDescription();
  stored.SetCompressedStream(CompressedSkin(p));
  const QImage before = ctl.StateImage({0, 0, 30, 30});
  data->LoadCompressedStoredSkin(&stored); // no form hook: nobody tells the control
  EXPECT_FALSE(SamePixels(ctl.StateImage({0, 0, 30, 30}), before));
  EXPECT_TRUE(SamePixels(Grab(ctl), Composed(*data, "nine", QSize(60, 40))));
}

// Nobody tells these controls (no form hook): a cleared skin, or another built-in skin
// loaded into the same object, is found at the next paint, which draws from the new
// pictures only. The panel paints its frame strips and client from the picture it holds.
TEST_F(SkinControlTest, NextPaintFollowsAClearOrSwitchNobodyAnnounced) {
  for (const bool clear : {true, false}) {
    SCOPED_TRACE(clear ? "clear" : "switch");
    TspSkinData data;
    data.SetSkinList(CreateBuiltinSkinList(&data));
    data.SetSkinIndex(0);
    auto form = Form();
    TspSkinCustomControl panel(form.get());
    panel.SetSeparateClientPaint(true);
    TspSkinButton button(form.get());
    panel.SetSkinDataName("panel");
    button.SetSkinDataName("button");
    panel.SetSkinData(&data);
    button.SetSkinData(&data);
    panel.SetBounds(0, 0, 97, 61);
    button.SetBounds(0, 70, 90, 23);
    ASSERT_TRUE(SamePixels(Grab(panel), Composed(data, "panel", panel.size())));
    Grab(button);

    if (clear)
      data.ClearSkin();
    else
      data.SetSkinIndex(3);

    const QImage panelAfter = Grab(panel), buttonAfter = Grab(button);
    if (clear) {
      EXPECT_EQ(panel.RecordIndex(), -1);
      EXPECT_EQ(button.RecordIndex(), -1);
      EXPECT_EQ(panel.SkinPicture(), nullptr);
      EXPECT_TRUE(SamePixels(panelAfter, panel.PlainImage()));
      EXPECT_TRUE(SamePixels(buttonAfter, button.PlainImage()));
    } else {
      EXPECT_EQ(panel.RecordIndex(), data.FindControlData("panel"));
      EXPECT_EQ(button.RecordIndex(), data.FindControlData("button"));
      // The skins share their neutral looks: what shows the switch is the picture held and
      // the look of a button made for the new skin.
      EXPECT_TRUE(SamePixels(panelAfter, Composed(data, "panel", panel.size())));
      const auto* rec = panel.Record();
      ASSERT_NE(rec, nullptr);
      ASSERT_NE(panel.SkinPicture(), nullptr);
      EXPECT_EQ(panel.SkinPicture()->cacheKey(),
                data.ActivePictures[size_t(rec->pictureindex)].cacheKey());
      TspSkinButton fresh(form.get());
      fresh.SetSkinDataName("button");
      fresh.SetSkinData(&data);
      fresh.SetBounds(0, 70, 90, 23);
      EXPECT_TRUE(SamePixels(buttonAfter, Grab(fresh)));
    }
  }
}

// A new SkinDataName is resolved at the next paint without re-applying the skin, and a
// skin of the same names loaded into the object is picked up likewise.
TEST_F(SkinControlTest, NextPaintFollowsARenameOrALoad) {
  const auto data = HandSkin();
  Recorder ctl;
  ctl.SetSkinDataName("nine");
  ctl.SetSkinData(data.get());
  ctl.SetBounds(0, 0, 50, 40);
  ASSERT_TRUE(SamePixels(ctl.PaintImage(), Composed(*data, "nine", QSize(50, 40))));
  const struct {
    const char* Name;
    QSize Painted; // a fixed record draws its skin size
  } renames[] = {{"horz", {50, 20}}, {"fixed", {20, 10}}, {"absent", {}}, {"nine", {50, 40}}};
  for (const auto& r : renames) {
    SCOPED_TRACE(r.Name);
    ctl.SetSkinDataName(r.Name);
    const int draws = ctl.DefaultDraws;
    const QImage image = ctl.PaintImage();
    EXPECT_EQ(ctl.RecordIndex(), data->FindControlData(r.Name));
    if (r.Painted.isEmpty())
      EXPECT_EQ(ctl.DefaultDraws, draws + 1);
    else
      EXPECT_TRUE(SamePixels(image, Composed(*data, r.Name, r.Painted)));
  }
  TspCompressedStoredSkin stored;
  TspSkinPayload p;
  p.ActivePictures = {PatternImage(64, 64, 99)};
  p.DescriptionText = HandDescription();
  stored.SetCompressedStream(CompressedSkin(p));
  const QImage before = ctl.PaintImage();
  data->LoadCompressedStoredSkin(&stored);
  const QImage after = ctl.PaintImage();
  EXPECT_TRUE(SamePixels(after, Composed(*data, "nine", QSize(50, 40))));
  EXPECT_FALSE(SamePixels(after, before));
}

TEST_F(SkinControlTest, ControlsOfOneRecordShareTheSkinsImages) {
  const auto data = HandSkin();
  TspSkinCustomControl a, b, other;
  for (TspSkinCustomControl* c : {&a, &b, &other}) {
    c->SetSkinDataName("nine");
    c->SetSkinData(data.get());
    c->SetBounds(0, 0, 50, 40);
  }
  other.SetBounds(0, 0, 51, 40);
  const QImage shared = a.PaintImage();
  EXPECT_EQ(b.StateImage({0, 0, 30, 30}).cacheKey(), a.StateImage({0, 0, 30, 30}).cacheKey());
  EXPECT_NE(other.StateImage({0, 0, 30, 30}).cacheKey(), a.StateImage({0, 0, 30, 30}).cacheKey());
  EXPECT_EQ(data->ImageCache().Count(), 2);

  // A switch leaves nothing of the old skin behind, even for a control nobody told.
  TspCompressedStoredSkin stored;
  TspSkinPayload p;
  p.ActivePictures = {PatternImage(64, 64, 99)};
  p.DescriptionText = HandDescription();
  stored.SetCompressedStream(CompressedSkin(p));
  data->LoadCompressedStoredSkin(&stored);
  EXPECT_EQ(data->ImageCache().Count(), 0);
  EXPECT_TRUE(SamePixels(b.PaintImage(), Composed(*data, "nine", QSize(50, 40))));
  EXPECT_FALSE(SamePixels(b.PaintImage(), shared));

  // Under a budget smaller than one image the control still paints, and nothing is kept.
  data->ImageCache().SetBudget(50 * 40 * 4 - 1);
  EXPECT_EQ(data->ImageCache().Count(), 0);
  EXPECT_TRUE(SamePixels(a.PaintImage(), Composed(*data, "nine", QSize(50, 40))));
  EXPECT_EQ(data->ImageCache().Bytes(), 0);
}

} // namespace
