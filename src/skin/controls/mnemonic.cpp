#include "skin/controls/mnemonic.h"

TspMnemonic ParseMnemonic(const QString& caption) {
  TspMnemonic c;
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

QKeySequence MnemonicKey(const QString& caption) {
  const QChar accel = ParseMnemonic(caption).Accel;
  if (accel.isNull() || !accel.isPrint()) return {};
  return QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(accel.toUpper().unicode())));
}

bool IsMnemonicChar(const TspMnemonic& caption, const QString& text) {
  if (caption.Accel.isNull() || text.size() != 1) return false;
  return caption.Accel.toCaseFolded() == text[0].toCaseFolded();
}
