#include "app/employee_page.h"

#include "app/form_builder.h"
#include "app/main_form.h"

TEmployeePage::TEmployeePage(TfrmMain& form, TspSkinTabSheet* sheet) {
  lblEmployeeHeader =
      AddPageHeader(sheet, "lblEmployeeHeader", QStringLiteral("Add Animal"), form.spSkinForm);
}
