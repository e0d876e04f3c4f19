#include "app/animal_page.h"

#include "app/form_builder.h"
#include "app/main_form.h"

TAnimalPage::TAnimalPage(TfrmMain& form, TspSkinTabSheet* sheet) {
  lblAnimalHeader =
      AddPageHeader(sheet, "lblAnimalHeader", QStringLiteral("Animal"), form.spSkinForm);
}
