#pragma once
// What a menu level paints with, taken from the skin once when the level opens: the
// popup window's picture and frame ([POPUPWINDOW]), the item images of the "menuitem"
// object, its font and colours. A skin switch frees the records; a level keeps only these
// copies (pictures are shared, not copied).

#include "skin/controls/control_image.h"
#include "skin/data/skin_values.h"
#include "skin/render/composition.h"

#include <QColor>
#include <QFont>
#include <QImage>

class TspSkinData;

// The menu options of the form controller.
struct TspMenuOptions {
  bool UseSkinFont = true; // UseSkinFontInMenu
  bool UseSkinSize = true; // UseSkinSizeInMenu: item height from the skin
  int DefaultItemHeight = 20;
  QFont DefaultItemFont; // "Tahoma", 13 pixels
  bool AlphaBlend = false;
  int AlphaBlendValue = 200;
  bool AlphaBlendAnimation = false;
  int MaxItemsInWindow = 0; // 0: no limit
};

struct TspMenuLook {
  // The window from the skin's popup picture; the plain look otherwise.
  bool SkinnedWindow = false;
  QImage WindowPicture;
  QImage MaskPicture;
  TspNinePartGeometry WindowGeometry; // corner points; ClientRect is itemsrect
  TspStretchFlags WindowFlags;
  QColor ScrollMarkerColor, ScrollMarkerActiveColor;

  // Items from the "menuitem" object; plain items otherwise.
  bool SkinnedItems = false;
  QImage ItemPicture;
  TspRect SkinRect, ActiveSkinRect, DividerRect;
  int ItemLeftOffset = 0, ItemRightOffset = 0;
  int DividerLeftOffset = 0, DividerRightOffset = 0;
  bool StretchEffect = false, InactiveStretchEffect = false, DividerStretchEffect = false;
  bool InactiveTransparent = false;
  TspRect TextRect, ImageRect;
  TspRect CheckRect, ActiveCheckRect, RadioRect, ActiveRadioRect, ArrowRect, ActiveArrowRect;
  QColor FontColor, ActiveFontColor, DisabledFontColor;
  // The frames a highlighted item runs through (none without animateskinrect or frames);
  // a frame every AnimateInterval ms.
  TspRect AnimateSkinRect;
  int FrameCount = 0;
  int AnimateInterval = 20;
  // Normal and highlighted images blend into each other (the record morphs and the skin's
  // effects are on).
  bool Morphing = false;
  TspMorphKind MorphKind = TspMorphKind::mkDefault;
  // Disabled "-Word-" items: the font, colour and image of the skin's "menuheader" (or
  // "label") control; no picture leaves them on the item's image.
  QColor HeaderColor;
  QImage HeaderPicture;
  TspControlGeometry HeaderGeometry;

  QFont Font;
  QFont HeaderFont;
  int ItemHeight = 20;
  int SeparatorHeight = 4;
};

TspMenuLook MakeMenuLook(const TspSkinData* data, const TspMenuOptions& options);
