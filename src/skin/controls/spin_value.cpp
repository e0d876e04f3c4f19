#include "skin/controls/spin_value.h"

#include <algorithm>
#include <cmath>

double TspSpinRule::Clamp(double value) const {
  if (!HasRange()) return value;
  return std::clamp(value, std::min(MinValue, MaxValue), std::max(MinValue, MaxValue));
}

QString TspSpinRule::Format(double value) const {
  if (ValueType == TspValueType::vtInteger) return QString::number(std::llround(value));
  QString s = QString::number(value, 'f', std::clamp(Decimal, 0, 15));
  if (DecimalSeparator != u'.') s.replace(u'.', DecimalSeparator);
  return s;
}

bool TspSpinRule::Parse(const QString& text, double* value) const {
  if (text.isEmpty() || text == QLatin1String("-")) return false;
  const bool isFloat = ValueType == TspValueType::vtFloat;
  QString number;
  number.reserve(text.size());
  for (const QChar c : text) {
    if ((c >= u'0' && c <= u'9') || c == u'-')
      number += c;
    else if (isFloat && c == DecimalSeparator)
      number += u'.';
    else
      return false;
  }
  bool ok = false;
  const double v = isFloat ? number.toDouble(&ok) : double(number.toLongLong(&ok));
  if (!ok || !std::isfinite(v)) return false;
  if (HasRange() && (v < std::min(MinValue, MaxValue) || v > std::max(MinValue, MaxValue)))
    return false;
  if (value) *value = v;
  return true;
}

bool TspSpinRule::AcceptsChar(QChar c, const QString& text, int selStart, int selLength,
                              bool editorEnabled) const {
  if (c == u'\r' || c == u'\n') return false;
  if (c.unicode() < 32) return editorEnabled || c != u'\b';
  if (!editorEnabled) return false;
  if (c >= u'0' && c <= u'9') return true;
  selStart = std::clamp(selStart, 0, int(text.size()));
  selLength = std::clamp(selLength, 0, int(text.size()) - selStart);
  // What stays of the text once the selection is replaced.
  const QString kept = text.left(selStart) + text.mid(selStart + selLength);
  if (c == u'-') {
    return selStart == 0 && !kept.contains(u'-');
  }
  if (ValueType == TspValueType::vtFloat && c == DecimalSeparator)
    return !kept.contains(DecimalSeparator);
  return false;
}
