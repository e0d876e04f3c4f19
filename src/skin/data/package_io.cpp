#include "skin/data/package_io.h"

#include "skin/render/skin_error.h"

#include <QtEndian>

qint32 ReadInt32LE(QIODevice& src) {
  char bytes[4];
  if (src.read(bytes, 4) != 4) throw EReadError("Stream read error: integer field cut short");
  return qFromLittleEndian<qint32>(bytes);
}

void WriteInt32LE(QIODevice& dst, qint32 value) {
  char bytes[4];
  qToLittleEndian<qint32>(value, bytes);
  if (dst.write(bytes, 4) != 4) throw ESkinError("Stream write error");
}

void AppendInt32LE(QByteArray& dst, qint32 value) {
  char bytes[4];
  qToLittleEndian<qint32>(value, bytes);
  dst.append(bytes, 4);
}

QByteArray ReadExactly(QIODevice& src, qint64 count) {
  if (count < 0) throw EReadError("Stream read error: negative length");
  if (!src.isSequential() && count > src.size() - src.pos())
    throw EReadError("Stream read error: length beyond the end of the stream");
  constexpr qint64 kChunk = 1 << 20;
  QByteArray out;
  out.reserve(qsizetype(qMin(count, kChunk)));
  while (out.size() < count) {
    const qint64 want = qMin(kChunk, count - out.size());
    const QByteArray part = src.read(want);
    if (part.isEmpty()) throw EReadError("Stream read error: data cut short");
    out.append(part);
  }
  return out;
}

void WriteAll(QIODevice& dst, const QByteArray& data) {
  if (dst.write(data) != data.size()) throw ESkinError("Stream write error");
}
