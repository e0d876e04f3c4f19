#pragma once
// Little-endian integers and bounded reads on the byte streams of skin packages.
// Every reader throws EReadError when the stream ends early, so a truncated package
// never leaves a half-read field behind.

#include <QByteArray>
#include <QIODevice>
#include <QtGlobal>

// Four bytes, signed, little-endian.
qint32 ReadInt32LE(QIODevice& src);
void WriteInt32LE(QIODevice& dst, qint32 value);
void AppendInt32LE(QByteArray& dst, qint32 value);

// Exactly `count` bytes or EReadError. Memory grows with the bytes actually read,
// so a size field that lies cannot make us allocate what the stream does not hold.
QByteArray ReadExactly(QIODevice& src, qint64 count);

// Writes all of `data` or throws ESkinError.
void WriteAll(QIODevice& dst, const QByteArray& data);
