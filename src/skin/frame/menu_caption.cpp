#include "skin/frame/menu_caption.h"

TspMenuCaption ParseMenuCaption(const QString& caption) {
  TspMenuCaption c;
  c.Text.reserve(caption.size());
  const qsizetype n = caption.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar ch = caption[i];
    if (ch != QLatin1Char('&') || i + 1 == n) {
      c.Text.append(ch);
      continue;
    }
    const QChar next = caption[++i];
    if (next != QLatin1Char('&') && c.AccelIndex < 0) {
      c.AccelIndex = int(c.Text.size());
      c.Accel = next;
    }
    c.Text.append(next);
  }
  return c;
}

bool IsMenuAccelerator(const TspMenuCaption& caption, const QString& text) {
  if (caption.Accel.isNull() || text.size() != 1) return false;
  return caption.Accel.toCaseFolded() == text[0].toCaseFolded();
}
