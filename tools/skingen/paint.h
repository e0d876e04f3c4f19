#pragma once
// Drawing primitives shared by every skin picture: flat fills, crisp 1-pixel edges,
// rounded boxes whose straight edges stay on whole pixels, and small line glyphs.

#include <QColor>
#include <QImage>
#include <QRect>

// A picture part of the given size, filled with one colour (RGB32).
QImage NewPart(int width, int height, const QColor& fill);
QImage NewPart(QSize size, const QColor& fill);

void FillRect(QImage& img, const QRect& r, const QColor& c);
void HLine(QImage& img, int x0, int x1, int y, const QColor& c); // x0..x1 inclusive
void VLine(QImage& img, int x, int y0, int y1, const QColor& c); // y0..y1 inclusive
void SetPixel(QImage& img, int x, int y, const QColor& c);

// A box with a 1-pixel edge (an invalid edge colour draws none) and corner radius r.
// Straight edges land on whole pixels; only the corners are smoothed, against the
// colour already in the picture outside the box.
void RoundedBox(QImage& img, const QRect& r, double radius, const QColor& fill, const QColor& edge);
// A filled circle inside r, smoothed, with an optional 1-pixel ring.
void Disc(QImage& img, const QRectF& r, const QColor& fill, const QColor& ring = QColor());

enum class TGlyphDirection { Up, Down, Left, Right };
// A chevron of 1-pixel lines: `size` is its half-width (Down with size 3 is 7 wide and
// 4 high), centred on (cx, cy).
void Chevron(QImage& img, int cx, int cy, int size, TGlyphDirection dir, const QColor& c);
// A check mark filling about a 9 x 7 area centred on (cx, cy), smoothed, `weight` thick.
void CheckMark(QImage& img, double cx, double cy, double weight, const QColor& c);
// The caption button glyphs, 10 x 10 pixels of 1-pixel lines with their top-left at (x, y).
void GlyphClose(QImage& img, int x, int y, const QColor& c);
void GlyphMaximize(QImage& img, int x, int y, const QColor& c);
void GlyphRestore(QImage& img, int x, int y, const QColor& c, const QColor& background);
void GlyphMinimize(QImage& img, int x, int y, const QColor& c);
void GlyphMenu(QImage& img, int x, int y, const QColor& c);

// A copy of the rectangle r of src.
QImage Crop(const QImage& src, const QRect& r);
// Writes `part` into `img` at (x, y).
void Blit(QImage& img, int x, int y, const QImage& part);
