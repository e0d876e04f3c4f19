#include "skin/frame/menu_placement.h"

#include <algorithm>

TspPoint PlaceMenuLevel(const TspMenuPlacement& m) {
  const TspRect& A = m.Anchor;
  const TspRect& R = m.WorkArea;
  const int W = m.Width, H = m.Height;
  const bool upperHalf = A.Top < R.Top + R.Height() / 2;
  bool overlapping = false;
  int y;
  if (m.Scrollable && !m.Limited) {
    y = R.Top;
  } else if (m.SubMenu) {
    if (A.Top - m.ItemsTop + H <= R.Bottom)
      y = A.Top - m.ItemsTop;
    else if (upperHalf)
      y = R.Bottom - H;
    else
      y = std::max(A.Bottom + m.ItemsTop - H, R.Top);
  } else if (m.Upwards) {
    if (A.Top - H >= R.Top) {
      y = A.Top - H;
    } else if (upperHalf) {
      overlapping = A.Bottom + H > R.Bottom;
      y = overlapping ? R.Bottom - H : A.Bottom;
    } else {
      overlapping = true;
      y = R.Top;
    }
  } else if (A.Bottom + H <= R.Bottom) {
    y = A.Bottom;
  } else if (upperHalf) {
    overlapping = true;
    y = R.Bottom - H;
  } else if (A.Top - H >= R.Top) {
    y = A.Top - H;
  } else {
    overlapping = true;
    y = R.Top;
  }

  int x;
  if (!m.SubMenu && ((!overlapping && !m.Scrollable) || m.Limited)) {
    x = A.Left;
    if (x + W > R.Right) x = R.Right - W;
    if (x < R.Left) x = R.Left;
  } else if (A.Right + W + 1 <= R.Right) {
    x = A.Right + 1;
  } else {
    x = A.Left - W - 1;
  }
  return {x, y};
}
