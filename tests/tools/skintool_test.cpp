// skintool run as a separate program, the way a skin author uses it: every test starts the
// real binary and judges its exit status, its output and the files it writes.

#include "skin/builtin/builtin_skins.h"
#include "skin/data/ini_text.h"
#include "skin/data/record_registry.h"
#include "skin/data/skin_fixtures.h"
#include "skin/data/skin_list.h"
#include "skin/render/bmp_codec.h"
#include "tool_run.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

ToolRun RunTool(const QStringList& args) {
  return RunProgram(QStringLiteral(SKINTOOL), args, 60000);
}

// Bad input: status 1 and one line that says why, never a crash.
::testing::AssertionResult FailedWithOneLine(const ToolRun& r, int status = 1) {
  const bool oneLine = r.Err.endsWith('\n') && r.Err.count('\n') == 1 && r.Err.size() > 12;
  if (r.Exited && r.Status == status && oneLine) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "exited " << r.Exited << " status " << r.Status
                                       << " stderr: \"" << r.Err.toStdString() << "\"";
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(f.write(bytes), bytes.size());
}

// Every file below `root`, as paths relative to it.
std::vector<std::string> FilesBelow(const QString& root) {
  std::vector<std::string> files;
  QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) files.push_back(QDir(root).relativeFilePath(it.next()).toStdString());
  std::sort(files.begin(), files.end());
  return files;
}

QStringList Lines(const QByteArray& text) {
  return QString::fromLocal8Bit(text).split(u'\n', Qt::SkipEmptyParts);
}

// A small skin as an author writes it by hand: a nine-part panel, a horizontal and a
// vertical bar, a fixed bevel, an entry of a type no record kind has, and two records that
// cannot be composed (a picture index past the list, a skin rectangle far larger than any
// picture).
const char* const kDescription[] = {
    "; test skin, written by hand",
    "[VERSION]",
    "ver=1",
    "skinname=Test Skin",
    "skinauthor=Tests",
    "[PICTURES]",
    "picture=frame.bmp",
    "inactivepicture=frameinactive.bmp",
    "mask=",
    "activepicturescount=2",
    "0=controls.bmp",
    "1=glyphs.bmp",
    "[FORMINFO]",
    "lefttoppoint=4,4",
    "righttoppoint=36,4",
    "leftbottompoint=4,26",
    "rightbottompoint=36,26",
    "clientrect=4,4,36,26",
    "[SKINOBJECTS]",
    "count=1",
    "0=caption:caption",
    "[SKINCONTROLS]",
    "count=7",
    "0=panel:panel",
    "1=hbar:panel",
    "2=appmenu:appmenu",
    "3=vbar:panel",
    "4=bevel:bevel",
    "5=nopicture:bevel",
    "6=huge:bevel",
    "[caption]",
    "skinrect=4,0,36,4",
    "[panel]",
    "pictureindex=0",
    "skinrect=0,0,30,20",
    "lefttoppoint=4,4",
    "righttoppoint=26,4",
    "leftbottompoint=4,16",
    "rightbottompoint=26,16",
    "clientrect=4,4,26,16",
    "[hbar]",
    "pictureindex=0",
    "skinrect=0,20,40,30",
    "lefttoppoint=5,0",
    "righttoppoint=35,0",
    "[vbar]",
    "pictureindex=0",
    "skinrect=40,0,50,40",
    "lefttoppoint=0,5",
    "leftbottompoint=0,35",
    "[bevel]",
    "pictureindex=1",
    "skinrect=2,2,14,12",
    "[nopicture]",
    "pictureindex=5",
    "skinrect=0,0,8,8",
    "[huge]",
    "pictureindex=1",
    "skinrect=0,0,60000,60000",
};

struct SkinFixture {
  QByteArray Description;             // the skin.ini bytes, CR LF lines
  std::map<QString, QImage> Pictures; // by file name
  QImage Controls() const { return Pictures.at(QStringLiteral("controls.bmp")); }
};

SkinFixture WriteSkinFixture(const QString& dir) {
  SkinFixture f;
  for (const char* line : kDescription) f.Description.append(line).append("\r\n");
  f.Pictures = {{QStringLiteral("frame.bmp"), PatternImage(40, 30, 1)},
                {QStringLiteral("frameinactive.bmp"), PatternImage(40, 30, 2)},
                {QStringLiteral("controls.bmp"), PatternImage(64, 48, 3)},
                {QStringLiteral("glyphs.bmp"), PatternImage(16, 16, 4)}};
  QDir().mkpath(dir);
  WriteBytes(dir + "/skin.ini", f.Description);
  for (const auto& [name, image] : f.Pictures) WriteBytes(dir + "/" + name, WriteBmp24(image));
  return f;
}

// One temporary folder per test, with the hand-written skin packed into it.
class SkinToolTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Tmp.isValid());
    Fixture = WriteSkinFixture(Path("src"));
    ASSERT_TRUE(Succeeded(RunTool({"pack", Path("src/skin.ini"), Package()})));
  }
  QString Path(const QString& name) const { return Tmp.filePath(name); }
  QString Package() const { return Path("test.skn"); }

  QTemporaryDir Tmp;
  SkinFixture Fixture;
};

} // namespace

TEST_F(SkinToolTest, PackInfoUnpackAndPackAgain) {
  const ToolRun info = RunTool({"info", Package()});
  ASSERT_TRUE(Succeeded(info));
  // Packed from a description: payload version 2 with its roll-up slots, records in
  // registry order, the entry of an unknown type left out, then what no control draws.
  const QStringList expected = {
      "container version: 2",
      "payload version: 2",
      "picture: 40x30",
      "inactivepicture: 40x30",
      "mask: empty",
      "rolluppicture: empty",
      "rollupmask: empty",
      "active pictures: 2",
      "  0: 64x48",
      "  1: 16x16",
      QStringLiteral("description: %1 bytes").arg(Fixture.Description.size()),
      "object caption TspDataSkinCaption",
      "control panel TspDataSkinPanelControl",
      "control hbar TspDataSkinPanelControl",
      "control vbar TspDataSkinPanelControl",
      "control bevel TspDataSkinBevel",
      "control nopicture TspDataSkinBevel",
      "control huge TspDataSkinBevel",
      "refused nopicture: drawn in the plain look",
      "refused nopicture: pictureindex 5 names no picture",
      "refused huge: drawn in the plain look",
      "refused huge: skinrect 0,0,60000,60000 lies outside picture 1 (16x16)",
  };
  EXPECT_EQ(Lines(info.Out), expected);

  ASSERT_TRUE(Succeeded(RunTool({"unpack", Package(), Path("out")})));
  EXPECT_EQ(ReadBytes(Path("out/skin.ini")), Fixture.Description);
  std::vector<std::string> files = {"skin.ini"};
  for (const auto& [name, image] : Fixture.Pictures) {
    files.push_back(name.toStdString());
    const QString path = Path("out/" + name);
    ASSERT_TRUE(QFile::exists(path)) << name.toStdString();
    EXPECT_TRUE(SamePixels(ReadBmpFile(path), image)) << name.toStdString();
  }
  std::sort(files.begin(), files.end());
  EXPECT_EQ(FilesBelow(Path("out")), files);

  // What unpack writes is a source that packs to the very same package.
  ASSERT_TRUE(Succeeded(RunTool({"pack", Path("out/skin.ini"), Path("again.skn")})));
  EXPECT_EQ(ReadBytes(Path("again.skn")), ReadBytes(Package()));
}

TEST_F(SkinToolTest, ComposeFitsTheSizeToTheRecordKind) {
  const struct {
    const char* Record;
    int W, H;       // asked for
    int FitW, FitH; // written
  } cases[] = {
      {"panel", 50, 33, 50, 33}, // nine-part: any size
      {"panel", 7, 5, 7, 5},     // smaller than its corners
      {"hbar", 77, 3, 77, 10},   // horizontal: the skin height
      {"vbar", 9, 61, 10, 61},   // vertical: the skin width
      {"bevel", 77, 99, 12, 10}, // fixed: the skin size
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Record) + " " + std::to_string(c.W) + "x" + std::to_string(c.H));
    const QString out = Path("composed.bmp");
    ASSERT_TRUE(Succeeded(RunTool(
        {"compose", Package(), c.Record, QString::number(c.W), QString::number(c.H), out})));
    EXPECT_EQ(ReadBmpFile(out).size(), QSize(c.FitW, c.FitH));
  }
}

TEST_F(SkinToolTest, ComposeDrawsTheSkinRectangle) {
  const QImage controls = Fixture.Controls();
  const QImage glyphs = Fixture.Pictures.at("glyphs.bmp");
  // At its skin size every kind gives back its skin rectangle, pixel for pixel.
  const struct {
    const char* Record;
    QRect SkinRect;
    const QImage& Picture;
  } cases[] = {{"panel", {0, 0, 30, 20}, controls},
               {"hbar", {0, 20, 40, 10}, controls},
               {"vbar", {40, 0, 10, 40}, controls},
               {"bevel", {2, 2, 12, 10}, glyphs}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Record);
    const QString out = Path(QString::fromLatin1(c.Record) + ".bmp");
    ASSERT_TRUE(
        Succeeded(RunTool({"compose", Package(), c.Record, QString::number(c.SkinRect.width()),
                           QString::number(c.SkinRect.height()), out})));
    EXPECT_TRUE(SamePixels(ReadBmpFile(out), c.Picture.copy(c.SkinRect)));
  }

  // Grown, a nine-part image keeps its corners where the new size puts them.
  const QString out = Path("panel-large.bmp");
  ASSERT_TRUE(Succeeded(RunTool({"compose", Package(), "panel", "50", "33", out})));
  const QImage large = ReadBmpFile(out);
  EXPECT_TRUE(SamePixels(large.copy(0, 0, 4, 4), controls.copy(0, 0, 4, 4)));
  EXPECT_TRUE(SamePixels(large.copy(46, 29, 4, 4), controls.copy(26, 16, 4, 4)));
}

TEST_F(SkinToolTest, ComposeRefusesBadArgumentsAndUncomposableRecords) {
  const std::vector<QStringList> cases = {
      {"nosuch", "10", "10"},   // no such record
      {"Panel", "10", "10"},    // record names are matched exactly
      {"appmenu", "10", "10"},  // an entry of an unknown type makes no record
      {"panel", "abc", "10"},   // not a number
      {"panel", "12.5", "10"},  // not a whole number
      {"panel", "10", "0"},     // zero
      {"panel", "-4", "10"},    // negative
      {"panel", "99999", "10"}, // beyond any sensible image
      {"nopicture", "8", "8"},  // picture index past the list
      {"huge", "10", "10"},     // fixed size of 60000 x 60000 taken from the skin
  };
  for (const QStringList& c : cases) {
    SCOPED_TRACE(c.join(' ').toStdString());
    const QString out = Path("composed.bmp");
    EXPECT_TRUE(
        FailedWithOneLine(RunTool(QStringList{"compose", Package()} + c + QStringList{out})));
    EXPECT_FALSE(QFile::exists(out));
  }
}

TEST_F(SkinToolTest, SheetOfASkinWithUncomposableRecords) {
  const QString out = Path("sheet.png");
  ASSERT_TRUE(Succeeded(RunTool({"sheet", Package(), out})));
  const QImage sheet(out, "PNG");
  ASSERT_FALSE(sheet.isNull());
  EXPECT_GT(sheet.width(), 0);
  EXPECT_GT(sheet.height(), 0);
}

TEST_F(SkinToolTest, PackFailsWholeWithoutTouchingTheOutput) {
  // A description lacking one of the required sections.
  QByteArray noControls = Fixture.Description;
  noControls.replace("[SKINCONTROLS]", "[SKINCONTROLZ]");
  WriteBytes(Path("src/nocontrols.ini"), noControls);
  // A description naming a picture that is not there.
  QByteArray missingPicture = Fixture.Description;
  missingPicture.replace("1=glyphs.bmp", "1=gone.bmp");
  WriteBytes(Path("src/missing.ini"), missingPicture);
  // A picture that is not a BMP.
  QByteArray badPicture = Fixture.Description;
  badPicture.replace("1=glyphs.bmp", "1=bad.bmp");
  WriteBytes(Path("src/badpicture.ini"), badPicture);
  WriteBytes(Path("src/bad.bmp"), "BMxxxx is not a picture");

  const struct {
    const char* Description;
    const char* Output;
  } cases[] = {
      {"src/none.ini", "out.skn"},
      {"src/nocontrols.ini", "out.skn"},
      {"src/missing.ini", "out.skn"},
      {"src/badpicture.ini", "out.skn"},
      {"src/skin.ini", "no/such/folder/out.skn"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Description);
    const QString out = Path(c.Output);
    const bool folderExists = QFileInfo(out).dir().exists();
    if (folderExists) WriteBytes(out, "old package");
    EXPECT_TRUE(FailedWithOneLine(RunTool({"pack", Path(c.Description), out})));
    if (folderExists) {
      EXPECT_EQ(ReadBytes(out), "old package");
    } else {
      EXPECT_FALSE(QFile::exists(out));
    }
  }
}

TEST(SkinTool, UnpackWritesOnlyInsideTheTargetFolder) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString outside = tmp.filePath("outside");
  QDir().mkpath(outside);

  TspSkinPayload payload;
  payload.Version = 2;
  payload.Picture = PatternImage(6, 4, 1);
  payload.InactivePicture = PatternImage(6, 4, 2);
  payload.MaskPicture = PatternImage(6, 4, 3);
  payload.RollUpPicture = PatternImage(6, 4, 4);
  payload.RollUpMaskPicture = PatternImage(6, 4, 5);
  for (int i = 0; i < 4; ++i) payload.ActivePictures.push_back(PatternImage(3, 3, 10 + i));
  payload.DescriptionText = "[VERSION]\r\n"
                            "[PICTURES]\r\n"
                            "picture=../up.bmp\r\n"
                            "inactivepicture=..\\..\\windows.bmp\r\n"
                            "mask=" +
                            (outside + "/abs.bmp").toLocal8Bit() +
                            "\r\n"
                            "rolluppicture=deep/er/roll.bmp\r\n"
                            "rollupmask=..\r\n"
                            "activepicturescount=4\r\n"
                            "0=skin.ini\r\n"
                            "1=/\r\n"
                            "2=../../../../../../../../../tmp/escaped.bmp\r\n"
                            "3=SKIN.INI\r\n"
                            "[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n";
  const QString package = tmp.filePath("escape.skn");
  WriteBytes(package, PackageOf(CompressedSkin(payload)));

  ASSERT_TRUE(Succeeded(RunTool({"unpack", package, tmp.filePath("out")})));
  // Only the last path component of a name is used; a name left with none, or one that
  // would overwrite the description, falls back to a name of the slot.
  EXPECT_EQ(FilesBelow(tmp.path()),
            (std::vector<std::string>{"escape.skn", "out/abs.bmp", "out/active0.bmp",
                                      "out/active1.bmp", "out/active3.bmp", "out/escaped.bmp",
                                      "out/roll.bmp", "out/rollupmask.bmp", "out/skin.ini",
                                      "out/up.bmp", "out/windows.bmp"}));
  EXPECT_EQ(ReadBytes(tmp.filePath("out/skin.ini")), payload.DescriptionText);
  EXPECT_TRUE(SamePixels(ReadBmpFile(tmp.filePath("out/abs.bmp")), payload.MaskPicture));
  EXPECT_TRUE(SamePixels(ReadBmpFile(tmp.filePath("out/active0.bmp")), payload.ActivePictures[0]));
  EXPECT_FALSE(QFile::exists("/tmp/escaped.bmp"));
}

// --- The built-in skins -------------------------------------------------------------------

class BuiltinSkinTest : public ::testing::TestWithParam<const char*> {};

TEST_P(BuiltinSkinTest, WrittenAsEmbeddedAndDescribedByInfo) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString package = tmp.filePath("builtin.skn");
  ASSERT_TRUE(Succeeded(RunTool({"builtin", GetParam(), package})));

  const std::unique_ptr<TspCompressedSkinList> list(CreateBuiltinSkinList(nullptr));
  const TspSkinListItem* item = nullptr;
  for (int i = 0; i < list->Skins().Count(); ++i)
    if (list->Skins()[i].Name() == QLatin1String(GetParam())) item = &list->Skins()[i];
  ASSERT_NE(item, nullptr);
  ASSERT_EQ(ReadBytes(package), item->StoredSkin().PackageBytes());

  const ToolRun info = RunTool({"info", package});
  ASSERT_TRUE(Succeeded(info));
  const QStringList lines = Lines(info.Out);
  ASSERT_GE(lines.size(), 4);
  EXPECT_EQ(lines[0], "container version: 2");
  EXPECT_EQ(lines[1], "payload version: 3");
  EXPECT_TRUE(lines[2].startsWith("picture: ") && lines[2] != "picture: empty")
      << lines[2].toStdString();
  EXPECT_TRUE(lines[3].startsWith("inactivepicture: ") && lines[3] != "inactivepicture: empty")
      << lines[3].toStdString();
  EXPECT_TRUE(lines.contains("mask: empty"));
  for (const QString& line : lines) EXPECT_FALSE(line.startsWith("rollup")) << line.toStdString();

  // The records, in list order, as the description's registries name them.
  const TspIniText ini =
      TspIniText::ParseBytes(ReadSkinPayload(item->StoredSkin().Decompress()).DescriptionText);
  QStringList expected;
  for (const QString& entry : ReadSkinRegistry(ini, "SKINOBJECTS")) {
    const auto e = SplitRegistryEntry(entry);
    if (const auto record = e ? CreateObjectRecord(e->Type) : nullptr)
      expected << QStringLiteral("object %1 %2").arg(e->Name, record->ClassName());
  }
  for (const QString& entry : ReadSkinRegistry(ini, "SKINCONTROLS")) {
    const auto e = SplitRegistryEntry(entry);
    if (const auto record = e ? CreateControlRecord(e->Type) : nullptr)
      expected << QStringLiteral("control %1 %2").arg(e->Name, record->ClassName());
  }
  QStringList records;
  for (const QString& line : lines)
    if (line.startsWith("object ") || line.startsWith("control ")) records << line;
  EXPECT_GT(expected.size(), 10);
  EXPECT_EQ(records, expected);

  const QString sheet = tmp.filePath("sheet.png");
  ASSERT_TRUE(Succeeded(RunTool({"sheet", package, sheet})));
  const QImage image(sheet, "PNG");
  EXPECT_FALSE(image.isNull());
  EXPECT_GT(image.width() * image.height(), 0);
}

INSTANTIATE_TEST_SUITE_P(All, BuiltinSkinTest,
                         ::testing::Values("sknBlue", "sknGreen", "sknOrange", "sknPurple"),
                         [](const auto& info) { return std::string(info.param); });

TEST(SkinTool, UnknownBuiltinNameFails) {
  QTemporaryDir tmp;
  for (const char* name : {"sknRed", "sknblue", "Blue", ""}) {
    SCOPED_TRACE(name);
    const QString out = tmp.filePath("out.skn");
    EXPECT_TRUE(FailedWithOneLine(RunTool({"builtin", name, out})));
    EXPECT_FALSE(QFile::exists(out));
  }
}

TEST(SkinTool, BadUsageExitsWithTwo) {
  for (const QStringList& args : std::vector<QStringList>{
           {}, {"frobnicate"}, {"info"}, {"info", "a", "b"}, {"compose", "a", "b", "1", "2"}}) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const ToolRun r = RunTool(args);
    EXPECT_TRUE(r.Exited);
    EXPECT_EQ(r.Status, 2);
    EXPECT_TRUE(r.Err.contains("usage"));
    EXPECT_TRUE(r.Out.isEmpty());
  }
}

// --- Damaged packages -----------------------------------------------------------------------

namespace {

// A sound payload to damage: one picture slot, one active picture, a description.
QByteArray SoundPayload() {
  TspSkinPayload p;
  p.Version = 2;
  p.Picture = PatternImage(8, 6, 1);
  p.ActivePictures = {PatternImage(5, 5, 2)};
  p.DescriptionText = "[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n"
                      "[SKINCONTROLS]\r\ncount=1\r\n0=panel:panel\r\n[panel]\r\n"
                      "pictureindex=0\r\nskinrect=0,0,5,5\r\n";
  return WriteSkinPayload(p);
}

// The size field of the first picture, after the version and the slot's flag byte.
QByteArray WithFirstBmpSize(quint32 size) {
  QByteArray payload = SoundPayload();
  qToLittleEndian<quint32>(size, payload.data() + 4 + 1 + 2);
  return PackageOf(CompressPayload(payload));
}

struct DamagedPackage {
  const char* Name;
  bool Exists;
  QByteArray (*Bytes)();
};

const DamagedPackage kDamaged[] = {
    {"MissingFile", false, [] { return QByteArray(); }},
    {"EmptyFile", true, [] { return QByteArray(); }},
    {"VersionOnly", true, [] { return Int32LE(2); }},
    {"TruncatedPackage", true,
     [] {
       const QByteArray whole = PackageOf(CompressPayload(SoundPayload()));
       return whole.left(whole.size() / 2);
     }},
    {"NegativeLength", true, [] { return Int32LE(2) + Int32LE(-8) + QByteArray(16, 'x'); }},
    {"ContainerVersion4", true, [] { return PackageOf(CompressPayload(SoundPayload()), 4); }},
    {"PayloadVersion4", true,
     [] { return PackageOf(CompressPayload(Int32LE(4) + SoundPayload().mid(4))); }},
    {"CorruptZlib", true,
     [] {
       QByteArray stream = CompressPayload(SoundPayload());
       for (qsizetype i = stream.size() / 3; i < stream.size() / 3 + 16; ++i)
         stream[i] = char(~stream[i]);
       return PackageOf(stream);
     }},
    {"ZlibCutShort", true,
     [] {
       const QByteArray stream = CompressPayload(SoundPayload());
       return PackageOf(stream.left(stream.size() / 2));
     }},
    {"NotZlib", true, [] { return PackageOf("this is no zlib stream"); }},
    {"BmpSizeBeyondPayload", true, [] { return WithFirstBmpSize(0x7FFFFFF0); }},
    {"BmpSizeBelowItsHeaders", true, [] { return WithFirstBmpSize(20); }},
    {"ActivePicturesMissing", true,
     [] {
       TspSkinPayload p;
       p.Version = 3;
       return PackageOf(CompressPayload(WriteSkinPayload(p).left(4 + 3) + Int32LE(1000)));
     }},
};

void PrintTo(const DamagedPackage& p, std::ostream* os) {
  *os << p.Name;
}

class DamagedPackageTest : public ::testing::TestWithParam<DamagedPackage> {};

} // namespace

TEST_P(DamagedPackageTest, EveryCommandFailsWithOneLine) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString package = tmp.filePath("damaged.skn");
  if (GetParam().Exists) WriteBytes(package, GetParam().Bytes());
  const QString out = tmp.filePath("out");
  for (const QStringList& args :
       std::vector<QStringList>{{"info", package},
                                {"unpack", package, out},
                                {"compose", package, "panel", "10", "10", out + ".bmp"},
                                {"sheet", package, out + ".png"}}) {
    SCOPED_TRACE(args.first().toStdString());
    EXPECT_TRUE(FailedWithOneLine(RunTool(args)));
  }
  EXPECT_FALSE(QFile::exists(out + ".bmp"));
  EXPECT_FALSE(QFile::exists(out + ".png"));
  EXPECT_TRUE(FilesBelow(out).empty());
}

INSTANTIATE_TEST_SUITE_P(All, DamagedPackageTest, ::testing::ValuesIn(kDamaged),
                         [](const auto& info) { return std::string(info.param.Name); });
