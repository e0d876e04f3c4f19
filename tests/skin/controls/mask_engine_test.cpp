// The edit-mask engine: the phone and date masks the screens use, and the editing rules
// of a masked field.

#include "skin/controls/mask_engine.h"

#include <gtest/gtest.h>

namespace {

const QString kPhoneMask = QStringLiteral("(999\\)000-0000;1;_");
const QString kDateMask = QStringLiteral("!9999/99/99;1; ");

TspEditMask::TState Typed(const TspEditMask& m, const QString& keys, int caret = 0) {
  TspEditMask::TState s{m.EmptyEditText(), caret, 0};
  for (const QChar c : keys) m.TypeChar(s, c);
  return s;
}

TEST(EditMask, PhoneMaskStartsAsBlanksBetweenItsLiterals) {
  const TspEditMask m(kPhoneMask);
  ASSERT_TRUE(m.IsMasked());
  EXPECT_EQ(m.Length(), 13);
  EXPECT_EQ(m.Blank(), u'_');
  EXPECT_TRUE(m.SaveLiterals());
  EXPECT_EQ(m.EmptyEditText(), QStringLiteral("(___)___-____"));
  EXPECT_EQ(m.TextFromEditText(m.EmptyEditText()), QStringLiteral("(   )   -    "));
  // The escaped bracket is a literal like the others; 9 is optional, 0 required.
  EXPECT_TRUE(m.IsLiteral(4));
  EXPECT_FALSE(m.IsRequired(1));
  EXPECT_TRUE(m.IsRequired(5));
  EXPECT_TRUE(m.IsBlank(m.EmptyEditText()));
}

TEST(EditMask, TypingFillsEditablePositionsAndStepsOverLiterals) {
  const TspEditMask m(kPhoneMask);
  TspEditMask::TState s = Typed(m, QStringLiteral("123"));
  EXPECT_EQ(s.EditText, QStringLiteral("(123)___-____"));
  EXPECT_EQ(s.SelStart, 5); // past the ')' already
  for (const QChar c : QStringLiteral("4567890")) ASSERT_TRUE(m.TypeChar(s, c));
  EXPECT_EQ(s.EditText, QStringLiteral("(123)456-7890"));
  EXPECT_EQ(m.TextFromEditText(s.EditText), QStringLiteral("(123)456-7890"));
  EXPECT_EQ(s.SelStart, 13);
  // Full: a further digit has nowhere to go.
  EXPECT_FALSE(m.TypeChar(s, u'1'));
  EXPECT_EQ(s.EditText, QStringLiteral("(123)456-7890"));
}

TEST(EditMask, RefusedCharactersChangeNothing) {
  const TspEditMask m(kPhoneMask);
  TspEditMask::TState s{m.EmptyEditText(), 0, 0};
  EXPECT_FALSE(m.TypeChar(s, u'a'));
  EXPECT_FALSE(m.TypeChar(s, u' '));
  EXPECT_FALSE(m.TypeChar(s, u'-'));
  EXPECT_EQ(s.EditText, m.EmptyEditText());
  EXPECT_EQ(s.SelStart, 0);
}

TEST(EditMask, ValidationWantsEveryRequiredPosition) {
  const TspEditMask m(kPhoneMask);
  int missing = -1;
  EXPECT_FALSE(m.Validate(QStringLiteral("(   )12_-____"), &missing));
  EXPECT_EQ(missing, 7);
  EXPECT_FALSE(m.Validate(QStringLiteral("(123)456-789_"), &missing));
  EXPECT_EQ(missing, 12);
  // The three optional digits may stay blank.
  EXPECT_TRUE(m.Validate(QStringLiteral("(___)456-7890")));
  EXPECT_TRUE(m.Validate(QStringLiteral("(   )456-7890")));
  EXPECT_FALSE(m.IsBlank(QStringLiteral("(___)4__-____")));
}

TEST(EditMask, BackspaceAndDeleteBlankWithoutShifting) {
  const TspEditMask m(kPhoneMask);
  TspEditMask::TState s = Typed(m, QStringLiteral("1234"));
  ASSERT_EQ(s.EditText, QStringLiteral("(123)4__-____"));
  ASSERT_EQ(s.SelStart, 6);
  ASSERT_TRUE(m.Backspace(s));
  EXPECT_EQ(s.EditText, QStringLiteral("(123)___-____"));
  EXPECT_EQ(s.SelStart, 5);
  ASSERT_TRUE(m.Backspace(s)); // steps over the ')' to the 3
  EXPECT_EQ(s.EditText, QStringLiteral("(12_)___-____"));
  EXPECT_EQ(s.SelStart, 3);
  s.SelStart = 0;
  ASSERT_TRUE(m.Delete(s)); // the first editable position after the '('
  EXPECT_EQ(s.EditText, QStringLiteral("(_2_)___-____"));
  EXPECT_FALSE(m.Backspace(s)); // nothing editable before the caret
  // A selection is blanked as a whole, literals kept.
  s = Typed(m, QStringLiteral("1234567890"));
  s.SelStart = 2;
  s.SelLength = 6;
  ASSERT_TRUE(m.Delete(s));
  EXPECT_EQ(s.EditText, QStringLiteral("(1__)___-7890"));
  EXPECT_EQ(s.SelLength, 0);
}

TEST(EditMask, TypingOverASelectionBlanksItFirst) {
  const TspEditMask m(kPhoneMask);
  TspEditMask::TState s = Typed(m, QStringLiteral("1234567890"));
  s.SelStart = 0;
  s.SelLength = 13;
  ASSERT_TRUE(m.TypeChar(s, u'9'));
  EXPECT_EQ(s.EditText, QStringLiteral("(9__)___-____"));
  // A refused character leaves the selection's text alone.
  s.SelStart = 0;
  s.SelLength = 13;
  EXPECT_FALSE(m.TypeChar(s, u'x'));
  EXPECT_EQ(s.EditText, QStringLiteral("(9__)___-____"));
}

TEST(EditMask, PasteStepsOverMatchingLiteralsAndStopsAtAMisfit) {
  const TspEditMask m(kPhoneMask);
  TspEditMask::TState s{m.EmptyEditText(), 0, 0};
  ASSERT_TRUE(m.Paste(s, QStringLiteral("(555)123-4567")));
  EXPECT_EQ(s.EditText, QStringLiteral("(555)123-4567"));
  s = {m.EmptyEditText(), 5, 0};
  ASSERT_TRUE(m.Paste(s, QStringLiteral("12x45")));
  EXPECT_EQ(s.EditText, QStringLiteral("(___)12_-____"));
}

TEST(EditMask, TextIsFittedIntoTheMask) {
  struct Case {
    QString Mask, Text, EditText, BackToText;
  } cases[] = {
      {kPhoneMask, "(123)456-7890", "(123)456-7890", "(123)456-7890"},
      // A short section is padded behind it; the literals still find their places.
      {kPhoneMask, "(12)345-6789", "(12_)345-6789", "(12 )345-6789"},
      {kPhoneMask, "(   )   -    ", "(___)___-____", "(   )   -    "},
      {kPhoneMask, "", "(___)___-____", "(   )   -    "},
      {kPhoneMask, "(ab)cd-efgh", "(___)___-____", "(   )   -    "},
      // '!' pads in front; the date mask's blank is a space.
      {kDateMask, "2024/5/17", "2024/ 5/17", "2024/ 5/17"},
      {kDateMask, "2024/05/17", "2024/05/17", "2024/05/17"},
      // Literals not saved: the text holds only the editable characters.
      {"000-000;0;*", "123456", "123-456", "123456"},
      {"000-000;0;*", "12", "12*-***", "12    "},
      // Case directives, and <> switching them off.
      {">LL<ll<>L", "abCDe", "ABcde", "ABcde"},
      // An escaped digit is a literal.
      {"\\0-00", "0-12", "0-12", "0-12"},
  };
  for (const Case& c : cases) {
    const TspEditMask m(c.Mask);
    const QString editText = m.EditTextFromText(c.Text);
    EXPECT_EQ(editText, c.EditText) << c.Mask.toStdString() << " / " << c.Text.toStdString();
    EXPECT_EQ(m.TextFromEditText(editText), c.BackToText) << c.Mask.toStdString();
  }
}

TEST(EditMask, OptionFieldsAndSeparators) {
  const TspEditMask plain(QString{});
  EXPECT_FALSE(plain.IsMasked());
  EXPECT_EQ(plain.EditTextFromText("abc"), QStringLiteral("abc"));

  const TspEditMask noOptions(QStringLiteral("00:00"));
  EXPECT_EQ(noOptions.Blank(), u'_');
  EXPECT_TRUE(noOptions.SaveLiterals());
  EXPECT_EQ(noOptions.EmptyEditText(), QStringLiteral("__:__"));

  // The date and time separators stand for the ones the edit is given.
  const TspEditMask dotted(QStringLiteral("99/99;1;_"), u'.', u':');
  EXPECT_EQ(dotted.EmptyEditText(), QStringLiteral("__.__"));

  // A mask escaping ';' keeps it as a literal, the options still read from the end.
  const TspEditMask escaped(QStringLiteral("0\\;0;0;#"));
  EXPECT_EQ(escaped.EmptyEditText(), QStringLiteral("#;#"));
  EXPECT_FALSE(escaped.SaveLiterals());
}

} // namespace
