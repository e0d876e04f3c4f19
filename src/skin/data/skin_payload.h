#pragma once
// The decompressed payload of a skin package:
//   version V (int32 LE);
//   the fixed picture slots V provides, each a flag byte (0: a BMP follows, else empty):
//     main picture (all), inactive picture (V 2 and 3), mask (all),
//     roll-up picture and roll-up mask (V 1 and 2); V below 1 has main picture and mask;
//   active picture count M (int32 LE, 0 or less: none), then M BMPs without flags;
//   the description text: every remaining byte, CR LF lines.
// A BMP is a whole file whose header size field says how many bytes it takes.

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <vector>

// Payload versions this code reads; 4 and above are refused by the readers' callers.
constexpr int kMaxPayloadVersion = 3;
// The pixels that all the pictures of one payload may hold together: as many as one
// picture of the largest size. Pictures are checked one by one, and a 1-bit BMP holds 32
// bytes of picture in each byte of the file, so without a total a package of a few
// hundred kilobytes could decode to gigabytes.
constexpr qint64 kMaxPayloadPixels = qint64(1) << 26;

enum class TspPayloadSlot {
  Picture,
  InactivePicture,
  MaskPicture,
  RollUpPicture,
  RollUpMaskPicture
};

// The fixed slots present in a payload of `version`, in stream order.
std::vector<TspPayloadSlot> PayloadSlots(int version);

struct TspSkinPayload {
  int Version = 2;
  QImage Picture, InactivePicture, MaskPicture, RollUpPicture, RollUpMaskPicture;
  std::vector<QImage> ActivePictures;
  QByteArray DescriptionText;

  QImage& Slot(TspPayloadSlot slot);
  const QImage& Slot(TspPayloadSlot slot) const;
};

// Reads a payload field by field, in stream order, so a caller can stop after any field
// (the skin data object stops after the version when it is 4 or more). Every read throws
// EReadError on a stream that ends early; a damaged BMP throws what the BMP reader throws.
class TspPayloadReader {
public:
  // Pictures read through this reader hold at most `maxPixels` pixels together; the one
  // that would go beyond throws EOutOfResources.
  explicit TspPayloadReader(QIODevice& src, qint64 maxPixels = kMaxPayloadPixels)
      : FSrc(src), FPixelsLeft(maxPixels) {}
  int ReadVersion();
  // One slot: the flag byte and, when it is 0, the picture. A non-zero flag gives a null image.
  QImage ReadSlot();
  // The active picture count, with 0 or less read as 0.
  int ReadActiveCount();
  // One BMP without a flag byte.
  QImage ReadPicture();
  // Every byte left: the description text.
  QByteArray ReadRest();

private:
  QIODevice& FSrc;
  qint64 FPixelsLeft;
};

// The whole payload. One of version 4 or more comes back with only Version set.
TspSkinPayload ReadSkinPayload(QIODevice& src, qint64 maxPixels = kMaxPayloadPixels);
TspSkinPayload ReadSkinPayload(const QByteArray& payload, qint64 maxPixels = kMaxPayloadPixels);

// Writes the slots that Version provides (a null image as flag 1), the active pictures as
// 24-bit BMPs and the description text as it is.
QByteArray WriteSkinPayload(const TspSkinPayload& payload);

// zlib at level 9, so packages begin with the bytes 78 DA.
QByteArray CompressPayload(const QByteArray& payload);
