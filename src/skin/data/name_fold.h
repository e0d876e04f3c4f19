#pragma once
// Letter case folding for section and key names: one code unit to one, so a folded copy
// of a text keeps its offsets and a view into the text has the same range in the copy.

#include <QAnyStringView>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

using TspFoldBuffer = QVarLengthArray<char16_t, 64>;

// A name as asked for, folded into `buffer`; the view is valid while the buffer is.
QStringView FoldName(QAnyStringView name, TspFoldBuffer& buffer);
QString FoldText(QStringView text);
