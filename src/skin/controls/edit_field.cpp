#include "skin/controls/edit_field.h"
#include "skin/controls/plain_look.h"

#include "skin/controls/control_image.h"
#include "skin/controls/inner_edit.h"
#include "skin/data/skin_data.h"
#include "skin/render/draw_helpers.h"

#include <QPainter>

void SetFieldColors(TspInnerEdit& editor, const QPalette& palette, const TspSkinData* skin,
                    const TspFieldFontColors* record, bool active) {
  QColor text = palette.color(QPalette::Active, QPalette::Text);
  QColor disabled = palette.color(QPalette::Disabled, QPalette::Text);
  if (record) {
    text = SkinColor(active ? record->activefontcolor : record->fontcolor);
    disabled = SkinColor(record->disabledfontcolor);
  }
  QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
  QColor highlightedText = palette.color(QPalette::Active, QPalette::HighlightedText);
  if (skin && !skin->IsEmpty()) {
    highlight = SkinColor(skin->SkinColors.chighlight);
    highlightedText = SkinColor(skin->SkinColors.chighlighttext);
  }
  editor.SetTextColors(text, disabled, highlight, highlightedText);
}

QImage FieldFrameImage(const TspSkinImages& images, const QImage& picture,
                       const TspDataSkinCustomControl& rec, const TspRect& state, QSize size) {
  TspControlGeometry g = ControlGeometry(rec);
  g.Mode = kCompositionHorizontal;
  const QImage frame = images.Get(picture, g, state, QSize(size.width(), rec.skinrect.Height()));
  return images.Scaled(picture, g, state, frame, size);
}

void DrawPlainFieldFrame(QImage& image, const QColor& fill, const QPalette& palette) {
  image.fill(fill);
  QPainter p(&image);
  p.setPen(palette.color(QPalette::Dark));
  p.drawRect(0, 0, image.width() - 1, image.height() - 1);
  p.setPen(palette.color(QPalette::Button));
  p.drawRect(1, 1, image.width() - 3, image.height() - 3);
}

void DrawPlainFieldButton(QPainter& p, const QRect& r, const QPalette& palette, bool enabled,
                          bool hot, bool down, int arrow) {
  QColor frame = palette.color(QPalette::Dark);
  QColor fill = palette.color(QPalette::Button);
  if (enabled && down && hot) {
    frame = SkinColor(kPlainFrame);
    fill = SkinColor(kPlainDownFill);
  } else if (enabled && hot) {
    frame = SkinColor(kPlainFrame);
    fill = SkinColor(kPlainHotFill);
  }
  p.fillRect(r, fill);
  p.setPen(frame);
  p.drawRect(r.adjusted(0, 0, -1, -1));
  if (arrow == 0) return;
  const QColor glyph =
      palette.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
  DrawArrow(p, TspRect::FromQRect(r), QColorToColor(glyph), arrow);
}

QRect PlaceFieldButton(TspRect button, const TspDataSkinCustomControl& rec, QSize size,
                       bool stretchedHeight) {
  if (button.IsEmpty()) return QRect();
  const int dW = size.width() - rec.skinrect.Width();
  const int skinH = rec.skinrect.Height();
  if (button.Left >= rec.righttoppoint.X) {
    button.Left += dW;
    button.Right += dW;
  }
  if (stretchedHeight && skinH > 0 && size.height() != skinH) {
    button.Top = button.Top * size.height() / skinH;
    button.Bottom = button.Bottom * size.height() / skinH;
  }
  return button.ToQRect();
}
