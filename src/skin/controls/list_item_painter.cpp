#include "skin/controls/list_item_painter.h"

#include "skin/controls/focus_dots.h"
#include "skin/controls/image_list.h"
#include "skin/controls/plain_look.h"
#include "skin/render/composition.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cstring>

void CopyRows(QImage& target, QPoint origin, const QImage& source) {
  if (source.isNull() || target.format() != QImage::Format_RGB32 ||
      source.format() != QImage::Format_RGB32)
    return;
  const int x0 = std::max(0, origin.x()), y0 = std::max(0, origin.y());
  const int x1 = std::min(target.width(), origin.x() + source.width());
  const int y1 = std::min(target.height(), origin.y() + source.height());
  if (x1 <= x0 || y1 <= y0) return;
  const size_t bytes = size_t(x1 - x0) * 4;
  for (int y = y0; y < y1; ++y)
    std::memcpy(target.scanLine(y) + size_t(x0) * 4,
                source.constScanLine(y - origin.y()) + size_t(x0 - origin.x()) * 4, bytes);
}

namespace {

void FillRows(QImage& target, const QRect& r, QRgb colour) {
  const QRect c = r & target.rect();
  if (c.isEmpty() || target.format() != QImage::Format_RGB32) return;
  for (int y = c.top(); y <= c.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
    std::fill(line + c.left(), line + c.left() + c.width(), colour);
  }
}

// The item keys that list box and combo box records name alike; only their stretch keys differ.
template <class Record> TspListItemLook SharedItemLook(const Record& r) {
  TspListItemLook l;
  l.itemrect = r.itemrect;
  l.activeitemrect = r.activeitemrect;
  l.focusitemrect = r.focusitemrect;
  l.itemtextrect = r.itemtextrect;
  l.itemleftoffset = r.itemleftoffset;
  l.itemrightoffset = r.itemrightoffset;
  l.fontcolor = r.fontcolor;
  l.activefontcolor = r.activefontcolor;
  l.focusfontcolor = r.focusfontcolor;
  l.showfocus = r.showfocus;
  return l;
}

} // namespace

TspListItemLook ItemLookOf(const TspDataSkinListBox& r) {
  TspListItemLook l = SharedItemLook(r);
  l.stretcheffect = l.focusstretcheffect = r.stretcheffect;
  return l;
}

TspListItemLook ItemLookOf(const TspDataSkinComboBox& r) {
  TspListItemLook l = SharedItemLook(r);
  l.stretcheffect = l.normalstretcheffect = r.itemstretcheffect;
  l.focusstretcheffect = r.focusitemstretcheffect;
  return l;
}

QColor DisabledItemTextColor(const QColor& text, const QImage& picture, const TspRect& itemrect) {
  const QPoint middle(itemrect.Left + itemrect.Width() / 2, itemrect.Top + itemrect.Height() / 2);
  if (itemrect.IsEmpty() || !picture.rect().contains(middle)) return text;
  const QColor back(picture.pixel(middle));
  return QColor((text.red() + back.red()) / 2, (text.green() + back.green()) / 2,
                (text.blue() + back.blue()) / 2);
}

void DrawItemText(QPainter& p, const QRect& r, const QString& text, const QList<int>& tabWidths,
                  TspTextAlignment alignment) {
  if (r.width() <= 0 || r.height() <= 0 || text.isEmpty()) return;
  const QFontMetrics fm = p.fontMetrics();
  Qt::Alignment align = Qt::AlignVCenter;
  switch (alignment) {
  case TspTextAlignment::taRightJustify:
    align |= Qt::AlignRight;
    break;
  case TspTextAlignment::taCenter:
    align |= Qt::AlignHCenter;
    break;
  default:
    align |= Qt::AlignLeft;
    break;
  }
  if (tabWidths.isEmpty() || !text.contains(QLatin1Char('\t'))) {
    p.drawText(r, int(align) | Qt::TextSingleLine, fm.elidedText(text, Qt::ElideRight, r.width()));
    return;
  }
  const QStringList parts = text.split(QLatin1Char('\t'));
  int x = r.left();
  for (int i = 0; i < parts.size() && x < r.right(); ++i) {
    const int w = i < tabWidths.size() ? std::max(tabWidths[i], 0) : r.right() - x + 1;
    const QRect cell(x, r.top(), std::min(w, r.right() - x + 1), r.height());
    p.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               fm.elidedText(parts[i], Qt::ElideRight, cell.width()));
    x += w;
  }
}

void DrawItemContent(QPainter& p, QRect text, int itemHeight, const TspImageList* images,
                     int imageIndex, const QString& s, const QList<int>& tabWidths,
                     TspTextAlignment alignment) {
  if (images && images->ValidIndex(imageIndex)) {
    const QImage& img = images->Images[size_t(imageIndex)];
    if (!img.isNull()) {
      p.drawImage(text.left(), (itemHeight - img.height()) / 2, img);
      text.setLeft(text.left() + img.width() + 2);
    }
  }
  DrawItemText(p, text, s, tabWidths, alignment);
}

bool UsableItemRect(const TspRect& r, const QImage* picture) {
  return picture && !r.IsEmpty() && picture->rect().contains(r.ToQRect());
}

namespace {
QImage Compose(const QImage& picture, const TspListItemLook& look, const TspRect& state,
               bool stretch, bool skinItemHeight, QSize size);
} // namespace

QImage TspListItemPainter::Composed(const TspSkinImages& images, const QImage& picture,
                                    const TspListItemLook& look, const TspRect& state, bool stretch,
                                    bool skinItemHeight, QSize size) {
  const TspRect& t = look.itemtextrect;
  return images.Image(picture,
                      {TspSkinImages::kListItemKind, stretch, skinItemHeight, t.Left, t.Top,
                       t.Right, t.Bottom, look.itemleftoffset, look.itemrightoffset},
                      state, size,
                      [&] { return Compose(picture, look, state, stretch, skinItemHeight, size); });
}

namespace {
QImage Compose(const QImage& picture, const TspListItemLook& look, const TspRect& state,
               bool stretch, bool skinItemHeight, QSize size) {
  QImage image;
  if (skinItemHeight) {
    ComposeHorizontalImage(image, picture, state, look.itemleftoffset, look.itemrightoffset,
                           stretch, size.width());
    // A record whose item is not as high as the row it is drawn in (a combo box field of
    // another height) is scaled once here.
    if (!image.isNull() && image.height() != size.height())
      image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  } else {
    image = QImage(size, QImage::Format_RGB32);
    const TspRect t = look.itemtextrect;
    const TspRect client{t.Left + 1, t.Top + 1, t.Right - 1, t.Bottom - 1};
    ComposeStretchedImage(image, picture, state, client, true);
  }
  if (!image.isNull() && image.format() != QImage::Format_RGB32)
    image = image.convertToFormat(QImage::Format_RGB32);
  return image;
}
} // namespace

TspListItemFrame TspListItemPainter::DrawSkinItem(const TspSkinImages& images, QImage& target,
                                                  QPoint origin, QSize size, const QImage& picture,
                                                  const TspListItemLook& look, bool skinItemHeight,
                                                  TspOwnerDrawState state) {
  TspListItemFrame f;
  TspRect rect = look.itemrect;
  bool stretch = look.stretcheffect;
  TColor colour = look.fontcolor;
  bool dots = false;
  const auto useFocusFace = [&] {
    rect = look.focusitemrect;
    stretch = look.focusstretcheffect;
    colour = look.focusfontcolor;
  };
  const auto useActiveFace = [&] {
    rect = look.activeitemrect;
    colour = look.activefontcolor;
  };
  if (skinItemHeight) {
    if (state.Focused && !state.Selected) {
      dots = true;
    } else if (state.Focused && state.Selected && !look.focusitemrect.IsEmpty()) {
      useFocusFace();
    } else if (state.Selected && !look.activeitemrect.IsEmpty()) {
      useActiveFace();
    } else {
      stretch = look.normalstretcheffect;
    }
  } else {
    if (state.Focused && !look.focusitemrect.IsEmpty()) {
      useFocusFace();
    } else if (state.Selected && !look.activeitemrect.IsEmpty()) {
      useActiveFace();
    }
    dots = look.showfocus && state.Focused;
  }
  // A state rectangle outside the picture (a damaged skin) could ask for a huge image.
  if (!picture.rect().contains(rect.ToQRect())) rect = look.itemrect;
  if (!picture.rect().contains(rect.ToQRect())) return {QRect(QPoint(), size), SkinColor(colour)};
  CopyRows(target, origin, Composed(images, picture, look, rect, stretch, skinItemHeight, size));
  f.TextColor = SkinColor(colour);
  const int dW = size.width() - look.itemrect.Width();
  if (skinItemHeight)
    f.TextRect = QRect(look.itemtextrect.Left, look.itemtextrect.Top,
                       look.itemtextrect.Width() + dW, look.itemtextrect.Height());
  else
    f.TextRect = QRect(look.itemtextrect.Left, 0, look.itemtextrect.Width() + dW, size.height());
  if (dots) DrawFocusDots(target, QRect(origin, size), f.TextColor);
  return f;
}

TspListItemFrame TspListItemPainter::DrawPlainItem(QImage& target, QPoint origin, QSize size,
                                                   const QPalette& palette,
                                                   TspOwnerDrawState state) {
  TspListItemFrame f;
  const QPalette::ColorGroup group = state.Disabled ? QPalette::Disabled : QPalette::Active;
  const QRect r(origin, size);
  if (state.Selected) {
    FillRows(target, r, palette.color(group, QPalette::Highlight).rgb());
    f.TextColor = palette.color(group, QPalette::HighlightedText);
  } else {
    FillRows(target, r, palette.color(group, QPalette::Base).rgb());
    f.TextColor = palette.color(group, QPalette::Text);
  }
  if (state.Focused) DrawFocusDots(target, r, f.TextColor);
  f.TextRect = QRect(2, 0, size.width() - 4, size.height());
  return f;
}
