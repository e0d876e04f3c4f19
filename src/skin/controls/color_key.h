#pragma once
// Pieces of a skin picture drawn with one colour left out (grips, progress images, check
// images): the skins mark what shows through by a key colour rather than by alpha.

#include <QImage>

// Makes `image` ARGB32 (in place when it already is) and every pixel whose RGB is that of
// `key` fully transparent; the other pixels are left as they are.
void KeyOutColor(QImage& image, QRgb key);
