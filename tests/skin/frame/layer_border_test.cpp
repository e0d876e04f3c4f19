#include "skin/builtin/builtin_skins.h"
#include "skin/data/skin_data.h"
#include "skin/frame/layer_border.h"

#include <QApplication>
#include <QFocusEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A 20 x 20 source whose pixel at (x, y) holds alpha 200 and its own coordinates as colour.
void FillSource(TspBitmap& source) {
  source.SetSize(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      source.SetPixel(x, y, 0xC8000000u | std::uint32_t(x << 8) | std::uint32_t(y));
}
int SourceX(std::uint32_t p) {
  return int((p >> 8) & 0xFF);
}
int SourceY(std::uint32_t p) {
  return int(p & 0xFF);
}

// The layer frame of a 20 x 20 picture with the form in (3, 4)-(17, 16).
void SetFrame(TspDataSkinLayerFrame& f, bool fullstretch) {
  f.lefttoppoint = {5, 4};
  f.righttoppoint = {15, 4};
  f.leftbottompoint = {5, 16};
  f.rightbottompoint = {15, 16};
  f.clientrect = {3, 4, 17, 16};
  f.fullstretch = fullstretch;
}

} // namespace

TEST(LayerBands, CornersKeptMiddlesStretchedSidesTiledOrStretched) {
  TspBitmap source;
  FillSource(source);
  TspLayerBands b;
  TspDataSkinLayerFrame f;
  SetFrame(f, false);
  ComposeLayerBands(source, f, 40, 30, b);
  ASSERT_FALSE(b.Whole);
  EXPECT_EQ(b.TopRect, QRect(0, 0, 40, 4));
  EXPECT_EQ(b.BottomRect, QRect(0, 26, 40, 4));
  EXPECT_EQ(b.LeftRect, QRect(0, 4, 3, 22));
  EXPECT_EQ(b.RightRect, QRect(37, 4, 3, 22));
  // Top: the corners as they are, the middle ten columns stretched over thirty.
  EXPECT_EQ(SourceX(b.Top.Pixel(4, 0)), 4);
  EXPECT_EQ(SourceX(b.Top.Pixel(35, 3)), 15);
  EXPECT_EQ(SourceX(b.Top.Pixel(39, 3)), 19);
  EXPECT_EQ(SourceX(b.Top.Pixel(5, 0)), 5);
  EXPECT_EQ(SourceX(b.Top.Pixel(34, 0)), 14);
  EXPECT_EQ(SourceY(b.Bottom.Pixel(0, 0)), 16);
  EXPECT_EQ(SourceY(b.Bottom.Pixel(0, 3)), 19);
  // Sides: source rows 4..15 repeated downwards at their height, the last copy cut.
  EXPECT_EQ(SourceY(b.Left.Pixel(0, 0)), 4);
  EXPECT_EQ(SourceY(b.Left.Pixel(0, 11)), 15);
  EXPECT_EQ(SourceY(b.Left.Pixel(0, 12)), 4);
  EXPECT_EQ(SourceY(b.Left.Pixel(0, 21)), 13);
  EXPECT_EQ(SourceX(b.Right.Pixel(0, 0)), 17);
  // Colours never above their alpha.
  EXPECT_EQ(b.Top.Pixel(39, 3) >> 24, 200u);

  SetFrame(f, true);
  ComposeLayerBands(source, f, 40, 30, b);
  EXPECT_EQ(SourceY(b.Left.Pixel(0, 21)), 15); // stretched: ends on the last source row
  EXPECT_EQ(SourceY(b.Left.Pixel(0, 11)), 10);

  // Too low for both bands: the bottom band shrinks to what is left, from the lower rows.
  SetFrame(f, false);
  ComposeLayerBands(source, f, 40, 6, b);
  EXPECT_EQ(b.BottomRect, QRect(0, 4, 40, 2));
  EXPECT_EQ(SourceY(b.Bottom.Pixel(0, 0)), 18);
  EXPECT_TRUE(b.Left.IsEmpty());
  EXPECT_TRUE(b.LeftRect.isEmpty());

  // rightbottompoint (0, 0): the whole picture, unstretched, in one band.
  f.rightbottompoint = {0, 0};
  ComposeLayerBands(source, f, 40, 30, b);
  EXPECT_TRUE(b.Whole);
  EXPECT_EQ(b.TopRect, QRect(0, 0, 20, 20));
  EXPECT_EQ(b.Top.Width(), 20);
  EXPECT_TRUE(b.Bottom.IsEmpty() && b.Left.IsEmpty() && b.Right.IsEmpty());

  // Premultiplied display: a white pixel at alpha 100 becomes 100 on every channel.
  source.SetPixel(0, 0, 0x64FFFFFFu);
  SetFrame(f, false);
  ComposeLayerBands(source, f, 40, 30, b);
  EXPECT_EQ(b.Top.Pixel(0, 0), 0x64646464u);
}

TEST(LayerBands, RectAndAlpha) {
  TspDataSkinLayerFrame f;
  SetFrame(f, false);
  f.leftoffset = 1;
  f.topoffset = 2;
  f.widthoffset = 3;
  f.heightoffset = 4;
  // The form at (100, 50) 200 x 100 sits where clientrect sits in the 20 x 20 picture.
  EXPECT_EQ(LayerRect(f, QSize(20, 20), QRect(100, 50, 200, 100)),
            QRect(100 + 1 - 3, 50 + 2 - 4, 200 + 3 + 20 - 14, 100 + 4 + 20 - 12));
  const int cases[][3] = {{255, 255, 255}, {255, 128, 128}, {200, 128, 100},
                          {101, 128, 51},  {255, 0, 0},     {0, 255, 0}};
  for (const auto& c : cases) EXPECT_EQ(ScaleLayerAlpha(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

class LayerBorderTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    form->setGeometry(work.left() + 150, work.top() + 120, 300, 200);
    data = new TspSkinData(form.get());
    data->SetSkinList(CreateBuiltinSkinList(form.get()));
    ASSERT_FALSE(data->IsEmpty());
    border = new TspFormLayerBorder(form.get(), data, true, [this] { return layered; });
  }
  void ShowForm() {
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  // The screen rectangle of a band's window, empty without one.
  QRect WindowRect(TspFormLayerBorder::Band band) const {
    TspFormLayerWindow* w = border->Window(band);
    return w && w->isVisible() ? w->geometry() : QRect();
  }
  // Checks that the windows lie around the form as the layer frame places them.
  void ExpectAround(const QRect& formRect) {
    const TspDataSkinLayerFrame& f = data->LayerFrame;
    const TspBitmap& source = *f.ActiveBorder;
    const QRect layer = LayerRect(f, QSize(source.Width(), source.Height()), formRect);
    EXPECT_EQ(border->LayerBounds(), layer);
    const TspLayerBands& b = border->Bands();
    EXPECT_EQ(WindowRect(TspFormLayerBorder::TopBand), b.TopRect.translated(layer.topLeft()));
    EXPECT_EQ(WindowRect(TspFormLayerBorder::BottomBand), b.BottomRect.translated(layer.topLeft()));
    EXPECT_EQ(WindowRect(TspFormLayerBorder::LeftBand), b.LeftRect.translated(layer.topLeft()));
    EXPECT_EQ(WindowRect(TspFormLayerBorder::RightBand), b.RightRect.translated(layer.topLeft()));
    EXPECT_EQ(b.TopRect.width(), layer.width());
    // The side bands end where the form begins.
    EXPECT_EQ(WindowRect(TspFormLayerBorder::LeftBand).right() + 1, formRect.left());
    EXPECT_EQ(WindowRect(TspFormLayerBorder::RightBand).left(), formRect.right() + 1);
  }

  std::unique_ptr<QWidget> form;
  TspSkinData* data = nullptr;
  TspFormLayerBorder* border = nullptr;
  bool layered = true;
};

TEST_F(LayerBorderTest, FourWindowsAroundTheFormFollowingMovesAndResizes) {
  ShowForm();
  ASSERT_TRUE(border->Shown());
  EXPECT_EQ(border->WindowCount(), 4);
  ExpectAround(form->frameGeometry());
  for (int i = 0; i < 4; ++i) {
    TspFormLayerWindow* w = border->Window(TspFormLayerBorder::Band(i));
    EXPECT_TRUE(w->flags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(w->flags() & Qt::WindowTransparentForInput);
    EXPECT_EQ(w->ConstantAlpha(), 255);
  }
  EXPECT_EQ(QApplication::activeWindow(), form.get());

  form->move(form->pos() + QPoint(37, 21));
  ExpectAround(form->frameGeometry());
  form->resize(420, 260);
  ExpectAround(form->frameGeometry());
  EXPECT_EQ(border->Window(TspFormLayerBorder::LeftBand)->Picture().height(),
            border->Bands().LeftRect.height());

  form->hide();
  EXPECT_FALSE(border->Shown());
  EXPECT_EQ(border->WindowCount(), 0);
}

TEST_F(LayerBorderTest, HiddenWhileMaximisedOrMinimisedShownAgainOnRestore) {
  ShowForm();
  const QRect normal = form->frameGeometry();
  for (Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowMinimized}) {
    form->setWindowState(state);
    EXPECT_FALSE(border->Shown()) << state;
    EXPECT_EQ(border->WindowCount(), 0) << state;
    form->setWindowState(Qt::WindowNoState);
    form->setGeometry(normal);
    ASSERT_TRUE(border->Shown()) << state;
    ExpectAround(form->frameGeometry());
  }
}

TEST_F(LayerBorderTest, InactiveFormShowsTheInactivePictureAndAlpha) {
  data->LayerFrame.inactivealphablendvalue = 100;
  border->SetBorderAlpha(255, false);
  ShowForm();
  TspFormLayerWindow* top = border->Window(TspFormLayerBorder::TopBand);
  ASSERT_NE(top, nullptr);
  const QImage activePicture = top->Picture();

  QWidget other;
  other.setGeometry(form->geometry().translated(0, 250));
  other.show();
  QApplication::setActiveWindow(&other);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_FALSE(border->Active());
  top = border->Window(TspFormLayerBorder::TopBand);
  EXPECT_EQ(top->ConstantAlpha(), 100);
  // The application's skins: another mask for the inactive state.
  ASSERT_TRUE(data->LayerFrame.InactiveBorder);
  EXPECT_NE(top->Picture(), activePicture);

  // Focus given to a band goes back to the form.
  QFocusEvent focusIn(QEvent::FocusIn);
  QApplication::sendEvent(border->Window(TspFormLayerBorder::LeftBand), &focusIn);
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  EXPECT_TRUE(border->Active());
  EXPECT_EQ(border->Window(TspFormLayerBorder::TopBand)->ConstantAlpha(), 255);
  EXPECT_EQ(border->Window(TspFormLayerBorder::TopBand)->Picture(), activePicture);
}

TEST_F(LayerBorderTest, NoWindowsWhereTheBorderIsNotInUse) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    std::function<void()> undo;
  };
  const Case cases[] = {
      {"translucency not composed", [this] { layered = false; }, [this] { layered = true; }},
      {"ShowLayeredBorders off", [this] { data->SetShowLayeredBorders(false); },
       [this] { data->SetShowLayeredBorders(true); }},
      {"no layer picture", [this] { data->LayerFrame.pictureindex = -1; }, nullptr},
      {"no skin", [this] { border->SetSkinData(nullptr); }, nullptr},
  };
  for (const Case& c : cases) {
    c.arrange();
    ShowForm();
    EXPECT_FALSE(border->InUse()) << c.name;
    EXPECT_EQ(border->WindowCount(), 0) << c.name;
    border->ShowBorder();
    border->FadeInBorder();
    EXPECT_EQ(border->WindowCount(), 0) << c.name;
    if (c.undo) {
      // Told of the change, the shown form gets its border.
      c.undo();
      if (!layered) continue;
      QEvent update(QEvent::WindowStateChange);
      border->FormEvent(&update);
      EXPECT_EQ(border->WindowCount(), 4) << c.name;
    }
    form.reset();
    SetUp();
  }
}

TEST_F(LayerBorderTest, FadeRisesByTimerAndNeverStaysInvisible) {
  ShowForm();
  border->FadeInBorder();
  EXPECT_TRUE(border->IsFading());
  EXPECT_EQ(border->Window(TspFormLayerBorder::TopBand)->ConstantAlpha(), 0);
  int seen = 0;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        seen = std::max(seen, border->Window(TspFormLayerBorder::TopBand)->ConstantAlpha());
        return !border->IsFading();
      },
      3000));
  EXPECT_EQ(border->Window(TspFormLayerBorder::TopBand)->ConstantAlpha(), 255);

  // Interrupted by a change of activation: the full alpha at once.
  border->FadeInBorder();
  border->SetBorderActive(true);
  EXPECT_FALSE(border->IsFading());
  EXPECT_EQ(border->Window(TspFormLayerBorder::TopBand)->ConstantAlpha(), 255);

  // Scaled by the form's alpha.
  border->SetBorderAlpha(128, true);
  EXPECT_EQ(border->Window(TspFormLayerBorder::RightBand)->ConstantAlpha(), 128);
}

TEST_F(LayerBorderTest, SkinSwitchRebuildsTheBorder) {
  ShowForm();
  // The shown border with an alpha of the old skin; the new one's alpha is 255.
  data->LayerFrame.alphablendvalue = 90;
  border->SetBorderAlpha(255, true);
  ASSERT_EQ(border->Window(TspFormLayerBorder::TopBand)->ConstantAlpha(), 90);
  data->SetSkinIndex(1);
  ASSERT_TRUE(border->Shown());
  ExpectAround(form->frameGeometry());
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(border->Window(TspFormLayerBorder::Band(i))->ConstantAlpha(), 255);
}
