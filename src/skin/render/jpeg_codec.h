#pragma once
// JPEG pictures (animals, roles, users, pictures stored in window layouts),
// decoded and encoded with libjpeg directly.

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes into QImage::Format_RGB32. Grey, YCbCr, RGB and CMYK/YCCK files are
// accepted. Throws EInvalidGraphic on a corrupt or truncated stream and on
// dimensions beyond kMaxPictureSide / kMaxPicturePixels.
QImage ReadJpeg(const QByteArray& data);

// Throws EReadError when the file cannot be opened or read.
QImage ReadJpegFile(const QString& path);

// Baseline JPEG of the image at the given quality (clamped to 1..100).
// Throws EWriteError for a null image or when the encoder fails.
QByteArray WriteJpeg(const QImage& image, int quality);
