#pragma once
// Menu captions: "&" marks the accelerator (the character after it), "&&" is a literal
// ampersand. A caption is parsed once into the text that is drawn and its accelerator.

#include <QChar>
#include <QString>

struct TspMenuCaption {
  QString Text;        // as drawn
  int AccelIndex = -1; // position in Text of the underlined character, or -1
  QChar Accel;         // the accelerator character, or null
};

// A lone "&" at the end has nothing after it to mark: it is drawn as it stands.
TspMenuCaption ParseMenuCaption(const QString& caption);
// Whether `text` (a typed character) is the caption's accelerator, without regard to case.
bool IsMenuAccelerator(const TspMenuCaption& caption, const QString& text);
