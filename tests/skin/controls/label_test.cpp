#include "form_fixture.h"
#include "grab_checks.h"
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/label.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_fixtures.h"
#include "skin/data/skin_list.h"

#include <QFontMetrics>
#include <QHash>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The grab of a transparent label over a form of one known colour.
QImage GrabOver(QWidget& form, QWidget& label) {
  return form.grab(label.geometry()).toImage().convertToFormat(QImage::Format_RGB32);
}

// Rows and columns of pixels that differ from `background`.
QRect InkBounds(const QImage& img, QRgb background) {
  QRect r;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) != background) r |= QRect(x, y, 1, 1);
  return r;
}

// Contrast of two colours as the accessibility guidelines define it, 1 to 21.
double Contrast(const QColor& a, const QColor& b) {
  auto luminance = [](const QColor& c) {
    auto linear = [](double v) {
      v /= 255.0;
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class LabelTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }
  void SetUp() override {
    skin = std::make_unique<TspSkinData>();
    skin->SetSkinList(CreateBuiltinSkinList(skin.get()));
    skin->SetSkinIndex(0);
    ASSERT_FALSE(skin->IsEmpty());
    form = ColouredForm({300, 200}, {{QPalette::Window, QColor(250, 240, 230)},
                                     {QPalette::WindowText, QColor(0, 128, 0)},
                                     {QPalette::Light, QColor(255, 255, 255)},
                                     {QPalette::Dark, QColor(100, 100, 100)}});
  }
  template <class R> const R& Record(const char* name) {
    return dynamic_cast<const R&>(*skin->ControlList[size_t(skin->FindControlData(name))]);
  }
  std::unique_ptr<TspSkinData> skin;
  std::unique_ptr<QWidget> form;
};

TEST_F(LabelTest, SkinSizeKeepsTheRecordsHeight) {
  const auto& rec = Record<TspDataSkinLabelControl>("label");
  ASSERT_EQ(rec.skinrect.Height(), 19);
  TspSkinLabel label(form.get());
  label.SetSkinData(skin.get());
  ASSERT_EQ(label.GeometryMode(), TspGeometryMode::Horizontal);
  for (const int asked : {5, 19, 40}) {
    label.SetBounds(0, 0, 120, asked);
    EXPECT_EQ(label.size(), QSize(120, 19));
  }
  // Without the skin's size rules any height goes, and the text rectangle grows with it.
  label.SetUseSkinSize(false);
  label.SetBounds(0, 0, 120, 40);
  EXPECT_EQ(label.size(), QSize(120, 40));
  EXPECT_EQ(label.TextRect(), QRect(rec.clientrect.Left, rec.clientrect.Top,
                                    rec.clientrect.Width() + 120 - rec.skinrect.Width(),
                                    rec.clientrect.Height() + 40 - 19));
  EXPECT_FALSE(label.WindowRegion().has_value() && !label.UseSkinSize());
}

TEST_F(LabelTest, FontAndColourFollowTheRecordOrTheDefaults) {
  const auto& rec = Record<TspDataSkinLabelControl>("label");
  TspSkinLabel label(form.get());
  QFont def("Tahoma");
  def.setPixelSize(21);
  label.SetDefaultFont(def);
  const QColor windowText = label.palette().color(QPalette::WindowText);
  const QColor record = ColorToQColor(rec.fontcolor);
  struct Case {
    bool Skinned, UseSkinFont, UseSkinFontColor;
    int PixelSize;
    QColor Colour;
  } cases[] = {
      {false, true, true, 21, windowText},
      {true, true, true, rec.fontheight, record},
      {true, false, true, 21, record},
      {true, true, false, rec.fontheight, windowText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Skinned << c.UseSkinFont << c.UseSkinFontColor);
    label.SetSkinData(c.Skinned ? skin.get() : nullptr);
    label.SetUseSkinFont(c.UseSkinFont);
    label.SetUseSkinFontColor(c.UseSkinFontColor);
    EXPECT_EQ(label.TextFont().pixelSize(), c.PixelSize);
    EXPECT_EQ(label.TextFont().family(), c.Skinned && c.UseSkinFont ? rec.fontname : "Tahoma");
    EXPECT_EQ(label.TextColor(), c.Colour);
  }
  // The caption is painted in that colour, inside the text rectangle.
  label.SetUseSkinFont(true);
  label.SetUseSkinFontColor(true);
  label.SetSkinData(skin.get());
  label.SetBounds(0, 0, 150, 19);
  label.SetCaption("Username");
  const QImage img = Grab(label);
  EXPECT_GT(CountColour(img, record.rgb(), label.TextRect()), 10);
  EXPECT_EQ(CountColour(img, record.rgb()), CountColour(img, record.rgb(), label.TextRect()));
  // Plain: a frame and the default font's colour.
  label.SetSkinData(nullptr);
  label.SetBounds(0, 0, 150, 25);
  const QImage plain = Grab(label);
  EXPECT_GT(CountColour(plain, windowText.rgb()), 10);
  EXPECT_EQ(plain.pixel(0, 10), label.palette().color(QPalette::Dark).rgb());
}

TEST_F(LabelTest, AlignmentPlacesTheCaptionAndAutoSizeFitsIt) {
  TspSkinLabel label(form.get());
  label.SetSkinData(skin.get());
  label.SetBounds(0, 0, 200, 19);
  label.SetCaption("Name");
  const QRect text = label.TextRect();
  const QRgb face = Grab(label).pixel(text.center().x(), 1);
  label.SetAlignment(TspAlignment::taLeftJustify);
  QRect ink = InkBounds(Grab(label).copy(text), face);
  EXPECT_LE(ink.left(), 2);
  label.SetAlignment(TspAlignment::taRightJustify);
  ink = InkBounds(Grab(label).copy(text), face);
  EXPECT_GE(ink.right(), text.width() - 3);
  label.SetAlignment(TspAlignment::taCenter);
  ink = InkBounds(Grab(label).copy(text), face);
  EXPECT_LE(std::abs(ink.left() - (text.width() - 1 - ink.right())), 3);

  // AutoSize: the text rectangle becomes as wide as the caption.
  label.SetAutoSize(true);
  const int tw = QFontMetrics(label.TextFont()).horizontalAdvance("Name");
  EXPECT_EQ(label.TextRect().width(), tw);
  label.SetCaption("A much longer caption");
  EXPECT_EQ(label.TextRect().width(),
            QFontMetrics(label.TextFont()).horizontalAdvance("A much longer caption"));
  EXPECT_EQ(label.height(), 19);

  // Without a skin record: the caption's width and 4.
  TspSkinLabel plain(form.get());
  plain.SetBounds(0, 30, 200, 19);
  plain.SetCaption("Name");
  plain.SetAutoSize(true);
  EXPECT_EQ(plain.width(), QFontMetrics(plain.TextFont()).horizontalAdvance("Name") + 4);
}

TEST_F(LabelTest, ShadowAndReflectionFollowTheShortenedCaption) {
  // A caption shortened with an ellipsis paints as that shortened text written out would.
  const QString caption = QStringLiteral("Wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww");
  for (const bool shadow : {true, false}) {
    TspSkinLabel shortened(form.get()), written(form.get());
    for (TspSkinLabel* label : {&shortened, &written}) {
      label->SetBounds(0, 0, 90, 21);
      label->SetShadowEffect(shadow);
      label->SetShadowColor(0x0000FF); // red
      label->SetShadowOffset(2);
      label->SetReflectionEffect(!shadow);
    }
    shortened.SetEllipsType(TspEllipsType::spetEllips);
    shortened.SetCaption(caption);
    QImage device(1, 1, QImage::Format_RGB32);
    const QString text = QFontMetrics(shortened.TextFont(), &device)
                             .elidedText(caption, Qt::ElideRight, shortened.TextRect().width());
    ASSERT_NE(text, caption);
    written.SetCaption(text);
    EXPECT_EQ(Grab(shortened), Grab(written)) << (shadow ? "shadow" : "reflection");
  }
}

TEST_F(LabelTest, StandardLabelTakesFontAndColourFromTheStdLabelRecord) {
  const auto& rec = Record<TspDataSkinStdLabelControl>("stdlabel");
  TspSkinStdLabel label(form.get());
  QFont own("DejaVu Sans");
  own.setPixelSize(17);
  label.setFont(own);
  label.SetCaption("Browse");
  EXPECT_EQ(label.TextFont().pixelSize(), 13); // no record: the default font
  EXPECT_EQ(label.TextColor(), QColor(0, 128, 0));
  label.SetSkinData(skin.get());
  EXPECT_EQ(label.TextFont().family(), rec.fontname);
  EXPECT_EQ(label.TextColor(), ColorToQColor(rec.fontcolor));
  label.SetUseSkinFont(false);
  label.SetUseSkinColor(false);
  EXPECT_EQ(label.TextFont().pixelSize(), 17); // its own font
  EXPECT_EQ(label.TextColor(), QColor(0, 128, 0));
  // AutoSize fits the caption; a right-aligned label keeps its right edge.
  label.SetAlignment(TspAlignment::taRightJustify);
  label.setGeometry(50, 10, 200, 30);
  label.SetCaption("Be");
  const QFontMetrics fm(label.TextFont());
  EXPECT_GE(label.width(), fm.horizontalAdvance("Be"));
  EXPECT_LE(label.width(), fm.horizontalAdvance("Be") + 2);
  EXPECT_EQ(label.geometry().right(), 249);
  EXPECT_EQ(label.height(), fm.height());

  // Only its text is painted: the form shows around it.
  label.SetUseSkinColor(true);
  form->show();
  const QImage over = GrabOver(*form, label);
  EXPECT_EQ(over.pixel(0, 0), qRgb(250, 240, 230));
  EXPECT_GT(CountColour(over, ColorToQColor(rec.fontcolor).rgb()), 5);
}

TEST_F(LabelTest, DisabledStandardLabelIsEmbossed) {
  TspSkinStdLabel label(form.get());
  // Hard-edged glyphs, so every pixel of each copy keeps its exact colour.
  QFont hard("DejaVu Sans");
  hard.setPixelSize(14);
  hard.setStyleStrategy(QFont::NoAntialias);
  label.setFont(hard);
  label.SetUseSkinFont(false);
  label.SetCaption("Disabled");
  label.move(10, 10);
  form->show();
  label.setEnabled(false);
  for (const bool skinned : {false, true}) {
    SCOPED_TRACE(skinned);
    label.SetSkinData(skinned ? skin.get() : nullptr);
    const QRgb highlight =
        skinned ? ColorToQColor(skin->SkinColors.cbtnhighlight).rgb() : qRgb(255, 255, 255);
    const QColor face = skinned ? ColorToQColor(skin->SkinColors.cbtnface) : QColor(250, 240, 230);
    const QRgb faded = label.DisabledTextColor().rgb();
    const QImage img = GrabOver(*form, label);
    // The faded text in place over its highlight copy one pixel right and down: every
    // highlight pixel that shows has text up and left of it.
    int lights = 0, texts = CountColour(img, faded);
    for (int y = 1; y < img.height(); ++y)
      for (int x = 1; x < img.width(); ++x)
        if (img.pixel(x, y) == highlight) {
          ++lights;
          EXPECT_EQ(img.pixel(x - 1, y - 1), faded) << x << "," << y;
        }
    EXPECT_GT(lights, 10);
    EXPECT_GT(texts, 20);
    // Readable, yet clearly fainter than the enabled text, which shows nowhere.
    EXPECT_GE(Contrast(QColor(faded), face), 3.0);
    EXPECT_LT(Contrast(QColor(faded), face), 0.7 * Contrast(label.TextColor(), face));
    EXPECT_EQ(CountColour(img, label.TextColor().rgb()), 0);
  }
}

// Every label kind, disabled, in every built-in skin and without one: its text stays
// readable on the face under it (3:1 at least) and is clearly fainter than when enabled.
TEST_F(LabelTest, DisabledLabelsAreReadableAndFainterInEverySkin) {
  // The application's palette, whose disabled group has text of its own.
  QWidget plain;
  plain.resize(300, 100);
  plain.show();
  TspSkinLabel skinned(&plain);
  skinned.SetCaption("Disabled skinned label");
  TspSkinStdLabel standard(&plain);
  standard.SetAutoSize(false);
  standard.SetCaption("Disabled standard label");
  skinned.SetBounds(10, 10, 200, 19);
  standard.setGeometry(10, 40, 200, 17);
  skinned.show(); // made after their parent was shown
  standard.show();

  // The darkest ink of a grab and the colour most of it shows (the face under the text);
  // only the text rectangle counts, not a frame.
  struct Ink {
    QColor Darkest, Face;
  };
  auto ink = [](const QImage& img) {
    QHash<QRgb, int> counts;
    QRgb darkest = img.pixel(0, 0);
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QRgb c = img.pixel(x, y);
        ++counts[c];
        if (qGray(c) < qGray(darkest)) darkest = c;
      }
    QRgb face = darkest;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
      if (it.value() > counts[face]) face = it.key();
    return Ink{QColor(darkest), QColor(face)};
  };
  auto check = [&](QWidget& label, const QRect& text, const char* kind) {
    SCOPED_TRACE(kind);
    label.setEnabled(true);
    const Ink on = ink(GrabOver(plain, label).copy(text));
    label.setEnabled(false);
    const Ink off = ink(GrabOver(plain, label).copy(text));
    EXPECT_GE(Contrast(off.Darkest, off.Face), 3.0);
    EXPECT_LT(Contrast(off.Darkest, off.Face), 0.7 * Contrast(on.Darkest, on.Face));
  };
  // -1: no skin.
  for (int index = -1; index < skin->SkinList()->Skins().Count(); ++index) {
    SCOPED_TRACE(index);
    if (index >= 0) skin->SetSkinIndex(index);
    TspSkinData* data = index >= 0 ? skin.get() : nullptr;
    skinned.SetSkinData(data);
    standard.SetSkinData(data);
    check(skinned, skinned.TextRect(), "skinned");
    check(standard, standard.rect(), "standard");
  }
}

TEST_F(LabelTest, TextLabelPlacesItsLinesByLayoutAndSizesToThem) {
  TspSkinTextLabel label(form.get());
  label.SetSkinData(skin.get());
  label.SetLines({"One", "Two lines"});
  const QFontMetrics fm(label.TextFont());
  EXPECT_EQ(label.size(), QSize(fm.horizontalAdvance("Two lines"), 2 * fm.height()));
  label.SetAutoSize(false);
  label.setGeometry(0, 0, 120, 100);
  form->show();
  const QRgb bg = qRgb(250, 240, 230);
  label.SetLayout(TspTextLayout::tlTop);
  const QRect top = InkBounds(GrabOver(*form, label), bg);
  label.SetLayout(TspTextLayout::tlCenter);
  const QRect centre = InkBounds(GrabOver(*form, label), bg);
  label.SetLayout(TspTextLayout::tlBottom);
  const QRect bottom = InkBounds(GrabOver(*form, label), bg);
  const int block = 2 * fm.height();
  EXPECT_EQ(centre.top() - top.top(), (100 - block) / 2);
  EXPECT_EQ(bottom.top() - top.top(), 100 - block);
}

} // namespace
