// The password edit on a real widget: its key table through real key events, the mouse,
// the cell geometry and what it paints.

#include "form_fixture.h"
#include "skin/controls/control_image.h"
#include "skin/controls/password_edit.h"

#include <QClipboard>

namespace {

class PasswordEditTest : public FieldFormTest {
protected:
  void SetUp() override {
    FieldFormTest::SetUp();
    edit = new TspSkinPasswordEdit(form.get());
    edit->move(10, 10);
    changes = 0;
    edit->OnChange = [this](QObject* sender) {
      EXPECT_EQ(sender, edit);
      ++changes;
    };
    ASSERT_NO_FATAL_FAILURE(ShowForm());
  }

  void UseBuiltinSkin() {
    ASSERT_NO_FATAL_FAILURE(LoadBuiltinSkin());
    edit->SetSkinData(data);
  }

  void Focus() {
    edit->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(edit->hasFocus());
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(edit, key, mods);
  }

  TspSkinPasswordEdit* edit = nullptr;
  int changes = 0;
};

TEST_F(PasswordEditTest, KeyTableThroughRealKeys) {
  Focus();
  QTest::keyClicks(edit, "alpha beta");
  EXPECT_EQ(edit->Text(), "alpha beta");
  EXPECT_EQ(changes, 10);
  Key(Qt::Key_Home);
  EXPECT_EQ(edit->Engine().CaretPos(), 0);
  Key(Qt::Key_Right);
  Key(Qt::Key_Right);
  Key(Qt::Key_Right, Qt::ControlModifier); // from inside the first word
  EXPECT_EQ(edit->Engine().CaretPos(), 6);
  Key(Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(edit->Engine().CaretPos(), 0);
  Key(Qt::Key_End);
  EXPECT_EQ(edit->Engine().CaretPos(), 10);

  // Shift extends from the anchor; typing replaces the selection.
  Key(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(edit->Engine().SelStart(), 6);
  EXPECT_EQ(edit->Engine().SelLength(), 4);
  QTest::keyClicks(edit, "X");
  EXPECT_EQ(edit->Text(), "alpha X");
  Key(Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(edit->Engine().SelLength(), 7);
  Key(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(edit->Engine().SelStart(), 1);
  Key(Qt::Key_Delete);
  EXPECT_EQ(edit->Text(), "a");
  Key(Qt::Key_Backspace);
  EXPECT_EQ(edit->Text(), "");
  Key(Qt::Key_Backspace); // nothing left: no change
  EXPECT_EQ(changes, 13);
}

TEST_F(PasswordEditTest, MaxLengthPasteAndNoCopy) {
  Focus();
  edit->SetMaxLength(6);
  QTest::keyClicks(edit, "secret!");
  EXPECT_EQ(edit->Text(), "secret");
  QApplication::clipboard()->setText("xy");
  Key(Qt::Key_V, Qt::ControlModifier); // would make 8
  EXPECT_EQ(edit->Text(), "secret");
  Key(Qt::Key_Left, Qt::ShiftModifier);
  Key(Qt::Key_Left, Qt::ShiftModifier);
  Key(Qt::Key_Insert, Qt::ShiftModifier); // over two: fits
  EXPECT_EQ(edit->Text(), "secrxy");
  // Copying or cutting the password puts nothing on the clipboard.
  QApplication::clipboard()->setText("kept");
  Key(Qt::Key_Home, Qt::ShiftModifier);
  Key(Qt::Key_C, Qt::ControlModifier);
  Key(Qt::Key_X, Qt::ControlModifier);
  Key(Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "kept");
  EXPECT_EQ(edit->Text(), "secrxy");
  // Read-only: keys move, nothing changes.
  edit->SetReadOnly(true);
  QTest::keyClicks(edit, "z");
  Key(Qt::Key_Backspace);
  EXPECT_EQ(edit->Text(), "secrxy");
}

TEST_F(PasswordEditTest, FocusSelectsAllAndEnterGoesToTheForm) {
  edit->SetText("abc");
  other->setFocus();
  QTest::keyClick(other, Qt::Key_Tab);
  ASSERT_TRUE(edit->hasFocus());
  EXPECT_EQ(edit->Engine().SelLength(), 3);
  edit->SetAutoSelect(false);
  other->setFocus();
  edit->SetText("abc"); // no selection left from before
  edit->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(edit->Engine().HasSelection());

  bool formSawEnter = false;
  struct Filter : QObject {
    bool* Saw;
    explicit Filter(bool* saw) : Saw(saw) {}
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return)
        *Saw = true;
      return false;
    }
  } filter(&formSawEnter);
  form->installEventFilter(&filter);
  Key(Qt::Key_Return);
  EXPECT_TRUE(formSawEnter); // unused by the field, so its parent hears it
  EXPECT_EQ(edit->Text(), "abc");
}

TEST_F(PasswordEditTest, CellsScrollAndTheMousePlacesTheCaret) {
  // Plain look, 121 x 21: content 117 x 17, cells 11 wide, ten fit.
  ASSERT_EQ(edit->size(), QSize(121, 21));
  EXPECT_EQ(edit->ContentRect(), QRect(2, 2, 117, 17));
  EXPECT_EQ(edit->Engine().Layout().CellWidth, 11);
  Focus();
  QTest::keyClicks(edit, "0123456789");
  EXPECT_EQ(edit->Engine().FirstVisible(), 1);
  QTest::keyClicks(edit, "ab");
  EXPECT_EQ(edit->Engine().FirstVisible(), 3); // typing past the edge scrolls
  Key(Qt::Key_Home);
  EXPECT_EQ(edit->Engine().FirstVisible(), 1);

  // A click puts the caret before the character under the pointer.
  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(2 + 11 * 4 + 3, 10));
  EXPECT_EQ(edit->Engine().CaretPos(), 4);
  EXPECT_FALSE(edit->Engine().HasSelection());
  // Dragging selects from there.
  QTest::mousePress(edit, Qt::LeftButton, {}, QPoint(2 + 11 * 2 + 1, 10));
  QTest::mouseMove(edit, QPoint(2 + 11 * 6 + 1, 10));
  QTest::mouseRelease(edit, Qt::LeftButton, {}, QPoint(2 + 11 * 6 + 1, 10));
  EXPECT_EQ(edit->Engine().SelStart(), 2);
  EXPECT_EQ(edit->Engine().SelLength(), 4);
  // A double click selects the word under the caret.
  edit->SetText("ab cd ef");
  QTest::mouseDClick(edit, Qt::LeftButton, {}, QPoint(2 + 11 * 4 + 1, 10)); // on the 'd'
  EXPECT_EQ(edit->Engine().SelStart(), 3);
  EXPECT_EQ(edit->Engine().SelLength(), 3); // "cd " up to the next word
}

TEST_F(PasswordEditTest, PaintsOneSymbolPerCellAndTheSelection) {
  edit->SetPasswordKind(TspPasswordKind::pkRect);
  edit->SetText("abcd");
  Focus();
  edit->SetHideSelection(false);
  const QColor symbol = edit->palette().color(QPalette::Active, QPalette::Text);
  const QColor highlight = edit->palette().color(QPalette::Active, QPalette::Highlight);
  const QColor highlightText = edit->palette().color(QPalette::Active, QPalette::HighlightedText);
  Key(Qt::Key_End);
  Key(Qt::Key_Left, Qt::ShiftModifier); // the last character selected
  const QImage img = edit->PaintImage();
  const QRect content = edit->ContentRect();
  const int cell = edit->Engine().Layout().CellWidth;
  const int cy = content.top() + content.height() / 2;
  for (int i = 0; i < 4; ++i) {
    const int x = content.left() + i * cell;
    const bool selected = i == 3;
    EXPECT_EQ(img.pixel(x + cell / 2, cy), (selected ? highlightText : symbol).rgb()) << i;
    // The two pixels at the cell's left edge are not part of the symbol.
    EXPECT_EQ(img.pixel(x + 1, cy), (selected ? highlight : edit->DefaultColor()).rgb()) << i;
  }
  // Nothing past the text.
  EXPECT_EQ(img.pixel(content.left() + 4 * cell + cell / 2, cy), edit->DefaultColor().rgb());
}

TEST_F(PasswordEditTest, TheCaretBlinksWhileFocused) {
  Focus();
  EXPECT_TRUE(edit->CaretShown());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !edit->CaretShown(); }, 3000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return edit->CaretShown(); }, 3000));
  other->setFocus();
  EXPECT_FALSE(edit->CaretShown());
}

TEST_F(PasswordEditTest, SkinnedFrameAndColoursFollowTheEditRecord) {
  UseBuiltinSkin();
  const auto* rec = dynamic_cast<const TspDataSkinEditControl*>(
      data->ControlList[size_t(data->FindControlData("edit"))].get());
  ASSERT_NE(rec, nullptr);
  edit->resize(150, 30);
  EXPECT_EQ(edit->size(), QSize(150, rec->skinrect.Height()));
  // The content is the fitted client rectangle, two pixels in from its left.
  const TspRect c = rec->clientrect;
  EXPECT_EQ(
      edit->ContentRect(),
      QRect(c.Left + 2, c.Top, 150 - rec->skinrect.Width() + c.Right - c.Left - 2, c.Height()));
  EXPECT_EQ(edit->Engine().Layout().CellWidth, c.Height() / 2 + 3);

  auto composed = [&](const TspRect& state) {
    TspControlGeometry g = ControlGeometry(*rec);
    const QSize size = FitSizeToSkin(g, edit->size());
    QImage out;
    ComposeControlImage(out, data->ActivePictures[size_t(rec->pictureindex)], g, state, size);
    return out;
  };
  edit->SetPasswordKind(TspPasswordKind::pkRect);
  edit->SetText("pw");
  QImage img = edit->PaintImage();
  const QImage normal = composed(rec->skinrect);
  ASSERT_EQ(img.size(), normal.size());
  // Outside the content the frame is the composed record.
  for (int x = 0; x < 150; ++x) EXPECT_EQ(img.pixel(x, 0), normal.pixel(x, 0)) << x;
  const int cx = edit->ContentRect().left() + edit->Engine().Layout().CellWidth / 2;
  const int cy = edit->ContentRect().center().y();
  EXPECT_EQ(img.pixel(cx, cy), ColorToQColor(rec->fontcolor).rgb());

  Focus();
  edit->SetHideSelection(true);
  Key(Qt::Key_End);
  img = edit->PaintImage();
  const QImage active = composed(rec->activeskinrect);
  for (int x = 0; x < 150; ++x) EXPECT_EQ(img.pixel(x, 0), active.pixel(x, 0)) << x;
  EXPECT_EQ(img.pixel(cx, cy), ColorToQColor(rec->activefontcolor).rgb());

  edit->setEnabled(false);
  img = edit->PaintImage();
  EXPECT_EQ(img.pixel(cx, cy), ColorToQColor(rec->disabledfontcolor).rgb());
}

} // namespace
