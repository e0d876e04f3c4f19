#pragma once
// The masked text field of the phone numbers.

#include "skin/controls/edit.h"

// A text field with an edit mask (mask_engine.h), such as "(999\)000-0000;1;_" for phone
// numbers. Leaving it changed but incomplete is refused: the focus stays and
// OnValidateError runs; Esc restores the text it had when it gained the focus.
class TspSkinMaskEdit : public TspSkinEdit {
public:
  explicit TspSkinMaskEdit(QWidget* parent = nullptr) : TspSkinEdit(parent) {}
  using TspSkinCustomEdit::EditMask;
  using TspSkinCustomEdit::EditText;
  using TspSkinCustomEdit::IsValidEdit;
  using TspSkinCustomEdit::Modified;
  using TspSkinCustomEdit::SetEditMask;
  using TspSkinCustomEdit::SetEditText;
};
