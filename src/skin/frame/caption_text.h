#pragma once
// Where the caption text goes: shortened with "..." to its rectangle, then placed by the
// caption's alignment.

#include "skin/data/skin_values.h"
#include "skin/render/geometry.h"

#include <QFontMetrics>
#include <QPoint>
#include <QString>

// `text` when it fits `width`; otherwise the longest start of it followed by "..." that
// fits, down to "..." alone.
QString TrimCaption(const QString& text, const QFontMetrics& metrics, int width);

// The text's top-left corner in `tr` for a text of tw x th: vertically centred (one pixel
// higher with an odd font height), horizontally by `alignment`.
QPoint CaptionTextOrigin(const TspRect& tr, int tw, int th, TspAlignment alignment, int fontHeight);
