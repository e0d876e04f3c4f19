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
