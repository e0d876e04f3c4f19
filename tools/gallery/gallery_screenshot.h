#pragma once
// Pictures of the gallery window, one per skin, for reviewing skins without a screen.

#include <QString>
#include <QStringList>

class TGalleryWindow;

// Shows each built-in skin, no skin, and then each package of `packages` in turn, and
// writes the window's picture as DIR/gallery-<skin>.png (gallery-sknBlue.png, ...,
// gallery-noskin.png, and gallery-<file name without extension>.png per package).
// A package that cannot be shown is skipped with a line in `errors`; a file that cannot be
// written stops. Returns true when every picture was written.
bool WriteGalleryScreenshots(TGalleryWindow& window, const QString& dir,
                             const QStringList& packages, QStringList* errors);
