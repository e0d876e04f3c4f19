// What a menu level draws: the skin's window and item images, check and radio marks,
// headers and captions, and the plain look without a skin.

#include "menu_fixture.h"

#include "skin/controls/mnemonic.h"

#include <QActionGroup>

namespace {

QImage Rgb(const QImage& image) {
  return image.convertToFormat(QImage::Format_RGB32);
}

class MenuPaintTest : public MenuTest {
protected:
  void SetUp() override {
    MenuTest::SetUp();
    Add(root, "Adopt");
    QAction* check = Add(root, "Vaccinated");
    check->setCheckable(true);
    check->setChecked(true);
    auto* group = new QActionGroup(root);
    QAction* radio = Add(root, "Indoor");
    radio->setCheckable(true);
    group->addAction(radio);
    radio->setChecked(true);
    root->addSeparator();
    Add(root, "-Dogs-", false);
    Add(root, "Returned", false);
  }
};

TEST_F(MenuPaintTest, TheSkinnedLookComesFromThePopupPictureAndTheMenuItemObject) {
  Open();
  TspSkinPopupWindow* w = Level(0);
  ASSERT_TRUE(w->Skinned());
  const TspMenuLook& look = w->Look();
  ASSERT_TRUE(look.SkinnedItems);
  QImage image = Rgb(w->PaintImage());
  const QImage pic = Rgb(look.WindowPicture);
  const QImage items = Rgb(look.ItemPicture);
  // The corners of the window are the picture's.
  EXPECT_EQ(image.pixel(0, 0), pic.pixel(0, 0));
  EXPECT_EQ(image.pixel(w->width() - 1, w->height() - 1),
            pic.pixel(pic.width() - 1, pic.height() - 1));
  // The selected item on the highlighted image, the others on the normal one (their fixed
  // left ends are copied as they are).
  ASSERT_EQ(w->SelectedIndex(), 0);
  const QPoint probe(3, look.SkinRect.Height() / 2);
  const QPoint first = w->Item(0).Rect.topLeft() + probe;
  const QPoint second = w->Item(1).Rect.topLeft() + probe;
  EXPECT_EQ(image.pixel(first),
            items.pixel(look.ActiveSkinRect.Left + probe.x(), look.ActiveSkinRect.Top + probe.y()));
  EXPECT_EQ(image.pixel(second),
            items.pixel(look.SkinRect.Left + probe.x(), look.SkinRect.Top + probe.y()));
  EXPECT_NE(image.pixel(first), image.pixel(second));
  // The check and radio marks are the skin's, centred in the image rectangle.
  const auto mark = [&](int index, const TspRect& src) {
    const QRect box = look.ImageRect.ToQRect().translated(w->Item(index).Rect.topLeft());
    const QRect at(box.left() + (box.width() - src.Width()) / 2,
                   box.top() + (box.height() - src.Height()) / 2, src.Width(), src.Height());
    return image.copy(at) == items.copy(src.ToQRect());
  };
  EXPECT_TRUE(mark(1, look.CheckRect));
  EXPECT_TRUE(mark(2, look.RadioRect));
  // The separator is the divider, with its height.
  EXPECT_TRUE(w->Item(3).Separator);
  EXPECT_EQ(w->Item(3).Rect.height(), look.DividerRect.Height());
  // Highlighting the check item switches it to the highlighted mark.
  const QImage held = w->PaintImage();
  Key(Qt::Key_Down);
  image = Rgb(w->PaintImage());
  EXPECT_TRUE(mark(1, look.ActiveCheckRect)) << "highlighted";
  EXPECT_EQ(image.pixel(first),
            items.pixel(look.SkinRect.Left + probe.x(), look.SkinRect.Top + probe.y()));
  EXPECT_EQ(Rgb(held).pixel(first),
            items.pixel(look.ActiveSkinRect.Left + probe.x(), look.ActiveSkinRect.Top + probe.y()))
      << "an image kept from an earlier paint stays as it was";
  // A disabled "-Dogs-" is a header reading "Dogs".
  EXPECT_TRUE(w->Item(4).Header);
  EXPECT_EQ(w->Item(4).Caption.Text, "Dogs");
}

TEST_F(MenuPaintTest, ThePlainLookWithoutASkin) {
  Open(false);
  TspSkinPopupWindow* w = Level(0);
  ASSERT_FALSE(w->Skinned());
  EXPECT_EQ(w->ItemsArea(), QRect(3, 3, w->width() - 6, w->height() - 6));
  EXPECT_EQ(w->Item(0).Rect.height(), 20);
  EXPECT_EQ(w->Item(3).Rect.height(), 4);
  const QImage image = Rgb(w->PaintImage());
  const QPalette pal = QGuiApplication::palette();
  const QRgb window = pal.color(QPalette::Active, QPalette::Base).rgb();
  const QRgb shadow = pal.color(QPalette::Active, QPalette::Dark).rgb();
  const QRgb text = pal.color(QPalette::Active, QPalette::Text).rgb();
  EXPECT_EQ(image.pixel(0, 0), shadow);
  EXPECT_EQ(image.pixel(1, 1), window);
  // The highlighted item: light blue inside a shadow frame.
  const QRect hi = w->Item(0).Rect;
  EXPECT_EQ(image.pixel(hi.topLeft()), shadow);
  EXPECT_EQ(image.pixel(hi.topLeft() + QPoint(2, 2)), qRgb(193, 212, 243));
  // The radio dot in the middle of the image column; the check glyph crosses it too.
  const auto columnHasText = [&](int index) {
    const QRect r = w->Item(index).Rect;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x < 22; ++x)
        if (image.pixel(x, y) == text) return true;
    return false;
  };
  EXPECT_TRUE(columnHasText(1));
  EXPECT_TRUE(columnHasText(2));
  EXPECT_FALSE(columnHasText(0));
}

TEST(Mnemonic, AmpersandsMarkTheShortCutAndATrailingOneIsDrawn) {
  struct Case {
    const char* caption;
    const char* text;
    int index;
    char accel;
    const char* key; // the short cut a control grabs for this caption
  } cases[] = {
      {"&Undo", "Undo", 0, 'U', "Alt+U"},
      {"Select &All", "Select All", 7, 'A', "Alt+A"},
      {"Fish && Chips", "Fish & Chips", -1, 0, ""},
      {"Cats &", "Cats &", -1, 0, ""},
      {"&", "&", -1, 0, ""},
      {"A&&&b&c", "A&bc", 2, 'b', "Alt+B"},
      {"&\tTab", "\tTab", 0, '\t', ""}, // a mark on what cannot be typed gives no key
  };
  for (const Case& c : cases) {
    const TspMnemonic parsed = ParseMnemonic(QString::fromLatin1(c.caption));
    EXPECT_EQ(parsed.Text, QString::fromLatin1(c.text)) << c.caption;
    EXPECT_EQ(parsed.AccelIndex, c.index) << c.caption;
    EXPECT_EQ(parsed.Accel, c.accel ? QChar(c.accel) : QChar()) << c.caption;
    EXPECT_EQ(MnemonicKey(QString::fromLatin1(c.caption)).toString(QKeySequence::PortableText),
              QString::fromLatin1(c.key))
        << c.caption;
  }
  EXPECT_TRUE(IsMnemonicChar(ParseMnemonic("&Undo"), "u"));
  EXPECT_FALSE(IsMnemonicChar(ParseMnemonic("Cats &"), "&"));
}

} // namespace
