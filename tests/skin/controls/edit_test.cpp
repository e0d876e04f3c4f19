// The edit family on real widgets: the skinned frame in each state against the composed
// record, the font rule and height, the button, the mask edit's phone field, the URL edit
// and the date edit.

#include "form_fixture.h"
#include "skin/controls/control_image.h"
#include "skin/controls/date_edit.h"
#include "skin/controls/edit.h"
#include "skin/controls/mask_edit.h"
#include "skin/controls/skin_tree.h"
#include "skin/controls/url_edit.h"

#include <QClipboard>

namespace {

class EditTest : public FieldFormTest {
protected:
  // A taller form whose skin data already holds the built-in skins.
  void SetUp() override {
    FieldFormTest::SetUp();
    form->resize(400, 300);
    other->setGeometry(10, 250, 100, 20);
    ASSERT_NO_FATAL_FAILURE(LoadBuiltinSkin()); // "sknBlue"
    new TspSkinnedFormHook(form.get());
  }

  template <class E> E* Add(int x, int y, int w, bool skinned = true) {
    auto* e = new E(form.get());
    if (skinned) e->SetSkinData(data);
    e->setGeometry(x, y, w, 30);
    e->show();
    return e;
  }

  void ShowForm() {
    FieldFormTest::ShowForm();
    QTest::mouseMove(form.get(), QPoint(395, 295));
  }

  const TspDataSkinEditControl* Rec(const char* name) {
    const int i = data->FindControlData(name);
    return i < 0 ? nullptr
                 : dynamic_cast<const TspDataSkinEditControl*>(data->ControlList[size_t(i)].get());
  }

  // The record's `state` rectangle composed to `size`, as skintool compose makes it.
  QImage Composed(const TspDataSkinEditControl& rec, const TspRect& state, QSize size) {
    TspControlGeometry g = ControlGeometry(rec);
    const QSize fitted = FitSizeToSkin(g, size);
    QImage out;
    ComposeControlImage(out, data->ActivePictures[size_t(rec.pictureindex)], g, state, fitted);
    return out;
  }
};

// Every pixel of `a` outside `skip` equals the pixel of `b`.
::testing::AssertionResult SameOutside(const QImage& a, const QImage& b, const QRect& skip) {
  if (a.size() != b.size())
    return ::testing::AssertionFailure() << "sizes differ: " << a.width() << "x" << a.height()
                                         << " vs " << b.width() << "x" << b.height();
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  for (int j = 0; j < x.height(); ++j)
    for (int i = 0; i < x.width(); ++i)
      if (!skip.contains(i, j) && x.pixel(i, j) != y.pixel(i, j))
        return ::testing::AssertionFailure() << "pixel " << i << "," << j << " differs";
  return ::testing::AssertionSuccess();
}

QColor Color(TColor c) {
  return ColorToQColor(c);
}

// How many pixels of `image` inside `r` have colour `c`.
int CountColor(const QImage& image, const QRect& r, const QColor& c) {
  const QImage x = image.convertToFormat(QImage::Format_RGB32);
  int n = 0;
  for (int j = r.top(); j <= r.bottom(); ++j)
    for (int i = r.left(); i <= r.right(); ++i)
      if (QColor(x.pixel(i, j)) == c) ++n;
  return n;
}

TEST_F(EditTest, FramePaintsTheRecordStateItsFocusSelects) {
  ShowForm();
  auto* e = Add<TspSkinEdit>(20, 20, 150);
  const TspDataSkinEditControl* rec = Rec("edit");
  ASSERT_NE(rec, nullptr);
  ASSERT_EQ(e->RecordIndex(), data->FindControlData("edit"));
  // The skin's font sets the height: the built-in edit is 19 high.
  EXPECT_EQ(e->height(), 19);
  EXPECT_EQ(e->height(), rec->skinrect.Height());
  EXPECT_EQ(e->TextRect(), QRect(4, 2, 150 - 8, 15));
  EXPECT_EQ(e->Editor()->geometry(), e->TextRect());

  const QImage normal = Composed(*rec, rec->skinrect, e->size());
  const QImage active = Composed(*rec, rec->activeskinrect, e->size());
  ASSERT_FALSE(SameOutside(normal, active, QRect())); // the states do look different
  EXPECT_TRUE(SameOutside(e->PaintImage(), normal, QRect()));
  // On screen, around the text engine, the frame is that image too.
  EXPECT_TRUE(SameOutside(e->grab().toImage(), normal, e->TextRect()));
  EXPECT_EQ(e->Editor()->palette().color(QPalette::Active, QPalette::Text), Color(rec->fontcolor));

  QTest::mouseClick(e, Qt::LeftButton, {}, e->TextRect().center());
  ASSERT_TRUE(e->hasFocus());
  EXPECT_TRUE(SameOutside(e->PaintImage(), active, QRect()));
  EXPECT_TRUE(SameOutside(e->grab().toImage(), active, e->TextRect()));
  EXPECT_EQ(e->Editor()->palette().color(QPalette::Active, QPalette::Text),
            Color(rec->activefontcolor));

  // Focus elsewhere, pointer away: the normal state again.
  other->setFocus();
  QTest::mouseMove(form.get(), QPoint(395, 295));
  ASSERT_FALSE(e->hasFocus());
  EXPECT_FALSE(e->MouseOver());
  EXPECT_TRUE(SameOutside(e->PaintImage(), normal, QRect()));
}

TEST_F(EditTest, PointerOverTheEditShowsTheActiveState) {
  ShowForm();
  auto* e = Add<TspSkinEdit>(20, 20, 150);
  const TspDataSkinEditControl* rec = Rec("edit");
  int enters = 0, leaves = 0;
  e->OnMouseEnter = [&](QObject*) { ++enters; };
  e->OnMouseLeave = [&](QObject*) { ++leaves; };
  QTest::mouseMove(e, QPoint(2, 5)); // over the frame
  EXPECT_TRUE(e->MouseOver());
  QTest::mouseMove(e->Editor(), QPoint(10, 5)); // onto the text: still over the edit
  EXPECT_TRUE(e->MouseOver());
  EXPECT_TRUE(SameOutside(e->PaintImage(), Composed(*rec, rec->activeskinrect, e->size()), {}));
  QTest::mouseMove(form.get(), QPoint(395, 295));
  EXPECT_FALSE(e->MouseOver());
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(leaves, 1);
}

TEST_F(EditTest, WithoutSkinFontTheHeightIsFreeAndTheFrameStretches) {
  ShowForm(); // a hidden widget hears of its new size only when shown
  auto* e = Add<TspSkinEdit>(20, 20, 120);
  e->resize(120, 40);
  EXPECT_EQ(e->height(), 19); // the skin's font keeps the skin's height
  e->SetUseSkinFont(false);
  e->resize(120, 38);
  ASSERT_EQ(e->height(), 38);
  const TspDataSkinEditControl* rec = Rec("edit");
  const QImage composed = Composed(*rec, rec->skinrect, QSize(120, 19));
  const QImage painted = e->PaintImage();
  ASSERT_EQ(painted.size(), QSize(120, 38));
  // Row by row the frame is the composed one stretched twice as high.
  for (int y = 0; y < 38; ++y)
    for (int x = 0; x < 120; x += 7)
      ASSERT_EQ(painted.pixel(x, y), composed.pixel(x, y / 2)) << x << "," << y;
  EXPECT_EQ(e->TextRect().height(), 15 + 19); // heightened by the difference
}

TEST_F(EditTest, DisabledTextTakesTheDisabledColourAndItsAlignment) {
  ShowForm();
  auto* e = Add<TspSkinEdit>(20, 20, 200);
  e->SetText("IIIIIIII");
  const TspDataSkinEditControl* rec = Rec("edit");
  const QColor disabled = Color(rec->disabledfontcolor);
  const QColor normal = Color(rec->fontcolor);
  ASSERT_NE(disabled, normal);
  const QRect text = e->TextRect();
  const QRect leftHalf(text.left(), text.top(), text.width() / 2, text.height());
  const QRect rightHalf(text.center().x(), text.top(), text.width() / 2, text.height());

  e->setEnabled(false);
  QImage shot = e->grab().toImage();
  EXPECT_GT(CountColor(shot, leftHalf, disabled), 0);
  EXPECT_EQ(CountColor(shot, text, normal), 0);
  EXPECT_EQ(CountColor(shot, rightHalf, disabled), 0);

  e->SetAlignment(TspTextAlignment::taRightJustify);
  shot = e->grab().toImage();
  EXPECT_GT(CountColor(shot, rightHalf, disabled), 0);
  EXPECT_EQ(CountColor(shot, leftHalf, disabled), 0);

  e->setEnabled(true);
  shot = e->grab().toImage();
  EXPECT_GT(CountColor(shot, rightHalf, normal), 0);
  EXPECT_EQ(CountColor(shot, text, disabled), 0);
}

TEST_F(EditTest, SelectionAndCaseRules) {
  // A selection made before the window shows stays while the edit is unfocused.
  auto* shown = Add<TspSkinEdit>(20, 100, 150);
  shown->SetHideSelection(false);
  shown->SetText("Part of this text");
  shown->Editor()->setSelection(8, 4);
  ShowForm();
  QTest::qWait(20);
  EXPECT_EQ(shown->Editor()->selectedText(), "this");

  auto* e = Add<TspSkinEdit>(20, 20, 150);
  e->SetText("keep me");
  e->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(e->Editor()->selectedText(), "keep me"); // AutoSelect
  e->Editor()->setSelection(0, 4);
  other->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(e->Editor()->selectedText(), ""); // HideSelection drops it
  e->SetHideSelection(false);
  e->setFocus(Qt::MouseFocusReason);
  e->Editor()->setSelection(0, 4);
  other->setFocus(Qt::MouseFocusReason);
  QTest::qWait(20);
  EXPECT_EQ(e->Editor()->selectedText(), "keep");
  other->setText("other");
  other->selectAll(); // another field's selection does not take this one's away
  QTest::qWait(20);
  EXPECT_EQ(e->Editor()->selectedText(), "keep");
  e->SetAutoSelect(false);
  e->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(e->Editor()->selectedText(), "");

  // CharCase converts what is set, typed and pasted; MaxLength still holds.
  e->SetCharCase(TspEditCharCase::ecUpperCase);
  EXPECT_EQ(e->Text(), "KEEP ME");
  e->SetMaxLength(10);
  e->Editor()->end(false);
  QTest::keyClicks(e->Editor(), "ab");
  QApplication::clipboard()->setText("xyz");
  QTest::keyClick(e->Editor(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(e->Text(), "KEEP MEABX");
}

TEST_F(EditTest, PlainLookWithoutASkin) {
  ShowForm();
  auto* e = Add<TspSkinEdit>(20, 20, 100, false);
  e->resize(100, 22);
  EXPECT_EQ(e->RecordIndex(), -1);
  EXPECT_EQ(e->TextRect(), QRect(2, 2, 96, 18));
  e->SetDefaultColor(QColor(250, 240, 200));
  const QImage img = e->PaintImage();
  EXPECT_EQ(img.pixel(0, 0), e->palette().color(QPalette::Dark).rgb());
  EXPECT_EQ(img.pixel(1, 5), e->palette().color(QPalette::Button).rgb());
  EXPECT_EQ(img.pixel(50, 11), qRgb(250, 240, 200));

  // A record the skin lacks looks the same, and DefaultWidth/Height size it.
  auto* missing = Add<TspSkinEdit>(20, 60, 100);
  missing->SetDefaultWidth(90);
  missing->SetDefaultHeight(24);
  missing->SetSkinDataName("noSuchRecord");
  EXPECT_EQ(missing->RecordIndex(), -1);
  EXPECT_EQ(missing->size(), QSize(90, 24));
  EXPECT_EQ(missing->Editor()->font(), missing->DefaultFont());

  // A plain button edit keeps a square button at the right.
  e->SetButtonMode(true);
  EXPECT_EQ(e->ButtonRect(), QRect(78, 0, 22, 22));
  EXPECT_EQ(e->TextRect(), QRect(2, 2, 74, 18));
}

TEST_F(EditTest, ButtonClicksOnlyWhenReleasedOnIt) {
  ShowForm();
  auto* e = Add<TspSkinEdit>(20, 20, 160);
  e->SetSkinDataName("buttonedit");
  e->SetButtonMode(true);
  const TspDataSkinEditControl* rec = Rec("buttonedit");
  ASSERT_NE(rec, nullptr);
  const int dW = 160 - rec->skinrect.Width();
  EXPECT_EQ(e->ButtonRect(), rec->buttonrect.ToQRect().translated(dW, 0));
  int clicks = 0;
  e->OnButtonClick = [&](QObject* sender) {
    EXPECT_EQ(sender, e);
    ++clicks;
  };
  const QRect b = e->ButtonRect();
  const QImage picture = data->ActivePictures[size_t(rec->pictureindex)];
  auto buttonPixels = [&] { return e->PaintImage().copy(b); };

  QTest::mouseMove(e, b.center());
  EXPECT_TRUE(e->ButtonHot());
  EXPECT_EQ(buttonPixels(), picture.copy(rec->activebuttonrect.ToQRect()));
  QTest::mousePress(e, Qt::LeftButton, {}, b.center());
  EXPECT_TRUE(e->ButtonPressed());
  EXPECT_EQ(buttonPixels(), picture.copy(rec->downbuttonrect.ToQRect()));
  QTest::mouseRelease(e, Qt::LeftButton, {}, b.center());
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(e->hasFocus());

  // Pressed, moved off, released elsewhere: no click.
  QTest::mousePress(e, Qt::LeftButton, {}, b.center());
  QTest::mouseMove(e, QPoint(5, 5));
  QTest::mouseRelease(e, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(e->ButtonPressed());

  // A disabled edit shows the disabled button.
  e->setEnabled(false);
  EXPECT_EQ(buttonPixels(), picture.copy(rec->unenabledbuttonrect.ToQRect()));
}

TEST_F(EditTest, SideImagesAreSmallButtonsInsideTheFrame) {
  ShowForm();
  auto* e = Add<TspSkinEdit>(20, 20, 160);
  QImage red(8, 8, QImage::Format_RGB32), green = red, blue = red;
  red.fill(Qt::red);
  green.fill(Qt::green);
  blue.fill(Qt::blue);
  e->SetImages({red, green, blue});
  e->SetLeftImageIndex(0);
  e->SetLeftImageHotIndex(1);
  e->SetRightImageIndex(2);
  const QRect text = e->TextRect();
  EXPECT_EQ(e->LeftImageRect(), QRect(text.left(), text.top() + (text.height() - 8) / 2, 8, 8));
  EXPECT_EQ(e->RightImageRect().right(), text.right());
  // The text engine keeps clear of both.
  EXPECT_GT(e->Editor()->geometry().left(), e->LeftImageRect().right());
  EXPECT_LT(e->Editor()->geometry().right(), e->RightImageRect().left());
  EXPECT_EQ(e->PaintImage().pixel(e->LeftImageRect().center()), qRgb(255, 0, 0));

  int left = 0, right = 0;
  e->OnLeftButtonClick = [&](QObject*) { ++left; };
  e->OnRightButtonClick = [&](QObject*) { ++right; };
  QTest::mouseMove(e, e->LeftImageRect().center());
  EXPECT_TRUE(e->LeftImageHot());
  EXPECT_EQ(e->PaintImage().pixel(e->LeftImageRect().center()), qRgb(0, 255, 0));
  QTest::mouseClick(e, Qt::LeftButton, {}, e->LeftImageRect().center());
  QTest::mouseClick(e, Qt::LeftButton, {}, e->RightImageRect().center());
  EXPECT_EQ(left, 1);
  EXPECT_EQ(right, 1);
  EXPECT_TRUE(e->hasFocus());
}

TEST_F(EditTest, AlphaBlendMixesWithWhatLiesBehind) {
  QPalette pal = form->palette();
  pal.setColor(QPalette::Window, QColor(0, 0, 200));
  form->setPalette(pal);
  auto* e = Add<TspSkinEdit>(20, 20, 150);
  const QImage opaque = e->PaintImage();
  e->SetAlphaBlend(true);
  e->SetAlphaBlendValue(255);
  EXPECT_EQ(e->PaintImage(), opaque);
  e->SetAlphaBlendValue(0);
  EXPECT_EQ(e->PaintImage().pixel(40, 9), qRgb(0, 0, 200));
  e->SetAlphaBlendValue(128);
  const QColor mixed(e->PaintImage().pixel(40, 9)); // white field over blue
  EXPECT_NEAR(mixed.red(), 128, 2);
  EXPECT_NEAR(mixed.blue(), 228, 2);
}

TEST_F(EditTest, SkinChangesAreFollowedAndAFreedSkinLeavesThePlainLook) {
  auto* e = Add<TspSkinEdit>(20, 20, 150);
  data->SetSkinIndex(2); // orange, through the form's skin messages
  const TspDataSkinEditControl* rec = Rec("edit");
  ASSERT_EQ(e->RecordIndex(), data->FindControlData("edit"));
  EXPECT_TRUE(SameOutside(e->PaintImage(), Composed(*rec, rec->skinrect, e->size()), {}));
  delete data;
  data = nullptr;
  EXPECT_EQ(e->SkinData(), nullptr);
  EXPECT_EQ(e->RecordIndex(), -1);
  const QImage img = e->PaintImage();
  EXPECT_EQ(img.pixel(0, 0), e->palette().color(QPalette::Dark).rgb());
}

// --- Mask edit ------------------------------------------------------------------------------

class MaskEditTest : public EditTest {
protected:
  TspSkinMaskEdit* Phone() {
    auto* e = Add<TspSkinMaskEdit>(20, 20, 150);
    e->SetEditMask("(999\\)000-0000;1;_");
    e->SetMaxLength(13);
    e->OnValidateError = [this](QObject*) { ++errors; };
    return e;
  }
  int errors = 0;
};

TEST_F(MaskEditTest, AnUntouchedPhoneFieldHoldsItsBlankText) {
  auto* e = Phone();
  EXPECT_EQ(e->Text(), "(   )   -    ");
  EXPECT_EQ(e->EditText(), "(___)___-____");
  e->SetText("(555)123-4567");
  EXPECT_EQ(e->Text(), "(555)123-4567");
  e->SetText("");
  EXPECT_EQ(e->Text(), "(   )   -    ");
}

TEST_F(MaskEditTest, TypingFillsTheMaskAndRefusesWhatDoesNotFit) {
  ShowForm();
  auto* e = Phone();
  QTest::mouseClick(e->Editor(), Qt::LeftButton, {}, QPoint(1, 5));
  e->Editor()->setCursorPosition(0);
  QTest::keyClicks(e->Editor(), "12a");
  EXPECT_EQ(e->EditText(), "(12_)___-____"); // the letter refused
  QTest::keyClicks(e->Editor(), "3");
  EXPECT_EQ(e->EditText(), "(123)___-____");
  EXPECT_EQ(e->Editor()->cursorPosition(), 5);
  QTest::keyClicks(e->Editor(), "4567890");
  EXPECT_EQ(e->Text(), "(123)456-7890");
  QTest::keyClick(e->Editor(), Qt::Key_Backspace);
  EXPECT_EQ(e->EditText(), "(123)456-789_");
  // Paste goes through the mask too.
  QApplication::clipboard()->setText("555-1234");
  e->Editor()->setCursorPosition(5);
  QTest::keyClick(e->Editor(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(e->Text(), "(123)555-1234");
  // Undo would bring back texts the mask never made.
  QTest::keyClick(e->Editor(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(e->Text(), "(123)555-1234");
}

TEST_F(MaskEditTest, LeavingAnIncompleteRequiredPartIsRefused) {
  ShowForm();
  auto* e = Phone();
  QTest::mouseClick(e->Editor(), Qt::LeftButton, {}, QPoint(1, 5));
  e->Editor()->setCursorPosition(5);
  QTest::keyClicks(e->Editor(), "12");
  ASSERT_EQ(e->EditText(), "(___)12_-____");
  EXPECT_FALSE(e->IsValidEdit());
  QTest::keyClick(e->Editor(), Qt::Key_Tab);
  // The focus comes back to the field, with the caret where the first digit is missing.
  EXPECT_TRUE(QTest::qWaitFor([&] { return e->hasFocus(); }, 2000));
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(e->Editor()->cursorPosition(), 7);
  EXPECT_EQ(e->EditText(), "(___)12_-____");

  // A field reset by what took the focus (a "Back" button) does not call it back.
  other->setFocus(Qt::MouseFocusReason);
  e->SetText("");
  QTest::qWait(50);
  EXPECT_TRUE(other->hasFocus());
  EXPECT_EQ(errors, 1);
  QTest::mouseClick(e->Editor(), Qt::LeftButton, {}, QPoint(1, 5));
  e->Editor()->setCursorPosition(5);
  QTest::keyClicks(e->Editor(), "12");

  // Completing the required digits lets the focus go; the optional ones may stay blank.
  QTest::keyClicks(e->Editor(), "34567");
  EXPECT_EQ(e->Text(), "(   )123-4567");
  other->setFocus(Qt::TabFocusReason);
  QTest::qWait(50);
  EXPECT_TRUE(other->hasFocus());
  EXPECT_EQ(errors, 1);
}

TEST_F(MaskEditTest, EscapeRestoresTheTextAndBlankFieldsMayBeLeft) {
  ShowForm();
  auto* e = Phone();
  e->SetText("(555)123-4567");
  QTest::mouseClick(e->Editor(), Qt::LeftButton, {}, QPoint(1, 5));
  e->Editor()->setSelection(5, 8);
  QTest::keyClick(e->Editor(), Qt::Key_Delete);
  EXPECT_EQ(e->Text(), "(555)   -    ");
  EXPECT_TRUE(e->Modified());
  QTest::keyClick(e->Editor(), Qt::Key_Escape);
  EXPECT_EQ(e->Text(), "(555)123-4567");
  EXPECT_FALSE(e->Modified());

  // Emptied completely, the field is as good as untouched.
  e->Editor()->selectAll();
  QTest::keyClick(e->Editor(), Qt::Key_Backspace);
  EXPECT_EQ(e->Text(), "(   )   -    ");
  other->setFocus(Qt::TabFocusReason);
  QTest::qWait(50);
  EXPECT_TRUE(other->hasFocus());
  EXPECT_EQ(errors, 0);
}

// --- URL edit -------------------------------------------------------------------------------

TEST_F(EditTest, UrlEditOpensItsTextWhenTheTextIsClicked) {
  ShowForm();
  auto* e = Add<TspSkinURLEdit>(20, 20, 300);
  std::vector<QUrl> opened;
  e->Opener = [&](const QUrl& url) {
    opened.push_back(url);
    return true;
  };
  e->SetText("www.example.org/vorns");
  TspInnerEdit* ed = e->Editor();
  const int start = ed->TextStartX();
  const int width = ed->fontMetrics().horizontalAdvance(ed->text());
  const int y = ed->height() / 2;

  QTest::mouseMove(ed, QPoint(start + width / 2, y));
  EXPECT_TRUE(e->OverLink());
  EXPECT_TRUE(ed->font().underline());
  EXPECT_EQ(ed->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseClick(ed, Qt::LeftButton, {}, QPoint(start + width / 2, y));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl("http://www.example.org/vorns"));

  // Past the end of the text: plain text, and a click only places the caret.
  QTest::mouseMove(ed, QPoint(start + width + 20, y));
  EXPECT_FALSE(e->OverLink());
  EXPECT_FALSE(ed->font().underline());
  QTest::mouseClick(ed, Qt::LeftButton, {}, QPoint(start + width + 20, y));
  EXPECT_EQ(opened.size(), 1u);

  // A mail link needs an at sign.
  e->SetLinkType(TspLinkType::spltMail);
  EXPECT_FALSE(e->LinkUrl().isValid());
  QTest::mouseMove(ed, QPoint(start + 5, y));
  QTest::mouseClick(ed, Qt::LeftButton, {}, QPoint(start + 5, y));
  EXPECT_EQ(opened.size(), 1u);
  e->SetText("vorns@example.org");
  QTest::mouseMove(ed, QPoint(start + 6, y));
  QTest::mouseClick(ed, Qt::LeftButton, {}, QPoint(start + 6, y));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1], QUrl("mailto:vorns@example.org"));

  // Execute off: the text is only text.
  e->SetExecute(false);
  QTest::mouseMove(ed, QPoint(start + 5, y));
  EXPECT_FALSE(e->OverLink());
  QTest::mouseClick(ed, Qt::LeftButton, {}, QPoint(start + 5, y));
  EXPECT_EQ(opened.size(), 2u);
}

// --- Date edit ------------------------------------------------------------------------------

TEST_F(EditTest, DateEditReadsAndWritesItsDate) {
  ShowForm();
  auto* e = Add<TspSkinDateEdit>(20, 20, 150);
  EXPECT_EQ(e->SkinDataName(), "buttonedit");
  EXPECT_TRUE(e->ButtonMode());
  EXPECT_EQ(e->RecordIndex(), data->FindControlData("buttonedit"));
  EXPECT_EQ(e->Text(), "    /  /  ");
  EXPECT_FALSE(e->IsValidDate()); // empty

  e->SetDate(QDate(2024, 5, 17));
  EXPECT_EQ(e->Text(), "2024/05/17");
  EXPECT_EQ(e->Date(), QDate(2024, 5, 17));

  struct Case {
    const char* Text;
    QDate Date;
  } cases[] = {
      {"2024/13/01", QDate()},
      {"2023/02/29", QDate()},
      {"2024/02/29", QDate(2024, 2, 29)},
      {"2024/ 5/ 7", QDate(2024, 5, 7)},
      {"2024/05/", QDate()},
      {"20 4/05/07", QDate()},
  };
  for (const Case& c : cases) {
    e->SetText(c.Text);
    EXPECT_EQ(e->Date(), c.Date) << c.Text;
  }

  // Typed into the blank mask, digit by digit.
  e->SetText("");
  QTest::mouseClick(e->Editor(), Qt::LeftButton, {}, QPoint(1, 5));
  e->Editor()->setCursorPosition(0);
  QTest::keyClicks(e->Editor(), "20241231");
  EXPECT_EQ(e->Text(), "2024/12/31");
  EXPECT_EQ(e->Date(), QDate(2024, 12, 31));
}

} // namespace
