#include "skin/data/skin_payload.h"

#include "skin/data/package_io.h"
#include "skin/render/bmp_codec.h"
#include "skin/render/skin_error.h"

#include <QBuffer>
#include <zlib.h>

std::vector<TspPayloadSlot> PayloadSlots(int version) {
  using S = TspPayloadSlot;
  switch (version) {
  case 1:
    return {S::Picture, S::MaskPicture, S::RollUpPicture, S::RollUpMaskPicture};
  case 2:
    return {S::Picture, S::InactivePicture, S::MaskPicture, S::RollUpPicture, S::RollUpMaskPicture};
  case 3:
    return {S::Picture, S::InactivePicture, S::MaskPicture};
  default:
    // Below 1 (and, for writers only, above 3): main picture and mask.
    return {S::Picture, S::MaskPicture};
  }
}

QImage& TspSkinPayload::Slot(TspPayloadSlot slot) {
  return const_cast<QImage&>(std::as_const(*this).Slot(slot));
}

const QImage& TspSkinPayload::Slot(TspPayloadSlot slot) const {
  switch (slot) {
  case TspPayloadSlot::Picture:
    return Picture;
  case TspPayloadSlot::InactivePicture:
    return InactivePicture;
  case TspPayloadSlot::MaskPicture:
    return MaskPicture;
  case TspPayloadSlot::RollUpPicture:
    return RollUpPicture;
  case TspPayloadSlot::RollUpMaskPicture:
    break;
  }
  return RollUpMaskPicture;
}

int TspPayloadReader::ReadVersion() {
  return ReadInt32LE(FSrc);
}

QImage TspPayloadReader::ReadSlot() {
  char flag = 0;
  if (!FSrc.getChar(&flag)) throw EReadError("Skin payload: picture flag missing");
  return flag == 0 ? ReadPicture() : QImage();
}

int TspPayloadReader::ReadActiveCount() {
  return qMax(0, ReadInt32LE(FSrc));
}

QImage TspPayloadReader::ReadPicture() {
  QImage picture = ReadBmpFromStream(FSrc);
  const qint64 pixels = qint64(picture.width()) * picture.height();
  if (pixels > FPixelsLeft)
    throw EOutOfResources("Skin payload: more picture pixels than one skin may hold");
  FPixelsLeft -= pixels;
  return picture;
}

QByteArray TspPayloadReader::ReadRest() {
  return FSrc.readAll();
}

TspSkinPayload ReadSkinPayload(QIODevice& src, qint64 maxPixels) {
  TspPayloadReader reader(src, maxPixels);
  TspSkinPayload p;
  p.Version = reader.ReadVersion();
  if (p.Version > kMaxPayloadVersion) return p;
  for (TspPayloadSlot slot : PayloadSlots(p.Version)) p.Slot(slot) = reader.ReadSlot();
  // The count is not trusted for reserving: each picture must be in the stream.
  const int count = reader.ReadActiveCount();
  for (int i = 0; i < count; ++i) p.ActivePictures.push_back(reader.ReadPicture());
  p.DescriptionText = reader.ReadRest();
  return p;
}

TspSkinPayload ReadSkinPayload(const QByteArray& payload, qint64 maxPixels) {
  QBuffer buf;
  buf.setData(payload);
  buf.open(QIODevice::ReadOnly);
  return ReadSkinPayload(buf, maxPixels);
}

QByteArray WriteSkinPayload(const TspSkinPayload& payload) {
  QByteArray out;
  QBuffer buf(&out);
  buf.open(QIODevice::WriteOnly);
  WriteInt32LE(buf, payload.Version);
  for (TspPayloadSlot slot : PayloadSlots(payload.Version)) {
    const QImage& img = payload.Slot(slot);
    if (img.isNull()) {
      buf.putChar(1);
    } else {
      buf.putChar(0);
      WriteAll(buf, WriteBmp24(img));
    }
  }
  WriteInt32LE(buf, qint32(payload.ActivePictures.size()));
  for (const QImage& img : payload.ActivePictures) WriteAll(buf, WriteBmp24(img));
  WriteAll(buf, payload.DescriptionText);
  return out;
}

QByteArray CompressPayload(const QByteArray& payload) {
  // zlib counts in uInt; a skin payload is a few MiB, so one call does it.
  if (payload.size() > qsizetype(1) << 30) throw EOutOfResources("Skin payload is too large");
  z_stream zs{};
  if (deflateInit(&zs, Z_BEST_COMPRESSION) != Z_OK)
    throw EOutOfResources("zlib: cannot start deflating");
  QByteArray out;
  out.resize(qsizetype(deflateBound(&zs, uLong(payload.size()))));
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(payload.constData()));
  zs.avail_in = uInt(payload.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = uInt(out.size());
  const int ret = deflate(&zs, Z_FINISH);
  const qsizetype written = qsizetype(zs.total_out);
  deflateEnd(&zs);
  if (ret != Z_STREAM_END) throw EOutOfResources("zlib: deflating the skin payload failed");
  out.resize(written);
  return out;
}
