#pragma once
// Small drawing helpers shared by the frame and the skinned controls.

#include "skin/render/geometry.h"

#include <QImage>

class QPainter;

// A colour with the high bit set is a reference to a system colour: its low byte
// is the index of the platform's system colour table (window, button face, button
// shadow, highlight, ...), answered from the application's current palette.
// Unknown indices give black. Any other colour is plain 0x00BBGGRR.
TColor ColorToRGB(TColor color);

// Each of red, green and blue becomes c - round(c * p / 100), halves rounded away
// from zero and the result kept within 0..255.
TColor DarkenColor(TColor color, int p);

// Draws glyph n (from 1) of a strip of `count` glyphs side by side at (x, y),
// leaving out the pixels of the glyph's bottom-left colour. Glyphs are
// strip width div count wide; nothing is drawn for an empty strip or a glyph
// outside it.
void DrawGlyphFromStrip(QPainter& painter, int x, int y, int n, int count, const QImage& strip);

// The small arrows of scroll bars, spin buttons and combo boxes, centred in `r`:
// 1 left, 2 right, 3 up, 4 down, 5 a plus sign. Other kinds draw nothing.
void DrawArrow(QPainter& painter, const TspRect& r, TColor color, int kind);
