#pragma once
// Text with a soft halo (shadow or glow) or with a fading reflection below it, drawn by
// labels, status panels and the frame's caption. The text itself is drawn by the caller
// on top; these routines draw only the effect.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

// The text's shape, blurred by `size` pixels, in `color`: drawn as `text` would be drawn
// into `textRect` with `flags`, moved by `offset`. A shadow has an offset; a glow has
// none and a light colour.
void DrawTextHalo(QPainter& p, const QRect& textRect, const QFont& font, int flags,
                  const QString& text, const QColor& color, int size, QPoint offset);

// The text mirrored below itself, fading from `color` toward nothing, `offset` pixels
// lower than where the text's last row ends.
void DrawTextReflection(QPainter& p, const QRect& textRect, const QFont& font, int flags,
                        const QString& text, const QColor& color, int offset);
