#pragma once
// The date field: a button edit with a date mask. Its button will open the pop-up
// calendar (a later part); here it reads and writes the date its text forms.

#include "skin/controls/edit.h"

#include <QDate>

class TspSkinDateEdit : public TspSkinCustomEdit {
public:
  // Record "buttonedit", a button at the right, the mask "!9999/99/99;1; " (year, month,
  // day) and at most 10 characters.
  explicit TspSkinDateEdit(QWidget* parent = nullptr);

  using TspSkinCustomEdit::EditMask;
  using TspSkinCustomEdit::EditText;
  using TspSkinCustomEdit::IsValidEdit;
  using TspSkinCustomEdit::Modified;
  using TspSkinCustomEdit::SetEditMask;
  using TspSkinCustomEdit::SetEditText;

  // The date the text forms: three numbers parted by separators, in the field's order
  // (year first when the mask's first part holds four digits, else the locale's short-date
  // order); a year of one or two digits lies within 50 years of today. Null when the text
  // forms no date (empty, incomplete, month 13...).
  QDate Date() const;
  // Writes the date into the text in the field's order, zero-padded; a null date empties it.
  void SetDate(const QDate& value);
  // The field's own validity test.
  bool IsValidDate() const { return Date().isValid(); }
  // When set, the text becomes today's date.
  bool TodayDefault() const { return FTodayDefault; }
  void SetTodayDefault(bool value);

private:
  enum class TOrder { YMD, DMY, MDY };
  TOrder Order() const;
  QChar Separator() const;
  bool FTodayDefault = false;
};
