#include "skin/data/skin_payload.h"
#include "skin/render/bmp_codec.h"
#include "skin/render/skin_error.h"
#include "skin_fixtures.h"

#include <QBuffer>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

TspSkinPayload FullPayload(int version) {
  TspSkinPayload p;
  p.Version = version;
  p.Picture = PatternImage(5, 3, 1);
  p.InactivePicture = PatternImage(5, 3, 2);
  p.MaskPicture = PatternImage(5, 3, 3);
  p.RollUpPicture = PatternImage(4, 2, 4);
  p.RollUpMaskPicture = PatternImage(4, 2, 5);
  p.ActivePictures = {PatternImage(3, 3, 6), PatternImage(2, 7, 7)};
  p.DescriptionText = "[VERSION]\r\nskinname=x\r\n";
  return p;
}

} // namespace

// Which fixed slots each payload version carries; a writer drops what the version lacks.
TEST(SkinPayload, RoundTripKeepsTheSlotsOfEachVersion) {
  struct Case {
    int Version;
    bool Inactive, RollUp;
  } cases[] = {
      {-1, false, false}, {0, false, false}, {1, false, true}, {2, true, true}, {3, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Version);
    const TspSkinPayload in = FullPayload(c.Version);
    const TspSkinPayload out = ReadSkinPayload(WriteSkinPayload(in));
    EXPECT_EQ(out.Version, c.Version);
    EXPECT_TRUE(SamePixels(out.Picture, in.Picture));
    EXPECT_TRUE(SamePixels(out.MaskPicture, in.MaskPicture));
    EXPECT_EQ(out.InactivePicture.isNull(), !c.Inactive);
    if (c.Inactive) {
      EXPECT_TRUE(SamePixels(out.InactivePicture, in.InactivePicture));
    }
    EXPECT_EQ(out.RollUpPicture.isNull(), !c.RollUp);
    EXPECT_EQ(out.RollUpMaskPicture.isNull(), !c.RollUp);
    if (c.RollUp) {
      EXPECT_TRUE(SamePixels(out.RollUpMaskPicture, in.RollUpMaskPicture));
    }
    ASSERT_EQ(out.ActivePictures.size(), 2u);
    EXPECT_TRUE(SamePixels(out.ActivePictures[1], in.ActivePictures[1]));
    EXPECT_EQ(out.DescriptionText, in.DescriptionText);
  }
}

// The built-in layout: V = 3, picture and inactive picture, empty mask, active pictures.
TEST(SkinPayload, ByteLayoutOfVersionThree) {
  TspSkinPayload p;
  p.Version = 3;
  p.Picture = PatternImage(2, 2, 1);
  p.InactivePicture = PatternImage(2, 2, 2);
  p.RollUpPicture = PatternImage(2, 2, 3); // V = 3 has no roll-up slot: not written
  p.ActivePictures = {PatternImage(1, 1, 4)};
  p.DescriptionText = "tail";
  const QByteArray bmp = WriteBmp24(p.Picture);
  const QByteArray bytes = WriteSkinPayload(p);
  const QByteArray expected = Int32LE(3) + '\0' + bmp + '\0' + WriteBmp24(p.InactivePicture) +
                              '\1' + Int32LE(1) + WriteBmp24(p.ActivePictures[0]) + "tail";
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(bytes.mid(5, 2), "BM");
}

TEST(SkinPayload, CountOfZeroOrLessMeansNoActivePictures) {
  for (qint32 count : {0, -1, INT32_MIN}) {
    const QByteArray bytes = Int32LE(3) + "\1\1\1" + Int32LE(count) + "[A]\r\nk=v\r\n";
    const TspSkinPayload p = ReadSkinPayload(bytes);
    EXPECT_TRUE(p.ActivePictures.empty());
    EXPECT_TRUE(p.Picture.isNull());
    EXPECT_EQ(p.DescriptionText, "[A]\r\nk=v\r\n");
  }
}

TEST(SkinPayload, VersionFourOrMoreIsNotRead) {
  const TspSkinPayload p = ReadSkinPayload(Int32LE(4) + QByteArray("\0garbage", 8));
  EXPECT_EQ(p.Version, 4);
  EXPECT_TRUE(p.Picture.isNull());
  EXPECT_TRUE(p.DescriptionText.isEmpty());
}

// Every cut of a valid payload inside its fixed fields, and size fields that lie, end in
// a skin error rather than a crash or a giant allocation.
TEST(SkinPayload, TruncatedOrLyingPayloadsThrow) {
  TspSkinPayload p = FullPayload(2);
  p.DescriptionText.clear();
  const QByteArray good = WriteSkinPayload(p);
  for (qsizetype cut = 0; cut < good.size(); ++cut) {
    SCOPED_TRACE(cut);
    EXPECT_THROW(ReadSkinPayload(good.left(cut)), ESkinError);
  }
  const QByteArray bmp = WriteBmp24(PatternImage(2, 2, 1));
  QByteArray hugeSize = bmp;
  hugeSize.replace(2, 4, Int32LE(0x7FFFFFF0));
  QByteArray tinySize = bmp;
  tinySize.replace(2, 4, Int32LE(3));
  const QByteArray lies[] = {
      Int32LE(3) + '\0' + hugeSize + "\1\1" + Int32LE(0),
      Int32LE(3) + '\0' + tinySize + "\1\1" + Int32LE(0),
      Int32LE(3) + "\1\1\1" + Int32LE(0x7FFFFFFF) + bmp, // count far above the pictures held
      Int32LE(3) + QByteArray(1, 0) + "NOTABMP-----------------------" + Int32LE(0),
  };
  for (const QByteArray& bytes : lies) EXPECT_THROW(ReadSkinPayload(bytes), ESkinError);
}

// Each picture is bounded on its own; the pictures of one payload are bounded together,
// the slots and the active pictures alike, so repeating a large picture cannot add up.
TEST(SkinPayload, PicturesTogetherStayWithinThePixelLimit) {
  const QByteArray payload = WriteSkinPayload(FullPayload(2));
  const qint64 total = 3 * 15 + 2 * 8 + 9 + 14;
  EXPECT_EQ(ReadSkinPayload(payload, total).ActivePictures.size(), 2u);
  EXPECT_THROW(ReadSkinPayload(payload, total - 1), EOutOfResources);
  EXPECT_THROW(ReadSkinPayload(payload, 15 * 2), EOutOfResources); // within the slots
}

TEST(SkinPayload, CompressionUsesTheMaximumLevel) {
  const QByteArray payload = WriteSkinPayload(FullPayload(3));
  const QByteArray z = CompressPayload(payload);
  ASSERT_GE(z.size(), 2);
  EXPECT_EQ(quint8(z[0]), 0x78);
  EXPECT_EQ(quint8(z[1]), 0xDA);
  TspCompressedStoredSkin skin;
  skin.SetCompressedStream(z);
  EXPECT_EQ(skin.Decompress(), payload);
}
