#pragma once
// What a hint window paints with and how big it is: the look taken from the skin's
// [HINTWINDOW] section (or the plain look), the hint text broken into lines, and the
// window's size and place. Pure functions, so the window only shows what they give.

#include "skin/render/composition.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QStringList>

class TspSkinData;

struct TspHintLook {
  // The window from the skin's hint picture; the plain look otherwise.
  bool Skinned = false;
  QImage Picture;
  QImage Mask;                  // null without a mask picture
  TspNinePartGeometry Geometry; // corner points; ClientRect is clientrect
  TspStretchFlags Flags;
  QFont Font;
  QColor FontColor;
};

// The skinned look when `data` holds a skin whose hint picture exists; the font from the
// skin when `useSkinFont`, else `defaultFont`; the colour from the skin, else the
// platform's info text colour.
TspHintLook MakeHintLook(const TspSkinData* data, const QFont& defaultFont, bool useSkinFont);

// Every occurrence of `separator` becomes a line feed followed by a carriage return. One
// pass from left to right: a separator made of those characters, or an empty one, cannot
// make the replacement run on.
QString ReplaceHintSeparator(const QString& text, const QString& separator);

// The lines of a text as it is drawn: CR LF, LF CR, a lone CR and a lone LF each end a line.
QStringList HintLines(const QString& text);

// The size of the lines drawn one below the other, left-aligned.
QSize MeasureHintLines(const QStringList& lines, const QFont& font);
// Draws the lines with their top-left at `topLeft`.
void DrawHintLines(class QPainter& p, const QStringList& lines, const QFont& font,
                   const QPoint& topLeft);

// The window's frame for content of w x h: its size and, with a skin, the corner points
// and client rectangle scaled to it (HintClientArea).
struct TspHintFrame {
  QSize Size;
  TspNinePartGeometry Scaled;
  QRect ClientArea() const { return Scaled.ClientRect.ToQRect(); }
};
// `widthMargin` is what the layout adds to the width beyond the picture's margins (5 for
// plain hints, 10 for titled ones). The size grows so that the scaled corner points keep
// their order, so a tiny text never makes a window smaller than the picture's corners.
TspHintFrame MakeHintFrame(const TspHintLook& look, int w, int h, int widthMargin);

// The window's rectangle at the proposed top-left: moved left by its width + 2 when it
// would pass the area's right edge, up by its height + 2 when it would pass the bottom.
QRect PlaceHint(const QPoint& proposed, const QSize& size, const QRect& area);
