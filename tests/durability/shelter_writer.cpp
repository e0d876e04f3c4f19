// shelter_writer register|animals PREFIX: in the current working directory, registers
// accounts or (logged in as the staff account) adds animals through the application's own
// pages and widgets, numbered from 0, without end. Prints "stored N" once row N is in the
// database; a refusal or an error ends it with status 3. The durability tests kill it at
// random moments and then check the database.

#include "durability/shelter_rows.h"

#include "app/employee_page.h"
#include "app/error_banner.h"
#include "app/login_page.h"
#include "app/main_form.h"
#include "app/register_page.h"
#include "app/vorns_application.h"
#include "skin/controls/button.h"
#include "skin/controls/check_radio_box.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/date_edit.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/mask_edit.h"
#include "skin/controls/page_control.h"
#include "skin/controls/password_edit.h"
#include "skin/controls/radio_group.h"

#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fail(const QString& message) {
  std::fprintf(stderr, "shelter_writer: %s\n", qPrintable(message));
  std::fflush(stderr);
  std::_Exit(3);
}

QWidget* Typing(QWidget* field) {
  return field->focusProxy() ? field->focusProxy() : field;
}

void Type(QWidget* field, const QString& text) {
  QWidget* typing = Typing(field);
  typing->setFocus(Qt::MouseFocusReason);
  QTest::keyClicks(typing, text);
}

// Everything selected, then deleted, as a user empties a field.
void Clear(QWidget* field) {
  QWidget* typing = Typing(field);
  typing->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(typing, Qt::Key_Home);
  QTest::keyClick(typing, Qt::Key_End, Qt::ShiftModifier);
  QTest::keyClick(typing, Qt::Key_Delete);
}

// A mask edit fills from the caret: typed from the front.
void TypeFromFront(QWidget* field, const QString& text) {
  Clear(field);
  QTest::keyClick(Typing(field), Qt::Key_Home);
  QTest::keyClicks(Typing(field), text);
}

void Click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton);
}

void Stored(int i) {
  std::printf("stored %d\n", i);
  std::fflush(stdout);
}

void ExpectNoError(TfrmMain& form, const QString& step) {
  const QString code = form.ErrorBanner().lblErrorCode->Caption();
  if (!code.isEmpty()) Fail(step + ": error " + code);
}

void Register(TfrmMain& form, const QString& prefix, int i) {
  const TWrittenUser user = WrittenUser(prefix, i);
  Click(form.LoginPage().btnLRegister);
  if (form.pctMain->ActivePage() != form.tbsRegister) Fail("the Register page did not open");
  TRegisterPage& page = form.RegisterPage();
  Type(page.edtRegisterUsername, user.Username);
  Type(page.edtRegisterPassword, user.Password);
  Type(page.edtRegisterVerify, user.Password);
  Type(page.edtRegisterName, user.FullName);
  Type(page.edtRegisterEmail, user.Email);
  TypeFromFront(page.edtRegisterPhone, user.PhoneDigits);
  Type(page.edtRegisterAddress, user.Address);
  Click(page.btnRegFinal);
  ExpectNoError(form, "registration " + user.Username);
  if (form.pctMain->ActivePage() != form.tbsLogIn) Fail("not back on Log In after registering");
}

void OpenEmployeePage(TfrmMain& form) {
  TspSkinPageControl* pages = form.pctMain;
  QTest::mouseClick(pages, Qt::LeftButton, {},
                    pages->TabRect(form.tbsEmployee->TabIndex()).center());
  if (pages->ActivePage() != form.tbsEmployee) Fail("the Employee page did not open");
}

void AddAnimal(TfrmMain& form, const QString& prefix, int i) {
  const TWrittenAnimal animal = WrittenAnimal(prefix, i);
  OpenEmployeePage(form);
  TEmployeePage& page = form.EmployeePage();
  Clear(page.edtAddName);
  Type(page.edtAddName, animal.AnimalName);
  // Arrow keys: typed letters would join the previous row's into one search.
  page.cbxAddType->setFocus();
  QTest::keyClick(page.cbxAddType, Qt::Key_PageUp);
  for (int k = 0; k < animal.TypeIndex; ++k) QTest::keyClick(page.cbxAddType, Qt::Key_Down);
  Clear(page.edtAddColour);
  Type(page.edtAddColour, animal.Colour);
  Clear(page.edtAddBreed);
  Type(page.edtAddBreed, animal.Breed);
  TypeFromFront(page.edtAddCheckIn, animal.CheckIn.toString(QStringLiteral("yyyyMMdd")));
  Clear(page.edtAddKennel);
  Type(page.edtAddKennel, animal.KennelID);
  Click(page.rgpAddSex->Button(animal.SexIndex));
  if (page.cbxEmployeeAdopt->Checked() != animal.Adopt) Click(page.cbxEmployeeAdopt);
  Click(page.btnEmployeeAdd);
  ExpectNoError(form, "animal " + animal.AnimalName);
  if (form.pctMain->ActivePage() != form.tbsProfile) Fail("not on Profile after adding");
}

void LogIn(TfrmMain& form) {
  TLoginPage& login = form.LoginPage();
  Type(login.edtLLogin, QString::fromLatin1(kStaffName));
  Type(login.edtLPassword, QString::fromLatin1(kStaffPassword));
  QTest::keyClick(Typing(login.edtLPassword), Qt::Key_Return);
  ExpectNoError(form, "log in");
}

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir runtimeDir;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
  TVornsApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  const bool animals = args.size() == 3 && args[1] == QLatin1String("animals");
  if (args.size() != 3 || (!animals && args[1] != QLatin1String("register"))) {
    std::fputs("Usage: shelter_writer register|animals PREFIX\n", stderr);
    return 2;
  }
  const QString prefix = args[2];
  TVornsApplication::SetReporter([](const QString& message) { Fail(message); });

  TfrmMainServices services;
  services.IsConnected = [] { return true; };
  services.OpenUrl = [](const QString&) {};
  TfrmMain form(services);
  form.show();
  QApplication::setActiveWindow(&form);
  if (!QTest::qWaitForWindowActive(&form)) Fail("the window did not become active");
  if (!form.DatabaseFound) Fail("no database in the working directory");

  if (animals) LogIn(form);
  for (int i = 0;; ++i) {
    if (animals)
      AddAnimal(form, prefix, i);
    else
      Register(form, prefix, i);
    Stored(i);
  }
}
