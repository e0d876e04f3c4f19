#pragma once
// BMP pictures as skin packages and skin folders hold them: read into
// QImage::Format_RGB32 (Format_ARGB32 for a 32-bit picture that carries alpha),
// written as plain 24-bit bottom-up files.

#include <QByteArray>
#include <QImage>
#include <QString>

class QIODevice;

// The largest width or height a picture file may declare (BMP or JPEG); larger ones are refused
// before anything is allocated.
constexpr int kMaxPictureSide = 32768;
// The largest number of pixels a decoded picture may hold (256 MiB as RGB32).
constexpr qint64 kMaxPicturePixels = qint64(1) << 26;

// Decodes a complete BMP file: 1, 4, 8, 16, 24 and 32 bits per pixel, BI_RGB and
// BI_BITFIELDS, bottom-up and top-down rows, colour tables. 32-bit pictures keep
// their fourth byte as alpha (Format_ARGB32) only when some pixel has a non-zero one.
// Throws EInvalidGraphic on malformed input.
QImage ReadBmp(const QByteArray& file);

// Reads one picture stored inside a larger stream: the 14-byte file header, whose
// size field gives the length of the whole picture, then exactly that many bytes
// less 14. Throws EReadError when the stream ends early and EInvalidGraphic when the
// size field cannot be a picture's or exceeds what the stream still holds.
QImage ReadBmpFromStream(QIODevice& in);

// Throws EReadError when the file cannot be opened or read.
QImage ReadBmpFile(const QString& path);

// A standard 24-bit BI_RGB file: 14-byte header with the total size, 40-byte info
// header, bottom-up rows padded to 4 bytes. Throws EWriteError for a null image.
QByteArray WriteBmp24(const QImage& image);

// Writes atomically (temporary file, then rename); throws EWriteError on failure.
void WriteBmpFile(const QImage& image, const QString& path);
