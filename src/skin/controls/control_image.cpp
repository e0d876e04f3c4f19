#include "skin/controls/control_image.h"

#include "skin/data/record_check.h"

#include "skin/render/bmp_codec.h"

namespace {
// A skin rectangle that no picture can hold (pictures are bounded by the BMP reader's
// limits) comes from a damaged description; composing it could ask for gigabytes.
bool FitsInAnyPicture(const TspRect& r) {
  return r.Left >= 0 && r.Top >= 0 && r.Right <= kMaxPictureSide && r.Bottom <= kMaxPictureSide &&
         qint64(r.Width()) * r.Height() <= kMaxPicturePixels;
}
} // namespace

TspControlGeometry ControlGeometry(const TspDataSkinControl& record) {
  TspControlGeometry g;
  g.SkinRect = record.skinrect;
  if (!FitsInAnyPicture(g.SkinRect)) return g; // no image
  const auto* custom = dynamic_cast<const TspDataSkinCustomControl*>(&record);
  if (!custom) {
    g.Mode = g.SkinRect.IsEmpty() ? kCompositionNone : kCompositionFixed;
    return g;
  }
  g.Skin = {custom->clientrect, custom->lefttoppoint, custom->righttoppoint,
            custom->leftbottompoint, custom->rightbottompoint};
  g.Fitted = g.Skin;
  g.Flags = {custom->leftstretch,   custom->topstretch,    custom->rightstretch,
             custom->bottomstretch, custom->stretcheffect, int(custom->stretchtype)};
  g.Mode = ChooseComposition(g.SkinRect, g.Skin);
  return g;
}

QSize FitSizeToSkin(TspControlGeometry& g, QSize size) {
  const int W = g.SkinRect.Width(), H = g.SkinRect.Height();
  const int dW = size.width() - W, dH = size.height() - H;
  const TspNinePartGeometry& s = g.Skin;
  TspNinePartGeometry& f = g.Fitted;
  switch (g.Mode) {
  case kCompositionFixed:
    f = s;
    return QSize(W, H);
  case kCompositionNinePart:
    f = TargetGeometry(s, W, H, size.width(), size.height());
    return size;
  case kCompositionHorizontal:
    f = s;
    f.RT = {s.RT.X + dW, s.RT.Y};
    f.ClientRect.Right = s.ClientRect.Right + dW;
    return QSize(size.width(), H);
  case kCompositionVertical:
    f = s;
    f.LB = {s.LB.X, s.LB.Y + dH};
    f.ClientRect.Bottom = s.ClientRect.Bottom + dH;
    return QSize(W, size.height());
  default:
    return size;
  }
}

const QImage* RecordPicture(const TspDataSkinControl& record,
                            const std::vector<QImage>& activePictures) {
  const int i = record.pictureindex;
  if (i < 0 || i >= int(activePictures.size()) || activePictures[size_t(i)].isNull())
    return nullptr;
  return &activePictures[size_t(i)];
}

void ComposeControlImage(QImage& target, const QImage& picture, const TspControlGeometry& g,
                         const TspRect& stateRect, QSize size) {
  // Every path from a record to a composed image comes through here: a rectangle the
  // picture does not hold gives no image, never one the size the rectangle names.
  if (!PictureHolds(picture, stateRect) || !PictureHolds(picture, g.SkinRect)) {
    target = QImage();
    return;
  }
  const TspNinePartGeometry& s = g.Skin;
  switch (g.Mode) {
  case kCompositionFixed:
    // Parts of the rectangle outside the picture come out black rather than unread.
    target = picture.copy(stateRect.ToQRect()).convertToFormat(QImage::Format_RGB32);
    break;
  case kCompositionNinePart:
    ComposeNinePartImage(target, picture, stateRect, s, size.width(), size.height(), g.Fitted,
                         g.Flags, true);
    break;
  case kCompositionHorizontal:
    ComposeHorizontalImage(target, picture, stateRect, s.LT.X, stateRect.Width() - s.RT.X,
                           g.Flags.stretcheffect, size.width());
    break;
  case kCompositionVertical:
    ComposeVerticalImage(target, picture, stateRect, s.LT.Y, stateRect.Height() - s.LB.Y,
                         g.Flags.stretcheffect, size.height());
    break;
  default:
    target = QImage();
    break;
  }
}
