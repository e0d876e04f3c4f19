#include "skin/frame/frame_paint.h"

#include "skin/controls/skin_binding.h"
#include "skin/data/skin_data.h"
#include "skin/frame/caption_buttons.h"
#include "skin/frame/caption_text.h"
#include "skin/render/composition.h"
#include "skin/render/effect_bitmap.h"
#include "skin/render/pixel_copy.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>

bool TspFramePaintInput::Skinned() const {
  return Skin && !Skin->IsEmpty() && FrameDrawable;
}

TspFrameColors FrameColors(const TspSkinData* skin) {
  // An empty skin holds the platform's colours; without skin data they are read here.
  if (skin)
    return {ColorToQColor(skin->SkinColors.cbtnface), ColorToQColor(skin->SkinColors.cbtntext),
            ColorToQColor(skin->SkinColors.cbtnshadow),
            ColorToQColor(skin->SkinColors.c3ddkshadow)};
  const QPalette pal = QGuiApplication::palette();
  return {pal.color(QPalette::Button), pal.color(QPalette::ButtonText), pal.color(QPalette::Dark),
          pal.color(QPalette::Shadow)};
}

namespace {

QImage NewBand(int w, int h, const QColor& fill) {
  if (w <= 0 || h <= 0) return {};
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

} // namespace

void ApplyInactiveEffect(QImage& image, TspInactiveEffect effect) {
  if (image.isNull()) return;
  TspEffectBmp bmp(image);
  switch (effect) {
  case TspInactiveEffect::ieBrightness:
    bmp.Brighten(0.5);
    break;
  case TspInactiveEffect::ieDarkness:
    bmp.Darken(0.3);
    break;
  case TspInactiveEffect::ieGrayscale:
    bmp.Grayscale();
    break;
  case TspInactiveEffect::ieNoise:
    bmp.Noise(50);
    break;
  case TspInactiveEffect::ieSplitBlur:
    bmp.SplitBlur(1);
    break;
  case TspInactiveEffect::ieInvert:
    bmp.Invert();
    break;
  }
  image = bmp.ToImage();
}

void TspFramePainter::Clear() {
  FBaseTop = FBaseBottom = FTop = FBottom = FLeft = FRight = QImage();
  FWidth = FHeight = 0;
}

void TspFramePainter::Compose(const TspFramePaintInput& in) {
  Clear();
  FWidth = in.Width;
  FHeight = in.Height;
  if (in.Width <= 0 || in.Height <= 0) return;
  if (!in.Skinned()) {
    const TspFrameColors colors = FrameColors(in.Skin);
    const QColor face = colors.BtnFace;
    const QColor dark = colors.DkShadow;
    const TspRect client = DefaultClientRect(in.Width, in.Height, in.ToolWindow);
    FTop = NewBand(in.Width, client.Top, face);
    FBottom = NewBand(in.Width, in.Height - client.Bottom, face);
    FLeft = NewBand(client.Left, client.Bottom - client.Top, face);
    FRight = NewBand(in.Width - client.Right, client.Bottom - client.Top, face);
    // The outer ring in the dark shadow colour; the two rings inside it are face colour.
    const auto ring = [&](QImage& band, int x, int y) {
      if (band.isNull()) return;
      QPainter p(&band);
      p.setPen(dark);
      p.translate(-x, -y);
      p.drawRect(0, 0, in.Width - 1, in.Height - 1);
    };
    ring(FTop, 0, 0);
    ring(FLeft, 0, client.Top);
    ring(FRight, client.Right, client.Top);
    ring(FBottom, 0, client.Bottom);
    FBaseTop = FTop;
    FBaseBottom = FBottom;
    DrawDefaultCaption(in);
    DrawObjects(in);
    return;
  }
  const TspSkinData& skin = *in.Skin;
  const TspFormInfo& info = skin.FormInfo;
  if (info.clientrect.IsEmpty()) return;
  const bool useInactive = !in.Context.FormActive && !skin.InactivePicture.isNull();
  QImage holder;
  const QImage& P = AsRgb32(useInactive ? skin.InactivePicture : skin.Picture, holder);
  const TspNinePartGeometry source{info.clientrect, info.lefttoppoint, info.righttoppoint,
                                   info.leftbottompoint, info.rightbottompoint};
  const TspFrameGeometry& g = in.Geometry;
  const TspNinePartGeometry dest{g.ClientArea, g.LeftTop, g.RightTop, g.LeftBottom, g.RightBottom};
  TspStretchFlags flags;
  flags.leftstretch = info.leftstretch;
  flags.topstretch = info.topstretch;
  flags.rightstretch = info.rightstretch;
  flags.bottomstretch = info.bottomstretch;
  TspBorderStrips strips = ComposeBorderStrips(P, {0, 0, P.width(), P.height()}, source, in.Width,
                                               in.Height, dest, flags);
  if (!in.Context.FormActive && info.autorenderinginactiveimage) {
    for (QImage* band : {&strips.Top, &strips.Bottom, &strips.Left, &strips.Right})
      ApplyInactiveEffect(*band, info.inactiveeffect);
  }
  FTop = strips.Top;
  FBottom = strips.Bottom;
  FLeft = strips.Left;
  FRight = strips.Right;
  FBaseTop = FTop;
  FBaseBottom = FBottom;
  DrawObjects(in);
}

void TspFramePainter::DrawObjects(const TspFramePaintInput& in) {
  if (!in.Objects) return;
  for (const auto& o : *in.Objects) {
    if (!o->Visible || o->RollUp) continue;
    if (auto* caption = dynamic_cast<const TspSkinCaptionObject*>(o.get())) {
      if (in.Skinned()) DrawCaption(in, *caption);
      continue;
    }
    DrawObjectInto(in, *o);
  }
}

void TspFramePainter::DrawObjectInto(const TspFramePaintInput& in,
                                     const TspActiveSkinObject& object) {
  const int clientTop = FTop.height();
  const bool onTop = object.ObjectRect.Bottom <= clientTop;
  QImage& band = onTop ? FTop : FBottom;
  if (band.isNull() || object.ObjectRect.IsEmpty()) return;
  const QPoint origin = onTop ? QPoint(0, 0) : QPoint(0, FHeight - FBottom.height());
  if (!in.Skinned()) {
    auto* button = dynamic_cast<const TspSkinStdButtonObject*>(&object);
    if (!button) return;
    const int side = object.ObjectRect.Width();
    const bool hot = object.Active && button->Enabled;
    const bool down = hot && button->Down;
    const QImage image =
        DrawDefaultButton(*button, side, down, hot, in.Context, FrameColors(in.Skin), in.Icon);
    QPainter p(&band);
    p.drawImage(object.ObjectRect.Left - origin.x(), object.ObjectRect.Top - origin.y(), image);
    return;
  }
  object.Draw(band, origin, in.Context);
}

QRect TspFramePainter::RedrawObject(const TspFramePaintInput& in,
                                    const TspActiveSkinObject& object) {
  const TspRect r = object.ObjectRect;
  if (r.IsEmpty() || !object.Visible || object.RollUp) return {};
  const bool onTop = r.Bottom <= FTop.height();
  QImage& band = onTop ? FTop : FBottom;
  const QImage& base = onTop ? FBaseTop : FBaseBottom;
  if (band.isNull()) return {};
  const int y0 = onTop ? 0 : FHeight - FBottom.height();
  // What lies under the object, then the object in its new state.
  CopyPart(band, {r.Left, r.Top - y0, r.Right, r.Bottom - y0}, base,
           {r.Left, r.Top - y0, r.Right, r.Bottom - y0});
  if (auto* caption = dynamic_cast<const TspSkinCaptionObject*>(&object))
    DrawCaption(in, *caption);
  else
    DrawObjectInto(in, object);
  return r.ToQRect();
}

void TspFramePainter::DrawDefaultCaption(const TspFramePaintInput& in) {
  const TspRect c = in.DefaultCaption;
  const int ch = in.ToolWindow ? kDefaultToolCaptionHeight : kDefaultCaptionHeight;
  if (FTop.isNull() || c.Width() <= 0) return;
  QPainter p(&FTop);
  // The caption image sits at (3, 3) and is CH high.
  p.translate(kDefaultBorder, kDefaultBorder);
  p.setClipRect(0, 0, in.Width - 2 * kDefaultBorder, ch);
  if (in.OnCaptionPaint) {
    in.OnCaptionPaint(p, {c.Left - kDefaultBorder, 0, c.Right - kDefaultBorder, ch},
                      in.Context.FormActive);
    return;
  }
  if (in.Caption.isEmpty()) return;
  const QFont& font = in.Context.FormActive ? in.DefCaptionFont : in.DefInActiveCaptionFont;
  p.setFont(font);
  const QFontMetrics m(font);
  const QString text = TrimCaption(in.Caption, m, c.Width());
  const int tw = m.horizontalAdvance(text), th = m.height();
  const int l = c.Left - kDefaultBorder;
  const int x = l + c.Width() / 2 - (tw + 5) / 2;
  const int y = ch / 2 - th / 2;
  const QRect box(x, y, tw, th);
  p.fillRect(box.adjusted(-2, -2, 2, 2), FrameColors(in.Skin).BtnFace);
  p.setPen(in.Context.FormActive ? in.DefCaptionColor : in.DefInActiveCaptionColor);
  p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void TspFramePainter::Paint(QPainter& painter, const QRegion& dirty) const {
  painter.save();
  painter.setClipRegion(dirty);
  if (!FTop.isNull()) painter.drawImage(TopAt(), FTop);
  if (!FLeft.isNull()) painter.drawImage(LeftAt(), FLeft);
  if (!FRight.isNull()) painter.drawImage(RightAt(), FRight);
  if (!FBottom.isNull()) painter.drawImage(BottomAt(), FBottom);
  painter.restore();
}

QImage ComposeClientBackground(const TspSkinData* skin, int cw, int ch, int frameWidth,
                               int frameHeight) {
  QImage target;
  if (cw <= 0 || ch <= 0) return target;
  ResizeTarget(target, cw, ch);
  target.fill(FrameColors(skin).BtnFace);
  if (!skin || skin->IsEmpty()) return target;
  const TspFormInfo& info = skin->FormInfo;
  QImage holder;
  QImage source;
  TspRect part;
  if (info.bgpictureindex >= 0) {
    if (!skin->ValidPictureIndex(info.bgpictureindex)) return target;
    source = AsRgb32(skin->ActivePictures[size_t(info.bgpictureindex)], holder);
    part = {0, 0, source.width(), source.height()};
  } else {
    if (info.clientrect.IsEmpty()) return target;
    source = AsRgb32(skin->Picture, holder);
    // Only the part of the client rectangle that lies in the picture.
    part = TspRect{std::max(info.clientrect.Left, 0), std::max(info.clientrect.Top, 0),
                   std::min(info.clientrect.Right, source.width()),
                   std::min(info.clientrect.Bottom, source.height())};
  }
  // A picture without pixels leaves the plain fill: nothing to tile or divide by.
  if (source.isNull() || part.IsEmpty()) return target;
  const TspRect all{0, 0, cw, ch};
  const TspCentreFill fill = CentreFill(info.stretcheffect, int(info.stretchtype));
  if (fill.Columns == TspAxisFill::Scale && fill.Rows == TspAxisFill::Scale) {
    CopyPart(target, all, source, part);
    return target;
  }
  // Otherwise a band stretched to the frame's height (or width) repeats over the client
  // area, or the picture as it is when nothing stretches.
  const QSize tile =
      StretchTileSize(info.stretcheffect, int(info.stretchtype), part.ToQRect().size(),
                      QSize(std::max(frameWidth, 1), std::max(frameHeight, 1)));
  if (tile.isEmpty()) {
    CopyPart(target, all, source, part, TspAxisFill::Tile, TspAxisFill::Tile);
    return target;
  }
  QImage band;
  ResizeTarget(band, tile.width(), tile.height());
  CopyPart(band, {0, 0, band.width(), band.height()}, source, part);
  CopyPart(target, all, band, {0, 0, band.width(), band.height()}, TspAxisFill::Tile,
           TspAxisFill::Tile);
  return target;
}
