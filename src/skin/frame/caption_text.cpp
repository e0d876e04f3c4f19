#include "skin/frame/caption_text.h"

QString TrimCaption(const QString& text, const QFontMetrics& metrics, int width) {
  if (metrics.horizontalAdvance(text) <= width) return text;
  const QString dots = QStringLiteral("...");
  QString s = text;
  while (!s.isEmpty()) {
    s.chop(1);
    if (metrics.horizontalAdvance(s + dots) <= width) break;
  }
  return s + dots;
}

QPoint CaptionTextOrigin(const TspRect& tr, int tw, int th, TspAlignment alignment,
                         int fontHeight) {
  int y = tr.Top + tr.Height() / 2 - th / 2;
  if (fontHeight % 2 != 0) y -= 1;
  int x = tr.Left;
  if (alignment == TspAlignment::taRightJustify)
    x = tr.Right - tw;
  else if (alignment == TspAlignment::taCenter)
    x = tr.Left + tr.Width() / 2 - tw / 2;
  return {x, y};
}
