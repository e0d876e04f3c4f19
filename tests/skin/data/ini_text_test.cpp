#include "skin/data/ini_text.h"
#include <gtest/gtest.h>

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
  ini.WriteString("T", "x", "");
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
