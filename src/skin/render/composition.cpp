#include "skin/render/composition.h"

#include "skin/render/pixel_copy.h"

#include <algorithm>

namespace {

// Copies parts of the skin rectangle S of P into a target.
class PartCopier {
public:
  PartCopier(QImage& target, const QImage& picture, const TspRect& S)
      : target_(target), picture_(picture), ox_(S.Left), oy_(S.Top) {}

  // `from` relative to S, `to` in target coordinates.
  void Copy(const TspRect& from, const TspRect& to, TspAxisFill columns = TspAxisFill::Scale,
            TspAxisFill rows = TspAxisFill::Scale) {
    const TspRect abs{from.Left + ox_, from.Top + oy_, from.Right + ox_, from.Bottom + oy_};
    CopyPart(target_, to, picture_, abs, columns, rows);
  }
  // A side tiled along x (scaled across its depth).
  void TileX(const TspRect& from, const TspRect& to) { Copy(from, to, TspAxisFill::Tile); }
  void TileY(const TspRect& from, const TspRect& to) {
    Copy(from, to, TspAxisFill::Scale, TspAxisFill::Tile);
  }

private:
  QImage& target_;
  const QImage& picture_;
  int ox_, oy_;
};

void DrawCentre(PartCopier& copy, const TspRect& c, const TspRect& dc,
                const TspStretchFlags& flags) {
  // A centre of no size cannot be tiled or stretched.
  if (c.IsEmpty() || dc.IsEmpty()) return;
  const TspCentreFill fill = CentreFill(flags.stretcheffect, flags.stretchtype);
  copy.Copy(c, dc, fill.Columns, fill.Rows);
}

void ComposeNinePart(QImage& target, const QImage& P, const TspRect& rawS,
                     const TspNinePartGeometry& rawSkin, int w, int h,
                     const TspNinePartGeometry& rawDest, const TspStretchFlags& flags,
                     bool drawCentre) {
  ResizeTarget(target, w, h);
  const TspNinePartGeometry s = BoundGeometry(rawSkin);
  const TspNinePartGeometry d = BoundGeometry(rawDest);
  if (s.RB.X == s.LT.X || s.RB.Y == s.LT.Y || P.isNull() || target.isNull()) return;
  const TspRect S = BoundRect(rawS);
  QImage holder;
  PartCopier copy(target, AsRgb32(P, holder), S);
  const int W = S.Width(), H = S.Height();
  const TspRect& c = s.ClientRect;
  const TspRect& dc = d.ClientRect;

  // Sides: top, bottom, left, right.
  const TspRect top{s.LT.X, 0, s.RT.X, c.Top}, topTo{d.LT.X, 0, d.RT.X, dc.Top};
  flags.topstretch ? copy.Copy(top, topTo) : copy.TileX(top, topTo);
  const TspRect bottom{s.LB.X, c.Bottom, s.RB.X, H}, bottomTo{d.LB.X, dc.Bottom, d.RB.X, h};
  flags.bottomstretch ? copy.Copy(bottom, bottomTo) : copy.TileX(bottom, bottomTo);
  const TspRect left{0, s.LT.Y, c.Left, s.LB.Y}, leftTo{0, d.LT.Y, dc.Left, d.LB.Y};
  flags.leftstretch ? copy.Copy(left, leftTo) : copy.TileY(left, leftTo);
  const TspRect right{c.Right, s.RT.Y, W, s.RB.Y}, rightTo{dc.Right, d.RT.Y, w, d.RB.Y};
  flags.rightstretch ? copy.Copy(right, rightTo) : copy.TileY(right, rightTo);

  // The eight fixed pieces; where a target is smaller than its fixed parts the
  // later (right-hand, lower) pieces cover the earlier ones.
  copy.Copy({0, 0, s.LT.X, c.Top}, {0, 0, d.LT.X, dc.Top});
  copy.Copy({0, c.Top, c.Left, s.LT.Y}, {0, dc.Top, dc.Left, d.LT.Y});
  copy.Copy({s.RT.X, 0, W, c.Top}, {d.RT.X, 0, w, dc.Top});
  copy.Copy({c.Right, c.Top, W, s.RT.Y}, {dc.Right, dc.Top, w, d.RT.Y});
  copy.Copy({0, s.LB.Y, c.Left, H}, {0, d.LB.Y, dc.Left, h});
  copy.Copy({c.Left, c.Bottom, s.LB.X, H}, {dc.Left, dc.Bottom, d.LB.X, h});
  copy.Copy({s.RB.X, c.Bottom, W, H}, {d.RB.X, dc.Bottom, w, h});
  copy.Copy({c.Right, s.RB.Y, W, c.Bottom}, {dc.Right, d.RB.Y, w, dc.Bottom});

  if (drawCentre) DrawCentre(copy, c, dc, flags);
}

// A part larger than its picture comes from a damaged description: composed as it stands it
// would ask for an image of the size it names, whatever the picture holds.
bool LargerThanPicture(const QImage& P, const TspRect& S) {
  return qint64(S.Right) - S.Left > P.width() || qint64(S.Bottom) - S.Top > P.height();
}

QImage NewStrip(int w, int h) {
  QImage strip;
  ResizeTarget(strip, w, h);
  return strip;
}

} // namespace

TspNinePartGeometry BoundGeometry(const TspNinePartGeometry& g) {
  return {BoundRect(g.ClientRect), BoundPoint(g.LT), BoundPoint(g.RT), BoundPoint(g.LB),
          BoundPoint(g.RB)};
}

TspCentreFill CentreFill(bool stretcheffect, int stretchtype) {
  if (!stretcheffect) return {};
  switch (stretchtype) {
  case kStretchVertical:
    return {TspAxisFill::Tile, TspAxisFill::Scale};
  case kStretchHorizontal:
    return {TspAxisFill::Scale, TspAxisFill::Tile};
  default:
    return {TspAxisFill::Scale, TspAxisFill::Scale};
  }
}

QSize StretchTileSize(bool stretcheffect, int stretchtype, QSize piece, QSize area) {
  const TspCentreFill fill = CentreFill(stretcheffect, stretchtype);
  if (fill == TspCentreFill{}) return {};
  return {fill.Columns == TspAxisFill::Scale ? area.width() : piece.width(),
          fill.Rows == TspAxisFill::Scale ? area.height() : piece.height()};
}

int ChooseComposition(const TspRect& skinrect, const TspNinePartGeometry& g) {
  if (skinrect.IsEmpty()) return kCompositionNone;
  if (g.RB.X != 0 && g.RB.Y != 0) return kCompositionNinePart;
  if (g.RT.X != 0 || g.RT.Y != 0) return kCompositionHorizontal;
  if (g.LB.X != 0 || g.LB.Y != 0) return kCompositionVertical;
  return kCompositionFixed;
}

TspNinePartGeometry TargetGeometry(const TspNinePartGeometry& rawSkin, int W, int H, int w, int h) {
  const TspNinePartGeometry s = BoundGeometry(rawSkin);
  const int dw = BoundCoord(w) - BoundCoord(W), dh = BoundCoord(h) - BoundCoord(H);
  const TspRect& c = s.ClientRect;
  return {{c.Left, c.Top, c.Right + dw, c.Bottom + dh},
          s.LT,
          {s.RT.X + dw, s.RT.Y},
          {s.LB.X, s.LB.Y + dh},
          {s.RB.X + dw, s.RB.Y + dh}};
}

void ComposeNinePartImage(QImage& target, const QImage& P, const TspRect& S,
                          const TspNinePartGeometry& skin, int w, int h,
                          const TspNinePartGeometry& dest, const TspStretchFlags& flags,
                          bool drawCentre) {
  ComposeNinePart(target, P, S, skin, w, h, dest, flags, drawCentre);
}

void ComposeNinePartImage(QImage& target, const QImage& P, const TspRect& S,
                          const TspNinePartGeometry& skin, int w, int h,
                          const TspNinePartGeometry& dest, bool drawCentre,
                          const TspStretchFlags& flags) {
  ComposeNinePart(target, P, S, skin, w, h, dest, flags, drawCentre);
}

void ComposeHorizontalImage(QImage& target, const QImage& P, const TspRect& rawS, int leftWidth,
                            int rightWidth, bool stretch, int w) {
  if (LargerThanPicture(P, rawS)) {
    target = QImage();
    return;
  }
  const TspRect S = BoundRect(rawS);
  const int a = BoundCoord(leftWidth), b = BoundCoord(rightWidth), W = S.Width(), H = S.Height();
  ResizeTarget(target, w, H);
  if (P.isNull() || target.isNull()) return;
  QImage holder;
  PartCopier copy(target, AsRgb32(P, holder), S);
  if (a != 0) copy.Copy({0, 0, a, H}, {0, 0, a, H});
  if (b != 0) copy.Copy({W - b, 0, W, H}, {w - b, 0, w, H});
  const TspRect middle{a, 0, W - b, H}, middleTo{a, 0, w - b, H};
  stretch ? copy.Copy(middle, middleTo) : copy.TileX(middle, middleTo);
}

void ComposeVerticalImage(QImage& target, const QImage& P, const TspRect& rawS, int topHeight,
                          int bottomHeight, bool stretch, int h) {
  if (LargerThanPicture(P, rawS)) {
    target = QImage();
    return;
  }
  const TspRect S = BoundRect(rawS);
  const int a = BoundCoord(topHeight), b = BoundCoord(bottomHeight), W = S.Width(), H = S.Height();
  ResizeTarget(target, W, h);
  if (P.isNull() || target.isNull()) return;
  QImage holder;
  PartCopier copy(target, AsRgb32(P, holder), S);
  if (a != 0) copy.Copy({0, 0, W, a}, {0, 0, W, a});
  if (b != 0) copy.Copy({0, H - b, W, H}, {0, h - b, W, h});
  const TspRect middle{0, a, W, H - b}, middleTo{0, a, W, h - b};
  stretch ? copy.Copy(middle, middleTo) : copy.TileY(middle, middleTo);
}

void ComposeStretchedImage(QImage& target, const QImage& P, const TspRect& rawS,
                           const TspRect& clientRect, bool drawCentre) {
  if (target.isNull()) return;
  const TspRect S = BoundRect(rawS);
  const TspRect c = BoundRect(clientRect);
  const TspNinePartGeometry skin{
      c, {c.Left, c.Top}, {c.Right, c.Top}, {c.Left, c.Bottom}, {c.Right, c.Bottom}};
  const int w = target.width(), h = target.height();
  const TspStretchFlags all{true, true, true, true, true, kStretchFull};
  ComposeNinePart(target, P, S, skin, w, h, TargetGeometry(skin, S.Width(), S.Height(), w, h), all,
                  drawCentre);
}

TspBorderStrips ComposeBorderStrips(const QImage& P, const TspRect& rawS,
                                    const TspNinePartGeometry& rawSkin, int w, int h,
                                    const TspNinePartGeometry& rawDest,
                                    const TspStretchFlags& flags) {
  TspBorderStrips strips;
  if (P.isNull()) return strips;
  const TspRect S = BoundRect(rawS);
  const TspNinePartGeometry s = BoundGeometry(rawSkin);
  const TspNinePartGeometry d = BoundGeometry(rawDest);
  w = BoundCoord(w);
  h = BoundCoord(h);
  const int W = S.Width(), H = S.Height();
  const TspRect& c = s.ClientRect;
  const TspRect& dc = d.ClientRect;
  QImage holder;
  const QImage& picture = AsRgb32(P, holder);

  const int topH = c.Top;
  const int bottomH = h - dc.Bottom;
  const int sideH = h - std::max(topH, 0) - std::max(bottomH, 0);

  if (w > 0 && topH > 0 && s.RT.X - s.LT.X > 0) {
    strips.Top = NewStrip(w, topH);
    PartCopier copy(strips.Top, picture, S);
    const TspRect side{s.LT.X, 0, s.RT.X, c.Top};
    flags.topstretch ? copy.Copy(side, {d.LT.X, 0, d.RT.X, topH})
                     : copy.TileX(side, {0, 0, w, topH});
    copy.Copy({0, 0, s.LT.X, c.Top}, {0, 0, d.LT.X, topH});
    copy.Copy({s.RT.X, 0, W, c.Top}, {d.RT.X, 0, w, topH});
  }
  if (w > 0 && bottomH > 0 && s.RB.X - s.LB.X > 0) {
    strips.Bottom = NewStrip(w, bottomH);
    PartCopier copy(strips.Bottom, picture, S);
    const TspRect side{s.LB.X, c.Bottom, s.RB.X, H};
    flags.bottomstretch ? copy.Copy(side, {d.LB.X, 0, d.RB.X, bottomH})
                        : copy.TileX(side, {0, 0, w, bottomH});
    copy.Copy({0, c.Bottom, s.LB.X, H}, {0, 0, d.LB.X, bottomH});
    copy.Copy({s.RB.X, c.Bottom, W, H}, {d.RB.X, 0, w, bottomH});
  }
  // The side strips start below the top strip; their fixed ends keep the
  // skin's lengths, the first rows at the top and the last at the bottom.
  const int leftW = c.Left;
  if (leftW > 0 && sideH > 0 && s.LB.Y - s.LT.Y > 0) {
    strips.Left = NewStrip(leftW, sideH);
    PartCopier copy(strips.Left, picture, S);
    const TspRect side{0, s.LT.Y, c.Left, s.LB.Y};
    flags.leftstretch ? copy.Copy(side, {0, d.LT.Y - topH, leftW, d.LB.Y - topH})
                      : copy.TileY(side, {0, 0, leftW, sideH});
    copy.Copy({0, c.Top, c.Left, s.LT.Y}, {0, 0, leftW, s.LT.Y - c.Top});
    copy.Copy({0, s.LB.Y, c.Left, c.Bottom}, {0, sideH - (c.Bottom - s.LB.Y), leftW, sideH});
  }
  const int rightW = w - dc.Right;
  if (rightW > 0 && sideH > 0 && s.RB.Y - s.RT.Y > 0) {
    strips.Right = NewStrip(rightW, sideH);
    PartCopier copy(strips.Right, picture, S);
    const TspRect side{c.Right, s.RT.Y, W, s.RB.Y};
    flags.rightstretch ? copy.Copy(side, {0, d.RT.Y - topH, rightW, d.RB.Y - topH})
                       : copy.TileY(side, {0, 0, rightW, sideH});
    copy.Copy({c.Right, c.Top, W, s.RT.Y}, {0, 0, rightW, s.RT.Y - c.Top});
    copy.Copy({c.Right, s.RB.Y, W, c.Bottom}, {0, sideH - (c.Bottom - s.RB.Y), rightW, sideH});
  }
  return strips;
}
