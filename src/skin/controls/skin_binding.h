#pragma once
// What every skinned control holds, whichever Qt class it derives from: the guarded link
// to its skin data object and its record, the way into the skin's composed images, the font
// rule, the blend over the parent background and the skin cursors.

#include "skin/controls/control_image.h"
#include "skin/data/control_records.h"
#include "skin/data/skin_data.h"

#include <QCursor>
#include <QFont>
#include <QImage>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <initializer_list>
#include <span>
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
  // first record named SkinDataName that its pictures can draw (-1 when absent). Resolves
  // only when the skin data, its LoadCount or SkinDataName changed since it last did (or
  // after Drop or Invalidate), so calling it before every paint costs a comparison.
  void ReadSkinRecord();
  // RecordIndex := -1, and the next ReadSkinRecord resolves afresh.
  void Drop();
  // The next ReadSkinRecord resolves afresh (a skin change walk re-reads the record).
  void Invalidate() { FResolved = false; }
  // Moves on with every resolution: what a control derived from its record is current
  // while this is the value it derived it under.
  quint64 Resolution() const { return FResolution; }
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
  // What the last resolution read; the skin data's address is only compared.
  bool FResolved = false;
  const TspSkinData* FResolvedSkin = nullptr;
  quint64 FResolvedLoad = 0;
  QString FResolvedName;
  quint64 FResolution = 1;
};

// A control's way into its skin's image cache: composed record images keyed by the skin's
// load, the record (its picture and how it is cut and composed), the state rectangle and
// the size, so each state image is composed once per size and skin and shared by every
// control of the same record. Without skin data each image is composed and not kept.
class TspSkinImages {
public:
  explicit TspSkinImages(const TspSkinData* skin) : FSkin(skin) {}

  // `stateRect` of `picture` (the skin rectangle or a state rectangle of the same size)
  // composed to `size` with the kind and corner points of `g` (its fitted geometry is
  // recomputed for `size`). A null image for a null picture, a state or skin rectangle the
  // picture does not hold (see PictureHolds) or an empty size. `size` is fitted first, so a
  // fixed image comes back at the skin size.
  QImage Get(const QImage& picture, const TspControlGeometry& g, const TspRect& stateRect,
             QSize size) const;
  // Scaled or plain copy of a piece of a picture, cached the same way (`size` empty:
  // the piece as it is); a null image for a piece the picture does not hold.
  QImage Piece(const QImage& picture, const TspRect& rect, QSize size) const;
  // Any other composition of `stateRect` of `picture` to `size`: `record` names the
  // composition (a kind of its own first, then every value that changes the result).
  QImage Image(const QImage& picture, std::initializer_list<int> record, const TspRect& stateRect,
               QSize size, const std::function<QImage()>& compose) const {
    return Image(picture, std::span<const int>(record.begin(), record.size()), stateRect, size,
                 compose);
  }
  QImage Image(const QImage& picture, std::span<const int> record, const TspRect& stateRect,
               QSize size, const std::function<QImage()>& compose) const;
  // `composed` (what Get gave for `g` and `stateRect`) scaled to `size`, kept likewise: a
  // control whose size the record does not take stretches its state image once per size.
  QImage Scaled(const QImage& picture, const TspControlGeometry& g, const TspRect& stateRect,
                const QImage& composed, QSize size) const;

  // Kinds of the compositions controls and the frame make through Image, apart from the
  // record kinds.
  enum : int {
    kPieceKind = -2,
    kStretchedButtonKind = -3,
    kScrollPieceKind = -4,
    kTabFaceKind = -5,
    kScaledKind = -6,
    kStretchedLabelKind = -7,
    kKeyedPieceKind = -8,
    kGripKind = -9,
    kListItemKind = -10,
    kFrameObjectKind = -11,
    kCaptionKind = -12,
    kCaptionTextFrameKind = -13,
  };

private:
  const TspSkinData* FSkin;
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
