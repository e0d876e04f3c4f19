#include "skin/render/masked_cut.h"

#include "skin/render/bitmap.h"
#include "skin/render/skin_error.h"

std::unique_ptr<TspBitmap> CutWithAlphaMask(const QImage& picture, const TspRect& rect,
                                            const QImage& mask, qint64* pixelsLeft) {
  if (rect.IsEmpty() || picture.isNull()) return nullptr;
  // Larger than the picture it is cut from, a rectangle is a mistake of the description;
  // taken as it stands, a few stray digits would ask for an image of any size.
  if (rect.Width() > picture.width() || rect.Height() > picture.height()) return nullptr;
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
  if (made->IsEmpty()) return nullptr;
  if (mask.isNull()) {
    made->SetAlpha(255);
  } else {
    TspBitmap alpha;
    alpha.Assign(
        mask.copy(0, 0, made->Width(), made->Height()).convertToFormat(QImage::Format_RGB32));
    AlphaFromMaskPremultiplied(*made, alpha);
  }
  // Drawn blended in both cases: with a mask of only 0 and 255 alphas the cut-away parts
  // must stay transparent rather than draw black.
  made->HasAlpha = true;
  return made;
}
