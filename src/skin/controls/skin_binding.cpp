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
  if (value) {
    FWatch = QObject::connect(value, &QObject::destroyed, context,
                              [this, onDestroyed = std::move(onDestroyed)] {
                                RecordIndex = -1;
                                if (onDestroyed) onDestroyed();
                              });
  }
  return value && !value->IsEmpty();
}

void TspSkinBinding::ReadSkinRecord() {
  const TspSkinData* sd = FSkinData;
  RecordIndex = (!sd || sd->IsEmpty()) ? -1 : sd->FindControlData(SkinDataName);
  // A record its pictures cannot draw counts as absent: the control paints its plain look.
  if (RecordIndex != -1 &&
      !RecordDrawable(*sd->ControlList[size_t(RecordIndex)], sd->ActivePictures))
    RecordIndex = -1;
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

// --- TspStateImageCache ------------------------------------------------------------------

namespace {
constexpr int kPieceKind = -2;

bool SameFlags(const TspStretchFlags& a, const TspStretchFlags& b) {
  return a.leftstretch == b.leftstretch && a.topstretch == b.topstretch &&
         a.rightstretch == b.rightstretch && a.bottomstretch == b.bottomstretch &&
         a.stretcheffect == b.stretcheffect && a.stretchtype == b.stretchtype;
}
} // namespace

QImage* TspStateImageCache::Find(const Entry& key) {
  for (Entry& e : FEntries)
    if (e.PictureKey == key.PictureKey && e.Kind == key.Kind && e.StateRect == key.StateRect &&
        e.Size == key.Size && e.SkinRect == key.SkinRect && e.Skin == key.Skin &&
        SameFlags(e.Flags, key.Flags))
      return &e.Image;
  return nullptr;
}

QImage& TspStateImageCache::Insert(Entry entry) {
  if (int(FEntries.size()) >= kMaxEntries) FEntries.erase(FEntries.begin());
  FEntries.push_back(std::move(entry));
  return FEntries.back().Image;
}

QImage TspStateImageCache::Get(const QImage& picture, const TspControlGeometry& g,
                               const TspRect& stateRect, QSize size) {
  // A state rectangle the picture does not hold has no image, as an absent state.
  if (!PictureHolds(picture, stateRect) || size.isEmpty() || g.Mode == kCompositionNone ||
      !PictureHolds(picture, g.SkinRect))
    return QImage();
  TspControlGeometry fitted = g;
  size = FitSizeToSkin(fitted, size);
  Entry key{picture.cacheKey(), g.Mode, g.SkinRect, g.Skin, g.Flags, stateRect, size, QImage()};
  if (QImage* hit = Find(key)) return *hit;
  ComposeControlImage(key.Image, picture, fitted, stateRect, size);
  return Insert(std::move(key));
}

QImage TspStateImageCache::Piece(const QImage& picture, const TspRect& rect, QSize size) {
  if (!PictureHolds(picture, rect)) return QImage();
  if (size.isEmpty()) size = QSize(rect.Width(), rect.Height());
  Entry key{picture.cacheKey(), kPieceKind, {}, {}, {}, rect, size, QImage()};
  if (QImage* hit = Find(key)) return *hit;
  // The same nearest-neighbour copy the compositions make, so a piece drawn apart matches
  // the composed image pixel for pixel; parts outside the picture stay black.
  QImage holder;
  ResizeTarget(key.Image, size.width(), size.height());
  CopyPart(key.Image, {0, 0, size.width(), size.height()}, AsRgb32(picture, holder), rect);
  return Insert(std::move(key));
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
