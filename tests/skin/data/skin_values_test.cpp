#include "skin/data/skin_values.h"
#include "skin/render/skin_error.h"
#include <climits>
#include <gtest/gtest.h>

namespace {

TspIniText Section(const QStringList& lines) {
  QStringList all{"[s]"};
  all << lines;
  return TspIniText::Parse(all);
}

} // namespace

TEST(SkinValues, IntegerForms) {
  const struct {
    const char* text;
    int expected;
  } cases[] = {
      {"42", 42},
      {"-3", -3},
      {"$FF", 255},
      {"0xff", 255},
      {"0XfF", 255},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"2147483647", 2147483647},
      {"-2147483648", INT_MIN},
      // Malformed or out of range: the default.
      {"12a", 77},
      {"2147483648", 77},
      {"$100000000", 77},
      {"$", 77},
      {"0x", 77},
      {"-", 77},
      {"1 2", 77},
      {"+5", 77},
      {"$G1", 77},
      {"", 77},
  };
  for (const auto& c : cases) {
    const auto ini = Section({QStringLiteral("k=") + c.text});
    EXPECT_EQ(ReadSkinInteger(ini, "s", "k", 77), c.expected) << c.text;
  }
  const auto ini = Section({});
  EXPECT_EQ(ReadSkinInteger(ini, "s", "missing", -1), -1);
  EXPECT_EQ(ReadSkinInteger(ini, "nosection", "k", 5), 5);
}

TEST(SkinValues, FlagsAndColours) {
  const auto ini = Section({"one=1", "two=2", "zero=0", "hexone=$1", "grey=4473924",
                            "magenta=16711935", "all=$FFFFFFFF", "bad=red"});
  EXPECT_TRUE(ReadSkinFlag(ini, "s", "one"));
  EXPECT_TRUE(ReadSkinFlag(ini, "s", "hexone"));
  EXPECT_FALSE(ReadSkinFlag(ini, "s", "two")); // only exactly 1 is true
  EXPECT_FALSE(ReadSkinFlag(ini, "s", "zero"));
  EXPECT_FALSE(ReadSkinFlag(ini, "s", "missing"));
  EXPECT_EQ(ReadSkinColor(ini, "s", "grey"), 0x444444u);
  EXPECT_EQ(ReadSkinColor(ini, "s", "magenta"), 0xFF00FFu);
  EXPECT_EQ(ReadSkinColor(ini, "s", "missing", 16711680), 16711680u);
  EXPECT_EQ(ReadSkinColor(ini, "s", "bad", 9), 9u);

  // Every 32-bit colour written reads back, the top bit included.
  TspIniText out;
  WriteSkinColor(out, "s", "c", ReadSkinColor(ini, "s", "all"));
  WriteSkinFlag(out, "s", "f", true);
  WriteSkinFlag(out, "s", "g", false);
  EXPECT_EQ(out.ToLines(), QStringList({"[s]", "c=-1", "f=1", "g=0"}));
  EXPECT_EQ(ReadSkinColor(out, "s", "c"), 0xFFFFFFFFu);
}

TEST(SkinValues, PointsAndRectanglesKeepOnlyDigits) {
  const auto ini =
      Section({"SkinRect=-5,0,10,10", "spaced= 12, 3 ,x4,5", "p=7,-8", "empty=", "lead=007,1"});
  EXPECT_EQ(ReadSkinRect(ini, "s", "skinrect"), (TspRect{5, 0, 10, 10}));
  EXPECT_EQ(ReadSkinRect(ini, "s", "spaced"), (TspRect{12, 3, 4, 5}));
  EXPECT_EQ(ReadSkinPoint(ini, "s", "p"), (TspPoint{7, 8}));
  EXPECT_EQ(ReadSkinPoint(ini, "s", "lead"), (TspPoint{7, 1}));
  EXPECT_EQ(ReadSkinRect(ini, "s", "missing"), TspRect{});
  EXPECT_EQ(ReadSkinRect(ini, "s", "empty"), TspRect{});
  EXPECT_EQ(ReadSkinPoint(ini, "s", "missing"), TspPoint{});

  TspIniText out;
  WriteSkinRect(out, "s", "r", {1, 2, 3, 4});
  WriteSkinPoint(out, "s", "p", {5, 6});
  EXPECT_EQ(out.ToLines(), QStringList({"[s]", "r=1,2,3,4", "p=5,6"}));
}

TEST(SkinValues, MalformedPointsAndRectanglesThrow) {
  const char* rects[] = {"1,,3,4", "1,2,3",   "1,2,3,4,5", "1,2,3,4,",
                         ",1,2,3", "a,2,3,4", "-,2,3,4",   "99999999999,0,0,0"};
  for (const char* text : rects) {
    const auto ini = Section({QStringLiteral("r=") + text});
    EXPECT_THROW(ReadSkinRect(ini, "s", "r"), EConvertError) << text;
  }
  const char* points[] = {"7", "1,2,3", "1,", ",1"};
  for (const char* text : points) {
    const auto ini = Section({QStringLiteral("p=") + text});
    EXPECT_THROW(ReadSkinPoint(ini, "s", "p"), EConvertError) << text;
  }
  // The message says where the value was.
  try {
    ReadSkinRect(Section({"clientrect=1,,2,3"}), "s", "clientrect");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_NE(std::string(e.what()).find("clientrect"), std::string::npos);
  }
}

TEST(SkinValues, FontStylesBySubstring) {
  using S = TspFontStyle;
  const struct {
    const char* text;
    TspFontStyles expected;
  } cases[] = {
      {"fsbold,fsitalic", S::Bold | S::Italic},
      {"fsboldfsitalic", S::Bold | S::Italic},
      {"[fsunderline fsstrikeout]", S::Underline | S::StrikeOut},
      {"FsBold", {}}, // letter case counts in values
      {"", {}},
  };
  for (const auto& c : cases) {
    const auto ini = Section({QStringLiteral("fontstyle=") + c.text});
    EXPECT_EQ(ReadSkinFontStyle(ini, "s", "FONTSTYLE"), c.expected) << c.text;
  }
  TspIniText out;
  WriteSkinFontStyle(out, "s", "a", S::Bold | S::Italic | S::Underline | S::StrikeOut);
  WriteSkinFontStyle(out, "s", "b", {});
  EXPECT_EQ(out.ReadString("s", "a"), "fsbold,fsitalic,fsunderline,fsstrikeout");
  EXPECT_EQ(out.ReadString("s", "b"), "");
  EXPECT_EQ(ReadSkinFontStyle(out, "s", "a"), S::Bold | S::Italic | S::Underline | S::StrikeOut);
}

TEST(SkinValues, EnumerationsTakeDefaultWhenMissingAndOddValueForUnknownText) {
  const auto ini =
      Section({"StretchType=sthorz", "st2=bogus", "st3=Stfull", "st4=stvert", "st5=", "ie=bogus",
               "ie2=ieinvert", "mk=mkpush", "mk2=bogus", "al=bogus", "cmd=bogus", "cmd2=cmrollup",
               "fp=bogus", "rk=bogus", "gk=bogus"});
  EXPECT_EQ(ReadSkinStretchType(ini, "s", "stretchtype"), TspStretchType::stHorz);
  EXPECT_EQ(ReadSkinStretchType(ini, "s", "st2"), TspStretchType::stHorz);
  EXPECT_EQ(ReadSkinStretchType(ini, "s", "st3"), TspStretchType::stHorz);
  EXPECT_EQ(ReadSkinStretchType(ini, "s", "st4"), TspStretchType::stVert);
  EXPECT_EQ(ReadSkinStretchType(ini, "s", "st5"), TspStretchType::stFull); // empty = missing
  EXPECT_EQ(ReadSkinStretchType(ini, "s", "missing"), TspStretchType::stFull);
  EXPECT_EQ(ReadSkinInactiveEffect(ini, "s", "ie"), TspInactiveEffect::ieGrayscale);
  EXPECT_EQ(ReadSkinInactiveEffect(ini, "s", "ie2"), TspInactiveEffect::ieInvert);
  EXPECT_EQ(ReadSkinInactiveEffect(ini, "s", "missing"), TspInactiveEffect::ieBrightness);
  EXPECT_EQ(ReadSkinMorphKind(ini, "s", "mk"), TspMorphKind::mkPush);
  EXPECT_EQ(ReadSkinMorphKind(ini, "s", "mk2"), TspMorphKind::mkDefault);
  EXPECT_EQ(ReadSkinAlignment(ini, "s", "al"), TspAlignment::taRightJustify);
  EXPECT_EQ(ReadSkinAlignment(ini, "s", "missing"), TspAlignment::taCenter);
  EXPECT_EQ(ReadSkinEnum<TspStdCommand>(ini, "s", "cmd"), TspStdCommand::cmMinimizeToTray);
  EXPECT_EQ(ReadSkinEnum<TspStdCommand>(ini, "s", "cmd2"), TspStdCommand::cmRollUp);
  EXPECT_EQ(ReadSkinEnum<TspStdCommand>(ini, "s", "missing"), TspStdCommand::cmDefault);
  EXPECT_EQ(ReadSkinEnum<TspFramesPlacement>(ini, "s", "fp"), TspFramesPlacement::fpVertical);
  EXPECT_EQ(ReadSkinEnum<TspRegulatorKind>(ini, "s", "rk"), TspRegulatorKind::rkVertical);
  EXPECT_EQ(ReadSkinEnum<TspRegulatorKind>(ini, "s", "missing"), TspRegulatorKind::rkRound);
  EXPECT_EQ(ReadSkinEnum<TspGaugeKind>(ini, "s", "gk"), TspGaugeKind::gkVertical);
}

TEST(SkinValues, EveryEnumerationLiteralReadsBackAsWritten) {
  const TspEnumInfo* infos[] = {
      &SkinEnumInfo(TspStretchType{}),    &SkinEnumInfo(TspMorphKind{}),
      &SkinEnumInfo(TspInactiveEffect{}), &SkinEnumInfo(TspAlignment{}),
      &SkinEnumInfo(TspStdCommand{}),     &SkinEnumInfo(TspFramesPlacement{}),
      &SkinEnumInfo(TspRegulatorKind{}),  &SkinEnumInfo(TspGaugeKind{})};
  for (const TspEnumInfo* info : infos) {
    for (int v = 0; v < info->Count; ++v) {
      TspIniText ini;
      WriteSkinEnum(ini, "s", "k", v, *info);
      EXPECT_EQ(ini.ReadString("s", "k"), QLatin1String(info->Literals[v]));
      EXPECT_EQ(ReadSkinEnum(ini, "s", "k", *info), v) << info->Literals[v];
    }
  }
}

TEST(SkinValues, ListsAndLines) {
  const auto ini = Section({"activepicturescount=3", "0=a.bmp", "2=c.bmp", "symbolslinecount=2",
                            "symbolsline0=0123", "symbolsline1=ABCD", "negcount=-4",
                            "hugecount=70000", "hugelinecount=$7FFFFFFF"});
  EXPECT_EQ(ReadSkinList(ini, "s", "activepictures"), QStringList({"a.bmp", "", "c.bmp"}));
  EXPECT_EQ(ReadSkinLines(ini, "s", "symbols"), QStringList({"0123", "ABCD"}));
  EXPECT_TRUE(ReadSkinList(ini, "s", "neg").isEmpty());
  EXPECT_TRUE(ReadSkinList(ini, "s", "missing").isEmpty());
  // A count no description can hold is refused instead of allocated.
  EXPECT_THROW(ReadSkinList(ini, "s", "huge"), EConvertError);
  EXPECT_THROW(ReadSkinLines(ini, "s", "huge"), EConvertError);

  TspIniText out;
  WriteSkinLines(out, "t", "symbols", {"x", "", "y", ""});
  WriteSkinList(out, "t", "pics", {"p0", "p1"});
  // Empty lines need no key of their own.
  EXPECT_EQ(out.ToLines(), QStringList({"[t]", "symbolslinecount=4", "symbolsline0=x",
                                        "symbolsline2=y", "picscount=2", "0=p0", "1=p1"}));
  EXPECT_EQ(ReadSkinLines(out, "t", "symbols"), QStringList({"x", "", "y", ""}));
  EXPECT_EQ(ReadSkinList(out, "t", "pics"), QStringList({"p0", "p1"}));
}
