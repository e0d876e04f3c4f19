#include "app/animal_page.h"

#include "app/adoption_receipt.h"
#include "app/app_fonts.h"
#include "app/browse_page.h"
#include "app/error_codes.h"
#include "app/form_builder.h"
#include "app/image_control.h"
#include "app/key_up_watcher.h"
#include "app/main_form.h"
#include "app/picture_files.h"
#include "app/processing_overlay.h"
#include "skin/controls/button.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/wave_label.h"
#include "store/field_text.h"

namespace {
const QString kAnimals = QStringLiteral("Animals");

// The columns of the page's panel.
constexpr int kLeft = 8;
constexpr int kLeftWidth = 180;
constexpr int kRight = 196;
constexpr int kRightWidth = 189;

// The answer with a to z made capitals and nothing else changed: a blank around the letters
// keeps it from matching.
QString CapitalsAToZ(const QString& text) {
  QString capitals = text;
  for (QChar& c : capitals)
    if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - (u'a' - u'A'));
  return capitals;
}
} // namespace

TAnimalPage::TAnimalPage(TfrmMain& form, TspSkinTabSheet* sheet)
    : FForm(form), FOverlay(std::make_unique<TProcessingOverlay>(form)) {
  TspSkinData* skin = form.spSkinForm;
  lblAnimalHeader = AddPageHeader(sheet, "lblAnimalHeader", QStringLiteral("Details"), skin);
  pnlAnimalAlign = NewControl<TspSkinPanel>(sheet, "pnlAnimalAlign", {0, 0, 393, 321}, skin);
  KeepCentred(pnlAnimalAlign);
  QWidget* panel = pnlAnimalAlign;

  lblAnimalName =
      NewLabel(panel, "lblAnimalName", {kLeft, 6, 377, 30}, skin, {}, AppFont(kSegoeUI, 20, true));
  lblAnimalName->SetAlignment(TspAlignment::taCenter);
  lblAnimalName->SetLayout(TspTextLayout::tlCenter);

  // The left column: the details and the way back.
  lblAnimalDetails = new TspSkinTextLabel(panel);
  lblAnimalDetails->SetAutoSize(false);
  lblAnimalDetails->SetWordWrap(true);
  PlaceControl(lblAnimalDetails, "lblAnimalDetails", {kLeft, 44, kLeftWidth, 236}, skin);
  btnAnimalsBack =
      NewControl<TspSkinButton>(panel, "btnAnimalsBack", {kLeft, 288, kLeftWidth, 25}, skin);
  btnAnimalsBack->SetCaption(QStringLiteral("Back"));

  // The right column: the picture and the CAPTCHA.
  imgAnimalsAdopt =
      NewControl<TImage>(panel, "imgAnimalsAdopt", {kRight, 44, kRightWidth, 90}, skin);
  imgAnimalsAdopt->SetCenter(true);
  imgAnimalsAdopt->SetProportional(true);
  imgAnimalsAdopt->SetStretch(true);
  lblAnimalQuestion = NewLabel(panel, "lblAnimalQuestion", {kRight, 138, kRightWidth, 18}, skin,
                               QStringLiteral("Prove You Are Not A Computer:"));
  lblAnimalCAPTCHA =
      NewControl<TspSkinWaveLabel>(panel, "lblAnimalCAPTCHA", {kRight, 158, 129, 40}, skin);
  lblAnimalCAPTCHA->SetCaption(QStringLiteral("CAPTCHA"));
  lblAnimalCAPTCHA->SetXDiv(20);
  lblAnimalCAPTCHA->SetYDiv(15);
  lblAnimalCAPTCHA->SetRatioVal(10);
  btnAnimalsReload = NewControl<TspSkinButton>(panel, "btnAnimalsReload",
                                               {kRight + 133, 165, kRightWidth - 133, 25}, skin);
  btnAnimalsReload->SetCaption(QStringLiteral("Reload"));
  lblAnimalInstructions = NewLabel(panel, "lblAnimalInstructions", {kRight, 204, kRightWidth, 18},
                                   skin, QStringLiteral("Type The Letters Below"));
  edtAnimalValidate =
      NewControl<TspSkinEdit>(panel, "edtAnimalValidate", {kRight, 226, kRightWidth, 21}, skin);
  btnAnimalAdopt =
      NewControl<TspSkinButton>(panel, "btnAnimalAdopt", {kRight, 288, kRightWidth, 25}, skin);
  btnAnimalAdopt->SetCaption(QStringLiteral("Adopt"));

  btnAnimalsReload->OnClick = [this](QObject*) { btnAnimalsReloadClick(); };
  btnAnimalAdopt->OnClick = [this](QObject*) { btnAnimalAdoptClick(); };
  btnAnimalsBack->OnClick = [this](QObject*) { btnAnimalsBackClick(); };
  WatchKeyUp(edtAnimalValidate->Editor(), [this](int key) { edtAnimalValidateKeyUp(key); });
}

TAnimalPage::~TAnimalPage() = default;

void TAnimalPage::Open() {
  const TTableCursor& cursor = FForm.ADOUsers;
  FAnimal = {
      cursor.FieldByName(QStringLiteral("ID")), cursor.FieldByName(QStringLiteral("AnimalName")),
      cursor.FieldByName(QStringLiteral("Type")), cursor.FieldByName(QStringLiteral("KennelID")),
      cursor.FieldByName(QStringLiteral("Adopt"))};
  // 1.
  FForm.tbsAnimal->SetTabVisible(true);
  const QString name = FieldAsString(FAnimal.AnimalName);
  FForm.tbsAnimal->SetCaption(name);
  lblAnimalName->SetCaption(name);
  // 2.
  FForm.pctMain->SetActivePage(FForm.tbsAnimal);
  // 3.
  btnAnimalsReloadClick();
  edtAnimalValidate->SetText({});
  // 4.
  lblAnimalDetails->SetLines({});
  AddAnimalDetailLines(*lblAnimalDetails, cursor);
  AddDetailLine(*lblAnimalDetails, QStringLiteral("Kennel: \t") + FieldAsString(FAnimal.KennelID));
  AddDetailLine(*lblAnimalDetails, FieldAsBoolean(FAnimal.Adopt) ? QStringLiteral("Adopt: \tYes")
                                                                 : QStringLiteral("Adopt: \tNo"));
  // 5. The animal's own picture, else its kind's. Without either the image is emptied: the
  // picture of the animal shown before is not this one's.
  QString picture = PictureFile(name + FieldAsString(FAnimal.ID));
  if (picture.isEmpty()) picture = PictureFile(FieldAsString(FAnimal.Type));
  imgAnimalsAdopt->setVisible(true);
  if (picture.isEmpty()) {
    imgAnimalsAdopt->SetPicture({});
    FForm.ShowError(ErrorCodes::ImageNotFound);
  } else {
    imgAnimalsAdopt->LoadFromFile(picture);
  }
}

void TAnimalPage::btnAnimalsReloadClick() {
  // The draws in a fixed order, each from its own range.
  QRandomGenerator& random = FForm.Random;
  QString letters;
  for (int i = 0; i < 6; ++i) letters += QChar(u'A' + random.bounded(26));
  const bool positive = random.bounded(2) == 1;
  const int size = 15 + random.bounded(10);
  lblAnimalCAPTCHA->SetXDiv(positive ? size : -size);
  const bool strikeOut = random.bounded(2) == 1;
  QFont font = lblAnimalCAPTCHA->Font();
  font.setBold(!strikeOut);
  font.setStrikeOut(strikeOut);
  lblAnimalCAPTCHA->SetFont(font);
  lblAnimalCAPTCHA->SetCaption(letters);
  lblAnimalCAPTCHA->SetYDiv(15 + random.bounded(5));
  lblAnimalCAPTCHA->SetRatioVal(10 + random.bounded(5));
  edtAnimalValidate->setFocus(Qt::OtherFocusReason);
}

void TAnimalPage::btnAnimalAdoptClick() {
  // 1.
  if (!FieldAsBoolean(FAnimal.Adopt)) {
    FForm.ShowError(ErrorCodes::CanNotAdopt);
    return;
  }
  // 2.
  if (CapitalsAToZ(edtAnimalValidate->Text()) != lblAnimalCAPTCHA->Caption()) {
    FForm.ShowError(ErrorCodes::CaptchaIncorrect);
    btnAnimalsReloadClick();
    edtAnimalValidate->SetText({});
    edtAnimalValidate->setFocus(Qt::OtherFocusReason);
    return;
  }
  // 3.
  FForm.LogMessage(QStringLiteral("CAPTCHA Correct"));
  // 4. An account deleted since the login has no row to stand for it: nothing is adopted.
  TTableCursor& cursor = FForm.ADOUsers;
  if (!FForm.LocateCurrentUser()) {
    FForm.OpenTable(cursor, kAnimals);
    return;
  }
  FForm.CurrentUser = FieldAsString(cursor.FieldByName(QStringLiteral("Username")));
  const QString userID = FieldAsString(cursor.FieldByName(QStringLiteral("ID")));
  const QString phone = FieldAsString(cursor.FieldByName(QStringLiteral("Phone")));
  // 5.
  FForm.OpenTable(cursor, kAnimals);
  // 6.
  FOverlay->Show();
  // 7.
  TReceiptServices services;
  services.Now = [this] { return FForm.Now(); };
  services.Open = [this](const QUrl& url) { FForm.OpenUrl(url.toString(QUrl::FullyEncoded)); };
  const bool written =
      CreateAdoptionReceipt(FForm.CurrentUser, userID, phone, FieldAsString(FAnimal.AnimalName),
                            FieldAsString(FAnimal.ID), FieldAsString(FAnimal.KennelID), services);
  // 8.
  if (written)
    FForm.pctMain->SetActivePage(FForm.tbsProfile);
  else
    FForm.ShowError(ErrorCodes::DidNotCreateOutput);
}

void TAnimalPage::edtAnimalValidateKeyUp(int key) {
  if (key == kEnterKey) btnAnimalAdoptClick();
}

void TAnimalPage::btnAnimalsBackClick() {
  edtAnimalValidate->SetText({});
  FForm.pctMain->SetActivePage(FForm.tbsAdopt);
}
