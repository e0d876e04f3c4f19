#pragma once
// One skin under construction: its frame pictures, its active pictures and its
// description, plus the checks that the drawing code registers as it goes and that run
// once every picture is finished.

#include "description.h"
#include "palette.h"
#include "picture_sheet.h"

#include <QImage>
#include <QString>
#include <vector>

// Active picture indices. The records refer to pictures by these numbers. Records that
// place buttons inside their own skin rectangle (edit button, combo box, spin edit,
// scroll bars, up-down) sit at (0, 0) of their picture, so their rectangles mean the same
// whether a reader takes them relative to the skin rectangle or to the picture.
enum TPictureIndex {
  piCaptionButtons = 0,
  piButtons = 1, // "updown" at the origin, "button", "resizebutton"
  piEdits = 2,   // "buttonedit" at the origin, "edit"
  piHint = 3,
  piPopup = 4,
  piMenuItem = 5,
  piLayer = 6,
  piLayerMask = 7,
  piLayerInactiveMask = 8,
  piVScroll = 9,
  piPanels = 10, // panels, labels, status bar, scroll box
  piLists = 11,  // "combobox" at the origin, list box, grid, check and radio boxes
  piTabs = 12,   // "spinedit" at the origin, tab, gauge
  piHScroll = 13,
  piBothHScroll = 14,
  piCount
};

struct TBuiltSkin {
  TSkinPalette Palette;
  QImage Picture, InactivePicture;
  std::vector<QImage> ActivePictures;
  QStringList ActivePictureNames;
  QStringList Description;
};

class TSkinBuild {
public:
  explicit TSkinBuild(const TSkinPalette& palette);

  const TSkinPalette& Pal;
  QImage Picture, InactivePicture;
  TSkinDescription Desc;

  // Places a part in an active picture.
  TspRect Add(TPictureIndex picture, const QImage& part);
  TPictureSheet& Sheet(TPictureIndex picture) { return FSheets.at(size_t(picture)); }

  // `text` must reach kMinTextContrast on every pixel of `area` of the picture whose
  // colour the drawing meant as the background (the most common one in the area).
  void ExpectText(const QString& what, const QColor& text, TPictureIndex picture,
                  const TspRect& area);
  // The same for a background that is not in a picture (fills drawn by the engine).
  void ExpectText(const QString& what, const QColor& text, const QColor& background);
  // A rectangle derived from a placed part must still lie inside the picture.
  void ExpectInside(const QString& what, TPictureIndex picture, const TspRect& r);

  // Composes the active pictures, runs the checks (std::runtime_error on the first
  // failure) and hands the finished skin over.
  TBuiltSkin Finish();

private:
  struct TextCheck {
    QString What;
    QColor Text;
    int Picture; // -1: Background holds the colour
    TspRect Area;
    QColor Background;
  };
  struct InsideCheck {
    QString What;
    int Picture;
    TspRect Rect;
  };
  std::vector<TPictureSheet> FSheets;
  std::vector<TextCheck> FTextChecks;
  std::vector<InsideCheck> FInsideChecks;
};

// The whole skin: frame, objects and every control record.
TBuiltSkin BuildSkin(const TSkinPalette& palette);

// Drawing by job (frame_pictures.cpp, control_*.cpp).
void BuildFrame(TSkinBuild& b);        // [FORMINFO], caption, caption buttons
void BuildPopupAndHint(TSkinBuild& b); // [POPUPWINDOW], "menuitem", [HINTWINDOW]
void BuildLayerFrame(TSkinBuild& b);   // [LAYERFRAME]: the soft window shadow
void BuildButtons(TSkinBuild& b);      // "button", "resizebutton", "updown"
void BuildEdits(TSkinBuild& b);        // "edit", "buttonedit", "spinedit", "combobox"
void BuildContainers(TSkinBuild& b);   // panels, labels, status bar, scroll box, rich edit
void BuildLists(TSkinBuild& b);        // list box, grid, check box, radio box
void BuildScrollBars(TSkinBuild& b);   // "vscrollbar", "hscrollbar", "bothhscrollbar"
void BuildTabsAndGauge(TSkinBuild& b); // "tab", "gauge", "vgauge"
