#include "skin/data/object_records.h"
#include "skin/data/resource_strings.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "skin/data/stored_skin.h"
#include "skin/data/window_records.h"
#include "skin/render/bitmap.h"
#include "skin/render/skin_error.h"
#include <gtest/gtest.h>

namespace {

// Picture 0: 8x4, pixel (x, y) = red 10x, green 10y, blue 7.
// Picture 1: 3x3 grey mask, 255 in the first row, 0 in the second, 102 in the third.
std::vector<QImage> Pictures() {
  QImage picture(8, 4, QImage::Format_RGB32);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) picture.setPixel(x, y, qRgb(10 * x, 10 * y, 7));
  QImage mask(3, 3, QImage::Format_RGB32);
  const int greys[] = {255, 0, 102};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) mask.setPixel(x, y, qRgb(greys[y], greys[y], greys[y]));
  return {picture, mask};
}

// A layer frame with a picture around the whole frame.
const TspDataSkinLayerFrame& FullBorder() {
  static TspDataSkinLayerFrame layer;
  layer.pictureindex = 0;
  layer.fullborder = true;
  return layer;
}

} // namespace

TEST(ButtonImages, CutFromTheActivePictureWithAlphaFromTheMask) {
  const auto pictures = Pictures();
  TspDataSkinButton button;
  button.activepictureindex = 0;
  button.skinrect = {4, 1, 7, 4};          // masked
  button.activeskinrect = {0, 0, 2, 2};    // mask 9 is no picture: opaque
  button.downrect = {};                    // empty: no image
  button.inactiveskinrect = {6, 2, 10, 5}; // reaches past the picture
  button.alphamaskpictureindex = 1;
  button.alphamaskactivepictureindex = 9;
  button.alphamaskinactivepictureindex = -1;
  button.PrepareImagesFrom(pictures, FullBorder());

  ASSERT_TRUE(button.NormalImage);
  const TspBitmap& normal = *button.NormalImage;
  EXPECT_EQ(normal.Width(), 3);
  EXPECT_EQ(normal.Height(), 3);
  EXPECT_TRUE(normal.HasAlpha);
  EXPECT_EQ(normal.Pixel(0, 0), 0xFF000000u | (40u << 16) | (10u << 8) | 7u); // opaque row
  EXPECT_EQ(normal.Pixel(2, 0) >> 24, 255u);
  EXPECT_EQ(normal.Pixel(1, 1), 0u); // alpha 0, premultiplied to nothing
  EXPECT_EQ(normal.Pixel(1, 2) >> 24, 102u);
  EXPECT_EQ((normal.Pixel(1, 2) >> 16) & 0xFF, (50u * 102 + 127) / 255);

  ASSERT_TRUE(button.ActiveImage);
  EXPECT_TRUE(button.ActiveImage->HasAlpha);
  EXPECT_EQ(button.ActiveImage->Pixel(1, 1), 0xFF000000u | (10u << 16) | (10u << 8) | 7u);
  EXPECT_FALSE(button.DownImage);

  // Only the part inside the picture is read; the rest is opaque black.
  ASSERT_TRUE(button.InactiveImage);
  EXPECT_EQ(button.InactiveImage->Width(), 4);
  EXPECT_EQ(button.InactiveImage->Height(), 3);
  EXPECT_EQ(button.InactiveImage->Pixel(1, 1), 0xFF000000u | (70u << 16) | (30u << 8) | 7u);
  EXPECT_EQ(button.InactiveImage->Pixel(3, 2), 0xFF000000u);
}

TEST(ButtonImages, MaskSmallerThanTheImageLeavesTheRestTransparent) {
  const auto pictures = Pictures();
  TspDataSkinButton button;
  button.activepictureindex = 0;
  button.skinrect = {0, 0, 5, 4};
  button.alphamaskpictureindex = 1;
  button.PrepareImagesFrom(pictures, FullBorder());
  ASSERT_TRUE(button.NormalImage);
  EXPECT_EQ(button.NormalImage->Pixel(0, 0) >> 24, 255u);
  EXPECT_EQ(button.NormalImage->Pixel(4, 0) >> 24, 0u);
  EXPECT_EQ(button.NormalImage->Pixel(0, 3) >> 24, 0u);
}

// A cut larger than its picture is a broken description: a stray digit must not make a
// 4 by 40,000,000 image. The pixel budget bounds what many records together may take.
TEST(ButtonImages, NoCutLargerThanThePictureNorBeyondTheBudget) {
  const auto pictures = Pictures(); // picture 0 is 8x4
  TspDataSkinButton button;
  button.activepictureindex = 0;
  const struct {
    TspRect Rect;
    bool Made;
  } cases[] = {{{0, 0, 4, 40000000}, false},
               {{0, 0, 9, 4}, false},
               {{0, 0, 8, 4}, true},
               {{5, 2, 13, 6}, true}};
  for (const auto& c : cases) {
    button.skinrect = c.Rect;
    button.PrepareImagesFrom(pictures, FullBorder());
    EXPECT_EQ(button.NormalImage != nullptr, c.Made) << c.Rect.Right << "," << c.Rect.Bottom;
  }

  qint64 left = 20;
  button.skinrect = button.activeskinrect = {0, 0, 3, 3};
  button.downrect = {0, 0, 4, 4}; // 16 more than the 2 left
  EXPECT_THROW(button.PrepareImagesFrom(pictures, FullBorder(), &left), EOutOfResources);
  EXPECT_EQ(left, 2);
  EXPECT_TRUE(button.NormalImage && button.ActiveImage);
  EXPECT_FALSE(button.DownImage);
}

TEST(ButtonImages, MadeOnlyForAFullLayeredBorderExceptCaptionButtonsAndTabs) {
  const auto pictures = Pictures();
  TspDataSkinLayerFrame noBorder; // pictureindex -1
  TspDataSkinLayerFrame notFull;
  notFull.pictureindex = 0;

  TspDataSkinStdButton stdButton;
  stdButton.activepictureindex = 0;
  stdButton.skinrect = stdButton.restorerect = stdButton.restoreinactiverect = {0, 0, 2, 2};
  stdButton.PrepareImagesFrom(pictures, FullBorder());
  EXPECT_TRUE(stdButton.NormalImage);
  EXPECT_TRUE(stdButton.RestoreImage);
  EXPECT_TRUE(stdButton.RestoreInactiveImage);
  EXPECT_FALSE(stdButton.RestoreActiveImage);
  // A later skin without the border frees what an earlier one made.
  stdButton.PrepareImagesFrom(pictures, notFull);
  EXPECT_FALSE(stdButton.NormalImage);
  EXPECT_FALSE(stdButton.RestoreImage);
  stdButton.PrepareImagesFrom(pictures, FullBorder());
  stdButton.PrepareImagesFrom(pictures, noBorder);
  EXPECT_FALSE(stdButton.RestoreInactiveImage);

  TspDataSkinCaptionTab tab;
  TspDataSkinCaptionMenuButton menu;
  for (TspDataSkinButton* b :
       {static_cast<TspDataSkinButton*>(&tab), static_cast<TspDataSkinButton*>(&menu)}) {
    b->activepictureindex = 0;
    b->skinrect = {0, 0, 2, 2};
    b->PrepareImagesFrom(pictures, noBorder);
    EXPECT_TRUE(b->NormalImage) << b->ClassName();
  }

  // Without a valid picture index nothing is made.
  TspDataSkinButton none;
  none.skinrect = {0, 0, 2, 2};
  for (int index : {-1, 2, 100}) {
    none.activepictureindex = index;
    none.PrepareImagesFrom(pictures, FullBorder());
    EXPECT_FALSE(none.NormalImage) << index;
  }
}

TEST(ButtonImages, PrepareImagesReadsTheSkinDataObject) {
  TspSkinData data;
  data.ActivePictures = Pictures();
  data.LayerFrame.pictureindex = 1;
  data.LayerFrame.fullborder = true;
  TspDataSkinStdButton button;
  button.activepictureindex = 0;
  button.skinrect = button.restoredownrect = {1, 1, 3, 3};
  TspDataSkinObject& object = button;
  object.PrepareImages(data);
  ASSERT_TRUE(button.NormalImage);
  EXPECT_EQ(button.NormalImage->Pixel(0, 0), 0xFF000000u | (10u << 16) | (10u << 8) | 7u);
  EXPECT_TRUE(button.RestoreDownImage);
  data.LayerFrame.fullborder = false;
  object.PrepareImages(data);
  EXPECT_FALSE(button.NormalImage);
  EXPECT_FALSE(button.RestoreDownImage);
}
