// State images of the caption button records, for frames drawn onto a layered border:
// which rectangles of which pictures make them; the renderer cuts them (CutWithAlphaMask).

#include "skin/data/object_records.h"
// skin_data.h holds QPointers to the skin list, stored skin and resource strings, which
// need their complete types.
#include "skin/data/resource_strings.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "skin/data/stored_skin.h"
#include "skin/data/window_records.h"
#include "skin/render/bitmap.h"
#include "skin/render/masked_cut.h"

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
  const QImage noMask;
  const QImage& mask =
      ValidIndex(activePictures, maskIndex) ? activePictures[size_t(maskIndex)] : noMask;
  image = CutWithAlphaMask(activePictures[size_t(activepictureindex)], rect, mask, pixelsLeft);
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
