#include "app/employee_page.h"

#include "app/error_codes.h"
#include "app/field_rows.h"
#include "app/form_builder.h"
#include "app/main_form.h"
#include "skin/controls/button.h"
#include "skin/controls/check_radio_box.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/date_edit.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/radio_group.h"

namespace {
constexpr int kPanelWidth = 377;
constexpr int kPanelHeight = 305;
// The rows below the panel's caption "Add A Pet", then the sex, the check box and "Add".
constexpr int kFirstRow = 34;
constexpr int kRowStep = 27;
constexpr int kSexTop = 196;
constexpr int kSexHeight = 44;
constexpr int kAdoptTop = 244;
constexpr int kAddTop = 272;

constexpr int Row(int index) {
  return kFirstRow + index * kRowStep;
}
} // namespace

TEmployeePage::TEmployeePage(TfrmMain& form, TspSkinTabSheet* sheet) : FForm(form) {
  TspSkinData* skin = form.spSkinForm;
  lblEmployeeHeader =
      AddPageHeader(sheet, "lblEmployeeHeader", QStringLiteral("Employee Functions"), skin);
  pnlEmployeeAdd =
      NewControl<TspSkinPanel>(sheet, "pnlEmployeeAdd", {0, 0, kPanelWidth, kPanelHeight}, skin);
  pnlEmployeeAdd->SetCaptionMode(true);
  pnlEmployeeAdd->SetCaption(QStringLiteral("Add A Pet"));
  KeepCentred(pnlEmployeeAdd);
  QWidget* panel = pnlEmployeeAdd;

  edtAddName = NewFieldRow<TspSkinEdit>(panel, "lblAddName", QStringLiteral("Name"), "edtAddName",
                                        Row(0), skin, QStringLiteral("Pet Name"));
  cbxAddType = NewFieldRow<TspSkinComboBox>(panel, "lblAddType", QStringLiteral("Type"),
                                            "cbxAddType", Row(1), skin, QStringLiteral("Pet Type"));
  cbxAddType->SetStyle(TspComboBoxStyle::spcbFixedStyle);
  cbxAddType->SetItems({QStringLiteral("Cat"), QStringLiteral("Dog"), QStringLiteral("Rabbit"),
                        QStringLiteral("Snake"), QStringLiteral("Scorpion")});
  edtAddColour = NewFieldRow<TspSkinEdit>(panel, "lblAddColour", QStringLiteral("Colour"),
                                          "edtAddColour", Row(2), skin);
  edtAddBreed = NewFieldRow<TspSkinEdit>(panel, "lblAddBreed", QStringLiteral("Breed"),
                                         "edtAddBreed", Row(3), skin);
  // The date edit brings the mask "!9999/99/99;1; " (year, month, day) and 10 characters.
  edtAddCheckIn = NewFieldRow<TspSkinDateEdit>(
      panel, "lblAddCheckIn", QStringLiteral("Check In Date"), "edtAddCheckIn", Row(4), skin);
  edtAddKennel = NewFieldRow<TspSkinEdit>(panel, "lblAddKennel", QStringLiteral("Kennel ID"),
                                          "edtAddKennel", Row(5), skin);

  rgpAddSex = NewControl<TspSkinRadioGroup>(
      panel, "rgpAddSex", {kRowFieldLeft, kSexTop, kRowFieldWidth, kSexHeight}, skin);
  rgpAddSex->SetCaption(QStringLiteral("Sex"));
  rgpAddSex->SetColumns(2);
  rgpAddSex->SetItems({QStringLiteral("Male"), QStringLiteral("Female")});
  rgpAddSex->SetItemIndex(0);
  cbxEmployeeAdopt = NewControl<TspSkinCheckRadioBox>(
      panel, "cbxEmployeeAdopt", {kRowFieldLeft, kAdoptTop, kRowFieldWidth, 22}, skin);
  cbxEmployeeAdopt->SetCaption(QStringLiteral("Up For Adoption"));

  btnEmployeeAdd = NewControl<TspSkinButton>(panel, "btnEmployeeAdd",
                                             {kRowFieldLeft, kAddTop, kRowFieldWidth, 25}, skin);
  btnEmployeeAdd->SetCaption(QStringLiteral("Add"));
  btnEmployeeAdd->setToolTip(QStringLiteral("Add Pet To Database"));
  btnEmployeeAdd->OnClick = [this](QObject*) { btnEmployeeAddClick(); };
}

void TEmployeePage::btnEmployeeAddClick() {
  // 1.
  if (!FForm.DatabaseFound) {
    FForm.ShowError(ErrorCodes::DatabaseNotFound);
    return;
  }
  // 2. In the form's order; a check-in text that forms no date (empty, month 13...) counts
  // as missing.
  const bool filled = !edtAddName->Text().isEmpty() && !cbxAddType->Text().isEmpty() &&
                      !edtAddColour->Text().isEmpty() && !edtAddBreed->Text().isEmpty() &&
                      edtAddCheckIn->IsValidDate() && !edtAddKennel->Text().isEmpty();
  if (!filled) {
    FForm.ShowError(ErrorCodes::NoTextInAddFields);
    edtAddName->setFocus(Qt::OtherFocusReason);
    return;
  }
  // 3. The kennel ID is text: leading zeros stay.
  TTableCursor& animals = FForm.ADOUsers;
  FForm.OpenTable(animals, QStringLiteral("Animals"));
  animals.Append();
  animals.SetField(QStringLiteral("AnimalName"), edtAddName->Text());
  animals.SetField(QStringLiteral("Type"), cbxAddType->Text());
  animals.SetField(QStringLiteral("Colour"), edtAddColour->Text());
  animals.SetField(QStringLiteral("Breed"), edtAddBreed->Text());
  const int sex = rgpAddSex->ItemIndex();
  animals.SetField(QStringLiteral("Sex"), sex >= 0 ? rgpAddSex->Items().at(sex) : QString());
  animals.SetField(QStringLiteral("CheckIn"), edtAddCheckIn->Date());
  animals.SetField(QStringLiteral("Adopt"), cbxEmployeeAdopt->Checked());
  animals.SetField(QStringLiteral("KennelID"), edtAddKennel->Text());
  animals.Post();
  // 4. and 5.
  FForm.LogMessage(QStringLiteral("Added successfully!"));
  FForm.pctMain->SetActivePage(FForm.tbsProfile);
}
