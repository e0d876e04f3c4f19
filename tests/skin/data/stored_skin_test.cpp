#include "skin/data/stored_skin.h"
#include "skin/render/bmp_codec.h"
#include "skin/render/skin_error.h"
#include "skin_fixtures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray SampleStream() {
  TspSkinPayload p;
  p.Version = 3;
  p.Picture = PatternImage(4, 4, 1);
  p.DescriptionText = "[VERSION]\r\n";
  return CompressedSkin(p);
}

void LoadPackage(TspCompressedStoredSkin& skin, const QByteArray& bytes) {
  QBuffer buf;
  buf.setData(bytes);
  buf.open(QIODevice::ReadOnly);
  buf.seek(bytes.size() / 2); // the reader rewinds to the start itself
  skin.LoadFromPackageStream(buf);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

} // namespace

TEST(CompressedStoredSkin, PackageRoundTrip) {
  TspCompressedStoredSkin skin;
  EXPECT_TRUE(skin.IsEmpty());
  skin.SetCompressedStream(SampleStream());
  QByteArray bytes;
  QBuffer out(&bytes);
  out.open(QIODevice::WriteOnly);
  skin.SaveToPackageStream(out);
  EXPECT_EQ(bytes, PackageOf(SampleStream(), 2));
  EXPECT_EQ(skin.PackageBytes(), bytes);

  TspCompressedStoredSkin back;
  LoadPackage(back, bytes);
  EXPECT_EQ(back.CompressedStream(), SampleStream());
}

TEST(CompressedStoredSkin, ContainerVersionAboveThreeReadsAsEmpty) {
  for (qint32 version : {-5, 0, 1, 2, 3, 4, 99}) {
    SCOPED_TRACE(version);
    TspCompressedStoredSkin skin;
    skin.SetCompressedStream("old");
    LoadPackage(skin, PackageOf(SampleStream(), version));
    EXPECT_EQ(skin.IsEmpty(), version > 3);
    if (version <= 3) {
      EXPECT_EQ(skin.CompressedStream(), SampleStream());
    }
  }
}

// Headers that lie about what follows are refused before anything is allocated for them.
TEST(CompressedStoredSkin, DamagedHeadersThrowAndLeaveItEmpty) {
  const QByteArray z = SampleStream();
  const QByteArray cases[] = {
      {},
      Int32LE(2).left(3),
      Int32LE(2),
      Int32LE(2) + Int32LE(-1) + z,
      Int32LE(2) + Int32LE(z.size() + 1) + z,
      Int32LE(2) + Int32LE(0x7FFFFFFF) + z,
  };
  for (const QByteArray& bytes : cases) {
    TspCompressedStoredSkin skin;
    skin.SetCompressedStream("old");
    EXPECT_THROW(LoadPackage(skin, bytes), EReadError);
    EXPECT_TRUE(skin.IsEmpty());
  }
}

TEST(CompressedStoredSkin, DecompressAppendsInflatedPayload) {
  // Larger than one 4,096-byte block, so the block loop runs several times.
  QByteArray payload;
  for (int i = 0; i < 20000; ++i) payload.append(char(i * 31 % 251));
  TspCompressedStoredSkin skin;
  skin.SetCompressedStream(CompressPayload(payload));
  QByteArray target = "head";
  QBuffer buf(&target);
  buf.open(QIODevice::WriteOnly | QIODevice::Append);
  skin.DecompressTo(buf);
  EXPECT_EQ(target, "head" + payload);

  TspCompressedStoredSkin empty;
  EXPECT_TRUE(empty.Decompress().isEmpty());
}

TEST(CompressedStoredSkin, CorruptZlibStreamsThrow) {
  const QByteArray good = CompressPayload(QByteArray(10000, 'x') + "tail of the payload");
  QByteArray flipped = good;
  flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x55);
  QByteArray badChecksum = good;
  badChecksum[badChecksum.size() - 1] = char(badChecksum[badChecksum.size() - 1] ^ 1);
  QByteArray needsDictionary = good;
  needsDictionary[1] = char(0xF9); // FDICT set, header check still valid (0x78F9 % 31 == 0)
  const struct {
    const char* Name;
    QByteArray Stream;
  } cases[] = {
      {"not zlib", "this is not a zlib stream"},
      {"header only", good.left(2)},
      {"cut short", good.left(good.size() - 5)},
      {"flipped byte", flipped},
      {"bad checksum", badChecksum},
      {"needs dictionary", needsDictionary},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TspCompressedStoredSkin skin;
    skin.SetCompressedStream(c.Stream);
    EXPECT_THROW(skin.Decompress(), EDecompressionError);
  }
}

TEST(CompressedStoredSkin, InflatedSizeIsCapped) {
  TspCompressedStoredSkin skin;
  skin.SetCompressedStream(CompressPayload(QByteArray(1 << 20, '\0')));
  EXPECT_THROW(skin.Decompress(64 * 1024), EDecompressionError);
  EXPECT_EQ(skin.Decompress(1 << 20).size(), 1 << 20);
}

TEST(CompressedStoredSkin, StoredFormKeepsCompressedDataAlsoWhenEmpty) {
  for (const QByteArray& data : {QByteArray(), SampleStream()}) {
    TspCompressedStoredSkin skin;
    skin.SetCompressedStream(data);
    skin.SetDescription("Flat Blue Skin");
    QByteArray form;
    {
      QDataStream out(&form, QIODevice::WriteOnly);
      skin.WriteStoredForm(out);
    }

    TspCompressedStoredSkin back;
    back.SetCompressedStream("replaced");
    QDataStream in(form);
    back.ReadStoredForm(in);
    EXPECT_EQ(back.CompressedStream(), data);
    EXPECT_EQ(back.IsEmpty(), data.isEmpty());
    EXPECT_EQ(back.Description(), "Flat Blue Skin");

    for (qsizetype cut : {qsizetype(0), form.size() / 2, form.size() - 1}) {
      QDataStream damaged(form.left(cut));
      EXPECT_THROW(back.ReadStoredForm(damaged), EReadError);
    }
  }
}

// At run time the file-name setters only store; in a designer they keep the file part and
// import, except while the stored form is read.
TEST(CompressedStoredSkin, FileNameSettersImportOnlyInADesigner) {
  QTemporaryDir dir;
  const QString path = dir.filePath("blue.skn");
  WriteFile(path, PackageOf(SampleStream()));

  TspCompressedStoredSkin skin;
  EXPECT_FALSE(skin.Designing());
  skin.SetCompressedFileName(path);
  EXPECT_EQ(skin.CompressedFileName(), path);
  EXPECT_TRUE(skin.IsEmpty());

  skin.SetDesigning(true);
  skin.SetCompressedFileName(path);
  EXPECT_EQ(skin.CompressedFileName(), "blue.skn");
  EXPECT_EQ(skin.CompressedStream(), SampleStream());

  TspCompressedStoredSkin reader;
  reader.SetDesigning(true);
  QByteArray form;
  {
    QDataStream out(&form, QIODevice::WriteOnly);
    TspCompressedStoredSkin source;
    source.SetCompressedFileName(path + ".missing"); // would throw if imported
    source.WriteStoredForm(out);
  }
  QDataStream in(form);
  EXPECT_NO_THROW(reader.ReadStoredForm(in));
  EXPECT_EQ(reader.CompressedFileName(), path + ".missing");
  EXPECT_FALSE(reader.Loading());
}

TEST(CompressedStoredSkin, ImportPackageFile) {
  QTemporaryDir dir;
  TspCompressedStoredSkin skin;
  skin.SetCompressedStream("old");
  EXPECT_THROW(skin.ImportPackageFile(dir.filePath("absent.skn")), EReadError);
  EXPECT_TRUE(skin.IsEmpty());

  WriteFile(dir.filePath("new.skn"), PackageOf(SampleStream(), 4));
  skin.SetCompressedStream("old");
  skin.ImportPackageFile(dir.filePath("new.skn"));
  EXPECT_TRUE(skin.IsEmpty());

  WriteFile(dir.filePath("ok.skn"), PackageOf(SampleStream(), 3));
  skin.ImportPackageFile(dir.filePath("ok.skn"));
  EXPECT_EQ(skin.CompressedStream(), SampleStream());
}

class ImportDescriptionTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    QDir().mkpath(Dir.filePath("sub"));
    WriteBmpFile(PatternImage(6, 4, 1), Dir.filePath("main.bmp"));
    WriteBmpFile(PatternImage(6, 4, 2), Dir.filePath("rollup.bmp"));
    WriteBmpFile(PatternImage(3, 3, 3), Dir.filePath("a0.bmp"));
    WriteBmpFile(PatternImage(2, 5, 4), Dir.filePath("sub/a1.bmp"));
  }
  QString Describe(const QByteArray& text) {
    const QString path = Dir.filePath("skin.ini");
    WriteFile(path, text);
    return path;
  }
  QTemporaryDir Dir;
};

TEST_F(ImportDescriptionTest, BuildsAVersionTwoPackage) {
  // LF-only and CR-only line ends are read as lines too; the payload gets CR LF.
  const QByteArray text = "[VERSION]\r\nskinname=Test\n[PICTURES]\r\npicture=main.bmp\r\n"
                          "inactivepicture=\r\nmask=\r\nrolluppicture=rollup.bmp\r\n"
                          "activepicturescount=2\r0=a0.bmp\r\n1=sub/a1.bmp\r\n"
                          "[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\ncount=0";
  TspCompressedStoredSkin skin;
  skin.ImportDescription(Describe(text));
  ASSERT_FALSE(skin.IsEmpty());
  EXPECT_EQ(quint8(skin.CompressedStream()[1]), 0xDA);

  const QByteArray payload = skin.Decompress();
  const QByteArray main = WriteBmp24(PatternImage(6, 4, 1));
  // Version 2, then picture (flag 0), inactive (1), mask (1: empty value), roll-up (0).
  EXPECT_EQ(payload.left(5 + main.size() + 3),
            Int32LE(2) + QByteArray(1, 0) + main + QByteArray("\1\1\0", 3));
  const TspSkinPayload p = ReadSkinPayload(payload);
  EXPECT_TRUE(SamePixels(p.Picture, PatternImage(6, 4, 1)));
  EXPECT_TRUE(p.InactivePicture.isNull());
  EXPECT_TRUE(p.MaskPicture.isNull());
  EXPECT_TRUE(SamePixels(p.RollUpPicture, PatternImage(6, 4, 2)));
  EXPECT_TRUE(p.RollUpMaskPicture.isNull());
  ASSERT_EQ(p.ActivePictures.size(), 2u);
  EXPECT_TRUE(SamePixels(p.ActivePictures[1], PatternImage(2, 5, 4)));
  EXPECT_EQ(p.DescriptionText, "[VERSION]\r\nskinname=Test\r\n[PICTURES]\r\npicture=main.bmp\r\n"
                               "inactivepicture=\r\nmask=\r\nrolluppicture=rollup.bmp\r\n"
                               "activepicturescount=2\r\n0=a0.bmp\r\n1=sub/a1.bmp\r\n"
                               "[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\ncount=0\r\n");
}

TEST_F(ImportDescriptionTest, MissingSectionChangesNothing) {
  const char* sections[] = {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"};
  for (const char* missing : sections) {
    QByteArray text;
    for (const char* s : sections)
      if (qstrcmp(s, missing) != 0) text += QByteArray("[") + s + "]\r\n";
    TspCompressedStoredSkin skin;
    skin.SetCompressedStream("old");
    skin.ImportDescription(Describe(text));
    EXPECT_EQ(skin.CompressedStream(), "old") << missing;
  }
}

TEST_F(ImportDescriptionTest, UnreadableBitmapClearsAndThrows) {
  const QByteArray head = "[VERSION]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n"
                          "[PICTURES]\r\n";
  WriteFile(Dir.filePath("broken.bmp"), "BM not really a bitmap");
  const QByteArray cases[] = {
      head + "picture=absent.bmp\r\n", head + "mask=broken.bmp\r\n",
      head + "activepicturescount=2\r\n0=a0.bmp\r\n", // item "1" missing
  };
  for (const QByteArray& text : cases) {
    TspCompressedStoredSkin skin;
    skin.SetCompressedStream("old");
    EXPECT_THROW(skin.ImportDescription(Describe(text)), ESkinError);
    EXPECT_TRUE(skin.IsEmpty());
  }
  TspCompressedStoredSkin skin;
  EXPECT_THROW(skin.ImportDescription(Dir.filePath("absent.ini")), EReadError);
}
