#pragma once
// What every skinned control holds, whichever Qt class it derives from: the guarded link
// to its skin data object and its record, a cache of composed record images, the font
// rule, the blend over the parent background and the skin cursors.

#include "skin/data/control_image.h"
#include "skin/data/control_records.h"
#include "skin/data/skin_data.h"

#include <QCursor>
#include <QFont>
#include <QImage>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

// The link of one control to a skin data object and to one named record of its skin.
// The reference is guarded: when the skin data object is destroyed it reads as none, the
// record index becomes -1 and `onDestroyed` (given to SetSkinData) runs.
class TspSkinBinding {
public:
  TspSkinBinding() = default;
  TspSkinBinding(const TspSkinBinding&) = delete;
  TspSkinBinding& operator=(const TspSkinBinding&) = delete;
  ~TspSkinBinding();

  TspSkinData* SkinData() const { return FSkinData; }
  // Stores the reference and watches the object's destruction; `context` bounds the
  // lifetime of the watch (the control). True when the caller should apply the skin:
  // the new value is a skin data object that holds a skin.
  bool SetSkinData(TspSkinData* value, QObject* context, std::function<void()> onDestroyed);

  QString SkinDataName;
  // Index of the record in the skin data's ControlList, -1 when there is none.
  int RecordIndex = -1;

  // RecordIndex := -1 without usable skin data (none or empty), else the index of the
  // first record named SkinDataName (-1 when absent).
  void ReadSkinRecord();
  // The record RecordIndex names, or none.
  const TspDataSkinControl* Record() const;
  // The record when it is of kind R (or derives from it), else none: a control checks the
  // kind before it reads fields of its own kind.
  template <class R> const R* RecordAs() const { return dynamic_cast<const R*>(Record()); }
  // The record's picture or mask picture in ActivePictures; none when the index is -1 or
  // not below the number of pictures, or the picture is empty.
  const QImage* Picture(int pictureIndex) const;

private:
  QPointer<TspSkinData> FSkinData;
  QMetaObject::Connection FWatch;
};

// Composed record images keyed by picture, geometry, state rectangle and size, so that a
// control composes each state image once per size and skin rather than once per paint.
// A picture is known by its QImage::cacheKey, which changes whenever a skin is reloaded,
// so a stale image is never handed out even when a skin change was not announced.
class TspStateImageCache {
public:
  // `stateRect` of `picture` (the skin rectangle or a state rectangle of the same size)
  // composed to `size` with the kind and corner points of `g` (its fitted geometry is
  // recomputed for `size`). A null image for a null picture, a state or skin rectangle the
  // picture does not hold (see PictureHolds) or an empty size. `size` is fitted first, so a fixed
  // image comes back at the skin size.
  QImage Get(const QImage& picture, const TspControlGeometry& g, const TspRect& stateRect,
             QSize size);
  // Scaled or plain copy of a piece of a picture, cached the same way (`size` empty:
  // the piece as it is); a null image for a piece the picture does not hold.
  QImage Piece(const QImage& picture, const TspRect& rect, QSize size);
  void Clear() { FEntries.clear(); }
  int Count() const { return int(FEntries.size()); }

  // Oldest entries go first past this, so resizing through many sizes cannot grow it.
  static constexpr int kMaxEntries = 24;

private:
  struct Entry {
    qint64 PictureKey;
    int Kind; // -2 for a piece, else the composition kind
    TspRect SkinRect;
    TspNinePartGeometry Skin;
    TspStretchFlags Flags;
    TspRect StateRect;
    QSize Size;
    QImage Image;
  };
  QImage* Find(const Entry& key);
  QImage& Insert(Entry entry);
  std::vector<Entry> FEntries;
};

// The font rule of every skinned control that draws text: with `fromRecord` (a record
// exists and UseSkinFont is on) the name, height and style come from the record, else
// `defaultFont` is copied. Heights are pixel sizes; 0 keeps the default's size.
QFont SkinFont(bool fromRecord, const QString& fontname, int fontheight, TspFontStyles fontstyle,
               const QFont& defaultFont);
// "Tahoma", pixel size 13, no style: the default font of the skinned controls.
QFont DefaultSkinFont();

// Blends `image` over `background` in place of `image`: each colour channel becomes
// (1 - k) x image + k x background, k = 1 - alphaBlendValue / 255 (clamped to 0..1), rounded
// to the nearest integer. Both are made RGB32; the result takes the background's size, and
// only the part the two share is blended (the rest shows the background).
void BlendOverBackground(QImage& image, const QImage& background, int alphaBlendValue);

// The platform's cursor table: number 0 is the default cursor; the application may fill
// positive numbers with cursors of its own. A skin record's "cursorindex" n selects
// number 1 + n; an unfilled number gives the default (arrow) cursor.
void SetPlatformCursor(int number, const QCursor& cursor);
QCursor PlatformCursor(int number);
