#pragma once
// The one check between a skin record and the pixels it names. Descriptions come from
// files anyone may write: a rectangle its picture does not hold, or a corner point outside
// the skin rectangle, would otherwise turn into an allocation of any size or a composition
// of nothing. Controls ask PictureHolds before they cut a state image and
// RecordDrawable before they draw a record at all; skintool reports RecordRefusals.

#include "skin/data/control_records.h"
#include "skin/data/object_records.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

// Whether `rect` is a rectangle of positive size lying wholly within `picture`.
bool PictureHolds(const QImage& picture, const TspRect& rect);

// Whether `area`, given relative to the skin rectangle `skinrect` (a client, text or progress
// area), lies within it with a positive size.
bool SkinHolds(const TspRect& skinrect, const TspRect& area);

// Whether a control can draw `record` from `pictures`: a record without a skin rectangle
// draws nothing from a picture; otherwise the picture `pictureindex` names holds the skin
// rectangle and, for kinds with corner points, the points and the client rectangle lie in
// it. A control whose record is not drawable paints its plain look.
bool RecordDrawable(const TspDataSkinControl& record, const std::vector<QImage>& pictures);

// One line per key of `record` that a control refuses, saying why: rectangles cut from a
// picture that the picture does not hold, rectangles and points relative to the skin
// rectangle that lie outside it, a picture index naming no picture, an out of reason font
// height. Empty for a record that is drawn as it stands.
QStringList RecordRefusals(const TspDataSkinControl& record, const std::vector<QImage>& pictures);

// The same for a frame object: its skinrect lies on the frame picture (or on its own picture
// with skinrectinapicture), its state rectangles on its own picture (activepictureindex).
QStringList ObjectRefusals(const TspDataSkinObject& record, const QImage& framePicture,
                           const std::vector<QImage>& pictures);

// Whether a frame object's skinrect lies on its picture and its areas within it (a menu
// item that is not drawable takes the plain look; a state rectangle its picture does not
// hold only loses that state).
bool ObjectDrawable(const TspDataSkinObject& record, const QImage& framePicture,
                    const std::vector<QImage>& pictures);

// The same for a window record ([FORMINFO], [POPUPWINDOW], [HINTWINDOW], [LAYERFRAME]): its
// points and rectangles are places on one picture (`pictureIndex` names it in messages;
// none when `picture` is null).
QStringList WindowRecordRefusals(const TspSkinRecord& record, const QImage* picture,
                                 int pictureIndex);

// Whether a window record's points and rectangles all lie on `picture` (none: false). A frame,
// menu or hint whose record is not drawable takes the plain look.
bool WindowRecordDrawable(const TspSkinRecord& record, const QImage* picture);

// Font heights beyond this (in pixels, either sign) are taken as this: a stray digit must not
// make every text a page tall.
constexpr int kMaxSkinFontHeight = 512;