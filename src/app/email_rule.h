#pragma once
// The e-mail rule of the account forms and the colours of the indicator beside their e-mail
// fields, which shows the rule's verdict while the user types.

#include <QColor>
#include <QString>

// True when the text holds an "@" and, at some position after it, a ".". Nothing more is
// asked of an address: "@." passes, and so does a text with several "@".
bool IsValidEmail(const QString& text);

// The indicator's colours: its outline and fill while the field is empty, and its fill for
// an address that passes the rule and for one that does not.
inline const QColor kEmailIndicatorEmpty{197, 198, 197};
inline const QColor kEmailIndicatorValid{178, 255, 178};
inline const QColor kEmailIndicatorInvalid{255, 178, 178};

// The indicator's fill for the field's text.
QColor EmailIndicatorColor(const QString& text);
