#pragma once
// One list item painted from a skin: the item keys that the list box and the combo box
// records share, the choice of the state image, its composition to the item's size (kept in
// the skin's image cache, so that a paint only copies) and the text after an optional image, split
// at tabs.

#include "skin/controls/password_engine.h"
#include "skin/controls/skin_binding.h"
#include "skin/data/control_records.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <vector>

class QPainter;
class TspImageList;

// The item keys of a record, with the stretching each state uses.
struct TspListItemLook {
  TspRect itemrect, activeitemrect, focusitemrect, itemtextrect;
  int itemleftoffset = 0, itemrightoffset = 0;
  bool stretcheffect = false;       // the selected item, and the focused one without selection
  bool focusstretcheffect = false;  // the focused selected item
  bool normalstretcheffect = false; // an item in its normal look (a list tiles it)
  TColor fontcolor = 0, activefontcolor = 0, focusfontcolor = 0;
  bool showfocus = false;
};
TspListItemLook ItemLookOf(const TspDataSkinListBox& record);
TspListItemLook ItemLookOf(const TspDataSkinComboBox& record);

// What an item is drawn as: the states of the owner-draw request.
struct TspOwnerDrawState {
  bool Selected = false;
  bool Focused = false;
  bool Disabled = false;
};

// The background of an item and where its text goes.
struct TspListItemFrame {
  QRect TextRect;   // in the item's coordinates
  QColor TextColor; // for the text
};

// The text colour of a disabled item: `text` halfway to the item's own background (the middle
// of `itemrect` in `picture`), since the records have no disabled colour of their own.
QColor DisabledItemTextColor(const QColor& text, const QImage& picture, const TspRect& itemrect);

// Draws `text` in `r`: split at tab characters into columns of `tabWidths` (each column
// starts where the previous width ends; text past the last column follows on), elided at
// the right edge, vertically centred.
void DrawItemText(QPainter& p, const QRect& r, const QString& text, const QList<int>& tabWidths,
                  TspTextAlignment alignment);

// Copies `source` to `origin` of `target` row by row (both RGB32), clipped to the target.
void CopyRows(QImage& target, QPoint origin, const QImage& source);

// Draws an item's content in `text` (item coordinates): picture `imageIndex` of `images`
// (none when absent or out of range) centred in the item's height, then `s` after it as
// DrawItemText does.
void DrawItemContent(QPainter& p, QRect text, int itemHeight, const TspImageList* images,
                     int imageIndex, const QString& s, const QList<int>& tabWidths,
                     TspTextAlignment alignment);

// An item rectangle that does not lie in its picture comes from a damaged skin: the rows
// would take its height (a huge one would make huge row images), so it counts as absent.
bool UsableItemRect(const TspRect& r, const QImage* picture);

class TspListItemPainter {
public:
  // Paints the skinned background of an item of `size` at `origin` of `target`.
  // `skinItemHeight`: the item is as high as itemrect and composed sideways with fixed
  // ends; otherwise it is stretched around the text rectangle to any height.
  // The composed item is kept in the skin's image cache (`images`).
  static TspListItemFrame DrawSkinItem(const TspSkinImages& images, QImage& target, QPoint origin,
                                       QSize size, const QImage& picture,
                                       const TspListItemLook& look, bool skinItemHeight,
                                       TspOwnerDrawState state);
  // The plain look: the palette's base, or its highlight for a selected item, with a dotted
  // focus rectangle.
  static TspListItemFrame DrawPlainItem(QImage& target, QPoint origin, QSize size,
                                        const QPalette& palette, TspOwnerDrawState state);

private:
  static QImage Composed(const TspSkinImages& images, const QImage& picture,
                         const TspListItemLook& look, const TspRect& state, bool stretch,
                         bool skinItemHeight, QSize size);
};
