#include "skin/frame/caption_paint.h"

#include "skin/controls/button_animation.h"
#include "skin/controls/skin_binding.h"
#include "skin/data/skin_data.h"
#include "skin/frame/caption_text.h"
#include "skin/frame/frame_paint.h"
#include "skin/render/composition.h"
#include "skin/render/effect_bitmap.h"
#include "skin/render/pixel_copy.h"
#include "skin/render/text_effects.h"

#include <QPainter>
#include <algorithm>

namespace {

// The glowing-text look of captions that ask for it: a wide white halo.
constexpr int kVistaGlowSize = 8;
const QColor kVistaGlowColor(255, 255, 255);

QFont CaptionFont(const TspFramePaintInput& in, const TspDataSkinCaption& d) {
  const QFont& def = in.Context.FormActive ? in.DefCaptionFont : in.DefInActiveCaptionFont;
  return SkinFont(in.UseSkinFontInCaption, d.fontname, d.fontheight, d.fontstyle, def);
}

QImage Scaled(const QImage& picture, const TspRect& source, QSize size) {
  QImage image;
  ResizeTarget(image, size.width(), size.height());
  image.fill(Qt::black);
  CopyPart(image, {0, 0, size.width(), size.height()}, picture, source);
  return image;
}

// The caption text (with its text frame and effects) drawn by `p`, whose origin is the
// caption's top-left corner. `textActive` picks the active colours.
void DrawCaptionText(QPainter& p, const TspFramePaintInput& in, const TspSkinCaptionObject& caption,
                     bool textActive) {
  const TspRect obj = caption.ObjectRect;
  const TspDataSkinCaption& d = caption.Data();
  if (in.OnCaptionPaint) {
    in.OnCaptionPaint(p, {0, 0, obj.Width(), obj.Height()}, in.Context.FormActive);
    return;
  }
  if (in.Caption.isEmpty() || d.textrect.IsEmpty()) return;
  TspRect tr = d.textrect;
  tr.Right += obj.Width() - caption.SkinRect.Width();
  // A text frame behind the text: the text keeps to the frame's own text rectangle.
  const bool framed = !d.framerect.IsEmpty() && !caption.ActivePicture.isNull();
  if (framed) {
    tr.Left += d.frametextrect.Left;
    tr.Top += d.frametextrect.Top;
    tr.Right += d.frametextrect.Right - d.framerect.Width();
  }
  const QFont font = CaptionFont(in, d);
  p.setFont(font);
  const QFontMetrics m(font);
  const QString text = TrimCaption(in.Caption, m, tr.Width());
  const int tw = m.horizontalAdvance(text), th = m.height();
  const QPoint at = CaptionTextOrigin(tr, tw, th, d.alignment, font.pixelSize());
  const QRect box(at, QSize(tw, th));
  if (framed) {
    const bool active = in.Context.FormActive;
    const TspRect source = active && !d.activeframerect.IsEmpty() ? d.activeframerect : d.framerect;
    const int offset = in.Geometry.ButtonsOffset;
    const int width =
        d.fullframe ? obj.Width() - 2 * offset : d.framerect.Width() + tw - d.frametextrect.Width();
    const int x = d.fullframe ? offset : at.x() - d.frametextrect.Left;
    if (width > 0) {
      const QImage textFrame = TspSkinImages(in.Skin).Image(
          caption.ActivePicture,
          {TspSkinImages::kCaptionTextFrameKind, d.frameleftoffset, d.framerightoffset}, source,
          QSize(width, source.Height()), [&] {
            QImage composed;
            ComposeHorizontalImage(composed, caption.ActivePicture, source, d.frameleftoffset,
                                   d.framerightoffset, true, width);
            return composed;
          });
      p.drawImage(x, at.y() - d.frametextrect.Top, textFrame);
    }
  }
  constexpr int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
  const auto draw = [&](TColor colour, int dx, int dy) {
    p.setPen(ColorToQColor(colour));
    p.drawText(box.translated(dx, dy), flags, text);
  };
  if (d.light) draw(textActive ? d.activelightcolor : d.lightcolor, -1, -1);
  if (d.shadow) draw(textActive ? d.activeshadowcolor : d.shadowcolor, 1, 1);
  if (d.reflectioneffect) {
    DrawTextReflection(p, box, font, flags, text,
                       ColorToQColor(textActive ? d.reflactionactivecolor : d.reflactioncolor),
                       d.reflectionoffset);
  } else if (d.vistagloweffect && (textActive || d.vistaglowinactiveeffect)) {
    // Twice: one blurred pass alone is too faint to lift the text off a busy caption.
    for (int pass = 0; pass < 2; ++pass)
      DrawTextHalo(p, box, font, flags, text, kVistaGlowColor, kVistaGlowSize, {});
  } else if (d.gloweffect && (textActive || d.glowinactiveeffect)) {
    DrawTextHalo(p, box, font, flags, text,
                 ColorToQColor(textActive ? d.glowactivecolor : d.glowcolor), d.glowsize,
                 {d.glowoffset, d.glowoffset});
  }
  draw(textActive ? d.activefontcolor : d.fontcolor, 0, 0);
}

} // namespace

QImage CaptionImage(const TspFormInfo& info, int pictureWidth, int pictureHeight,
                    const QImage& picture, const TspRect& source, const TspRect& skinRect,
                    QSize size, bool stretch) {
  if (size.isEmpty() || source.IsEmpty() || picture.isNull()) return {};
  if (size == QSize(source.Width(), source.Height())) return Scaled(picture, source, size);
  const TspPoint lt = info.lefttoppoint, rt = info.righttoppoint, lb = info.leftbottompoint,
                 rb = info.rightbottompoint;
  const bool noMiddle = rb.X == lt.X || rb.Y == lt.Y;
  const bool topBand = skinRect.Top >= 0 && skinRect.Top <= lt.Y && skinRect.Bottom <= rt.Y;
  const bool bottomBand = skinRect.Top >= lb.Y && skinRect.Bottom <= pictureHeight;
  const bool leftBand = skinRect.Left >= 0 && skinRect.Right <= lt.X;
  const bool rightBand = skinRect.Left >= rt.X && skinRect.Right <= pictureWidth;
  QImage image;
  if (!noMiddle && (topBand || bottomBand)) {
    const int left = (topBand ? lt.X : lb.X) - skinRect.Left;
    const int right = skinRect.Right - (topBand ? rt.X : rb.X);
    if (left >= 0 && right >= 0 && left + right < source.Width())
      ComposeHorizontalImage(image, picture, source, left, right, stretch, size.width());
  } else if (!noMiddle && (leftBand || rightBand)) {
    const int top = (leftBand ? lt.Y : rt.Y) - skinRect.Top;
    const int bottom = skinRect.Bottom - (leftBand ? lb.Y : rb.Y);
    if (top >= 0 && bottom >= 0 && top + bottom < source.Height())
      ComposeVerticalImage(image, picture, source, top, bottom, stretch, size.height());
  }
  if (image.isNull()) return Scaled(picture, source, size);
  if (image.size() != size) return Scaled(image, {0, 0, image.width(), image.height()}, size);
  return image;
}

void TspFramePainter::DrawCaption(const TspFramePaintInput& in,
                                  const TspSkinCaptionObject& caption) {
  const TspRect obj = caption.ObjectRect;
  if (obj.IsEmpty() || FTop.isNull() || !in.Skinned()) return;
  const bool onTop = obj.Bottom <= FTop.height();
  QImage& band = onTop ? FTop : FBottom;
  if (band.isNull()) return;
  const int y0 = onTop ? 0 : FHeight - FBottom.height();
  const QPoint place(obj.Left, obj.Top - y0);
  const QSize size(obj.Width(), obj.Height());
  const TspSkinData& skin = *in.Skin;
  const TspFormInfo& info = skin.FormInfo;
  const TspDataSkinCaption& d = caption.Data();
  const bool active = in.Context.FormActive;
  const bool withText = caption.ShowsFormCaption;
  // The same for every paint of the skin at this size: composed once, kept in the skin's
  // image cache; the text goes onto a copy.
  const auto image = [&](const QImage& picture, const TspRect& source) {
    const TspRect& r = caption.SkinRect;
    const int pw = skin.Picture.width(), ph = skin.Picture.height();
    return TspSkinImages(&skin).Image(
        picture,
        {TspSkinImages::kCaptionKind, d.stretcheffect, r.Left, r.Top, r.Right, r.Bottom, pw, ph,
         info.lefttoppoint.X, info.lefttoppoint.Y, info.righttoppoint.X, info.righttoppoint.Y,
         info.leftbottompoint.X, info.leftbottompoint.Y, info.rightbottompoint.X,
         info.rightbottompoint.Y},
        source, size,
        [&] { return CaptionImage(info, pw, ph, picture, source, r, size, d.stretcheffect); });
  };
  const auto withCaptionText = [&](QImage& target, bool textActive) {
    if (!withText || target.isNull()) return;
    QPainter p(&target);
    DrawCaptionText(p, in, caption, textActive);
  };
  const auto put = [&](const QImage& composed) {
    if (composed.isNull()) return;
    QPainter p(&band);
    p.drawImage(place, composed);
  };

  // A frame of the caption's animation: the text takes the other state's colours on it.
  if (const TspRect frame = caption.AnimationFrame(); !frame.IsEmpty()) {
    QImage shown = image(caption.ActivePicture, frame);
    withCaptionText(shown, !active);
    put(shown);
    return;
  }
  // A caption with its own active image: shown while active, cross-fading with the normal
  // image while the form's activation changes.
  const bool ownImage = !caption.ActiveSkinRect.IsEmpty() && !caption.ActivePicture.isNull();
  const bool midMorph =
      caption.CanMorph(in.Context.Effects) && caption.MorphKf != (caption.Active ? 1.0 : 0.0);
  if (ownImage && (active || midMorph)) {
    QImage hot = image(caption.ActivePicture, caption.ActiveSkinRect);
    withCaptionText(hot, true);
    if (active && !midMorph) {
      put(hot);
      return;
    }
    // The object's copy of the frame picture: converted once, so its cache key stays.
    QImage normal = image(caption.Picture, caption.SkinRect);
    withCaptionText(normal, false);
    if (normal.isNull() || hot.isNull() || normal.size() != hot.size()) {
      put(active ? hot : normal);
      return;
    }
    TspEffectBmp blend(normal);
    ApplyMorph(blend, TspEffectBmp(hot), caption.MorphKind, caption.MorphKf);
    QImage result = blend.ToImage();
    if (!active && info.autorenderinginactiveimage)
      ApplyInactiveEffect(result, info.inactiveeffect);
    put(result);
    return;
  }
  // The caption's image is part of the frame picture: only the text is drawn.
  if (!withText) return;
  QPainter p(&band);
  p.translate(place);
  DrawCaptionText(p, in, caption, active);
}
