// Hostile skin packages: the built-in Blue skin re-packed with one record made absurd. The
// gallery paints every control of each in every state, as a separate program under a bound
// on its address space, and must neither crash nor ask for the memory a rectangle names;
// skintool info names what the controls refuse.

#include "tool_run.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

QString GalleryPath() {
  return QStringLiteral(VORNS_GALLERY);
}

// Far below what the rectangles of the table would ask for (gigabytes), well above what
// the gallery needs for a real skin.
constexpr rlim_t kAddressSpace = rlim_t(2) << 30;

// Runs `program` with its address space bounded, so an allocation the size of a hostile
// rectangle fails there instead of going through on an overcommitting system.
ToolRun RunBounded(const QString& program, const QStringList& args) {
  return RunProgram(program, args, 180000, [] {
    const rlimit limit{kAddressSpace, kAddressSpace};
    setrlimit(RLIMIT_AS, &limit);
  });
}

ToolRun Skintool(const QStringList& args) {
  return RunProgram(QStringLiteral(SKINTOOL), args, 60000);
}

// `key=value` in section `section` of a description, replacing the key when it is there.
QByteArray WithKey(const QByteArray& ini, const QString& section, const QString& key,
                   const QString& value) {
  QString text = QString::fromLatin1(ini);
  const qsizetype start = text.indexOf("\n[" + section + "]");
  if (start < 0) return ini;
  qsizetype end = text.indexOf("\n[", start + 1);
  if (end < 0) end = text.size();
  QString body = text.mid(start, end - start);
  const QRegularExpression line("\n" + QRegularExpression::escape(key) + "=[^\n]*");
  const QString entry = "\n" + key + "=" + value;
  if (body.contains(line))
    body.replace(line, entry);
  else
    body.insert(body.indexOf('\n', 1), entry);
  return (text.left(start) + body + text.mid(end)).toLatin1();
}

struct HostileCase {
  const char* Name;
  const char* Section; // empty: only the picture of `Picture` changes
  const char* Key;
  const char* Value;
  const char* Refusal;      // what skintool info says of it; empty: nothing it refuses
  const char* Picture = ""; // a picture file replaced by a 1 x 1 one
};

const HostileCase kCases[] = {
    {"StateRectLargerThanItsPicture", "button", "activeskinrect", "0,25,40000,40048",
     "refused button: activeskinrect 0,25,40000,40048 lies outside picture 1"},
    {"InvertedStateRect", "button", "downskinrect", "42,48,22,25",
     "refused button: downskinrect 42,48,22,25 has no size"},
    {"SkinRectLargerThanItsPicture", "edit", "skinrect", "0,0,30000,30000",
     "refused edit: drawn in the plain look"},
    {"CornerPointOutsideTheSkin", "panel", "rightbottompoint", "90000,90000",
     "refused panel: rightbottompoint 90000,90000 lies outside the skin rectangle"},
    {"ClientRectOutsideTheSkin", "combobox", "clientrect", "5,5,2000000000,2000000000",
     "refused combobox: clientrect 5,5,2000000000,2000000000 lies outside"},
    {"GlyphRect", "vscrollbar", "glyphrect", "0,0,60000,60000", "refused vscrollbar: glyphrect"},
    {"ThumbRectInverted", "hscrollbar", "thumbrect", "2000000000,0,-2000000000,10",
     "refused hscrollbar: thumbrect"},
    {"GripperRect", "statusbar", "gripperrect", "0,42,50000,50000",
     "refused statusbar: gripperrect"},
    {"CheckImageRect", "checkbox", "checkimagerect", "42,82,70000,95",
     "refused checkbox: checkimagerect"},
    {"TabCloseButtonRect", "tab", "closebuttonrect", "0,0,40000,40000",
     "refused tab: closebuttonrect"},
    {"TabRect", "tab", "tabrect", "0,0,40000,40000", "refused tab: tabrect"},
    {"ProgressAreaOutsideTheSkin", "gauge", "progressarea", "0,0,40000,40000",
     "refused gauge: progressarea"},
    {"ListItemRect", "listbox", "itemrect", "76,23,80000,80000", "refused listbox: itemrect"},
    {"ComboItemRect", "combobox", "itemrect", "0,23,80000,80000", "refused combobox: itemrect"},
    {"SpinButtonRect", "spinedit", "upbuttonrect", "0,0,80000,80000",
     "refused spinedit: upbuttonrect"},
    {"GridCellRect", "grid", "fixedcellrect", "0,0,80000,80000", "refused grid: fixedcellrect"},
    {"MissingPicture", "button", "pictureindex", "99",
     "refused button: pictureindex 99 names no picture"},
    {"AbsurdFontHeight", "label", "fontheight", "2000000000",
     "refused label: fontheight 2000000000 is out of reason"},
    {"AbsurdFrameCount", "button", "framecount", "2000000000", ""},
    {"AbsurdAnimation", "button", "animateskinrect", "0,0,2000000000,23",
     "refused button: animateskinrect"},
    {"MenuItemRects", "menuitem", "activeskinrect", "0,0,90000,90000",
     "refused menuitem: activeskinrect 0,0,90000,90000 lies outside picture 5"},
    // A text rectangle far beyond its item made a menu 228,154,212 pixels wide.
    {"MenuItemTextRect", "menuitem", "textrect", "26,0,228154212,22",
     "refused menuitem: textrect 26,0,228154212,22 lies outside the skin rectangle"},
    {"HintClientRect", "HINTWINDOW", "clientrect", "0,0,90000,90000",
     "refused HINTWINDOW: clientrect 0,0,90000,90000 lies outside"},
    {"PopupItemsRect", "POPUPWINDOW", "itemsrect", "0,0,90000,90000",
     "refused POPUPWINDOW: itemsrect"},
    {"PopupCornerPoint", "POPUPWINDOW", "rightbottompoint", "90000,5",
     "refused POPUPWINDOW: rightbottompoint 90000,5 lies outside"},
    {"FrameClientRect", "FORMINFO", "clientrect", "0,0,90000,90000",
     "refused FORMINFO: clientrect 0,0,90000,90000 lies outside"},
    {"CaptionButtonRect", "closebutton", "activeskinrect", "0,0,90000,17",
     "refused closebutton: activeskinrect 0,0,90000,17 lies outside picture 0"},
    {"CaptionPlace", "caption", "skinrect", "0,0,90000,30",
     "refused caption: skinrect 0,0,90000,30 lies outside the frame picture"},
    // Every rectangle of the buttons, lists and panels now lies outside its picture.
    {"TinyPictures", "", "", "", "refused button: drawn in the plain look", "buttons.bmp"},
};

// Failures name the case rather than dump its bytes.
void PrintTo(const HostileCase& c, std::ostream* os) {
  *os << c.Name;
}

class HostileSkin : public ::testing::TestWithParam<HostileCase> {};

} // namespace

TEST_P(HostileSkin, PaintsInEveryStateAndIsNamedByInfo) {
  const HostileCase& c = GetParam();
  QTemporaryDir dir;
  const QString blue = dir.filePath("blue.skn"), unpacked = dir.filePath("blue");
  ASSERT_TRUE(Succeeded(Skintool({"builtin", "sknBlue", blue})));
  ASSERT_TRUE(Succeeded(Skintool({"unpack", blue, unpacked})));
  const QString ini = QDir(unpacked).filePath("skin.ini");
  if (*c.Section) {
    const QByteArray before = ReadBytes(ini);
    const QByteArray after = WithKey(before, c.Section, c.Key, c.Value);
    ASSERT_NE(before, after);
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(after);
  }
  if (*c.Picture) {
    QImage tiny(1, 1, QImage::Format_RGB32);
    tiny.fill(Qt::red);
    ASSERT_TRUE(tiny.save(QDir(unpacked).filePath(c.Picture), "BMP"));
  }
  const QString hostile = dir.filePath("hostile.skn");
  ASSERT_TRUE(Succeeded(Skintool({"pack", ini, hostile})));

  const ToolRun gallery =
      RunBounded(GalleryPath(), {"--screenshot", dir.filePath("pictures"), hostile});
  ASSERT_TRUE(Succeeded(gallery));
  EXPECT_FALSE(QImage(dir.filePath("pictures/gallery-hostile.png")).isNull());

  const ToolRun info = RunBounded(QStringLiteral(SKINTOOL), {"info", hostile});
  ASSERT_TRUE(Succeeded(info));
  const QStringList refused =
      QString::fromLocal8Bit(info.Out).split('\n').filter(QRegularExpression("^refused "));
  if (*c.Refusal)
    EXPECT_FALSE(refused.filter(QString::fromLatin1(c.Refusal)).isEmpty())
        << info.Out.toStdString();
  else
    EXPECT_TRUE(refused.isEmpty()) << info.Out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Table, HostileSkin, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// The built-in skins are drawn as they stand: info refuses nothing of them.
TEST(HostileSkinInfo, BuiltinSkinsAreRefusedNothing) {
  QTemporaryDir dir;
  for (const char* name : {"sknBlue", "sknGreen", "sknOrange", "sknPurple"}) {
    const QString path = dir.filePath(QString::fromLatin1(name) + ".skn");
    ASSERT_TRUE(Succeeded(Skintool({"builtin", name, path})));
    const ToolRun info = Skintool({"info", path});
    ASSERT_TRUE(Succeeded(info));
    EXPECT_FALSE(info.Out.contains("refused")) << name << info.Out.toStdString();
  }
}
