// The whole way of a visitor on the demo working directory, with real input on the real
// window: registering, logging in as the new member, editing the profile, searching by kind
// and by name, adopting an animal behind the CAPTCHA, and the receipt the browser would be
// handed, rendered by Chromium with a QR code that reads the animal's ID and "hello".
#include "browser_fixture.h"

#include "app/animal_page.h"
#include "app/browse_page.h"
#include "app/edit_page.h"
#include "app/login_page.h"
#include "app/main_form.h"
#include "app/profile_page.h"
#include "app/register_page.h"
#include "skin/controls/button.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/list_box.h"
#include "skin/controls/mask_edit.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/password_edit.h"
#include "skin/controls/wave_label.h"

#include <QApplication>
#include <QFileInfo>
#include <QTest>

namespace {

// The widget that takes a field's keys: a text edit's inner line edit, or the field.
QWidget* Typing(QWidget* field) {
  return field->focusProxy() ? field->focusProxy() : field;
}

void Type(QWidget* field, const QString& text) {
  Typing(field)->setFocus(Qt::MouseFocusReason);
  QTest::keyClicks(Typing(field), text);
}

// Everything selected, then deleted, as a user empties a field.
void Clear(QWidget* field) {
  QWidget* typing = Typing(field);
  typing->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(typing, Qt::Key_Home);
  QTest::keyClick(typing, Qt::Key_End, Qt::ShiftModifier);
  QTest::keyClick(typing, Qt::Key_Delete);
}

void Click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton);
}

// Picks the first item starting with `key` in a drop-down list, as typing its letter does.
void Pick(TspSkinComboBox* list, char key) {
  list->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(list, key);
}

class VisitorFlowTest : public TBrowserTest {};

TEST_F(VisitorFlowTest, RegisterLogInEditSearchAdoptAndTheReceiptReadsTheAnimal) {
  QStringList opened;
  TfrmMainServices services;
  services.IsConnected = [] { return true; };
  services.OpenUrl = [&opened](const QString& url) { opened << url; };
  TfrmMain form(services);
  form.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  TspSkinPageControl& pages = *form.pctMain;

  // A visitor registers; the phone field is left as it is.
  Click(form.LoginPage().btnLRegister);
  ASSERT_EQ(pages.ActivePage(), form.tbsRegister);
  TRegisterPage& reg = form.RegisterPage();
  Type(reg.edtRegisterUsername, "newbie");
  Type(reg.edtRegisterPassword, "Secret77");
  Type(reg.edtRegisterVerify, "Secret77");
  Type(reg.edtRegisterName, "New Bie");
  Type(reg.edtRegisterEmail, "new@bie.org");
  Type(reg.edtRegisterAddress, "1 Kennel Row");
  Click(reg.btnRegFinal);
  ASSERT_EQ(pages.ActivePage(), form.tbsLogIn);

  // ... and logs in as the new member.
  TLoginPage& login = form.LoginPage();
  EXPECT_EQ(login.edtLLogin->Text(), "newbie");
  Clear(login.edtLPassword);
  Type(login.edtLPassword, "Secret77");
  QTest::keyClick(Typing(login.edtLPassword), Qt::Key_Return);
  ASSERT_EQ(pages.ActivePage(), form.tbsProfile);
  TProfilePage& profile = form.ProfilePage();
  EXPECT_EQ(profile.lblProfileName->Caption(), "New Bie");

  // The profile is edited.
  Click(profile.btnProfileEdit);
  ASSERT_EQ(pages.ActivePage(), form.tbsEdit);
  TEditPage& edit = form.EditPage();
  Clear(edit.edtEditFullName);
  Type(edit.edtEditFullName, "Newton Bie");
  Click(edit.btnEditApply);
  ASSERT_EQ(pages.ActivePage(), form.tbsProfile);
  EXPECT_EQ(profile.lblProfileName->Caption(), "Newton Bie");

  // Searching by kind lists the demo's sixteen dogs; by name, among the dogs, one of them.
  Click(profile.btnProfileAdopt);
  ASSERT_EQ(pages.ActivePage(), form.tbsAdopt);
  TBrowsePage& browse = form.BrowsePage();
  Pick(browse.cbxBrowseSearch, 'D');
  ASSERT_EQ(browse.cbxBrowseSearch->Text(), "Dog");
  Click(browse.btnBrowseSearch);
  const QStringList dogs = browse.lbxBrowseResults->Items();
  ASSERT_EQ(dogs.size(), 16);
  Pick(browse.cbxBrowseField, 'A');
  ASSERT_EQ(browse.cbxBrowseField->Text(), "AnimalName");
  Type(browse.edtBrowseSearch, dogs[3].toLower());
  QTest::keyClick(Typing(browse.edtBrowseSearch), Qt::Key_Return);
  const QStringList found = browse.lbxBrowseResults->Items();
  ASSERT_FALSE(found.isEmpty());
  EXPECT_EQ(found, QStringList(found.size(), dogs[3]));

  // The first dog up for adoption is opened from the list of all dogs.
  Clear(browse.edtBrowseSearch);
  Click(browse.btnBrowseSearch);
  TspListBox* list = browse.lbxBrowseResults->ListBox();
  for (int i = 0; i < int(dogs.size()); ++i) {
    list->MakeVisible(i);
    QTest::mouseClick(list, Qt::LeftButton, {}, list->ItemRect(i).center());
    if (browse.btnBrowseAdopt->isVisibleTo(browse.pnlBrowseResults)) break;
  }
  ASSERT_TRUE(browse.btnBrowseAdopt->isVisibleTo(browse.pnlBrowseResults))
      << "no dog of the demo is up for adoption";
  Click(browse.btnBrowseAdopt);
  ASSERT_EQ(pages.ActivePage(), form.tbsAnimal);

  // The CAPTCHA's letters, typed in small letters, and Enter adopt.
  TAnimalPage& animal = form.AnimalPage();
  const QString id = animal.lblAnimalDetails->Lines().value(0).section(QLatin1Char('\t'), 1);
  ASSERT_FALSE(id.isEmpty());
  Type(animal.edtAnimalValidate, animal.lblAnimalCAPTCHA->Caption().toLower());
  QTest::keyClick(Typing(animal.edtAnimalValidate), Qt::Key_Return);
  ASSERT_EQ(pages.ActivePage(), form.tbsProfile);
  ASSERT_EQ(opened.size(), 1);
  const QUrl receipt(opened[0]);
  ASSERT_TRUE(receipt.isLocalFile());
  EXPECT_EQ(QFileInfo(receipt.toLocalFile()).fileName(), "newbie.html");

  EXPECT_EQ(ReadQrCode(receipt), (id + QStringLiteral("hello\n")).toLatin1());
}

} // namespace
