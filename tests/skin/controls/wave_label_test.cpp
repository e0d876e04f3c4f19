#include "skin/builtin/builtin_skins.h"
#include "skin/controls/skin_fonts.h"
#include "skin/controls/wave_label.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_fixtures.h"
#include "skin/data/skin_list.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QRgb kBackground = qRgb(240, 230, 220);

// The caption drawn black on white as the label places it: centred, or 10 pixels in.
QImage PlainMask(const TspSkinWaveLabel& label) {
  QImage mask(label.size(), QImage::Format_RGB32);
  mask.fill(Qt::white);
  QPainter p(&mask);
  p.setFont(label.Font());
  p.setPen(Qt::black);
  const QFontMetrics fm(label.Font(), &mask);
  const int tw = fm.horizontalAdvance(label.Caption());
  int x = label.width() / 2 - tw / 2;
  if (label.Alignment() == TspAlignment::taLeftJustify) x = 10;
  if (label.Alignment() == TspAlignment::taRightJustify) x = label.width() - tw - 10;
  const int y = std::max(label.height() / 2 - fm.height() / 2, 0);
  p.drawText(std::max(x, 0), y + fm.ascent(), label.Caption());
  return mask;
}

class WaveLabelTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }
  void SetUp() override {
    form = std::make_unique<QWidget>();
    QPalette pal = form->palette();
    pal.setColor(QPalette::Window, QColor(kBackground));
    form->setPalette(pal);
    form->resize(300, 100);
    label = new TspSkinWaveLabel(form.get());
    label->setGeometry(20, 20, 129, 40);
    label->SetCaption("K7Q2X");
    label->SetAntialiasing(false);
  }
  std::unique_ptr<QWidget> form;
  TspSkinWaveLabel* label = nullptr;
};

TEST_F(WaveLabelTest, WithoutWaveItIsThePlainTextInTheTextColourOverTheBackground) {
  label->SetFontColor(0x00112233);
  const QImage mask = label->CaptionMask();
  QImage expected(label->size(), QImage::Format_RGB32);
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x)
      // Every pixel of the text that is not pure white takes the full text colour.
      expected.setPixel(
          x, y, mask.pixel(x, y) == qRgb(255, 255, 255) ? kBackground : qRgb(0x33, 0x22, 0x11));
  // Amplitude 0, or either divisor 0, switches the wave off.
  for (const auto& [ratio, xdiv, ydiv] : {std::tuple{0, 20, 15}, {10, 0, 15}, {10, 20, 0}}) {
    SCOPED_TRACE(testing::Message() << ratio << " " << xdiv << " " << ydiv);
    label->SetRatioVal(ratio);
    label->SetXDiv(xdiv);
    label->SetYDiv(ydiv);
    EXPECT_TRUE(SamePixels(label->WaveImage(), expected));
  }
  label->SetXDiv(20);
  label->SetYDiv(15);
  label->SetRatioVal(10);
  const QImage waved = label->WaveImage();
  EXPECT_FALSE(SamePixels(waved, expected));
  // A mirrored phase bends the other way.
  label->SetXDiv(-20);
  EXPECT_FALSE(SamePixels(label->WaveImage(), waved));
}

TEST_F(WaveLabelTest, ColourComesFromTheSkinsStandardLabelRecord) {
  TspSkinData skin;
  skin.SetSkinList(CreateBuiltinSkinList(&skin));
  skin.SetSkinIndex(2);
  const auto& rec = dynamic_cast<const TspDataSkinStdLabelControl&>(
      *skin.ControlList[size_t(skin.FindControlData("stdlabel"))]);
  label->SetFontColor(0x000000FF);
  EXPECT_EQ(label->TextColor(), 0x000000FFu);
  label->SetSkinData(&skin);
  EXPECT_EQ(label->TextColor(), rec.fontcolor);
  label->SetUseSkinColor(false);
  EXPECT_EQ(label->TextColor(), 0x000000FFu);
  // A record of another kind gives no colour.
  label->SetUseSkinColor(true);
  label->SetSkinDataName("panel");
  EXPECT_EQ(label->TextColor(), 0x000000FFu);
  // System colours are resolved.
  label->SetFontColor(0x80000008u);
  EXPECT_EQ(label->TextColor(), QColorToColor(QApplication::palette().color(QPalette::Text)));
}

TEST_F(WaveLabelTest, SmoothingTouchesOnlyTheTextsEdges) {
  label->SetXDiv(0); // undistorted, so the mask is known
  label->SetFontColor(0);
  const QImage hard = label->WaveImage();
  label->SetAntialiasing(true);
  const QImage smooth = label->WaveImage();
  const QImage mask = label->CaptionMask();
  auto white = [&](int x, int y) {
    x = std::clamp(x, 0, mask.width() - 1);
    y = std::clamp(y, 0, mask.height() - 1);
    return mask.pixel(x, y) == qRgb(255, 255, 255);
  };
  int changed = 0;
  for (int y = 0; y < hard.height(); ++y)
    for (int x = 0; x < hard.width(); ++x) {
      if (hard.pixel(x, y) == smooth.pixel(x, y)) continue;
      ++changed;
      // Only text pixels with a background pixel on a diagonal.
      EXPECT_FALSE(white(x, y));
      EXPECT_TRUE(white(x - 1, y - 1) || white(x + 1, y - 1) || white(x - 1, y + 1) ||
                  white(x + 1, y + 1))
          << x << "," << y;
    }
  EXPECT_GT(changed, 0);
}

// The caption's mask is the text where the label places it (within the two pixels by which
// outline and hinted glyphs may differ), heavier all round, so that the smoothing leaves
// every stroke a core in the full text colour.
TEST_F(WaveLabelTest, MaskHoldsThePlacedTextAndSmoothedStrokesKeepACore) {
  QFont font("Tahoma");
  font.setPixelSize(20);
  font.setBold(true);
  label->SetFont(font);
  label->setGeometry(0, 0, 200, 40);
  label->SetCaption("Wave label, no wave");
  label->SetXDiv(0);
  label->SetFontColor(0);
  for (const TspAlignment a :
       {TspAlignment::taLeftJustify, TspAlignment::taCenter, TspAlignment::taRightJustify}) {
    SCOPED_TRACE(int(a));
    label->SetAlignment(a);
    const QImage plain = PlainMask(*label), mask = label->CaptionMask();
    ASSERT_EQ(mask.size(), label->size());
    auto inkAround = [&](int x, int y) {
      for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
          if (plain.rect().contains(x + dx, y + dy) && plain.pixel(x + dx, y + dy) != 0xFFFFFFFFu)
            return true;
      return false;
    };
    for (int y = 0; y < mask.height(); ++y)
      for (int x = 0; x < mask.width(); ++x) {
        const bool text = mask.pixel(x, y) != 0xFFFFFFFFu;
        if (qGray(plain.pixel(x, y)) < 128) {
          EXPECT_TRUE(text) << x << "," << y;
        }
        if (text) {
          EXPECT_TRUE(inkAround(x, y)) << x << "," << y;
        }
      }
  }
  // Smoothed, a good part of the text keeps the full colour: strokes are not all edge.
  label->SetAntialiasing(true);
  const QImage smooth = label->WaveImage(), mask = label->CaptionMask();
  int text = 0, full = 0;
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      if (mask.pixel(x, y) != 0xFFFFFFFFu) {
        ++text;
        full += smooth.pixel(x, y) == 0xFF000000u;
      }
  ASSERT_GT(text, 500);
  EXPECT_GT(full, text * 3 / 10);
}

TEST_F(WaveLabelTest, PlacementAndEdges) {
  // Text wider than the label starts at its left edge and is cut at the right.
  label->SetXDiv(0);
  label->SetCaption("WWWWWWWWWWWWWWWWWWWW");
  const QImage wide = label->WaveImage();
  bool inkLeft = false, inkRight = false;
  for (int y = 0; y < wide.height(); ++y) {
    inkLeft |= wide.pixel(1, y) != kBackground;
    inkRight |= wide.pixel(wide.width() - 1, y) != kBackground;
  }
  EXPECT_TRUE(inkLeft);
  EXPECT_TRUE(inkRight);
  // A label without area paints nothing.
  label->resize(0, 40);
  EXPECT_TRUE(label->WaveImage().isNull());
  label->resize(129, 0);
  EXPECT_TRUE(label->WaveImage().isNull());
}

} // namespace
