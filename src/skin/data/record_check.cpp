#include "skin/data/record_check.h"

#include <cstdlib>

namespace {

// Sizes in 64 bits: a description may give coordinates whose difference overflows an int.
qint64 Width(const TspRect& r) {
  return qint64(r.Right) - r.Left;
}
qint64 Height(const TspRect& r) {
  return qint64(r.Bottom) - r.Top;
}

bool Unset(const TspRect& r) {
  return r == TspRect();
}

bool WithinSize(const TspRect& r, qint64 w, qint64 h) {
  return r.Left >= 0 && r.Top >= 0 && Width(r) > 0 && Height(r) > 0 && r.Right <= w &&
         r.Bottom <= h;
}

bool WithinSize(const TspPoint& p, qint64 w, qint64 h) {
  return p.X >= 0 && p.Y >= 0 && p.X <= w && p.Y <= h;
}

const QImage* PictureAt(const std::vector<QImage>& pictures, int index) {
  if (index < 0 || size_t(index) >= pictures.size() || pictures[size_t(index)].isNull())
    return nullptr;
  return &pictures[size_t(index)];
}

QString RectText(const TspRect& r) {
  return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
}

// Rectangles a control lays out inside its skin rectangle (where text, items or the track go)
// rather than cuts from the picture.
bool IsSkinArea(const QString& key) {
  return key.endsWith(QLatin1String("area")) || key.endsWith(QLatin1String("textrect")) ||
         key == QLatin1String("clientrect") || key == QLatin1String("itemsrect");
}

// Walks the keys of a record and notes each one a control would refuse.
class TRefusalFinder : public TspFieldVisitor {
public:
  TRefusalFinder(const TspDataSkinControl& record, const std::vector<QImage>& pictures)
      : FSkin(record.skinrect), FPicture(PictureAt(pictures, record.pictureindex)),
        FPictureIndex(record.pictureindex) {}

  QStringList Refusals;

  void Integer(const char* key, int& field, int) override {
    const QString k = QString::fromLatin1(key);
    if (k.endsWith(QLatin1String("fontheight")) && std::abs(qint64(field)) > kMaxSkinFontHeight)
      Refusals << QStringLiteral("%1 %2 is out of reason (taken as %3)")
                      .arg(k)
                      .arg(field)
                      .arg(field < 0 ? -kMaxSkinFontHeight : kMaxSkinFontHeight);
  }
  void Color(const char*, TColor&, TColor) override {}
  void Flag(const char*, bool&) override {}
  void Point(const char* key, TspPoint& p) override {
    if (p == TspPoint() || FSkin.IsEmpty()) return;
    if (!WithinSize(p, Width(FSkin), Height(FSkin)))
      Refusals << QStringLiteral("%1 %2,%3 lies outside the skin rectangle (%4x%5)")
                      .arg(QString::fromLatin1(key))
                      .arg(p.X)
                      .arg(p.Y)
                      .arg(Width(FSkin))
                      .arg(Height(FSkin));
  }
  void Rect(const char* key, TspRect& r) override {
    if (Unset(r)) return;
    const QString k = QString::fromLatin1(key);
    if (Width(r) <= 0 || Height(r) <= 0) {
      Refusals << QStringLiteral("%1 %2 has no size").arg(k, RectText(r));
      return;
    }
    if (IsSkinArea(k)) {
      if (!FSkin.IsEmpty() && !WithinSize(r, Width(FSkin), Height(FSkin)))
        Refusals << QStringLiteral("%1 %2 lies outside the skin rectangle (%3x%4)")
                        .arg(k, RectText(r))
                        .arg(Width(FSkin))
                        .arg(Height(FSkin));
      return;
    }
    if (!FPicture) {
      if (!FNoPictureSaid)
        Refusals << QStringLiteral("pictureindex %1 names no picture").arg(FPictureIndex);
      FNoPictureSaid = true;
      return;
    }
    if (!PictureHolds(*FPicture, r))
      Refusals << QStringLiteral("%1 %2 lies outside picture %3 (%4x%5)")
                      .arg(k, RectText(r))
                      .arg(FPictureIndex)
                      .arg(FPicture->width())
                      .arg(FPicture->height());
  }
  void Text(const char*, QString&, const char*) override {}
  void FontStyle(const char*, TspFontStyles&) override {}
  void EnumValue(const char*, int&, const TspEnumInfo&) override {}
  void Lines(const char*, QStringList&) override {}

private:
  TspRect FSkin;
  const QImage* FPicture;
  int FPictureIndex;
  bool FNoPictureSaid = false;
};

} // namespace

bool PictureHolds(const QImage& picture, const TspRect& rect) {
  return !picture.isNull() && WithinSize(rect, picture.width(), picture.height());
}

bool SkinHolds(const TspRect& skinrect, const TspRect& area) {
  return WithinSize(area, Width(skinrect), Height(skinrect));
}

bool RecordDrawable(const TspDataSkinControl& record, const std::vector<QImage>& pictures) {
  const TspRect& s = record.skinrect;
  if (Unset(s)) return true;
  const QImage* picture = PictureAt(pictures, record.pictureindex);
  if (!picture || !PictureHolds(*picture, s)) return false;
  const auto* custom = dynamic_cast<const TspDataSkinCustomControl*>(&record);
  if (!custom) return true;
  const qint64 w = Width(s), h = Height(s);
  for (const TspPoint& p : {custom->lefttoppoint, custom->righttoppoint, custom->leftbottompoint,
                            custom->rightbottompoint})
    if (!WithinSize(p, w, h)) return false;
  return Unset(custom->clientrect) || WithinSize(custom->clientrect, w, h);
}

QStringList RecordRefusals(const TspDataSkinControl& record, const std::vector<QImage>& pictures) {
  TRefusalFinder finder(record, pictures);
  // Visiting only reads the fields; the visitor interface is shared with the reader.
  const_cast<TspDataSkinControl&>(record).VisitFields(finder);
  return finder.Refusals;
}
