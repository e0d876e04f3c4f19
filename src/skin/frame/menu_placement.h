#pragma once
// Where a menu level opens: below, above or beside its anchor, kept inside the work area
// of the form's monitor.

#include "skin/render/geometry.h"

struct TspMenuPlacement {
  TspRect Anchor;   // the point (an empty rectangle) or the item / control the level opens from
  TspRect WorkArea; // of the monitor
  int Width = 0;
  int Height = 0;
  int ItemsTop = 0; // top of the items in the window: a submenu's first item lines up
  bool SubMenu = false;
  bool Upwards = false;
  bool Scrollable = false;
  bool Limited = false; // scrollable only because of the item limit
};

// The top-left corner of the window.
TspPoint PlaceMenuLevel(const TspMenuPlacement& m);
