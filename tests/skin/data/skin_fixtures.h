#pragma once
// Small skins built in the tests: tiny pictures, payloads and packages.

#include "skin/data/skin_payload.h"
#include "skin/data/stored_skin.h"

#include <QByteArray>
#include <QImage>
#include <QtEndian>

// A picture whose every pixel differs, so a swapped or shifted picture shows.
inline QImage PatternImage(int w, int h, int seed) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) row[x] = qRgb((seed * 40 + x) & 0xFF, (y * 7) & 0xFF, seed & 0xFF);
  }
  return img;
}

inline QImage SolidImage(int w, int h, QRgb colour) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(colour);
  return img;
}

inline QByteArray Int32LE(qint32 v) {
  char b[4];
  qToLittleEndian<qint32>(v, b);
  return QByteArray(b, 4);
}

// Container version, length and zlib stream.
inline QByteArray PackageOf(const QByteArray& zlibStream, qint32 version = 2) {
  return Int32LE(version) + Int32LE(qint32(zlibStream.size())) + zlibStream;
}

inline QByteArray CompressedSkin(const TspSkinPayload& payload) {
  return CompressPayload(WriteSkinPayload(payload));
}

// Compare as RGB32, which is what the readers give.
inline bool SamePixels(const QImage& a, const QImage& b) {
  return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}
