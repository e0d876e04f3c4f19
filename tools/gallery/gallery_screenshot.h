#pragma once
// Pictures of the gallery window, one per skin, for reviewing skins without a screen.

#include <QString>

class TGalleryWindow;

// Shows each built-in skin and no skin in turn and writes the window's picture as
// DIR/gallery-<skin>.png (gallery-sknBlue.png, ..., gallery-noskin.png). Returns false with
// `error` set when a file cannot be written.
bool WriteGalleryScreenshots(TGalleryWindow& window, const QString& dir, QString* error);
