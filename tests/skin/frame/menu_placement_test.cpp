// Where menu levels open within the work area.

#include "skin/frame/menu_placement.h"

#include <gtest/gtest.h>

namespace {

struct PlacementCase {
  const char* name;
  TspRect anchor;
  bool subMenu, upwards;
  TspPoint expected;
};

TEST(MenuPlacement, RootsAndSubMenusStayInTheWorkArea) {
  const TspRect work{0, 0, 800, 600};
  const PlacementCase cases[] = {
      {"below the point", {100, 100, 100, 100}, false, false, {100, 100}},
      {"near the bottom: above", {100, 550, 100, 550}, false, false, {100, 350}},
      {"near the right edge: moved left", {750, 100, 750, 100}, false, false, {700, 100}},
      {"upwards: above", {100, 300, 200, 320}, false, true, {100, 100}},
      {"upwards without room above: below", {100, 50, 200, 70}, false, true, {100, 70}},
      {"submenu: right, first item level", {100, 100, 300, 120}, true, false, {301, 97}},
      {"submenu at the right edge: left", {650, 100, 790, 120}, true, false, {549, 97}},
      {"submenu near the bottom, lower half: ends at its item",
       {100, 500, 300, 520},
       true,
       false,
       {301, 323}},
  };
  for (const PlacementCase& c : cases) {
    TspMenuPlacement m;
    m.Anchor = c.anchor;
    m.WorkArea = work;
    m.Width = 100;
    m.Height = 200;
    m.ItemsTop = 3;
    m.SubMenu = c.subMenu;
    m.Upwards = c.upwards;
    EXPECT_EQ(PlaceMenuLevel(m), c.expected) << c.name;
  }
}

TEST(MenuPlacement, AMenuThatFitsNeitherBelowNorAboveGoesBesideThePoint) {
  TspMenuPlacement m;
  m.WorkArea = {0, 0, 800, 600};
  m.Width = 100;
  m.Height = 450;
  // Lower half: at the top, beside the point; with no room on the right, to its left.
  m.Anchor = {300, 400, 300, 400};
  EXPECT_EQ(PlaceMenuLevel(m), (TspPoint{301, 0}));
  m.Anchor = {750, 400, 750, 400};
  EXPECT_EQ(PlaceMenuLevel(m), (TspPoint{649, 0}));
  // Upper half: ending at the bottom of the work area.
  m.Anchor = {300, 200, 300, 200};
  EXPECT_EQ(PlaceMenuLevel(m), (TspPoint{301, 150}));
  // A scrollable menu starts at the top of the work area.
  m.Height = 600;
  m.Scrollable = true;
  m.Anchor = {300, 100, 300, 100};
  EXPECT_EQ(PlaceMenuLevel(m), (TspPoint{301, 0}));
}

} // namespace
