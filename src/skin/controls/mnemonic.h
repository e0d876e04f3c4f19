#pragma once
// Captions mark their short cut with "&": the character after it is the accelerator,
// drawn underlined; "&&" is a literal ampersand. Every control with a caption (buttons,
// check boxes, labels, tabs, menu items) finds its short cut here, so they agree on
// what a caption means.

#include <QChar>
#include <QKeySequence>
#include <QString>

struct TspMnemonic {
  QString Text;        // as drawn, without the marks
  int AccelIndex = -1; // position in Text of the underlined character, or -1
  QChar Accel;         // the accelerator character, or null
};

// Only the first mark counts; a lone "&" at the end has nothing after it to mark and
// is drawn as it stands.
TspMnemonic ParseMnemonic(const QString& caption);
// Alt plus the accelerator, upper-cased; empty when the caption has none or it cannot be
// typed.
QKeySequence MnemonicKey(const QString& caption);
// Whether `text` (a typed character) is the caption's accelerator, without regard to case.
bool IsMnemonicChar(const TspMnemonic& caption, const QString& text);
