#pragma once
// The Edit page, shown without a tab: the account's own row of Users edited in place. It
// never shows or re-stores the stored password hash: the password edit starts with a
// placeholder that Apply takes for "unchanged", and a password typed there is hashed.

#include <array>

class TfrmMain;
class TImage;
class TShape;
class TTableCursor;
class TspSkinButton;
class TspSkinComboBox;
class TspSkinCustomEdit;
class TspSkinEdit;
class TspSkinMaskEdit;
class TspSkinPanel;
class TspSkinPasswordEdit;
class TspSkinStdLabel;
class TspSkinTabSheet;

class TEditPage {
public:
  TEditPage(TfrmMain& form, TspSkinTabSheet* sheet);

  // Fills the fields from the cursor's current row (the account's) and selects the picture
  // "Default". A null field ends the filling with the conversion error, the fields before it
  // filled.
  void LoadAccount(const TTableCursor& users);

  // "Apply": every field filled, the account still there and its new name nobody else's;
  // then the row is stored and the Profile page shows it.
  void btnEditApplyClick();
  // "Back": the six edits emptied and the Profile page shown; nothing is stored.
  void btnEditBackClick();
  // Key release in the e-mail field recolours its indicator; Enter means nothing more here.
  void edtEditEmailKeyUp(int key);

  // Whether the password edit still holds the placeholder LoadAccount put there.
  bool PasswordUnchanged() const { return FPasswordUnchanged; }

  TspSkinStdLabel* lblEditHeader = nullptr;
  TspSkinPanel* pnlEditAlign = nullptr;
  TImage* imgEdit = nullptr;
  TspSkinComboBox* cbxEditPicture = nullptr;
  TspSkinEdit* edtEditUsername = nullptr;
  TspSkinPasswordEdit* edtEditPassword = nullptr;
  TspSkinEdit* edtEditFullName = nullptr;
  TspSkinEdit* edtEditEmail = nullptr;
  TShape* shpEditEmail = nullptr;
  TspSkinMaskEdit* edtEditPhone = nullptr;
  TspSkinEdit* edtEditAddress = nullptr;
  TspSkinButton* btnEditBack = nullptr;
  TspSkinButton* btnEditApply = nullptr;

private:
  // The edits that type in an inner line edit (all but the password edit).
  std::array<TspSkinCustomEdit*, 5> TextFields() const;

  TfrmMain& FForm;
  // Set when the placeholder goes in, cleared by any change of the password edit after it.
  bool FPasswordUnchanged = false;
};
