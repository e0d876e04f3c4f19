#pragma once
// The pictures a working directory ships with: kinds, roles and some animals drawn from the
// colour emoji font on soft backgrounds, and the receipt's logo.

#include <QColor>
#include <QImage>
#include <QString>

// Makes the colour emoji font available; throws EInstallError naming the font file when it
// is not installed.
QString LoadEmojiFont();

// A square picture of the emoji, centred on a soft radial wash of the background colour.
QImage DrawEmojiPicture(const QString& fontFamily, const QString& emoji, QColor background,
                        int side);

// The receipt's logo: a paw print in a ring, on a transparent background.
QImage DrawLogo(int side);
