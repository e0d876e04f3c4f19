#include "skin/frame/frame_hit_test.h"

namespace {

bool In(int x, int y, int left, int top, int right, int bottom) {
  return x >= left && x < right && y >= top && y < bottom;
}
bool In(int x, int y, const TspRect& r) {
  return In(x, y, r.Left, r.Top, r.Right, r.Bottom);
}

bool MaskBlack(const QImage& mask, int x, int y) {
  return mask.rect().contains(x, y) && (mask.pixel(x, y) & 0xFFFFFF) == 0;
}

TspHitCode ClientCaptionOrBorder(const TspHitTestInput& in, int x, int y) {
  if (In(x, y, in.Geometry.ClientArea)) return HTCLIENT;
  if (in.IsCaption && in.IsCaption(x, y)) return HTCAPTION;
  return HTBORDER;
}

TspHitCode SkinnedHitTest(const TspHitTestInput& in, int x, int y) {
  const TspFrameGeometry& g = in.Geometry;
  if (in.RolledUp || in.Minimized) return ClientCaptionOrBorder(in, x, y);
  const bool caption = in.IsCaption && in.IsCaption(x, y);
  if (in.ObjectHovered && !caption && !In(x, y, g.ClientArea) && !in.InSizeMove) return HTBORDER;
  if (in.Maximized || !in.Sizeable) return ClientCaptionOrBorder(in, x, y);

  const int b = in.BorderWidth;
  const TspPoint probes[4] = {{x - b, y}, {x, y - b}, {x + b, y}, {x, y + b}};
  const bool useMask = !in.MaskPicture.isNull() && !In(x, y, g.MaskArea);
  bool nearEdge = false;
  for (const TspPoint& p : probes) {
    if (!In(p.X, p.Y, 0, 0, in.Width, in.Height) ||
        (useMask && !MaskBlack(in.MaskPicture, p.X, p.Y)))
      nearEdge = true;
  }
  if (!nearEdge) return ClientCaptionOrBorder(in, x, y);

  if (x <= g.HitLeftTop.X && y <= g.HitLeftTop.Y) return HTTOPLEFT;
  if (x >= g.HitRightTop.X && y <= g.HitRightTop.Y) return HTTOPRIGHT;
  if (x <= g.HitLeftBottom.X && y >= g.HitLeftBottom.Y) return HTBOTTOMLEFT;
  if (x >= g.HitRightBottom.X && y >= g.HitRightBottom.Y) return HTBOTTOMRIGHT;
  if (In(x, y, g.HitLeftTop.X, 0, g.HitRightTop.X, g.ClientArea.Top)) return HTTOP;
  if (In(x, y, g.HitLeftBottom.X, g.ClientArea.Bottom, g.HitRightBottom.X, in.Height))
    return HTBOTTOM;
  if (In(x, y, 0, g.HitLeftTop.Y, g.ClientArea.Left, g.HitLeftBottom.Y)) return HTLEFT;
  if (In(x, y, g.ClientArea.Right, g.HitRightTop.Y, in.Width, g.HitRightBottom.Y)) return HTRIGHT;
  return ClientCaptionOrBorder(in, x, y);
}

TspHitCode DefaultHitTest(const TspHitTestInput& in, int x, int y) {
  const int w = in.Width, h = in.Height;
  if (!in.Maximized && !in.RolledUp && !in.Minimized && in.Sizeable) {
    if (in.ObjectHovered) return HTBORDER;
    if (x <= 2 && y <= 2) return HTTOPLEFT;
    if (x >= w - 2 && y <= 2) return HTTOPRIGHT;
    if (x <= 2 && y >= h - 2) return HTBOTTOMLEFT;
    if (x >= w - 2 && y >= h - 2) return HTBOTTOMRIGHT;
    if (x <= 2) return HTLEFT;
    if (y <= 2) return HTTOP;
    if (x >= w - 2) return HTRIGHT;
    if (y >= h - 2) return HTBOTTOM;
  }
  if (In(x, y, in.DefaultCaption)) return HTCAPTION;
  if (In(x, y, DefaultClientRect(w, h, in.ToolWindow))) return HTCLIENT;
  return HTBORDER;
}

} // namespace

TspHitCode FrameHitTest(const TspHitTestInput& in, int x, int y) {
  return in.Skinned ? SkinnedHitTest(in, x, y) : DefaultHitTest(in, x, y);
}

Qt::Edges EdgesOf(TspHitCode code) {
  switch (code) {
  case HTLEFT:
    return Qt::LeftEdge;
  case HTRIGHT:
    return Qt::RightEdge;
  case HTTOP:
    return Qt::TopEdge;
  case HTBOTTOM:
    return Qt::BottomEdge;
  case HTTOPLEFT:
    return Qt::TopEdge | Qt::LeftEdge;
  case HTTOPRIGHT:
    return Qt::TopEdge | Qt::RightEdge;
  case HTBOTTOMLEFT:
    return Qt::BottomEdge | Qt::LeftEdge;
  case HTBOTTOMRIGHT:
    return Qt::BottomEdge | Qt::RightEdge;
  default:
    return {};
  }
}
