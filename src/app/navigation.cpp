// Screen navigation: the tab groups of the roles and the rules that run when the user
// selects another page.
#include "app/admin_page.h"
#include "app/browse_page.h"
#include "app/error_codes.h"
#include "app/main_form.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/page_control.h"

void TfrmMain::ShowTabs(const QString& group) {
  for (int i = 0; i < pctMain->PageCount(); ++i) pctMain->Pages(i)->SetTabVisible(false);
  // With no current page left, the first tab made visible again becomes current.
  const bool role = group == QLatin1String("Admin") || group == QLatin1String("User") ||
                    group == QLatin1String("Employee");
  if (role) {
    tbsProfile->SetTabVisible(true);
    if (group != QLatin1String("User")) tbsEmployee->SetTabVisible(true);
    tbsAdopt->SetTabVisible(true);
    if (group == QLatin1String("Admin")) tbsAdmin->SetTabVisible(true);
  } else if (group == QLatin1String("Login")) {
    tbsLogIn->SetTabVisible(true);
  } else if (group == QLatin1String("Register")) {
    tbsRegister->SetTabVisible(true);
  } else {
    ShowError(ErrorCodes::IncorrectParameter);
  }
  tbsConfig->SetTabVisible(true);
  tbsConsole->SetTabVisible(true);
}

void TfrmMain::pctMainChanging() {
  if (pctMain->ActivePage() == tbsAnimal) tbsAnimal->SetTabVisible(false);
}

void TfrmMain::pctMainChange() {
  TspSkinTabSheet* page = pctMain->ActivePage();
  // Without a database there is no table to switch to or to list: the tabs that remain
  // (Log In, Register, Configuration, Console) change pages and nothing more.
  if (!DatabaseFound) return;
  TAdminPage& admin = AdminPage();
  // The Browse tab always reopens Animals, also after a failed open left the cursor closed,
  // so that selecting it again is the way back to a working list.
  if (page == tbsAdopt) {
    OpenTable(ADOUsers, QStringLiteral("Animals"));
    // Reopening dropped the Admin page's sort. Its direction goes back to ascending (quietly)
    // so that the refill below, which sorts by the first field (the key), keeps the natural
    // order instead of reversing it with a "DESC" left from before.
    admin.cbxAdminDBType->SetText(QStringLiteral("ASC"));
  }
  if (!ADOUsers.Active()) return;
  FillFieldList(*admin.cbxAdminDBField, ADOUsers);
  if (page == tbsAdmin)
    admin.cbxAdminDB->SetItemIndex(ADOUsers.TableName() == QLatin1String("Users") ? 0 : 1);
}
