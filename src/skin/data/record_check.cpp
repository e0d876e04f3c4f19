#include "skin/data/record_check.h"

#include <cstdlib>
#include <utility>

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
  // A control: its state rectangles are cut from the picture `pictureIndex` names, its
  // areas lie within `skin`.
  TRefusalFinder(const TspRect& skin, const QImage* picture, int pictureIndex)
      : FSkin(skin), FPicture(picture), FPictureIndex(pictureIndex) {}
  // A frame object's skinrect is its place on `skinRectPicture` (the frame picture, or its
  // own picture); the other rectangles are cut from its own picture.
  void SetSkinRectPicture(const QImage* picture, QString name) {
    FSkinRectPicture = picture;
    FSkinRectPictureName = std::move(name);
  }
  // A window record: every rectangle and point is a place on the whole picture.
  void SetWholePicture() {
    FWholePicture = true;
    if (FPicture) FSkin = {0, 0, FPicture->width(), FPicture->height()};
  }

  QStringList Refusals;
  // How many of them are about places and pictures (the rest only clamp a value).
  int GeometryRefusals() const { return int(Refusals.size()) - FValueRefusals; }
  // Those about where the record lies (its skin rectangle, its areas and points in it),
  // which leave nothing to draw; a state rectangle alone only loses its state.
  int PlaceRefusals() const { return FPlaceRefusals; }

  void Integer(const char* key, int& field, int) override {
    const QString k = QString::fromLatin1(key);
    if (k.endsWith(QLatin1String("fontheight")) && std::abs(qint64(field)) > kMaxSkinFontHeight)
      RefuseValue(QStringLiteral("%1 %2 is out of reason (taken as %3)")
                      .arg(k)
                      .arg(field)
                      .arg(field < 0 ? -kMaxSkinFontHeight : kMaxSkinFontHeight));
  }
  void Color(const char*, TColor&, TColor) override {}
  void Flag(const char*, bool&) override {}
  void Point(const char* key, TspPoint& p) override {
    if (p == TspPoint()) return;
    if (FWholePicture && !FPicture) {
      SayNoPicture();
      return;
    }
    if (FSkin.IsEmpty()) return;
    if (!WithinSize(p, Width(FSkin), Height(FSkin)))
      RefusePlace(QStringLiteral("%1 %2,%3 lies outside the skin rectangle (%4x%5)")
                      .arg(QString::fromLatin1(key))
                      .arg(p.X)
                      .arg(p.Y)
                      .arg(Width(FSkin))
                      .arg(Height(FSkin)));
  }
  void Rect(const char* key, TspRect& r) override {
    if (Unset(r)) return;
    const QString k = QString::fromLatin1(key);
    if (Width(r) <= 0 || Height(r) <= 0) {
      Refusals << QStringLiteral("%1 %2 has no size").arg(k, RectText(r));
      return;
    }
    if (FSkinRectPicture && k == QLatin1String("skinrect")) {
      if (!PictureHolds(*FSkinRectPicture, r))
        RefusePlace(QStringLiteral("skinrect %1 lies outside %2 (%3x%4)")
                        .arg(RectText(r), FSkinRectPictureName)
                        .arg(FSkinRectPicture->width())
                        .arg(FSkinRectPicture->height()));
      return;
    }
    if (FWholePicture && !FPicture) {
      SayNoPicture();
      return;
    }
    if (FWholePicture || IsSkinArea(k)) {
      if (!FSkin.IsEmpty() && !WithinSize(r, Width(FSkin), Height(FSkin)))
        RefusePlace(QStringLiteral("%1 %2 lies outside the skin rectangle (%3x%4)")
                        .arg(k, RectText(r))
                        .arg(Width(FSkin))
                        .arg(Height(FSkin)));
      return;
    }
    if (!FPicture) {
      SayNoPicture();
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
  // A refusal of where the record lies, or of a value that is only clamped.
  void RefusePlace(const QString& why) {
    Refusals << why;
    ++FPlaceRefusals;
  }
  void RefuseValue(const QString& why) {
    Refusals << why;
    ++FValueRefusals;
  }
  void SayNoPicture() {
    if (!FNoPictureSaid)
      Refusals << QStringLiteral("pictureindex %1 names no picture").arg(FPictureIndex);
    FNoPictureSaid = true;
  }

  TspRect FSkin;
  const QImage* FPicture;
  int FPictureIndex;
  bool FNoPictureSaid = false;
  const QImage* FSkinRectPicture = nullptr;
  QString FSkinRectPictureName;
  bool FWholePicture = false;
  int FValueRefusals = 0;
  int FPlaceRefusals = 0;
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
  TRefusalFinder finder(record.skinrect, PictureAt(pictures, record.pictureindex),
                        record.pictureindex);
  // Visiting only reads the fields; the visitor interface is shared with the reader.
  const_cast<TspDataSkinControl&>(record).VisitFields(finder);
  return finder.Refusals;
}

namespace {

// The refusals of a frame object and how many are about its place.
std::pair<QStringList, int> FindObjectRefusals(const TspDataSkinObject& record,
                                               const QImage& framePicture,
                                               const std::vector<QImage>& pictures) {
  const QImage* own = PictureAt(pictures, record.activepictureindex);
  TRefusalFinder finder(record.skinrect, own, record.activepictureindex);
  if (record.skinrectinapicture)
    finder.SetSkinRectPicture(own, QStringLiteral("picture %1").arg(record.activepictureindex));
  else if (!framePicture.isNull())
    finder.SetSkinRectPicture(&framePicture, QStringLiteral("the frame picture"));
  if (own || record.skinrectinapicture) {
    const_cast<TspDataSkinObject&>(record).VisitFields(finder);
  } else if (!framePicture.isNull() && !record.skinrect.IsEmpty()) {
    // Without its own picture an object only has its place; its state rectangles go unused.
    TspRect place = record.skinrect;
    finder.Rect("skinrect", place);
  }
  return {finder.Refusals, finder.PlaceRefusals()};
}

} // namespace

QStringList ObjectRefusals(const TspDataSkinObject& record, const QImage& framePicture,
                           const std::vector<QImage>& pictures) {
  return FindObjectRefusals(record, framePicture, pictures).first;
}

bool ObjectDrawable(const TspDataSkinObject& record, const QImage& framePicture,
                    const std::vector<QImage>& pictures) {
  return FindObjectRefusals(record, framePicture, pictures).second == 0;
}

QStringList WindowRecordRefusals(const TspSkinRecord& record, const QImage* picture,
                                 int pictureIndex) {
  TRefusalFinder finder({}, picture && !picture->isNull() ? picture : nullptr, pictureIndex);
  finder.SetWholePicture();
  const_cast<TspSkinRecord&>(record).VisitFields(finder);
  return finder.Refusals;
}

bool WindowRecordDrawable(const TspSkinRecord& record, const QImage* picture) {
  if (!picture || picture->isNull()) return false;
  TRefusalFinder finder({}, picture, 0);
  finder.SetWholePicture();
  const_cast<TspSkinRecord&>(record).VisitFields(finder);
  return finder.GeometryRefusals() == 0;
}
