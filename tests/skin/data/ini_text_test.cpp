#include "skin/data/ini_text.h"
#include <gtest/gtest.h>

#include <optional>

TEST(IniText, NamesAreCaseBlindAndValuesExact) {
  const auto ini = TspIniText::Parse({"ignored=1", "  [Button] ", "; comment", "",
                                      "StretchType = Stfull ", "no key here", "a=1", "A=2"});
  EXPECT_FALSE(ini.ValueExists("button", "ignored"));
  EXPECT_TRUE(ini.SectionExists("BUTTON"));
  EXPECT_EQ(ini.ReadString("button", "stretchtype"), "Stfull");
  EXPECT_EQ(ini.ReadString("button", "a"), "1"); // first key wins
  EXPECT_EQ(ini.ReadString("missing", "a", "def"), "def");
  EXPECT_FALSE(ini.ValueExists("button", "no key here"));
}

TEST(IniText, WrittenTextParsesBack) {
  TspIniText ini;
  ini.WriteString("S", "k", "v");
  ini.WriteString("s", "K", "w");
  EXPECT_FALSE(ini.ValueExists("T", "x"));
  ini.WriteString("T", "x", "");
  EXPECT_TRUE(ini.ValueExists("T", "x")) << "a section asked for while missing, then written";
  EXPECT_EQ(ini.ToLines(), QStringList({"[S]", "k=w", "[T]", "x="}));
  const auto back = TspIniText::ParseBytes("[S]\r\nk=w\r\n[T]\r\nx=\r\n");
  EXPECT_EQ(back.ToLines(), ini.ToLines());
}

// Numbered keys read in one pass give what a look-up per number gives, whatever the keys
// around them look like.
TEST(IniText, NumberedKeysMatchSingleLookups) {
  const auto ini =
      TspIniText::Parse({"[s]", "LINE1=upper", "line01=leading zero", "line2=first", "line2=second",
                         "line-3=sign", "line 3=blank", "line99999999999999999999=huge",
                         "line4=", "line5x=tail", "line0=zero", "lines=word", "line6=beyond"});
  for (int count : {0, 1, 6}) {
    QStringList single;
    for (int i = 0; i < count; ++i) single << ini.ReadString("s", "line" + QString::number(i));
    EXPECT_EQ(ini.ReadNumbered("S", "Line", count), single) << count;
  }
  EXPECT_EQ(ini.ReadNumbered("s", "line", 3), QStringList({"zero", "upper", "first"}));
  EXPECT_EQ(ini.ReadNumbered("missing", "line", 2), QStringList({"", ""}));
}

// Names and values are views into the parsed text and into written strings: a copy must
// read the same after the original is gone, and writes to one must not show in the other.
TEST(IniText, CopiesOwnWhatTheyRead) {
  std::optional<TspIniText> original = TspIniText::ParseBytes("[S\xC4]\nK\xC9y=parsed\n");
  original->WriteString("W", "Key", QString("written"));
  TspIniText copy = *original;
  copy.WriteString("s\xC3\xA4", "K\xC3\xA9Y", "changed");
  EXPECT_EQ(original->ReadString(u"S\u00e4", u"k\u00e9y"), "parsed") << "letters beyond A-Z fold";
  original.reset();
  EXPECT_EQ(copy.ReadString(u"S\u00c4", u"K\u00c9Y"), "changed");
  EXPECT_EQ(copy.ReadString("w", "KEY"), "written");
  EXPECT_EQ(copy.ToLines(),
            QStringList({QStringLiteral("[S\u00c4]"), QStringLiteral("K\u00c9y=changed"), "[W]",
                         "Key=written"}));
}
