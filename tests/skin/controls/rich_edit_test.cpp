// The rich edit on real widgets: the attached skinned bars mirror the hidden native ones as
// lines are appended and removed, the bar scrolls the text and keys scroll the bar, the
// font and colours follow the skin only with SkinSupport, and the wallpaper shows under
// the text.

#include "form_fixture.h"
#include "skin/controls/plain_look.h"
#include "skin/controls/rich_edit.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/skin_tree.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace {

class RichEditTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    NewForm(400, 300);
    LoadBuiltinSkin();
    new TspSkinnedFormHook(form.get());
    edit = new TspSkinRichEdit(form.get());
    edit->setGeometry(10, 10, 200, 120);
    bar = new TspSkinScrollBar(form.get());
    bar->SetKind(TspScrollBarKind::sbVertical);
    bar->SetSkinData(data);
    bar->setGeometry(210, 10, 19, 120);
  }

  // The bar shows what the hidden native bar holds.
  void ExpectInStep() {
    const QScrollBar* native = edit->verticalScrollBar();
    ASSERT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->PageSize(), native->pageStep());
    EXPECT_EQ(bar->Max() - bar->PageSize() + 1, native->maximum());
    EXPECT_EQ(bar->Position(), native->value());
  }

  void AppendLines(int count) {
    for (int i = 0; i < count; ++i)
      edit->AppendLine(QStringLiteral("Line %1").arg(i), QColor(20, 100, 20), i % 2 == 0);
  }

  TspSkinRichEdit* edit = nullptr;
  TspSkinScrollBar* bar = nullptr;
};

TEST_F(RichEditTest, HasNoBorderAndNoVisibleNativeBars) {
  ShowForm();
  AppendLines(50);
  EXPECT_EQ(edit->frameWidth(), 0);
  EXPECT_FALSE(edit->verticalScrollBar()->isVisible());
  EXPECT_FALSE(edit->horizontalScrollBar()->isVisible());
  // The text uses the whole control.
  EXPECT_EQ(edit->viewport()->geometry(), edit->rect());
  // The native state stays readable.
  EXPECT_GT(edit->verticalScrollBar()->maximum(), 0);
}

TEST_F(RichEditTest, AppendingPastTheViewEnablesTheBarAndKeepsItAtTheEnd) {
  ShowForm();
  edit->SetVScrollBar(bar);
  EXPECT_FALSE(bar->isEnabled()); // nothing to scroll yet
  int appended = 0;
  while (edit->verticalScrollBar()->maximum() == 0) {
    ASSERT_LT(appended, 100);
    EXPECT_FALSE(bar->isEnabled()) << appended;
    AppendLines(1);
    ++appended;
  }
  // The line that overflowed the view enabled the bar, which follows the insertion point.
  ExpectInStep();
  EXPECT_EQ(bar->Position(), bar->Max() - bar->PageSize() + 1);
  bar->UpdateLayout();
  EXPECT_FALSE(bar->Part(TspSkinScrollBar::ThumbPart).Rect.isEmpty());

  AppendLines(200);
  ExpectInStep();
  EXPECT_EQ(bar->Position(), edit->verticalScrollBar()->maximum());
  // The runs keep their colour and weight.
  const QTextBlock first = edit->document()->firstBlock();
  const QTextCharFormat format = first.begin().fragment().charFormat();
  EXPECT_EQ(format.foreground().color(), QColor(20, 100, 20));
  EXPECT_EQ(format.fontWeight(), QFont::Bold);
  EXPECT_EQ(first.text(), QStringLiteral("Line 0"));
  // Several runs make one line; appending leaves nothing to undo.
  edit->AppendRuns({{QStringLiteral("ERROR"), Qt::red}, {QStringLiteral("(491)\n"), Qt::black}});
  const QTextBlock last = edit->document()->lastBlock().previous();
  EXPECT_EQ(last.text(), QStringLiteral("ERROR(491)"));
  EXPECT_EQ(last.begin().fragment().charFormat().foreground().color(), QColor(Qt::red));
  EXPECT_FALSE(edit->document()->isUndoAvailable());
  EXPECT_TRUE(edit->document()->isUndoRedoEnabled());

  // Text that fits again disables the bar, which then shows no thumb.
  edit->clear();
  EXPECT_EQ(edit->verticalScrollBar()->maximum(), 0);
  EXPECT_FALSE(bar->isEnabled());
  TspSkinScrollBar idle(form.get());
  idle.SetKind(TspScrollBarKind::sbVertical);
  idle.SetSkinData(data);
  idle.setGeometry(bar->geometry());
  idle.setEnabled(false);
  EXPECT_EQ(bar->PaintImage(), idle.PaintImage());
}

TEST_F(RichEditTest, TheBarScrollsTheTextAndKeysScrollTheBar) {
  ShowForm();
  edit->SetVScrollBar(bar);
  AppendLines(100);
  QScrollBar* native = edit->verticalScrollBar();

  // Keys in the text move the bar.
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_LT(native->value(), native->maximum() / 2); // the first line shows
  ExpectInStep();
  const int start = native->value();
  QTest::keyClick(edit, Qt::Key_PageDown);
  EXPECT_GT(native->value(), start);
  ExpectInStep();

  // The far arrow button scrolls one line down; the near one back up.
  bar->SetPosition(0);
  EXPECT_EQ(native->value(), 0);
  bar->UpdateLayout();
  const int line = QFontMetrics(edit->font()).lineSpacing();
  QTest::mouseClick(bar, Qt::LeftButton, {},
                    bar->Part(TspSkinScrollBar::UpButtonPart).Rect.center());
  EXPECT_EQ(native->value(), line);
  ExpectInStep();
  QTest::mouseClick(bar, Qt::LeftButton, {},
                    bar->Part(TspSkinScrollBar::DownButtonPart).Rect.center());
  EXPECT_EQ(native->value(), 0);
  // At the top the near button does nothing.
  QTest::mouseClick(bar, Qt::LeftButton, {},
                    bar->Part(TspSkinScrollBar::DownButtonPart).Rect.center());
  EXPECT_EQ(native->value(), 0);

  // A click in the track after the thumb pages by one view.
  bar->UpdateLayout();
  const QRect track = bar->TrackRect();
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(track.center().x(), track.bottom() - 2));
  EXPECT_EQ(native->value(), native->pageStep());
  ExpectInStep();

  // Setting the bar's position scrolls the text there; past the end it stops at the end.
  bar->SetPosition(37);
  EXPECT_EQ(native->value(), 37);
  bar->SetPosition(bar->Max());
  EXPECT_EQ(native->value(), native->maximum());
  ExpectInStep();

  // At the end the far button does nothing more.
  bar->UpdateLayout();
  QTest::mouseClick(bar, Qt::LeftButton, {},
                    bar->Part(TspSkinScrollBar::UpButtonPart).Rect.center());
  EXPECT_EQ(native->value(), native->maximum());
}

TEST_F(RichEditTest, HorizontalBarFollowsLongLinesWhenNotWrapping) {
  ShowForm();
  auto* hbar = new TspSkinScrollBar(form.get());
  hbar->SetSkinData(data);
  hbar->setGeometry(10, 130, 200, 19);
  edit->setLineWrapMode(QTextEdit::NoWrap);
  edit->SetHScrollBar(hbar);
  edit->AppendLine(QStringLiteral("short"), Qt::black);
  EXPECT_FALSE(hbar->isEnabled());
  edit->AppendLine(QString(200, QLatin1Char('w')), Qt::black);
  const QScrollBar* native = edit->horizontalScrollBar();
  ASSERT_GT(native->maximum(), 0);
  EXPECT_TRUE(hbar->isEnabled());
  EXPECT_EQ(hbar->PageSize(), native->pageStep());
  EXPECT_EQ(hbar->Max() - hbar->PageSize() + 1, native->maximum());
  hbar->SetPosition(25);
  EXPECT_EQ(native->value(), 25);

  // Without horizontal bars in ScrollBars the attached one stays disabled.
  edit->SetScrollBars(TspScrollStyle::ssVertical);
  EXPECT_FALSE(hbar->isEnabled());
}

TEST_F(RichEditTest, BarsAndEditMayGoInEitherOrder) {
  ShowForm();
  edit->SetVScrollBar(bar);
  delete bar;
  EXPECT_EQ(edit->VScrollBar(), nullptr);
  AppendLines(100); // no bar to keep in step any more

  bar = new TspSkinScrollBar(form.get());
  bar->SetKind(TspScrollBarKind::sbVertical);
  bar->setGeometry(210, 10, 19, 120);
  edit->SetVScrollBar(bar);
  ExpectInStep();
  delete edit;
  // The bar no longer calls into the edit.
  EXPECT_FALSE(bar->OnChange);
  EXPECT_FALSE(bar->OnUpButtonClick);
  bar->SetPosition(10);
}

TEST_F(RichEditTest, FontAndColourComeFromTheSkinOnlyWithSkinSupport) {
  const int index = data->FindControlData(QStringLiteral("richedit"));
  ASSERT_GE(index, 0);
  const auto& rec = dynamic_cast<const TspDataSkinRichEdit&>(*data->ControlList[size_t(index)]);
  edit->SetDefaultColor(QColor(1, 2, 3));

  // Without SkinSupport the record is found but the look stays the edit's own.
  edit->SetSkinData(data);
  EXPECT_EQ(edit->RecordIndex(), index);
  EXPECT_EQ(edit->font().family(), QStringLiteral("Tahoma"));
  EXPECT_EQ(edit->font().pixelSize(), 13);
  EXPECT_NE(edit->Color(), QColor(1, 2, 3));

  edit->SetSkinSupport(true);
  EXPECT_EQ(edit->Color(), SkinColor(rec.bgcolor));
  EXPECT_EQ(edit->FontColor(), SkinColor(rec.fontcolor));
  EXPECT_EQ(edit->font().pixelSize(), rec.fontheight == 0 ? 13 : std::abs(rec.fontheight));

  // A skin without the record gives the default font and colour.
  edit->SetSkinDataName(QStringLiteral("nosuchrecord"));
  EXPECT_EQ(edit->RecordIndex(), -1);
  EXPECT_EQ(edit->Color(), QColor(1, 2, 3));
  edit->SetDefaultColor(QColor(4, 5, 6));
  EXPECT_EQ(edit->Color(), QColor(4, 5, 6));
  QFont big = edit->DefaultFont();
  big.setPixelSize(20);
  edit->SetDefaultFont(big);
  EXPECT_EQ(edit->font().pixelSize(), 20);

  // The record again, and it goes with its skin data.
  edit->SetSkinDataName(QStringLiteral("richedit"));
  EXPECT_EQ(edit->Color(), SkinColor(rec.bgcolor));
  delete data;
  data = nullptr;
  EXPECT_EQ(edit->SkinData(), nullptr);
  EXPECT_EQ(edit->RecordIndex(), -1);
  EXPECT_EQ(edit->Color(), QColor(4, 5, 6));
}

TEST_F(RichEditTest, FollowsSkinChanges) {
  edit->SetSkinSupport(true);
  edit->SetSkinData(data);
  const QColor first = edit->Color();
  // Every built-in skin has its own surface colour; the edit takes the new one.
  for (int i = 1; i < data->SkinList()->Skins().Count(); ++i) {
    data->SetSkinIndex(i);
    const int index = data->FindControlData(QStringLiteral("richedit"));
    ASSERT_GE(index, 0);
    EXPECT_EQ(
        edit->Color(),
        SkinColor(
            dynamic_cast<const TspDataSkinRichEdit&>(*data->ControlList[size_t(index)]).bgcolor));
  }
  data->SetSkinIndex(0);
  EXPECT_EQ(edit->Color(), first);
}

TEST_F(RichEditTest, TransparentShowsWhatLiesBehind) {
  QPalette pal = form->palette();
  pal.setColor(QPalette::Window, QColor(12, 34, 56));
  form->setPalette(pal);
  edit->AppendLine(QStringLiteral("over the form"), Qt::black);
  ShowForm();
  const QRgb base = edit->grab().toImage().pixel(150, 100);
  EXPECT_EQ(base, edit->Color().rgb());
  edit->SetTransparent(true);
  EXPECT_EQ(edit->grab().toImage().pixel(150, 100), qRgb(12, 34, 56));
  edit->SetTransparent(false);
  EXPECT_EQ(edit->grab().toImage().pixel(150, 100), base);
}

TEST_F(RichEditTest, WallpaperShowsUnderTheTextTiledOrStretched) {
  QImage wallpaper(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) wallpaper.setPixel(x, y, qRgb(x * 30, y * 30, 100));
  edit->SetWallpaper(wallpaper);
  EXPECT_TRUE(edit->Transparent());
  ShowForm();
  const QImage tiled = edit->grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Far from any text: the wallpaper tiled from the edit's corner.
  for (const QPoint at : {QPoint(150, 100), QPoint(197, 117), QPoint(100, 60)})
    EXPECT_EQ(tiled.pixel(at), wallpaper.pixel(at.x() % 8, at.y() % 8)) << at.x() << "," << at.y();

  edit->SetWallpaperStretch(true);
  const QImage stretched = edit->grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Stretched over 200 x 120, the bottom-right pixel comes from the last one of the picture.
  EXPECT_EQ(stretched.pixel(199, 119), wallpaper.pixel(7, 7));
  EXPECT_EQ(stretched.pixel(190, 5), wallpaper.pixel(7, 0));
}

} // namespace
