#include "app/email_rule.h"

bool IsValidEmail(const QString& text) {
  bool at = false;
  bool dotAfterAt = false;
  for (const QChar c : text) {
    if (c == u'@')
      at = true;
    else if (c == u'.' && at)
      dotAfterAt = true;
  }
  return at && dotAfterAt;
}

QColor EmailIndicatorColor(const QString& text) {
  if (text.isEmpty()) return kEmailIndicatorEmpty;
  return IsValidEmail(text) ? kEmailIndicatorValid : kEmailIndicatorInvalid;
}
