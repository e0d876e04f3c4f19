#include "skin/controls/skin_binding.h"

#include "skin/data/record_check.h"
#include "skin/data/skin_values.h"
#include "skin/render/pixel_copy.h"

#include <QPainter>
#include <algorithm>
#include <map>

TspSkinBinding::~TspSkinBinding() {
  QObject::disconnect(FWatch);
}

bool TspSkinBinding::SetSkinData(TspSkinData* value, QObject* context,
                                 std::function<void()> onDestroyed) {
  QObject::disconnect(FWatch);
  FSkinData = value;
  FResolved = false;
  if (value) {
    FWatch = QObject::connect(value, &QObject::destroyed, context,
                              [this, onDestroyed = std::move(onDestroyed)] {
                                Drop();
                                if (onDestroyed) onDestroyed();
                              });
  }
  return value && !value->IsEmpty();
}

void TspSkinBinding::ReadSkinRecord() {
  const TspSkinData* sd = FSkinData;
  const quint64 load = sd ? sd->LoadCount() : 0;
  if (FResolved && sd == FResolvedSkin && load == FResolvedLoad && SkinDataName == FResolvedName)
    return;
  RecordIndex = (!sd || sd->IsEmpty()) ? -1 : sd->FindControlData(SkinDataName);
  // A record its pictures cannot draw counts as absent: the control paints its plain look.
  if (RecordIndex != -1 && !sd->ControlDrawable(RecordIndex)) RecordIndex = -1;
  FResolved = true;
  FResolvedSkin = sd;
  FResolvedLoad = load;
  FResolvedName = SkinDataName;
  ++FResolution;
}

void TspSkinBinding::Drop() {
  RecordIndex = -1;
  FResolved = false;
}

const TspDataSkinControl* TspSkinBinding::Record() const {
  const TspSkinData* sd = FSkinData;
  if (!sd || RecordIndex < 0 || size_t(RecordIndex) >= sd->ControlList.size()) return nullptr;
  return sd->ControlList[size_t(RecordIndex)].get();
}

const QImage* TspSkinBinding::Picture(int pictureIndex) const {
  const TspSkinData* sd = FSkinData;
  if (!sd || !sd->ValidPictureIndex(pictureIndex)) return nullptr;
  const QImage& img = sd->ActivePictures[size_t(pictureIndex)];
  return img.isNull() ? nullptr : &img;
}

// --- TspSkinImages ----------------------------------------------------------------------

namespace {
// Every value of a geometry that changes what it composes, after `kind`.
std::array<int, 24> GeometryRecord(int kind, const TspControlGeometry& g) {
  const TspRect& s = g.SkinRect;
  const TspNinePartGeometry& n = g.Skin;
  const TspStretchFlags& f = g.Flags;
  return {kind,
          s.Left,
          s.Top,
          s.Right,
          s.Bottom,
          n.ClientRect.Left,
          n.ClientRect.Top,
          n.ClientRect.Right,
          n.ClientRect.Bottom,
          n.LT.X,
          n.LT.Y,
          n.RT.X,
          n.RT.Y,
          n.LB.X,
          n.LB.Y,
          n.RB.X,
          n.RB.Y,
          f.leftstretch,
          f.topstretch,
          f.rightstretch,
          f.bottomstretch,
          f.stretcheffect,
          f.stretchtype,
          0};
}
} // namespace

QImage TspSkinImages::Image(const QImage& picture, std::span<const int> record,
                            const TspRect& stateRect, QSize size,
                            const std::function<QImage()>& compose) const {
  if (!FSkin) return compose();
  TspImageKey key;
  key.Load = FSkin->LoadCount();
  key.Picture = picture.cacheKey();
  Q_ASSERT(record.size() <= key.Record.size());
  std::copy_n(record.begin(), std::min(record.size(), key.Record.size()), key.Record.begin());
  key.State = {stateRect.Left, stateRect.Top, stateRect.Right, stateRect.Bottom};
  key.Size = size;
  return FSkin->ImageCache().Image(key, compose);
}

QImage TspSkinImages::Get(const QImage& picture, const TspControlGeometry& g,
                          const TspRect& stateRect, QSize size) const {
  // A state rectangle the picture does not hold has no image, as an absent state.
  if (!PictureHolds(picture, stateRect) || size.isEmpty() || g.Mode == kCompositionNone ||
      !PictureHolds(picture, g.SkinRect))
    return QImage();
  TspControlGeometry fitted = g;
  size = FitSizeToSkin(fitted, size);
  return Image(picture, GeometryRecord(g.Mode, g), stateRect, size, [&] {
    QImage image;
    ComposeControlImage(image, picture, fitted, stateRect, size);
    return image;
  });
}

QImage TspSkinImages::Scaled(const QImage& picture, const TspControlGeometry& g,
                             const TspRect& stateRect, const QImage& composed, QSize size) const {
  if (composed.isNull() || composed.size() == size || size.isEmpty()) return composed;
  // The composition kind is part of the record: kScaledKind goes in the spare last place.
  std::array<int, 24> record = GeometryRecord(g.Mode, g);
  record.back() = kScaledKind;
  return Image(picture, record, stateRect, size, [&] {
    return composed.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
  });
}

QImage TspSkinImages::Piece(const QImage& picture, const TspRect& rect, QSize size) const {
  if (!PictureHolds(picture, rect)) return QImage();
  if (size.isEmpty()) size = QSize(rect.Width(), rect.Height());
  return Image(picture, {kPieceKind}, rect, size, [&] {
    // The same nearest-neighbour copy the compositions make, so a piece drawn apart matches
    // the composed image pixel for pixel; parts outside the picture stay black.
    QImage holder, image;
    ResizeTarget(image, size.width(), size.height());
    CopyPart(image, {0, 0, size.width(), size.height()}, AsRgb32(picture, holder), rect);
    return image;
  });
}

// --- Fonts, blending, cursors -----------------------------------------------------------

QFont SkinFont(bool fromRecord, const QString& fontname, int fontheight, TspFontStyles fontstyle,
               const QFont& defaultFont) {
  if (!fromRecord) return defaultFont;
  QFont f = defaultFont;
  if (!fontname.isEmpty()) f.setFamily(fontname);
  if (fontheight != 0)
    f.setPixelSize(int(std::min<qint64>(std::abs(qint64(fontheight)), kMaxSkinFontHeight)));
  ApplySkinFontStyle(f, fontstyle);
  return f;
}

QFont DefaultSkinFont() {
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(13);
  f.setStyleStrategy(QFont::PreferDefault);
  return f;
}

void BlendOverBackground(QImage& image, const QImage& background, int alphaBlendValue) {
  QImage bg = background.convertToFormat(QImage::Format_RGB32);
  const int a = std::clamp(alphaBlendValue, 0, 255);
  if (image.isNull() || a == 0) {
    image = bg;
    return;
  }
  const QImage src = image.convertToFormat(QImage::Format_RGB32);
  const int w = std::min(src.width(), bg.width()), h = std::min(src.height(), bg.height());
  if (a == 255) {
    for (int y = 0; y < h; ++y)
      std::copy_n(reinterpret_cast<const QRgb*>(src.constScanLine(y)), w,
                  reinterpret_cast<QRgb*>(bg.scanLine(y)));
    image = bg;
    return;
  }
  const int b = 255 - a;
  for (int y = 0; y < h; ++y) {
    const QRgb* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    QRgb* d = reinterpret_cast<QRgb*>(bg.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const QRgb c = s[x], k = d[x];
      // (a c + b k) / 255 to the nearest integer: the sum is never an odd multiple of 127.5.
      const unsigned r = ((c >> 16 & 0xFF) * a + (k >> 16 & 0xFF) * b + 127) / 255;
      const unsigned g = ((c >> 8 & 0xFF) * a + (k >> 8 & 0xFF) * b + 127) / 255;
      const unsigned bl = ((c & 0xFF) * a + (k & 0xFF) * b + 127) / 255;
      d[x] = 0xFF000000u | r << 16 | g << 8 | bl;
    }
  }
  image = bg;
}

namespace {
std::map<int, QCursor>& CursorTable() {
  static std::map<int, QCursor> table;
  return table;
}
} // namespace

void SetPlatformCursor(int number, const QCursor& cursor) {
  CursorTable()[number] = cursor;
}

QCursor PlatformCursor(int number) {
  const auto& t = CursorTable();
  const auto it = t.find(number);
  return it == t.end() ? QCursor(Qt::ArrowCursor) : it->second;
}
