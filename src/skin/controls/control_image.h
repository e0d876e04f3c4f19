#pragma once
// How a skinned control fits its size to its record and composes the record's images:
// the composition kind decides which sizes a control may take, and every state image of
// the record (normal, hot, down...) is composed to the fitted size the same way.

#include "skin/data/control_records.h"
#include "skin/render/composition.h"

#include <QImage>
#include <QSize>
#include <vector>

struct TspControlGeometry {
  int Mode = kCompositionNone; // one of the kComposition* kinds
  TspRect SkinRect;
  TspNinePartGeometry Skin;   // corner points and client rect, relative to SkinRect
  TspNinePartGeometry Fitted; // the same for the fitted size
  TspStretchFlags Flags;
};

// The geometry of a record; a record without corner points (not a custom-control kind)
// is a fixed image of its skin rectangle. A skin rectangle that no picture could hold
// gives no image at all.
TspControlGeometry ControlGeometry(const TspDataSkinControl& record);

// Fits a requested size to the record's kind and fills `g.Fitted` for it: a fixed image
// keeps the skin size, a horizontal one the skin height, a vertical one the skin width.
QSize FitSizeToSkin(TspControlGeometry& g, QSize size);

// The record's picture: the active picture `pictureindex` names, or a null image.
const QImage* RecordPicture(const TspDataSkinControl& record,
                            const std::vector<QImage>& activePictures);

// Composes `stateRect` (the skin rectangle or a state rectangle of the same size) of
// `picture` to `size`, which FitSizeToSkin has fitted, with the centre drawn. A null image
// when the picture does not hold the state or the skin rectangle (see PictureHolds).
void ComposeControlImage(QImage& target, const QImage& picture, const TspControlGeometry& g,
                         const TspRect& stateRect, QSize size);
