#pragma once
// The Profile page, home of every logged-in user: the account's details and picture (filled
// by the login), the featured animal drawn at start-up, "Adopt A Pet", "Donate" and "Edit
// Profile Details". "View" comes with browsing.

#include <QImage>

class TfrmMain;
class TImage;
class TTableCursor;
class TspSkinButton;
class TspSkinPanel;
class TspSkinStdLabel;
class TspSkinTabSheet;

// The picture the profile shows until the login loads a role or own picture: a head and
// shoulders on a soft disc, transparent around it.
QImage BuiltInProfilePicture();

class TProfilePage {
public:
  TProfilePage(TfrmMain& form, TspSkinTabSheet* sheet);

  // "Adopt A Pet": Animals reopened, the Browse page shown.
  void btnProfileAdoptClick();
  // "View": the featured animal's name searched for on the Browse page, by AnimalName and
  // with whatever kind the user last chose.
  void btnProfileAdoptFeaturedClick();
  // "Donate": the donation page in the browser.
  void btnProfileDonateClick();
  // "Edit Profile Details": the Edit page filled from the account's row. When that row is
  // gone (deleted on the Admin page) code 491 is reported and nothing changes.
  void btnProfileEditClick();

  // The account's details from the cursor's current row into the labels; a null field ends
  // this with the conversion error.
  void ShowAccountDetails(const TTableCursor& users);

  TspSkinStdLabel* lblProfileHeader = nullptr;
  TspSkinPanel* pnlProfileAlign = nullptr;
  TImage* imgProfilePic = nullptr;
  TspSkinStdLabel* lblProfileName = nullptr;
  TspSkinStdLabel* lblProfileEmail = nullptr;
  TspSkinStdLabel* lblProfileTelephone = nullptr;
  TspSkinStdLabel* lblProfileHomeAddress = nullptr;
  TspSkinButton* btnProfileDonate = nullptr;
  TspSkinButton* btnProfileAdopt = nullptr;
  TspSkinButton* btnProfileEdit = nullptr;
  // The featured animal.
  TspSkinPanel* pnlProfileFeatured = nullptr;
  TspSkinStdLabel* lblProfileFeature = nullptr;
  TImage* imgProfileFeature = nullptr;
  TspSkinStdLabel* lblProfileFeatureName = nullptr;
  TspSkinStdLabel* lblAdoptType = nullptr;
  TspSkinButton* btnProfileAdoptFeatured = nullptr;

private:
  TfrmMain& FForm;
};
