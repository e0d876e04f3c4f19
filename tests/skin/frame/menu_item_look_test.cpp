// What a highlighted menu item runs through and who draws an item: the skin's animation
// frames, the morph between the normal and the highlighted image, owner-drawn items, and
// headers on the skin's label image.

#include "menu_fixture.h"

#include <QPainter>

namespace {

QImage Rgb(const QImage& image) {
  return image.convertToFormat(QImage::Format_RGB32);
}

class MenuItemLookTest : public MenuTest {
protected:
  void SetUp() override {
    MenuTest::SetUp();
    Add(root, "Adopt");
    Add(root, "Foster");
    Add(root, "-Dogs-", false);
    Add(root, "Return");
  }

  // The skin's "menuitem" object, to give it frames or morphing before the menu opens.
  TspDataSkinMenuItem* MenuItemRecord() {
    for (auto& o : data->ObjectList)
      if (auto* mi = dynamic_cast<TspDataSkinMenuItem*>(o.get())) return mi;
    return nullptr;
  }
  // The pixel the item's image has at `probe` (item coordinates), read from the picture at
  // the same place in `source`; the probe lies in the image's kept left end.
  QRgb Source(const TspRect& source) const {
    return Rgb(Level(0)->Look().ItemPicture)
        .pixel(source.Left + kProbe.x(), source.Top + kProbe.y());
  }
  QRgb Shown(int index) const {
    return Rgb(Level(0)->PaintImage()).pixel(Level(0)->Item(index).Rect.topLeft() + kProbe);
  }

  static constexpr QPoint kProbe{3, 10};
};

TEST_F(MenuItemLookTest, AHighlightedItemRunsThroughTheFramesAndRestsOnItsHighlightedImage) {
  TspDataSkinMenuItem* mi = MenuItemRecord();
  ASSERT_TRUE(mi);
  const TspRect item = mi->skinrect;
  // Three frames stacked under each other from the normal image down.
  mi->animateskinrect = {item.Left, item.Top, item.Right, item.Top + 3 * item.Height()};
  mi->framecount = 3;
  mi->animateinterval = 35;
  Open();
  TspSkinPopupWindow* w = Level(0);
  ASSERT_EQ(w->SelectedIndex(), 0);
  EXPECT_TRUE(w->AnimateTimer().isActive());
  EXPECT_EQ(w->AnimateTimer().interval(), 35);
  for (int frame = 1; frame <= 3; ++frame) {
    SCOPED_TRACE(frame);
    EXPECT_EQ(w->Item(0).Frame, frame);
    const TspRect f{item.Left, item.Top + (frame - 1) * item.Height(), item.Right,
                    item.Top + frame * item.Height()};
    EXPECT_EQ(Shown(0), Source(f));
    w->AnimateStep();
  }
  EXPECT_EQ(w->Item(0).Frame, 0);
  EXPECT_FALSE(w->AnimateTimer().isActive());
  EXPECT_EQ(Shown(0), Source(w->Look().ActiveSkinRect));

  // The next item starts over; the one left drops its frames at once.
  Key(Qt::Key_Down);
  EXPECT_EQ(w->Item(1).Frame, 1);
  EXPECT_EQ(w->Item(0).Frame, 0);
  EXPECT_EQ(Shown(0), Source(w->Look().SkinRect));
  w->AnimateStep();
  Key(Qt::Key_Down); // over the header to "Return"
  EXPECT_EQ(w->Item(1).Frame, 0);
  EXPECT_EQ(w->Item(3).Frame, 1);
}

TEST_F(MenuItemLookTest, MorphingBlendsTheImagesInFifthsBothWays) {
  TspDataSkinMenuItem* mi = MenuItemRecord();
  ASSERT_TRUE(mi);
  mi->morphing = true;
  mi->morphkind = TspMorphKind::mkDefault;
  Open();
  TspSkinPopupWindow* w = Level(0);
  ASSERT_TRUE(w->Look().Morphing);
  EXPECT_TRUE(w->MorphTimer().isActive());
  EXPECT_EQ(w->MorphTimer().interval(), 20);
  const QRgb normal = Source(w->Look().SkinRect);
  const QRgb hot = Source(w->Look().ActiveSkinRect);
  ASSERT_NE(normal, hot);
  // Highlighted but not yet morphed: still the normal image.
  EXPECT_EQ(Shown(0), normal);
  const auto blend = [&](double k) {
    const auto mix = [k](int a, int b) { return qRound((1 - k) * a + k * b); };
    return qRgb(mix(qRed(normal), qRed(hot)), mix(qGreen(normal), qGreen(hot)),
                mix(qBlue(normal), qBlue(hot)));
  };
  const auto near = [](QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 1 && std::abs(qGreen(a) - qGreen(b)) <= 1 &&
           std::abs(qBlue(a) - qBlue(b)) <= 1;
  };
  for (int step = 1; step <= 4; ++step) {
    SCOPED_TRACE(step);
    w->MorphStep();
    EXPECT_NEAR(w->Item(0).MorphKf, step * 0.2, 1e-9);
    EXPECT_PRED2(near, Shown(0), blend(step * 0.2));
  }
  w->MorphStep();
  EXPECT_EQ(w->Item(0).MorphKf, 1);
  EXPECT_EQ(Shown(0), hot);
  w->MorphStep();
  EXPECT_FALSE(w->MorphTimer().isActive());

  // Leaving the item morphs it back while the next one morphs in.
  Key(Qt::Key_Down);
  EXPECT_TRUE(w->MorphTimer().isActive());
  w->MorphStep();
  EXPECT_NEAR(w->Item(0).MorphKf, 0.8, 1e-9);
  EXPECT_NEAR(w->Item(1).MorphKf, 0.2, 1e-9);
  EXPECT_PRED2(near, Shown(0), blend(0.8));
}

TEST_F(MenuItemLookTest, WithoutSkinEffectsTheItemSwitchesAtOnce) {
  MenuItemRecord()->morphing = true;
  data->SetEnableSkinEffects(false);
  Open();
  TspSkinPopupWindow* w = Level(0);
  EXPECT_FALSE(w->Look().Morphing);
  EXPECT_FALSE(w->MorphTimer().isActive());
  EXPECT_FALSE(w->AnimateTimer().isActive());
  EXPECT_EQ(Shown(0), Source(w->Look().ActiveSkinRect));
}

TEST_F(MenuItemLookTest, AnOwnerDrawnItemIsDrawnByItsHandlerAlone) {
  QMenu* more = root->addMenu("More");
  QAction* sub = Add(more, "Microchip");
  QAction* adopt = root->actions()[0];
  struct Call {
    QRect rect;
    bool highlighted;
  };
  std::vector<Call> calls;
  const auto handler = [&](QPainter& p, const QRect& r, bool hi) {
    calls.push_back({r, hi});
    p.fillRect(r, hi ? Qt::red : Qt::green);
  };
  root->SetOnDrawItem(adopt, handler);
  root->SetOnDrawItem(sub, handler);
  Open();
  TspSkinPopupWindow* w = Level(0);
  QImage image = Rgb(w->PaintImage());
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().rect, w->Item(0).Rect);
  EXPECT_TRUE(calls.back().highlighted);
  const QRect r = w->Item(0).Rect;
  for (const QPoint& at : {r.topLeft(), r.center(), r.bottomRight()})
    EXPECT_EQ(image.pixel(at), qRgb(255, 0, 0));
  // Only the owner's items: the next one is the menu's.
  EXPECT_NE(image.pixel(w->Item(1).Rect.center()), qRgb(0, 255, 0));
  Key(Qt::Key_Down);
  image = Rgb(w->PaintImage());
  EXPECT_FALSE(calls.back().highlighted);
  EXPECT_EQ(image.pixel(r.center()), qRgb(0, 255, 0));

  // The popup menu's handlers reach its submenus' items (the first one opens selected).
  host->OpenSubMenu(0, IndexOf(0, "More"));
  ASSERT_EQ(host->LevelCount(), 2);
  EXPECT_EQ(Rgb(Level(1)->PaintImage()).pixel(Level(1)->Item(0).Rect.center()), qRgb(255, 0, 0));
  host->CloseMenu();

  // An empty handler gives the item back.
  root->SetOnDrawItem(adopt, {});
  Open();
  EXPECT_NE(Rgb(Level(0)->PaintImage()).pixel(Level(0)->Item(0).Rect.center()), qRgb(255, 0, 0));
}

TEST_F(MenuItemLookTest, AHeaderShowsItsWordOnTheLabelImage) {
  const int label = data->FindControlData("label");
  ASSERT_GE(label, 0);
  TspDataSkinControl& rec = *data->ControlList[size_t(label)];
  // A label image that cannot be taken for an item's: the highlighted item's, 19 high.
  const TspDataSkinMenuItem* mi = MenuItemRecord();
  rec.pictureindex = mi->activepictureindex;
  rec.skinrect = {mi->activeskinrect.Left, mi->activeskinrect.Top, mi->activeskinrect.Left + 40,
                  mi->activeskinrect.Top + 19};
  Open();
  TspSkinPopupWindow* w = Level(0);
  const QImage picture = Rgb(data->ActivePictures[size_t(rec.pictureindex)]);
  const TspSkinMenuItem& header = w->Item(2);
  ASSERT_TRUE(header.Header);
  const QRect r = header.Rect;
  const int top = r.top() + (r.height() - rec.skinrect.Height()) / 2;
  const QImage image = Rgb(w->PaintImage());
  // The label's kept left end, at the item's left, centred in the item's height.
  for (int y : {2, rec.skinrect.Height() / 2, rec.skinrect.Height() - 3}) {
    SCOPED_TRACE(y);
    EXPECT_EQ(image.pixel(r.left() + 1, top + y),
              picture.pixel(rec.skinrect.Left + 1, rec.skinrect.Top + y));
  }
  // Not the item's own image: its stretched middle differs from a normal item's.
  EXPECT_NE(image.pixel(r.left() + 20, top + 9),
            image.pixel(w->Item(1).Rect.left() + 20, w->Item(1).Rect.top() + top + 9 - r.top()));
  // The word in the label's colour (smoothed at its edges), in the middle.
  const QColor colour = w->Look().HeaderColor;
  const auto inColour = [&](int x, int y) {
    const QColor c(image.pixel(x, y));
    return std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
               std::abs(c.blue() - colour.blue()) <
           60;
  };
  int middle = 0, sides = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const bool central = std::abs(x - r.center().x()) < r.width() / 4;
      (central ? middle : sides) += inColour(x, y);
    }
  EXPECT_GT(middle, 5);
  EXPECT_EQ(sides, 0);
}

} // namespace
