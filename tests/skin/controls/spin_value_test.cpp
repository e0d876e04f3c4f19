// The spin edit's value rule: clamping, writing, reading typed texts and the characters
// the inner edit takes.

#include "skin/controls/spin_value.h"

#include <gtest/gtest.h>

namespace {

TEST(SpinRule, ClampsOnlyWithARange) {
  TspSpinRule r;
  EXPECT_EQ(r.Clamp(-5), -5);
  EXPECT_EQ(r.Clamp(1e9), 1e9);
  r.MinValue = 1;
  r.MaxValue = 2000;
  EXPECT_EQ(r.Clamp(2015), 2000);
  EXPECT_EQ(r.Clamp(0), 1);
  EXPECT_EQ(r.Clamp(200), 200);
  r.MinValue = 0;
  r.MaxValue = 10; // one end at 0 is still a range
  EXPECT_EQ(r.Clamp(-1), 0);
}

TEST(SpinRule, WritesIntegersRoundedAndFloatsFixed) {
  TspSpinRule r;
  EXPECT_EQ(r.Format(0), "0");
  EXPECT_EQ(r.Format(2.5), "3");
  EXPECT_EQ(r.Format(-2.5), "-3");
  EXPECT_EQ(r.Format(199.4), "199");
  r.ValueType = TspValueType::vtFloat;
  EXPECT_EQ(r.Format(1.005), "1.00");
  EXPECT_EQ(r.Format(3), "3.00");
  r.Decimal = 0;
  EXPECT_EQ(r.Format(3.25), "3");
  r.Decimal = 1;
  r.DecimalSeparator = u',';
  EXPECT_EQ(r.Format(-0.26), "-0,3");
}

TEST(SpinRule, ReadsOnlyNumbersInRange) {
  TspSpinRule integer;
  integer.MinValue = 1;
  integer.MaxValue = 2000;
  TspSpinRule real = integer;
  real.ValueType = TspValueType::vtFloat;
  real.DecimalSeparator = u',';
  struct Case {
    const TspSpinRule* Rule;
    QString Text;
    bool Ok;
    double Value;
  } cases[] = {
      {&integer, "200", true, 200}, {&integer, "2000", true, 2000}, {&integer, "2001", false, 0},
      {&integer, "0", false, 0},    {&integer, "", false, 0},       {&integer, "-", false, 0},
      {&integer, "1-2", false, 0},  {&integer, " 5", false, 0},     {&integer, "5,5", false, 0},
      {&integer, "+5", false, 0},   {&real, "12,5", true, 12.5},    {&real, "12.5", false, 0},
      {&real, "1,2,3", false, 0},   {&real, "0,5", false, 0},
  };
  for (const Case& c : cases) {
    double v = -1;
    EXPECT_EQ(c.Rule->Parse(c.Text, &v), c.Ok) << c.Text.toStdString();
    if (c.Ok) {
      EXPECT_EQ(v, c.Value) << c.Text.toStdString();
    }
  }
  TspSpinRule open;
  double v = 0;
  EXPECT_TRUE(open.Parse("-40", &v));
  EXPECT_EQ(v, -40);
  EXPECT_FALSE(open.Parse("99999999999999999999999", &v)); // beyond any integer
}

TEST(SpinRule, InnerEditCharacters) {
  TspSpinRule integer;
  TspSpinRule real;
  real.ValueType = TspValueType::vtFloat;
  struct Case {
    const TspSpinRule* Rule;
    QChar C;
    QString Text;
    int SelStart, SelLength;
    bool EditorEnabled, Ok;
  } cases[] = {
      {&integer, u'7', "12", 1, 0, true, true},
      {&integer, u'a', "12", 1, 0, true, false},
      {&integer, u'.', "12", 2, 0, true, false},
      {&integer, u'\b', "12", 2, 0, true, true},
      {&integer, u'\r', "12", 2, 0, true, false}, // Enter belongs to the form
      {&integer, u'-', "12", 1, 0, true, false},  // not in the middle
      {&integer, u'-', "12", 0, 0, true, true},
      {&integer, u'-', "-12", 0, 0, true, false}, // one is enough
      {&integer, u'-', "-12", 0, 1, true, true},  // over the old one
      {&integer, u'-', "-12", 0, 3, true, true},
      {&integer, u'5', "12", 0, 0, false, false}, // editor disabled
      {&integer, u'\b', "12", 2, 0, false, false},
      {&integer, QChar(3), "12", 0, 2, false, true}, // Ctrl+C still copies
      {&real, u'.', "12", 2, 0, true, true},
      {&real, u'.', "1.2", 3, 0, true, false},
      {&real, u'.', "1.2", 1, 1, true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.Rule->AcceptsChar(c.C, c.Text, c.SelStart, c.SelLength, c.EditorEnabled), c.Ok)
        << int(c.C.unicode()) << " in " << c.Text.toStdString() << " at " << c.SelStart;
  }
}

} // namespace
