#pragma once
// What the page control's source files share; not for users of the control.

#include "skin/controls/page_control.h"
#include "skin/render/geometry.h"

#include <QRect>
#include <QSize>
#include <QWidget>

namespace page_control_detail {

// Room on each side of a caption, as the platform's tab control keeps it.
constexpr int kTabPadding = 6;
// The platform's tab control reserves room for an image before each caption; the page
// control's own image list makes that one pixel wide.
constexpr int kImageReserve = 1;
constexpr int kPlainCloseSize = 14;

inline TspRect Nonempty(const TspRect& r, const TspRect& fallback) {
  return r.IsEmpty() ? fallback : r;
}

// A tab's close button of `size` in its caption box (in the horizontal tab image): at the
// right end, vertically centred; a skinned tab keeps it further in.
inline QRect CloseButtonInBox(const QRect& box, int size, bool skinned) {
  return QRect(box.right() + 1 - size - (skinned ? 3 : 1), box.top() + box.height() / 2 - size / 2,
               size, size);
}

// Where a rectangle of a horizontal tab image (len x thickness) lands once turned.
inline QRect OrientedRect(const QRect& r, QSize horizontal, TspTabPosition position) {
  switch (position) {
  case TspTabPosition::tpLeft:
    return QRect(r.top(), horizontal.width() - r.left() - r.width(), r.height(), r.width());
  case TspTabPosition::tpRight:
    return QRect(horizontal.height() - r.top() - r.height(), r.left(), r.height(), r.width());
  default:
    return r;
  }
}

} // namespace page_control_detail

// The two arrow buttons that scroll a strip of tabs too long for the control, drawn from
// the record the "tab" record names in "updown".
class TspTabScroller : public QWidget {
public:
  explicit TspTabScroller(TspSkinPageControl* owner);

  int Max = 0;

protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent*) override;

private:
  QRect Button(int b) const;
  int HitButton(const QPoint& pos) const;

  TspSkinPageControl* FOwner;
  int FHot = -1;
  int FDown = -1;
};
