#include "app/field_rows.h"

#include "app/email_rule.h"
#include "app/shape.h"
#include "skin/controls/label.h"
#include "skin/controls/mask_edit.h"

namespace {
constexpr int kLabelLeft = 8;
constexpr int kLabelGap = 6;
constexpr int kIndicatorGap = 4;
} // namespace

TspSkinStdLabel* NewRowLabel(QWidget* parent, const char* formName, const QString& caption, int y,
                             TspSkinData* skin) {
  auto* label = NewLabel(parent, formName,
                         {kLabelLeft, y, kRowFieldLeft - kLabelGap - kLabelLeft, kRowFieldHeight},
                         skin, caption);
  label->SetAlignment(TspAlignment::taRightJustify);
  label->SetLayout(TspTextLayout::tlCenter);
  return label;
}

TShape* NewEmailIndicator(QWidget* parent, const char* formName, int y, TspSkinData* skin) {
  auto* indicator = NewControl<TShape>(
      parent, formName, {kRowFieldLeft + kRowFieldWidth + kIndicatorGap, y + 1, 17, 19}, skin);
  indicator->SetBrushColor(kEmailIndicatorEmpty);
  indicator->SetPenColor(kEmailIndicatorEmpty);
  return indicator;
}

TspSkinMaskEdit* NewPhoneRow(QWidget* parent, const char* labelName, const char* fieldName, int y,
                             TspSkinData* skin) {
  auto* phone =
      NewFieldRow<TspSkinMaskEdit>(parent, labelName, QStringLiteral("Phone Number"), fieldName, y,
                                   skin, QStringLiteral("Phone Number (Use a zero)"));
  phone->SetEditMask(QStringLiteral("(999\\)000-0000;1;_"));
  phone->SetMaxLength(13);
  return phone;
}
