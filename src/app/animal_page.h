#pragma once
// The animal page, its tab captioned with the animal's name: the details and picture of the
// animal chosen on the Browse page and its adoption, confirmed by a CAPTCHA (six random
// capitals drawn as a wave). A confirmed adoption writes the receipt and opens it in the
// browser; the database is not changed.

#include <QVariant>
#include <memory>

class TfrmMain;
class TImage;
class TProcessingOverlay;
class TspSkinButton;
class TspSkinEdit;
class TspSkinPanel;
class TspSkinStdLabel;
class TspSkinTabSheet;
class TspSkinTextLabel;
class TspSkinWaveLabel;

// The values of the shown animal, taken from its row when the page opens.
struct TShownAnimal {
  QVariant ID;
  QVariant AnimalName;
  QVariant Type;
  QVariant KennelID;
  QVariant Adopt;
};

class TAnimalPage {
public:
  TAnimalPage(TfrmMain& form, TspSkinTabSheet* sheet);
  ~TAnimalPage();

  // Opens the page for the cursor's current row (the Browse page's "Adopt").
  void Open();
  const TShownAnimal& ShownAnimal() const { return FAnimal; }

  // Draws a new CAPTCHA.
  void btnAnimalsReloadClick();
  void btnAnimalAdoptClick();
  // Key release in the answer: Enter (key code 13) adopts.
  void edtAnimalValidateKeyUp(int key);
  void btnAnimalsBackClick();

  TspSkinStdLabel* lblAnimalHeader = nullptr;
  TspSkinPanel* pnlAnimalAlign = nullptr;
  TspSkinStdLabel* lblAnimalName = nullptr;
  TspSkinTextLabel* lblAnimalDetails = nullptr;
  TImage* imgAnimalsAdopt = nullptr;
  TspSkinStdLabel* lblAnimalQuestion = nullptr;
  TspSkinWaveLabel* lblAnimalCAPTCHA = nullptr;
  TspSkinButton* btnAnimalsReload = nullptr;
  TspSkinStdLabel* lblAnimalInstructions = nullptr;
  TspSkinEdit* edtAnimalValidate = nullptr;
  TspSkinButton* btnAnimalAdopt = nullptr;
  TspSkinButton* btnAnimalsBack = nullptr;

private:
  TfrmMain& FForm;
  // The page's animal throughout: the cursor moves on (the adoption itself switches to
  // Users and back), so nothing here is read from it after the opening.
  TShownAnimal FAnimal;
  std::unique_ptr<TProcessingOverlay> FOverlay;
};
