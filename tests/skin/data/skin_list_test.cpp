#include "skin/data/skin_list.h"
#include "skin/render/skin_error.h"
#include "skin_fixtures.h"

#include <QBuffer>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray StreamWith(const char* description) {
  TspSkinPayload p;
  p.Version = 3;
  p.DescriptionText = description;
  return CompressedSkin(p);
}

QByteArray FormOf(const TspCompressedSkinList& list) {
  QByteArray form;
  QDataStream out(&form, QIODevice::WriteOnly);
  list.WriteStoredForm(out);
  return form;
}

} // namespace

TEST(CompressedSkinList, NewItemsAreNamedByTheirIndex) {
  TspCompressedSkinList list;
  EXPECT_EQ(list.Skins().Count(), 0);
  TspSkinListItem& first = list.Skins().Add();
  TspSkinListItem& second = list.Skins().Add();
  EXPECT_EQ(first.Name(), "spSkin0");
  EXPECT_EQ(second.DisplayName(), "spSkin1");
  EXPECT_EQ(second.Index(), 1);
  EXPECT_EQ(&first.Collection().Owner(), &list);
  EXPECT_TRUE(first.StoredSkin().IsEmpty());

  // Deleting an item destroys its stored skin, so references to it clear.
  QPointer<TspCompressedStoredSkin> ref(&first.StoredSkin());
  list.Skins().Delete(0);
  EXPECT_TRUE(ref.isNull());
  EXPECT_EQ(second.Index(), 0);
}

TEST(CompressedSkinList, StoredFormRoundTrip) {
  TspCompressedSkinList list;
  TspSkinListItem& blue = list.Skins().Add();
  blue.SetName("sknBlue");
  blue.SetDescription("Flat Blue Skin");
  blue.StoredSkin().SetCompressedStream(StreamWith("blue"));
  list.Skins().Add().SetDescription("Flat GreenSkin"); // empty stored skin, default name

  TspCompressedSkinList back;
  back.Skins().Add();
  back.Skins().Add();
  back.Skins().Add();
  QDataStream in(FormOf(list));
  back.ReadStoredForm(in);
  ASSERT_EQ(back.Skins().Count(), 2);
  EXPECT_EQ(back.Skins()[0].Name(), "sknBlue");
  EXPECT_EQ(back.Skins()[0].Description(), "Flat Blue Skin");
  EXPECT_EQ(back.Skins()[0].StoredSkin().CompressedStream(), StreamWith("blue"));
  EXPECT_EQ(back.Skins()[1].Name(), "spSkin1");
  EXPECT_EQ(back.Skins()[1].Description(), "Flat GreenSkin");
  EXPECT_TRUE(back.Skins()[1].StoredSkin().IsEmpty());

  const QByteArray form = FormOf(list);
  QDataStream cut(form.left(form.size() - 3));
  EXPECT_THROW(back.ReadStoredForm(cut), EReadError);
  EXPECT_FALSE(back.Loading());
}

// The item's "Skin" property is a whole package: header then zlib stream.
TEST(CompressedSkinList, ItemSkinPropertyIsAPackage) {
  TspCompressedSkinList list;
  TspSkinListItem& item = list.Skins().Add();
  item.StoredSkin().SetCompressedStream(StreamWith("x"));
  QByteArray form;
  {
    QDataStream out(&form, QIODevice::WriteOnly);
    item.WriteStoredForm(out);
  }
  EXPECT_TRUE(form.contains(PackageOf(StreamWith("x"), 2)));

  // A package of a newer container version reads as an empty skin.
  QByteArray newer;
  {
    QDataStream out(&newer, QIODevice::WriteOnly);
    out << QString("Skin") << PackageOf(StreamWith("x"), 4) << QString("");
  }
  QDataStream in(newer);
  item.ReadStoredForm(in);
  EXPECT_TRUE(item.StoredSkin().IsEmpty());
}

TEST(CompressedSkinList, ItemSettersImportWhenTheListIsDesigned) {
  QTemporaryDir dir;
  const QString path = dir.filePath("green.skn");
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(PackageOf(StreamWith("green")));
  }
  TspCompressedSkinList list;
  TspSkinListItem& item = list.Skins().Add();
  item.SetCompressedFileName(path);
  EXPECT_EQ(item.CompressedFileName(), path);
  EXPECT_TRUE(item.StoredSkin().IsEmpty());

  list.SetDesigning(true);
  item.SetCompressedFileName(path);
  EXPECT_EQ(item.CompressedFileName(), "green.skn");
  EXPECT_EQ(item.StoredSkin().CompressedStream(), StreamWith("green"));

  // Reading the list's stored form stores names without importing.
  TspCompressedSkinList source;
  source.Skins().Add().SetFileName(dir.filePath("absent.ini"));
  QDataStream in(FormOf(source));
  EXPECT_NO_THROW(list.ReadStoredForm(in));
  EXPECT_EQ(list.Skins()[0].FileName(), dir.filePath("absent.ini"));
}
