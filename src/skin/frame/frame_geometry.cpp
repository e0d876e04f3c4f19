#include "skin/frame/frame_geometry.h"

#include "skin/data/window_records.h"

#include <algorithm>

namespace {

TspPoint Moved(TspPoint p, int dx, int dy) {
  return {p.X + dx, p.Y + dy};
}

TspRect Clamped(TspRect r) {
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

} // namespace

TspFrameGeometry ComputeFrameGeometry(const TspFormInfo& info, int pictureWidth, int pictureHeight,
                                      int frameWidth, int frameHeight) {
  const int dx = frameWidth - pictureWidth;
  const int dy = frameHeight - pictureHeight;
  TspFrameGeometry g;
  g.LeftTop = info.lefttoppoint;
  g.RightTop = Moved(info.righttoppoint, dx, 0);
  g.LeftBottom = Moved(info.leftbottompoint, 0, dy);
  g.RightBottom = Moved(info.rightbottompoint, dx, dy);
  g.ClientArea = info.clientrect;
  g.ClientArea.Right += dx;
  g.ClientArea.Bottom += dy;
  g.CaptionArea = info.captionrect;
  if (!g.CaptionArea.IsEmpty()) g.CaptionArea.Right += dx;
  g.ButtonsArea = info.buttonsrect;
  if (!g.ButtonsArea.IsEmpty()) {
    if (g.ButtonsArea.Left > pictureWidth / 2) {
      g.ButtonsArea.Left += dx;
      g.ButtonsArea.Right += dx;
    } else if (g.ButtonsArea.Left < pictureWidth / 2) {
      g.ButtonsLeftAnchored = true;
    }
  }
  g.ButtonsInLeft = info.buttonsinleft;
  g.ButtonsOffset = info.buttonsoffset;
  g.HitLeftTop = info.hittestlefttoppoint;
  g.HitRightTop = Moved(info.hittestrighttoppoint, dx, 0);
  g.HitLeftBottom = Moved(info.hittestleftbottompoint, 0, dy);
  g.HitRightBottom = Moved(info.hittestrightbottompoint, dx, dy);
  g.MaskArea = info.maskrectarea;
  g.MaskArea.Right += dx;
  g.MaskArea.Bottom += dy;
  return g;
}

TspRect SkinnedClientRect(const TspRect& clientrect, int pictureWidth, int pictureHeight, int w,
                          int h) {
  return Clamped({clientrect.Left, clientrect.Top, w + clientrect.Right - pictureWidth,
                  h + clientrect.Bottom - pictureHeight});
}

TspRect DefaultClientRect(int w, int h, bool toolWindow) {
  const int ch = toolWindow ? kDefaultToolCaptionHeight : kDefaultCaptionHeight;
  return Clamped({kDefaultBorder, ch + kDefaultBorder, w - kDefaultBorder, h - kDefaultBorder});
}
