// Push buttons under real input: the mouse state machine, groups, toggles, auto-repeat,
// default and cancel keys, and the images each state paints from the skin.

#include "form_fixture.h"
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/button.h"
#include "skin/controls/control_image.h"
#include "skin/controls/panel.h"
#include "skin/controls/skin_fonts.h"
#include "skin/controls/skin_tree.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "skin/render/effect_bitmap.h"
#include "skin/render/layered_window.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ButtonTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    NewForm(320, 200);
    ASSERT_NO_FATAL_FAILURE(LoadBuiltinSkin());
    new TspSkinnedFormHook(form.get());
  }

  TspSkinButton* AddButton(int x, int y, const QString& caption = QString(), bool skinned = true) {
    auto* b = new TspSkinButton(form.get());
    b->SetCaption(caption);
    if (skinned) b->SetSkinData(data);
    b->SetBounds(x, y, 75, 25);
    b->OnClick = [this, b](QObject* sender) {
      EXPECT_EQ(sender, b);
      ++clicks[b];
    };
    return b;
  }

  // The pointer to an empty corner of the form.
  void MouseAway() { QTest::mouseMove(form.get(), QPoint(315, 195)); }
  // Takes the focus away and lets the button's focus-out look settle.
  static void Unfocus(TspSkinButton* b) {
    b->clearFocus();
    EXPECT_TRUE(QTest::qWaitFor([b] { return !b->AnimationRunning() && !b->Morphing(); }, 2000));
  }

  TspDataSkinButtonControl* ButtonRecord() {
    return dynamic_cast<TspDataSkinButtonControl*>(
        data->ControlList[size_t(data->FindControlData("button"))].get());
  }

  // What the record's `rect` composes to at the button's size, as skintool compose does.
  QImage Composed(const QWidget& b, const TspRect& rect) {
    const TspDataSkinButtonControl* rec = ButtonRecord();
    TspControlGeometry g = ControlGeometry(*rec);
    const QSize size = FitSizeToSkin(g, b.size());
    QImage target;
    ComposeControlImage(target, *RecordPicture(*rec, data->ActivePictures), g, rect, size);
    return target;
  }

  std::map<QObject*, int> clicks;
};

QPoint Outside(const QWidget* w) {
  return QPoint(w->width() + 20, w->height() / 2);
}

// --- The mouse --------------------------------------------------------------------------------

TEST_F(ButtonTest, ClickInsideClicksOnceAndDragOutCancels) {
  TspSkinButton* b = AddButton(10, 10, "OK");
  ShowForm();
  QTest::mousePress(b, Qt::LeftButton);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(clicks[b], 0); // a push button clicks on release
  QTest::mouseRelease(b, Qt::LeftButton);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(clicks[b], 1);

  QTest::mousePress(b, Qt::LeftButton);
  QTest::mouseMove(b, Outside(b));
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(b->MouseIn()); // dragged out: no longer pressed-looking
  QTest::mouseMove(b, b->rect().center());
  EXPECT_TRUE(b->MouseIn()); // and back in
  QTest::mouseMove(b, Outside(b));
  QTest::mouseRelease(b, Qt::LeftButton, {}, Outside(b));
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(clicks[b], 1);

  // A right click does nothing.
  QTest::mouseClick(b, Qt::RightButton);
  EXPECT_EQ(clicks[b], 1);
}

TEST_F(ButtonTest, DisabledButtonIgnoresInputAndDisablingEndsAHeldPress) {
  TspSkinButton* b = AddButton(10, 10, "OK");
  b->SetRepeatMode(true);
  ShowForm();
  b->setEnabled(false);
  QTest::mouseClick(b, Qt::LeftButton);
  QTest::keyClick(b, Qt::Key_Space);
  EXPECT_EQ(clicks[b], 0);
  EXPECT_FALSE(b->Down());

  b->setEnabled(true);
  QTest::mousePress(b, Qt::LeftButton);
  EXPECT_TRUE(b->Repeating());
  b->setEnabled(false);
  EXPECT_FALSE(b->Down());
  EXPECT_FALSE(b->MousePressed());
  EXPECT_FALSE(b->Repeating());
  b->setEnabled(true);
  QTest::mouseRelease(b, Qt::LeftButton); // the release of the cancelled press
  EXPECT_EQ(clicks[b], 0);
}

TEST_F(ButtonTest, GroupButtonsAreExclusiveUnlessAllUpIsAllowed) {
  for (bool allowAllUp : {false, true}) {
    SCOPED_TRACE(allowAllUp);
    clicks.clear();
    std::vector<TspSkinButton*> group;
    for (int i = 0; i < 3; ++i) {
      group.push_back(AddButton(10 + 80 * i, 10, QString::number(i)));
      group.back()->SetGroupIndex(1);
      group.back()->SetAllowAllUp(allowAllUp);
    }
    // Another group of the same parent is not touched.
    TspSkinButton* other = AddButton(10, 50, "x");
    other->SetGroupIndex(2);
    other->SetDown(true);
    ShowForm();
    EXPECT_FALSE(group[0]->CanFocused()); // a group button takes no focus

    QTest::mousePress(group[0], Qt::LeftButton);
    EXPECT_EQ(clicks[group[0]], 1); // a group button clicks on press
    QTest::mouseRelease(group[0], Qt::LeftButton);
    EXPECT_TRUE(group[0]->Down());
    group[1]->SetDown(true);
    QTest::mouseClick(group[2], Qt::LeftButton);
    EXPECT_TRUE(group[2]->Down());
    EXPECT_EQ(group[0]->Down(), allowAllUp);
    EXPECT_EQ(group[1]->Down(), allowAllUp);
    EXPECT_TRUE(other->Down());

    // Pressing a down group button again: released (and clicked) only with AllowAllUp.
    QTest::mouseClick(group[2], Qt::LeftButton);
    EXPECT_EQ(group[2]->Down(), !allowAllUp);
    EXPECT_EQ(clicks[group[2]], allowAllUp ? 2 : 1);
    // ... and only when released over the button.
    if (allowAllUp) {
      QTest::mouseClick(group[2], Qt::LeftButton);
      QTest::mousePress(group[2], Qt::LeftButton);
      QTest::mouseMove(group[2], Outside(group[2]));
      QTest::mouseRelease(group[2], Qt::LeftButton, {}, Outside(group[2]));
      EXPECT_TRUE(group[2]->Down());
    }
    for (auto* b : group) delete b;
    delete other;
  }
}

TEST_F(ButtonTest, CheckedModeTogglesWithOneClickPerChange) {
  TspSkinButton* b = AddButton(10, 10, "Bold");
  b->SetCheckedMode(true);
  EXPECT_EQ(b->GroupIndex(), -1);
  ShowForm();
  QTest::mousePress(b, Qt::LeftButton);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(clicks[b], 1);
  QTest::mouseRelease(b, Qt::LeftButton);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(clicks[b], 1);
  QTest::mousePress(b, Qt::LeftButton);
  EXPECT_EQ(clicks[b], 1);
  QTest::mouseRelease(b, Qt::LeftButton);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(clicks[b], 2);

  b->SetCheckedMode(false);
  EXPECT_EQ(b->GroupIndex(), 0);
}

TEST_F(ButtonTest, AutoRepeatClicksWhileHeldAndStopsOnReleaseOrLeave) {
  TspSkinButton* b = AddButton(10, 10, "+");
  b->SetRepeatMode(true);
  b->SetRepeatInterval(10);
  ShowForm();
  QTest::mousePress(b, Qt::LeftButton);
  EXPECT_EQ(clicks[b], 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return clicks[b] >= 4; }, 3000));
  QTest::mouseRelease(b, Qt::LeftButton);
  EXPECT_FALSE(b->Repeating());
  const int afterRelease = clicks[b];
  QTest::qWait(60);
  EXPECT_EQ(clicks[b], afterRelease);

  // Dragging out stops it; back in, it starts over.
  QTest::mousePress(b, Qt::LeftButton);
  QTest::mouseMove(b, Outside(b));
  EXPECT_FALSE(b->Repeating());
  QTest::mouseMove(b, b->rect().center());
  EXPECT_TRUE(b->Repeating());
  QTest::mouseMove(b, Outside(b));
  QTest::mouseRelease(b, Qt::LeftButton, {}, Outside(b));
  EXPECT_EQ(clicks[b], afterRelease);
}

// --- The keyboard -----------------------------------------------------------------------------

TEST_F(ButtonTest, SpaceClicksOnReleaseAndEnterAtOnce) {
  TspSkinButton* b = AddButton(10, 10, "OK");
  ShowForm();
  b->setFocus();
  QTest::keyPress(b, Qt::Key_Space);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(clicks[b], 0);
  QTest::keyRelease(b, Qt::Key_Space);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(clicks[b], 1);
  QTest::keyPress(b, Qt::Key_Return);
  EXPECT_EQ(clicks[b], 2);
  // A Space released here that was pressed elsewhere does not click.
  QTest::keyRelease(b, Qt::Key_Space);
  EXPECT_EQ(clicks[b], 2);
}

TEST_F(ButtonTest, EnterAndEscClickTheDefaultAndCancelButtonsOfTheirOwnWindow) {
  auto* edit = new QLineEdit(form.get());
  edit->setGeometry(10, 100, 100, 19);
  TspSkinButton* ok = AddButton(10, 10, "OK");
  TspSkinButton* cancel = AddButton(90, 10, "Cancel");
  TspSkinButton* plain = AddButton(170, 10, "Other");
  ok->SetDefault(true);
  cancel->SetCancel(true);
  // A default button of another window stays out of it.
  QWidget otherForm;
  auto* foreign = new TspSkinButton(&otherForm);
  foreign->SetDefault(true);
  int foreignClicks = 0;
  foreign->OnClick = [&](QObject*) { ++foreignClicks; };
  ShowForm();

  edit->setFocus();
  EXPECT_TRUE(ok->DefaultActive());
  EXPECT_TRUE(ok->MouseIn()); // shows that Enter would click it
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(clicks[ok], 1);
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(clicks[cancel], 1);
  QTest::keyClick(edit, Qt::Key_Escape, Qt::ShiftModifier);
  EXPECT_EQ(clicks[cancel], 1);

  // With another button focused, Enter is that button's.
  plain->setFocus();
  EXPECT_FALSE(ok->DefaultActive());
  EXPECT_FALSE(ok->MouseIn());
  QTest::keyClick(plain, Qt::Key_Return);
  EXPECT_EQ(clicks[plain], 1);
  EXPECT_EQ(clicks[ok], 1);

  // A disabled default button is not clicked.
  edit->setFocus();
  ok->setEnabled(false);
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(clicks[ok], 1);
  EXPECT_EQ(foreignClicks, 0);
}

TEST_F(ButtonTest, AcceleratorFocusesAndClicks) {
  TspSkinButton* save = AddButton(10, 10, "&Save");
  TspSkinButton* other = AddButton(90, 10, "Other");
  save->SetDefault(true);
  ShowForm();
  other->setFocus();
  QTest::keyClick(other, Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(clicks[save], 1);
  EXPECT_TRUE(save->hasFocus());
  // A focused default button destroyed: the focus moves on without reaching it.
  delete save;
  other->setFocus();
  EXPECT_TRUE(other->hasFocus());
}

TEST_F(ButtonTest, ModalResultClosesItsDialogUnlessTheHandlerTakesItBack) {
  QDialog dialog;
  auto* b = new TspSkinButton(&dialog);
  b->SetModalResult(QDialog::Accepted);
  bool keepOpen = true;
  b->OnClick = [&](QObject*) {
    if (keepOpen) dialog.setResult(0);
  };
  dialog.show();
  b->FireClick();
  EXPECT_TRUE(dialog.isVisible());
  keepOpen = false;
  b->FireClick();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// --- Painting ---------------------------------------------------------------------------------

TEST_F(ButtonTest, EachStatePaintsTheSkinRectangleItSelects) {
  TspSkinButton* b = AddButton(10, 10); // no caption: the image is the composed face alone
  b->SetBounds(10, 10, 90, 40);
  ASSERT_EQ(b->size(), QSize(90, 23)); // a horizontal record keeps its height
  ShowForm();
  Unfocus(b);
  const TspDataSkinButtonControl* rec = ButtonRecord();
  ASSERT_FALSE(rec->focusedskinrect.IsEmpty());
  ASSERT_FALSE(rec->disabledskinrect.IsEmpty());

  EXPECT_EQ(b->PaintImage(), Composed(*b, rec->skinrect)) << "normal";
  QTest::mouseMove(b, b->rect().center());
  ASSERT_TRUE(b->MouseIn());
  // The built-in skins neither animate nor morph: the hot image shows at once.
  EXPECT_FALSE(b->AnimationRunning());
  EXPECT_FALSE(b->Morphing());
  EXPECT_EQ(b->PaintImage(), Composed(*b, rec->activeskinrect)) << "hot";
  QTest::mousePress(b, Qt::LeftButton);
  EXPECT_EQ(b->PaintImage(), Composed(*b, rec->downskinrect)) << "pressed";
  QTest::mouseMove(b, Outside(b));
  // Dragged out, a focused button shows its focused image.
  EXPECT_EQ(b->PaintImage(), Composed(*b, rec->focusedskinrect)) << "dragged out";
  QTest::mouseRelease(b, Qt::LeftButton, {}, Outside(b));
  EXPECT_EQ(b->PaintImage(), Composed(*b, rec->focusedskinrect)) << "focused";
  b->setEnabled(false);
  EXPECT_EQ(b->PaintImage(), Composed(*b, rec->disabledskinrect)) << "disabled";

  // The speed button shares the choice; a skin may name "button" for it.
  auto* speed = new TspSkinSpeedButton(form.get());
  speed->SetSkinDataName("button");
  speed->SetSkinData(data);
  speed->SetBounds(10, 60, 50, 30);
  speed->show();
  EXPECT_EQ(speed->size(), QSize(50, 23));
  EXPECT_EQ(speed->PaintImage(), Composed(*speed, rec->skinrect)) << "speed, normal";
  QTest::mousePress(speed, Qt::LeftButton);
  EXPECT_EQ(speed->PaintImage(), Composed(*speed, rec->downskinrect)) << "speed, pressed";
  QTest::mouseRelease(speed, Qt::LeftButton);
}

TEST_F(ButtonTest, CaptionColoursFollowTheStateAndGreyOutWhenTheSkinGivesNoDisabledColour) {
  TspSkinButton* b = AddButton(10, 10, "MMMM");
  ShowForm();
  Unfocus(b);
  TspDataSkinButtonControl* rec = ButtonRecord();
  const auto has = [](const QImage& img, TColor c) {
    const QRgb rgb = ColorToQColor(c).rgb();
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (img.pixel(x, y) == rgb) return true;
    return false;
  };
  EXPECT_TRUE(has(b->PaintImage(), rec->fontcolor));
  QTest::mouseMove(b, b->rect().center());
  EXPECT_TRUE(has(b->PaintImage(), rec->activefontcolor));
  MouseAway();
  b->setEnabled(false);
  EXPECT_TRUE(has(b->PaintImage(), rec->disabledfontcolor));
  rec->disabledfontcolor = rec->fontcolor;
  b->ApplySkin();
  EXPECT_TRUE(has(b->PaintImage(), 8421504));
  EXPECT_FALSE(has(b->PaintImage(), rec->fontcolor));
}

TEST_F(ButtonTest, GlyphCellFollowsTheState) {
  // Four cells: red, green, blue, yellow; each bottom-left pixel black (left out).
  QImage strip(40, 10, QImage::Format_RGB32);
  const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
  for (int i = 0; i < 4; ++i) {
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) strip.setPixel(10 * i + x, y, colours[i]);
    strip.setPixel(10 * i, 9, qRgb(0, 0, 0));
  }
  TspSkinButton* b = AddButton(10, 10);
  b->SetGlyph(strip);
  b->SetNumGlyphs(4);
  b->SetSpacing(4);
  ShowForm();
  Unfocus(b);
  const auto glyphAt = [&] {
    const TspGlyphCaptionPlacement at = PlaceGlyphAndCaption(
        b->ContentRect(), QSize(10, 10), QSize(0, 0), b->Layout(), b->Margin(), b->Spacing());
    const QImage img = b->PaintImage();
    EXPECT_NE(img.pixel(at.Glyph.X, at.Glyph.Y + 9), qRgb(0, 0, 0)); // key colour not drawn
    return img.pixel(at.Glyph.X + 5, at.Glyph.Y + 5);
  };
  EXPECT_EQ(glyphAt(), colours[0]);
  QTest::mouseMove(b, b->rect().center());
  EXPECT_EQ(glyphAt(), colours[3]);
  QTest::mousePress(b, Qt::LeftButton);
  EXPECT_EQ(glyphAt(), colours[2]);
  QTest::mouseRelease(b, Qt::LeftButton);
  MouseAway();
  Unfocus(b);
  b->setEnabled(false);
  EXPECT_EQ(glyphAt(), colours[1]);
}

TEST_F(ButtonTest, ImageListPictureReplacesTheGlyphWhileItsIndexIsValid) {
  const QRgb magenta = qRgb(255, 0, 255), cyan = qRgb(0, 255, 255);
  auto images = std::make_unique<TspImageList>();
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(magenta);
  images->Images.push_back(picture);
  QImage strip(8, 8, QImage::Format_RGB32);
  strip.fill(cyan);
  strip.setPixel(0, 7, qRgb(0, 0, 0));
  TspSkinButton* b = AddButton(10, 10);
  b->SetGlyph(strip);
  b->SetImageList(images.get());
  b->SetImageIndex(0);
  ShowForm();
  Unfocus(b);
  const TspGlyphCaptionPlacement at =
      PlaceGlyphAndCaption(b->ContentRect(), QSize(8, 8), QSize(0, 0), b->Layout(), -1, 1);
  const auto centre = [&] { return b->PaintImage().pixel(at.Glyph.X + 4, at.Glyph.Y + 4); };
  EXPECT_EQ(centre(), magenta);
  b->SetImageIndex(3); // no such picture: the glyph
  EXPECT_EQ(centre(), cyan);
  b->SetImageIndex(0);
  b->setEnabled(false);
  EXPECT_NE(centre(), magenta); // drawn in its disabled look
  b->setEnabled(true);
  images.reset(); // a destroyed list is dropped
  EXPECT_EQ(centre(), cyan);
}

TEST_F(ButtonTest, TransparentButtonShowsTheParentBackgroundOnlyWhenIdle) {
  QPalette pal = form->palette();
  pal.setColor(QPalette::Window, QColor(10, 200, 30));
  form->setPalette(pal);
  TspSkinButton* b = AddButton(10, 10);
  b->SetTransparent(true);
  ShowForm();
  Unfocus(b);
  QImage behind(b->size(), QImage::Format_RGB32);
  behind.fill(QColor(10, 200, 30));
  EXPECT_EQ(b->PaintImage(), behind);
  QTest::mouseMove(b, b->rect().center());
  EXPECT_EQ(b->PaintImage(), Composed(*b, ButtonRecord()->activeskinrect));
}

TEST_F(ButtonTest, UseSkinSizeOffTakesAnySizeAndStretchesAroundTheClientRect) {
  TspSkinButton* b = AddButton(10, 10);
  b->SetUseSkinSize(false);
  b->SetBounds(10, 10, 60, 40);
  EXPECT_EQ(b->size(), QSize(60, 40));
  const TspDataSkinButtonControl* rec = ButtonRecord();
  QImage expected(60, 40, QImage::Format_RGB32);
  expected.fill(Qt::black);
  ComposeStretchedImage(expected, *RecordPicture(*rec, data->ActivePictures), rec->skinrect,
                        rec->clientrect, true);
  EXPECT_EQ(b->PaintImage(), expected);
  const TspRect content = b->ContentRect();
  EXPECT_EQ(content.Right, rec->clientrect.Right + 60 - rec->skinrect.Width());
  EXPECT_EQ(content.Bottom, rec->clientrect.Bottom + 40 - rec->skinrect.Height());

  b->SetUseSkinSize(true);
  EXPECT_EQ(b->height(), rec->skinrect.Height());
}

TEST_F(ButtonTest, PlainLookWithoutASkin) {
  TspSkinButton* b = AddButton(10, 10, QString(), false);
  ShowForm();
  Unfocus(b);
  const QPalette pal = b->palette();
  struct Case {
    const char* name;
    std::function<void()> drive;
    QColor frame, fill;
  };
  const QColor blue = QColor(59, 107, 183);
  const Case cases[] = {
      {"normal", [] {}, pal.color(QPalette::Dark), pal.color(QPalette::Button)},
      {"hot", [&] { QTest::mouseMove(b, b->rect().center()); }, blue, QColor(193, 212, 243)},
      {"pressed", [&] { QTest::mousePress(b, Qt::LeftButton); }, blue, QColor(162, 188, 228)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.drive();
    const QImage img = b->PaintImage();
    ASSERT_EQ(img.size(), QSize(75, 25));
    EXPECT_EQ(img.pixel(0, 0), c.frame.rgb());
    EXPECT_EQ(img.pixel(74, 24), c.frame.rgb());
    EXPECT_EQ(img.pixel(37, 12), c.fill.rgb());
  }
  QTest::mouseRelease(b, Qt::LeftButton);
}

// --- Effects a skin asks for ----------------------------------------------------------------

TEST_F(ButtonTest, HoverAnimationRunsThroughTheFramesWhenTheSkinHasThem) {
  TspDataSkinButtonControl* rec = ButtonRecord();
  // Three frames side by side, starting at the normal face: any rectangles of the face's
  // size will do.
  const int w = rec->skinrect.Width();
  rec->animateskinrect = {rec->skinrect.Left, rec->skinrect.Top, rec->skinrect.Left + 3 * w,
                          rec->skinrect.Bottom};
  rec->framecount = 3;
  rec->animateinterval = 5;
  TspSkinButton* b = AddButton(10, 10);
  ShowForm();
  Unfocus(b);
  QTest::mouseMove(b, b->rect().center());
  EXPECT_TRUE(b->AnimationRunning());
  EXPECT_EQ(b->AnimationFrame(), 1);
  const TspRect frame1 = AnimationFrameRect(rec->animateskinrect, rec->skinrect, 3, 1);
  EXPECT_EQ(b->PaintImage(), Composed(*b, frame1));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !b->AnimationRunning(); }, 2000));
  EXPECT_EQ(b->AnimationFrame(), 0);
  EXPECT_EQ(b->PaintImage(), Composed(*b, rec->activeskinrect));

  MouseAway();
  EXPECT_TRUE(b->AnimationRunning());
  EXPECT_EQ(b->AnimationFrame(), 3);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !b->AnimationRunning(); }, 2000));
  EXPECT_EQ(b->PaintImage(), Composed(*b, rec->skinrect));

  // Without skin effects nothing animates.
  data->SetEnableSkinEffects(false);
  QTest::mouseMove(b, b->rect().center());
  EXPECT_FALSE(b->AnimationRunning());
}

TEST_F(ButtonTest, MorphBlendsNormalIntoHotWhenTheSkinMorphs) {
  TspDataSkinButtonControl* rec = ButtonRecord();
  rec->morphing = true;
  rec->morphkind = TspMorphKind::mkDefault;
  TspSkinButton* b = AddButton(10, 10);
  ShowForm();
  Unfocus(b);
  QTest::mouseMove(b, b->rect().center());
  EXPECT_TRUE(b->Morphing());
  ASSERT_TRUE(QTest::qWaitFor([&] { return b->MorphValue() > 0 && b->MorphValue() < 1; }, 2000));
  const double x = b->MorphValue();
  TspEffectBmp expected(Composed(*b, rec->skinrect));
  expected.MorphFade(TspEffectBmp(Composed(*b, rec->activeskinrect)), x);
  EXPECT_EQ(b->PaintImage(), expected.ToImage());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !b->Morphing(); }, 2000));
  EXPECT_EQ(b->MorphValue(), 1.0);
  EXPECT_EQ(b->PaintImage(), Composed(*b, rec->activeskinrect));
  MouseAway();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !b->Morphing(); }, 2000));
  EXPECT_EQ(b->MorphValue(), 0.0);
  EXPECT_EQ(b->PaintImage(), Composed(*b, rec->skinrect));
}

TEST_F(ButtonTest, GlowFrameShowsOnEnterAndGoesOnLeaveAndSkinChange) {
  TspDataSkinButtonControl* rec = ButtonRecord();
  rec->glowlayerpictureindex = 0;
  rec->glowlayeroffsetleft = 4;
  rec->glowlayeroffsetright = 4;
  rec->glowlayershowoffsetx = 3;
  rec->glowlayershowoffsety = 2;
  TspSkinButton* b = AddButton(10, 10);
  b->SetBounds(10, 10, 100, 23);
  b->SetGlowLayerSupport([] { return true; });
  ShowForm();
  const QImage& glowPicture = data->ActivePictures[0];

  for (bool always : {false, true}) {
    SCOPED_TRACE(always);
    data->SetShowButtonGlowFrames(!always);
    b->SetAlwaysShowLayeredFrame(always);
    QTest::mouseMove(b, b->rect().center());
    QCoreApplication::processEvents();
    ASSERT_TRUE(b->GlowLayer().IsShowing());
    const TspLayerWindow* w = b->GlowLayer().Window();
    // A horizontal record widens the glow with the button.
    EXPECT_EQ(w->Picture().width(), glowPicture.width() + 100 - rec->skinrect.Width());
    EXPECT_EQ(w->position(), b->mapToGlobal(QPoint(0, 0)) - QPoint(3, 2));
    MouseAway();
    QCoreApplication::processEvents();
    EXPECT_FALSE(b->GlowLayer().IsShowing());
  }

  QTest::mouseMove(b, b->rect().center());
  QCoreApplication::processEvents();
  ASSERT_TRUE(b->GlowLayer().IsShowing());
  data->SetSkinIndex(1);
  EXPECT_FALSE(b->GlowLayer().IsShowing());
}

TEST_F(ButtonTest, SkinSwitchRepaintsTheCurrentStateInTheNewSkin) {
  TspSkinButton* b = AddButton(10, 10);
  ShowForm();
  Unfocus(b);
  QTest::mouseMove(b, b->rect().center());
  const QImage blueHot = b->PaintImage();
  data->SetSkinIndex(2); // orange
  EXPECT_TRUE(b->MouseIn());
  EXPECT_NE(b->PaintImage(), blueHot);
  EXPECT_EQ(b->PaintImage(), Composed(*b, ButtonRecord()->activeskinrect));
  // A skin data object that goes away leaves the plain look.
  delete data;
  data = nullptr;
  EXPECT_EQ(b->PaintImage().pixel(0, 0), QColor(59, 107, 183).rgb());
}

// --- The speed button -------------------------------------------------------------------------

TEST_F(ButtonTest, FlatSpeedButtonShowsItsFaceOnlyWhenHotOrDown) {
  form->setStyleSheet(QString());
  QPalette pal = form->palette();
  pal.setColor(QPalette::Window, QColor(10, 200, 30));
  form->setPalette(pal);
  auto* s = new TspSkinSpeedButton(form.get());
  s->SetSkinDataName("resizebutton");
  s->SetSkinData(data);
  s->SetFlat(true);
  s->move(10, 10);
  int speedClicks = 0;
  s->OnClick = [&](QObject*) { ++speedClicks; };
  ShowForm();
  EXPECT_EQ(s->size(), QSize(25, 25)); // nine-part record: any size
  const QRgb formColour = QColor(10, 200, 30).rgb();
  EXPECT_EQ(s->PaintImage().pixel(12, 12), formColour);
  QTest::mouseMove(s, s->rect().center());
  EXPECT_NE(s->PaintImage().pixel(12, 12), formColour);
  QTest::mouseClick(s, Qt::LeftButton);
  EXPECT_EQ(speedClicks, 1);
  EXPECT_FALSE(s->hasFocus());

  s->SetWidthWithCaption(60);
  s->SetWidthWithoutCaption(25);
  s->SetShowCaption(true);
  EXPECT_EQ(s->width(), 60);
  s->SetShowCaption(false);
  EXPECT_EQ(s->width(), 25);
}

} // namespace

// Default-button bookkeeping walks the form's buttons; other skinned controls on the same
// form must be left alone (they share the buttons' base class, not their fields).
TEST(ButtonDefaultBookkeeping, TouchesOnlyButtons) {
  QWidget form;
  auto* panel = new TspSkinPanel(&form);
  panel->SetCaption("kept");
  panel->setGeometry(0, 0, 120, 60);
  auto* button = new TspSkinButton(&form);
  button->SetDefault(true);
  form.show();
  button->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(button->DefaultActive());
  EXPECT_EQ(panel->Caption(), "kept");
  EXPECT_EQ(panel->size(), QSize(120, 60));
}
