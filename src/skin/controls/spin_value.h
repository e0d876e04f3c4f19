#pragma once
// The value rule of the spin edit: how a value is clamped and written, which typed texts
// become values and which typed characters the inner edit takes. Kept apart from the
// widget so the rule can be checked on its own.

#include <QChar>
#include <QString>

enum class TspValueType { vtInteger, vtFloat };

struct TspSpinRule {
  TspValueType ValueType = TspValueType::vtInteger;
  int Decimal = 2;     // digits after the separator of a float
  double MinValue = 0; // the range applies unless both ends are 0
  double MaxValue = 0;
  QChar DecimalSeparator = u'.';

  bool HasRange() const { return MinValue != 0 || MaxValue != 0; }
  double Clamp(double value) const;
  // An integer rounded (halves away from zero), a float in fixed point with Decimal digits.
  QString Format(double value) const;
  // A typed text is a value when it holds only digits and '-' (and, for a float, the
  // decimal separator), is not just "-", converts to a number and lies in the range.
  bool Parse(const QString& text, double* value) const;
  // Whether the inner edit takes the character `c` typed over the selection
  // [selStart, selStart + selLength) of `text`. Control characters pass (Enter is not the
  // edit's: it goes to the form); with the editor disabled nothing printable and no
  // backspace does. The separator only once; '-' only at the start, and only when the
  // text keeps none once the selection is replaced.
  bool AcceptsChar(QChar c, const QString& text, int selStart, int selLength,
                   bool editorEnabled) const;
};
