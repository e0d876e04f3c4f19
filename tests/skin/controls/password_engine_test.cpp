// The password edit's text engine: its key table, selection, MaxLength and paste rules,
// and the cell layout that scrolls the text.

#include "skin/controls/password_engine.h"

#include <gtest/gtest.h>

namespace {

// Sends one key the way the edit does.
void Key(TspPasswordEngine& e, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
         const QString& clip = QString()) {
  e.HandleKey(key, mods, QString(), [&] { return clip; });
}
void Type(TspPasswordEngine& e, const QString& text) {
  for (const QChar c : text) e.HandleKey(0, Qt::NoModifier, QString(c), nullptr);
}

TEST(PasswordEngine, CtrlArrowsMoveByWordStarts) {
  TspPasswordEngine e;
  e.SetText("alpha beta  gamma");
  e.MoveTo(2, false); // inside the first word
  Key(e, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(e.CaretPos(), 6); // the 'b'
  Key(e, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(e.CaretPos(), 12); // over both spaces to the 'g'
  Key(e, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(e.CaretPos(), 17);
  Key(e, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(e.CaretPos(), 12);
  e.MoveTo(14, false);
  Key(e, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(e.CaretPos(), 12); // to the start of the word it stands in
  Key(e, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(e.CaretPos(), 6);
  Key(e, Qt::Key_Left, Qt::ControlModifier);
  Key(e, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(e.CaretPos(), 0);
  EXPECT_FALSE(e.HasSelection());
}

TEST(PasswordEngine, ShiftExtendsFromTheAnchorInBothDirections) {
  TspPasswordEngine e;
  e.SetText("abcdef");
  e.MoveTo(3, false);
  Key(e, Qt::Key_Left, Qt::ShiftModifier);
  Key(e, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(e.Anchor(), 3);
  EXPECT_EQ(e.SignedSelLength(), -2);
  EXPECT_EQ(e.SelStart(), 1);
  EXPECT_EQ(e.SelLength(), 2);
  EXPECT_TRUE(e.IsSelected(1));
  EXPECT_FALSE(e.IsSelected(3));
  Key(e, Qt::Key_End, Qt::ShiftModifier); // across the anchor to the end
  EXPECT_EQ(e.SignedSelLength(), 3);
  EXPECT_EQ(e.SelStart(), 3);
  Key(e, Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(e.SelStart(), 0);
  EXPECT_EQ(e.SelLength(), 3);
  Key(e, Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(e.SelLength(), 3); // already at the start
  // A move without Shift drops the selection.
  Key(e, Qt::Key_End);
  EXPECT_EQ(e.CaretPos(), 6);
  EXPECT_FALSE(e.HasSelection());
  Key(e, Qt::Key_Home);
  EXPECT_EQ(e.CaretPos(), 0);
}

TEST(PasswordEngine, BackspaceAndDeleteTakeTheSelectionOrOneCharacter) {
  TspPasswordEngine e;
  int changes = 0;
  e.OnChange = [&] { ++changes; };
  e.SetText("abcdef");
  EXPECT_EQ(changes, 1);
  e.MoveTo(3, false);
  Key(e, Qt::Key_Backspace);
  EXPECT_EQ(e.Text(), "abdef");
  EXPECT_EQ(e.CaretPos(), 2);
  Key(e, Qt::Key_Delete);
  EXPECT_EQ(e.Text(), "abef");
  EXPECT_EQ(e.CaretPos(), 2);
  Key(e, Qt::Key_Right, Qt::ShiftModifier);
  Key(e, Qt::Key_Right, Qt::ShiftModifier);
  Key(e, Qt::Key_Backspace);
  EXPECT_EQ(e.Text(), "ab");
  EXPECT_EQ(e.CaretPos(), 2);
  Key(e, Qt::Key_Left, Qt::ShiftModifier);
  Key(e, Qt::Key_Delete, Qt::ShiftModifier); // deletes; a password is never cut
  EXPECT_EQ(e.Text(), "a");
  EXPECT_EQ(changes, 5);
  // At the ends there is nothing to take.
  Key(e, Qt::Key_Delete);
  e.MoveTo(0, false);
  Key(e, Qt::Key_Backspace);
  EXPECT_EQ(e.Text(), "a");
  EXPECT_EQ(changes, 5);
  // Read-only refuses every change but still moves.
  e.SetReadOnly(true);
  Type(e, "x");
  Key(e, Qt::Key_Delete);
  Key(e, Qt::Key_V, Qt::ControlModifier, "zz");
  EXPECT_EQ(e.Text(), "a");
  Key(e, Qt::Key_End);
  EXPECT_EQ(e.CaretPos(), 1);
}

TEST(PasswordEngine, TypingReplacesTheSelectionAndMaxLengthRefuses) {
  TspPasswordEngine e;
  e.SetMaxLength(5);
  Type(e, "abcdefg");
  EXPECT_EQ(e.Text(), "abcde");
  // A full field still takes a character over a selection.
  Key(e, Qt::Key_Left, Qt::ShiftModifier);
  Key(e, Qt::Key_Left, Qt::ShiftModifier);
  Type(e, "X");
  EXPECT_EQ(e.Text(), "abcX");
  EXPECT_EQ(e.CaretPos(), 4);
  // A paste that would overflow is refused and only collapses the selection.
  Key(e, Qt::Key_Home, Qt::ShiftModifier);
  ASSERT_EQ(e.SelLength(), 4);
  Key(e, Qt::Key_V, Qt::ControlModifier, "123456");
  EXPECT_EQ(e.Text(), "abcX");
  EXPECT_FALSE(e.HasSelection());
  EXPECT_EQ(e.CaretPos(), 0);
  Key(e, Qt::Key_End, Qt::ShiftModifier);
  Key(e, Qt::Key_Insert, Qt::ShiftModifier, "12345");
  EXPECT_EQ(e.Text(), "12345");
  // Control characters are neither typed nor pasted; Insert alone does nothing.
  e.SetMaxLength(0);
  EXPECT_FALSE(e.HandleKey(Qt::Key_A, Qt::ControlModifier, QString(QChar(1)), nullptr));
  Key(e, Qt::Key_V, Qt::ControlModifier, "a\r\nb\tc");
  EXPECT_EQ(e.Text(), "12345abc");
  EXPECT_FALSE(e.HandleKey(Qt::Key_Insert, Qt::NoModifier, QString(), [] { return "zz"; }));
  EXPECT_EQ(e.Text(), "12345abc");
}

TEST(PasswordEngine, CharCaseConvertsEveryText) {
  TspPasswordEngine e;
  e.SetText("MiXed");
  e.SetCharCase(TspEditCharCase::ecLowerCase);
  EXPECT_EQ(e.Text(), "mixed");
  Type(e, "Q");
  Key(e, Qt::Key_V, Qt::ControlModifier, "AB");
  EXPECT_EQ(e.Text(), "mixedqab");
  e.SetCharCase(TspEditCharCase::ecUpperCase);
  e.SetText("abc");
  EXPECT_EQ(e.Text(), "ABC");
}

TEST(PasswordEngine, WordSelectionAndSelectAll) {
  TspPasswordEngine e;
  e.SetText("one two  three");
  e.SelectWordAt(5);
  EXPECT_EQ(e.SelStart(), 4);
  EXPECT_EQ(e.SelLength(), 5); // "two  ": up to the next word's start
  e.SelectWordAt(0);
  EXPECT_EQ(e.SelStart(), 0);
  EXPECT_EQ(e.SelLength(), 4);
  e.SelectWordAt(14);
  EXPECT_EQ(e.SelStart(), 9);
  EXPECT_EQ(e.SelLength(), 5);
  e.SelectAll();
  EXPECT_EQ(e.SelStart(), 0);
  EXPECT_EQ(e.SelLength(), 14);
  EXPECT_EQ(e.CaretPos(), 14);
}

TEST(PasswordEngine, CellsScrollWithTheCaret) {
  // A content rectangle 17 pixels high gives cells 11 wide: 20 characters need 220.
  EXPECT_EQ(TspPasswordLayout::CellWidthFor(17), 11);
  TspPasswordEngine e;
  e.SetLayout({4, 110, 11, TspTextAlignment::taLeftJustify}); // ten cells
  Type(e, "0123456789");
  EXPECT_EQ(e.FirstVisible(), 1);
  EXPECT_EQ(e.CaretX(10), 4 + 110);
  Type(e, "ab"); // past the right edge
  EXPECT_EQ(e.FirstVisible(), 3);
  EXPECT_LE(e.CaretX(e.CaretPos()), 114);
  EXPECT_EQ(e.CellX(2), 4);
  EXPECT_EQ(e.PosAtX(4), 2);
  EXPECT_EQ(e.PosAtX(4 + 11 * 3 + 5), 5);
  EXPECT_EQ(e.PosAtX(1000), 12);
  Key(e, Qt::Key_Home);
  EXPECT_EQ(e.FirstVisible(), 1);
  EXPECT_EQ(e.CaretX(0), 4);
  // Dragging past the right edge moves one character beyond the last one shown.
  e.DragTo(200);
  EXPECT_EQ(e.CaretPos(), 11);
  EXPECT_EQ(e.FirstVisible(), 2);
  e.DragTo(200);
  EXPECT_EQ(e.CaretPos(), 12);
  EXPECT_EQ(e.FirstVisible(), 3);
  EXPECT_EQ(e.SelLength(), 12);
  e.DragTo(0);
  EXPECT_EQ(e.CaretPos(), 1);
  EXPECT_EQ(e.FirstVisible(), 1);
}

TEST(PasswordEngine, ShortTextsAreAligned) {
  TspPasswordEngine e;
  e.SetText("abc");
  e.SetLayout({2, 100, 10, TspTextAlignment::taRightJustify});
  EXPECT_EQ(e.AlignmentShift(), 70);
  EXPECT_EQ(e.CellX(0), 72);
  EXPECT_EQ(e.PosAtX(95), 2);
  EXPECT_EQ(e.PosAtX(10), 0);
  e.SetLayout({2, 100, 10, TspTextAlignment::taCenter});
  EXPECT_EQ(e.AlignmentShift(), 35);
  // A text shorter than a scrolled view shows whole again.
  e.SetLayout({0, 50, 10, TspTextAlignment::taRightJustify});
  e.SetText("0123456789");
  EXPECT_EQ(e.FirstVisible(), 6);
  e.SelectAll();
  Key(e, Qt::Key_Backspace);
  Type(e, "ab");
  EXPECT_EQ(e.FirstVisible(), 1);
  EXPECT_EQ(e.CellX(0), 30);
}

} // namespace
