#pragma once
// The Browse page: finding animals. A search compares one chosen field of every animal with
// the search text (whole value, case-blind over A to Z) and filters by kind; the names found
// fill the results list, and selecting one shows its details, its kind's picture and, when
// it is up for adoption, the way to the animal page.

#include <QString>
#include <QVariant>

class TfrmMain;
class TImage;
class TTableCursor;
class TspSkinButton;
class TspSkinComboBox;
class TspSkinEdit;
class TspSkinListBox;
class TspSkinPanel;
class TspSkinStdLabel;
class TspSkinTabSheet;
class TspSkinTextLabel;

// Whether `value` equals `lowered` (already in small letters) once its capitals A to Z are
// small: the search's and the CAPTCHA's comparison, which folds no other letters.
bool EqualsFoldingAToZ(const QString& value, const QString& lowered);

// Appends the six detail lines of the cursor's current animal (ID, name, kind, colour, breed,
// sex) to `label`, one at a time: a null field ends the caller with the conversion error and
// leaves the lines before it shown.
void AddAnimalDetailLines(TspSkinTextLabel& label, const TTableCursor& cursor);
// Appends one line to a details label.
void AddDetailLine(TspSkinTextLabel& label, const QString& line);

class TBrowsePage {
public:
  TBrowsePage(TfrmMain& form, TspSkinTabSheet* sheet);

  // The search; the Profile page's "View" runs it too.
  void btnBrowseSearchClick();
  // Key release in the search text: Enter (key code 13) searches.
  void edtBrowseSearchKeyUp(int key);
  // A change of the field selector's text searches.
  void cbxBrowseFieldChange();
  // Shows the selected animal.
  void lbxBrowseResultsListBoxClick();
  // Opens the animal page for the animal whose details are shown.
  void btnBrowseAdoptClick();

  TspSkinStdLabel* lblBrowseHeader = nullptr;
  TspSkinPanel* pnlBrowse = nullptr;
  TImage* imgBrowseSearch = nullptr;
  TspSkinComboBox* cbxBrowseField = nullptr;
  TspSkinEdit* edtBrowseSearch = nullptr;
  TspSkinComboBox* cbxBrowseSearch = nullptr;
  TspSkinButton* btnBrowseSearch = nullptr;
  TspSkinListBox* lbxBrowseResults = nullptr;
  TspSkinStdLabel* lblBrowseNoResults = nullptr;
  TspSkinPanel* pnlBrowseResults = nullptr;
  TImage* imgBrowseResults = nullptr;
  TspSkinTextLabel* lblBrowseResults = nullptr;
  TspSkinButton* btnBrowseAdopt = nullptr;

private:
  // Steps 3 to 5 of the search: the names of the matching rows into the results list.
  void FillResults();

  TfrmMain& FForm;
  // The key of the animal whose details are shown; invalid while none is.
  QVariant FShownAnimal;
};
