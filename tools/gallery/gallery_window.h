#pragma once
// The gallery window: every skinned control in each of its states, a list of skins to
// switch between at run time and a button to open a skin package from disk.

#include "gallery_context.h"

#include <QImage>
#include <QWidget>

class QListWidget;
class TGallerySkins;
class TspVestimar;
class TspSkinButton;
class TspSkinTextLabel;

class TGalleryWindow : public QWidget {
  Q_OBJECT
public:
  static constexpr int kWidth = 970;
  static constexpr int kHeight = 671;

  explicit TGalleryWindow(QWidget* parent = nullptr);
  ~TGalleryWindow() override;

  TGallerySkins& Skins() const { return *FSkins; }
  // Shows a skin choice of Skins() and marks it in the list.
  void SelectSkin(int choice);
  // Asks for a package file and opens it.
  void OpenPackage();
  // Opens a package file; a failure is shown in a message box and the skin shown before
  // stays.
  bool OpenPackageFile(const QString& path);
  // Hover and focus looks of the demonstration controls, again (pictures take them).
  void RestoreForcedStates();
  // The controls come on sheets that the side bar switches between.
  static constexpr int kSheetCount = 3;
  int Sheet() const { return FSheet; }
  void ShowSheet(int sheet);

protected:
  void showEvent(QShowEvent* event) override;

private:
  void SkinChanged(int choice);
  void FillSkinList();

  TGalleryContext FContext;
  TGallerySkins* FSkins = nullptr;
  TspVestimar* FFrame = nullptr;
  QListWidget* FSkinList = nullptr;
  bool FShownOnce = false;
  TspSkinTextLabel* FSkinInfo = nullptr;
  QWidget* FSheets[kSheetCount] = {};
  TspSkinButton* FSheetButtons[kSheetCount] = {};
  int FSheet = 0;
};
