#pragma once
// The labelled rows of the account and animal forms (Register, Edit, Employee): a caption
// right-aligned against the field column, the field beside it, and the e-mail indicator at
// the right of an e-mail field.

#include "app/form_builder.h"

#include <QRect>
#include <QString>

class TShape;
class TspSkinData;
class TspSkinMaskEdit;

inline constexpr int kRowFieldLeft = 122;
inline constexpr int kRowFieldWidth = 236;
inline constexpr int kRowFieldHeight = 21;

// The account forms (Register, Edit): a 393 by 321 panel with a picture at the top, seven
// rows below it, and "Back" at the left and the form's action at the right under them.
inline constexpr int kAccountPanelWidth = 393;
inline constexpr int kAccountPanelHeight = 321;
constexpr int AccountRowTop(int index) {
  return 78 + index * 28;
}
inline constexpr QRect kAccountBackBounds{8, 285, 100, 25};
inline constexpr QRect kAccountActionBounds{kAccountPanelWidth - 108, 285, 100, 25};

// The caption of the row whose top is `y`, ending just left of the field column.
TspSkinStdLabel* NewRowLabel(QWidget* parent, const char* formName, const QString& caption, int y,
                             TspSkinData* skin);

// A field of type T in the row whose top is `y`, with its caption and its hint.
template <class T>
T* NewFieldRow(QWidget* parent, const char* labelName, const QString& caption,
               const char* fieldName, int y, TspSkinData* skin, const QString& hint = {}) {
  NewRowLabel(parent, labelName, caption, y, skin);
  T* field =
      NewControl<T>(parent, fieldName, {kRowFieldLeft, y, kRowFieldWidth, kRowFieldHeight}, skin);
  if (!hint.isEmpty()) field->setToolTip(hint);
  return field;
}

// The 17 by 19 indicator at the right of the e-mail field in the row whose top is `y`, grey
// (the empty field's colour) inside and out.
TShape* NewEmailIndicator(QWidget* parent, const char* formName, int y, TspSkinData* skin);

// The "Phone Number" row: a mask edit for "(999)000-0000" with its literals kept in the text,
// at most 13 characters.
TspSkinMaskEdit* NewPhoneRow(QWidget* parent, const char* labelName, const char* fieldName, int y,
                             TspSkinData* skin);
