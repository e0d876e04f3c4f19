// State images of the caption button records: 32-bit cuts of the active picture with
// alpha from the skin's alpha masks, for frames drawn onto a layered border.

#include "skin/data/object_records.h"
// skin_data.h holds QPointers to the skin list, stored skin and resource strings, which
// need their complete types.
#include "skin/data/resource_strings.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "skin/data/stored_skin.h"
#include "skin/data/window_records.h"
#include "skin/render/bitmap.h"
#include "skin/render/skin_error.h"

namespace {

bool ValidIndex(const std::vector<QImage>& pictures, int index) {
  return index >= 0 && size_t(index) < pictures.size();
}

} // namespace

// Out of line: the image members need the complete TspBitmap.
TspDataSkinButton::TspDataSkinButton() {
  ResetFields();
}
TspDataSkinButton::~TspDataSkinButton() = default;
TspDataSkinStdButton::TspDataSkinStdButton() {
  ResetFields();
}
TspDataSkinStdButton::~TspDataSkinStdButton() = default;

void TspDataSkinButton::PrepareImages(TspSkinData& data) {
  PrepareImagesFrom(data.ActivePictures, data.LayerFrame, &data.ButtonImagePixelsLeft);
}

bool TspDataSkinButton::WantsImages(const TspDataSkinLayerFrame& layerFrame) const {
  return layerFrame.pictureindex != -1 && layerFrame.fullborder;
}

void TspDataSkinButton::MakeImage(std::unique_ptr<TspBitmap>& image,
                                  const std::vector<QImage>& activePictures, const TspRect& rect,
                                  int maskIndex, qint64* pixelsLeft) const {
  image.reset();
  if (rect.IsEmpty() || !ValidIndex(activePictures, activepictureindex)) return;
  const QImage& picture = activePictures[size_t(activepictureindex)];
  if (picture.isNull()) return;
  // Larger than the picture it is cut from, a rectangle is a mistake of the description;
  // taken as it stands, a few stray digits would ask for an image of any size.
  if (rect.Width() > picture.width() || rect.Height() > picture.height()) return;
  if (pixelsLeft) {
    const qint64 pixels = qint64(rect.Width()) * rect.Height();
    if (pixels > *pixelsLeft)
      throw EOutOfResources("Skin button images: more pixels than one skin may hold");
    *pixelsLeft -= pixels;
  }
  auto made = std::make_unique<TspBitmap>();
  // QImage::copy fills what lies outside the picture with zeros, so a rectangle that
  // reaches past the picture's edge cannot read beyond it.
  made->Assign(picture.copy(rect.ToQRect()).convertToFormat(QImage::Format_RGB32));
  if (made->IsEmpty()) return;
  if (!ValidIndex(activePictures, maskIndex) || activePictures[size_t(maskIndex)].isNull()) {
    made->SetAlpha(255);
  } else {
    // The mask is drawn at the image's top-left corner: mask pixel (x, y) gives the alpha
    // of image pixel (x, y); where the mask is smaller, the alpha is 0.
    TspBitmap mask;
    mask.Assign(activePictures[size_t(maskIndex)]
                    .copy(0, 0, made->Width(), made->Height())
                    .convertToFormat(QImage::Format_RGB32));
    AlphaFromMaskPremultiplied(*made, mask);
  }
  // Drawn blended in both cases: with a mask of only 0 and 255 alphas the cut-away parts
  // must stay transparent rather than draw black.
  made->HasAlpha = true;
  image = std::move(made);
}

void TspDataSkinButton::PrepareImagesFrom(const std::vector<QImage>& activePictures,
                                          const TspDataSkinLayerFrame& layerFrame,
                                          qint64* pixelsLeft) {
  if (!WantsImages(layerFrame)) {
    NormalImage.reset();
    ActiveImage.reset();
    DownImage.reset();
    InactiveImage.reset();
    return;
  }
  MakeImage(NormalImage, activePictures, skinrect, alphamaskpictureindex, pixelsLeft);
  MakeImage(ActiveImage, activePictures, activeskinrect, alphamaskactivepictureindex, pixelsLeft);
  MakeImage(DownImage, activePictures, downrect, alphamaskactivepictureindex, pixelsLeft);
  MakeImage(InactiveImage, activePictures, inactiveskinrect, alphamaskinactivepictureindex,
            pixelsLeft);
}

void TspDataSkinStdButton::PrepareImagesFrom(const std::vector<QImage>& activePictures,
                                             const TspDataSkinLayerFrame& layerFrame,
                                             qint64* pixelsLeft) {
  TspDataSkinButton::PrepareImagesFrom(activePictures, layerFrame, pixelsLeft);
  if (!WantsImages(layerFrame)) {
    RestoreImage.reset();
    RestoreActiveImage.reset();
    RestoreDownImage.reset();
    RestoreInactiveImage.reset();
    return;
  }
  MakeImage(RestoreImage, activePictures, restorerect, alphamaskpictureindex, pixelsLeft);
  MakeImage(RestoreActiveImage, activePictures, restoreactiverect, alphamaskactivepictureindex,
            pixelsLeft);
  MakeImage(RestoreDownImage, activePictures, restoredownrect, alphamaskactivepictureindex,
            pixelsLeft);
  MakeImage(RestoreInactiveImage, activePictures, restoreinactiverect,
            alphamaskinactivepictureindex, pixelsLeft);
}
