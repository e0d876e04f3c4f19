// vorns-gallery run as a separate program, the way a skin author takes pictures of a skin:
// each test starts the real binary in its screenshot mode and looks at the pictures.

#include "skin/builtin/builtin_skins.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "tool_run.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

// The gallery is built beside skintool unless the build names it.
QString GalleryPath() {
#ifdef VORNS_GALLERY
  return QStringLiteral(VORNS_GALLERY);
#else
  return QFileInfo(QStringLiteral(SKINTOOL)).dir().filePath("../gallery/vorns-gallery");
#endif
}

ToolRun RunGallery(const QStringList& args) {
  return RunProgram(GalleryPath(), args, 120000);
}

// The accent of each built-in skin: its highlight colour (selections, the checked button).
const std::map<QString, QRgb>& Accents() {
  static const std::map<QString, QRgb> accents = [] {
    std::map<QString, QRgb> map;
    std::unique_ptr<TspCompressedSkinList> list(CreateBuiltinSkinList(nullptr));
    for (int i = 0; i < list->Skins().Count(); ++i) {
      TspSkinData skin;
      skin.LoadCompressedStoredSkin(&list->Skins()[i].StoredSkin());
      map[list->Skins()[i].Name()] = ColorToQColor(skin.SkinColors.chighlight).rgb();
    }
    return map;
  }();
  return accents;
}

int CountPixels(const QImage& image, QRgb color) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  int n = 0;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) n += (line[x] & 0xFFFFFF) == (color & 0xFFFFFF);
  }
  return n;
}

// Which accents a picture shows (in at least a button's worth of pixels).
std::vector<QString> AccentsIn(const QImage& image) {
  std::vector<QString> found;
  for (const auto& [name, color] : Accents())
    if (CountPixels(image, color) > 500) found.push_back(name);
  return found;
}

void WritePackage(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray BuiltinPackage(int index) {
  std::unique_ptr<TspCompressedSkinList> list(CreateBuiltinSkinList(nullptr));
  return list->Skins()[index].StoredSkin().PackageBytes();
}

} // namespace

// One picture per skin and sheet at the window's size, each in its own skin's accent and no
// other; the pictures without a skin in none of them.
TEST(GalleryScreenshots, EachSkinIsPaintedInItsOwnColours) {
  QTemporaryDir dir;
  const ToolRun run = RunGallery({"--screenshot", dir.path()});
  ASSERT_TRUE(run.Exited && run.Status == 0) << run.Status << " " << run.Err.toStdString();
  EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 15);

  ASSERT_EQ(Accents().size(), 4u);
  for (const QString sheet : {"", "-2", "-3"}) {
    for (const auto& [name, color] : Accents()) {
      const QImage picture(dir.filePath("gallery-" + name + sheet + ".png"));
      ASSERT_FALSE(picture.isNull()) << name.toStdString() << sheet.toStdString();
      // The layout's 970 x 671 in the built-in skins' frame: 4-pixel borders, 30-pixel caption.
      EXPECT_EQ(picture.size(), QSize(978, 705));
      EXPECT_EQ(AccentsIn(picture), std::vector<QString>{name}) << name.toStdString();
    }
    const QImage plain(dir.filePath("gallery-noskin" + sheet + ".png"));
    ASSERT_FALSE(plain.isNull());
    EXPECT_EQ(plain.size(), QSize(978, 705));
    EXPECT_TRUE(AccentsIn(plain).empty());
  }
}

// Packages named on the command line get pictures too; one that cannot be read is
// reported on one line, fails the run, and costs no other picture.
TEST(GalleryScreenshots, PackagesFromTheCommandLine) {
  QTemporaryDir dir;
  const QString good = dir.filePath("author.skn");
  const QString truncated = dir.filePath("cut.skn");
  const QString garbage = dir.filePath("garbage.skn");
  const QByteArray green = BuiltinPackage(1);
  WritePackage(good, green);
  WritePackage(truncated, green.left(green.size() / 2));
  WritePackage(garbage, QByteArray("\x02\x00\x00\x00\x10\x00\x00\x00not a zlib stream", 25));
  const QString out = dir.filePath("pictures");

  const ToolRun run = RunGallery({"--screenshot", out, truncated, good, garbage});
  ASSERT_TRUE(run.Exited) << run.Err.toStdString();
  EXPECT_EQ(run.Status, 1);
  const QList<QByteArray> lines = run.Err.trimmed().split('\n');
  ASSERT_EQ(lines.size(), 2) << run.Err.toStdString();
  EXPECT_TRUE(lines[0].contains("cut.skn")) << lines[0].toStdString();
  EXPECT_TRUE(lines[1].contains("garbage.skn")) << lines[1].toStdString();

  EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 18);
  EXPECT_EQ(AccentsIn(QImage(QDir(out).filePath("gallery-author.png"))),
            std::vector<QString>{"sknGreen"});
}

TEST(GalleryScreenshots, MissingDirectoryIsAUsageError) {
  const ToolRun run = RunGallery({"--screenshot"});
  EXPECT_TRUE(run.Exited);
  EXPECT_EQ(run.Status, 2);
  EXPECT_FALSE(run.Err.isEmpty());
}
