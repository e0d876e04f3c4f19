#pragma once
// The skins a gallery window can show: the four built-in ones, no skin at all, and one
// package opened from disk. Switching goes through the skin data object, so every form
// hears the same skin messages the application's forms hear.

#include "skin/data/skin_data.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class TspCompressedSkinList;
class TspCompressedStoredSkin;

class TGallerySkins : public QObject {
  Q_OBJECT
public:
  // `form` owns the skin data object, so it may hear the skin messages first. Loads the
  // first built-in skin.
  explicit TGallerySkins(QWidget* form);
  ~TGallerySkins() override;

  TspSkinData* SkinData() const { return FSkinData; }

  // The choices in list order: the built-in skins by name, "No skin", then the opened
  // package's file name once one was opened.
  QStringList Choices() const;
  int BuiltinCount() const;
  int NoSkinChoice() const { return BuiltinCount(); }
  int OpenedChoice() const { return FOpened ? BuiltinCount() + 1 : -1; }
  int Current() const { return FCurrent; }
  // The name a screenshot of the choice is saved under ("sknBlue", ..., "noskin").
  QString FileTag(int choice) const;

  // Shows a choice; out-of-range choices are ignored. A built-in skin that fails to load
  // (it cannot, short of memory) leaves the gallery unskinned.
  void Select(int choice);

  // Opens a package file and shows it. On failure returns false with `error` set and shows
  // the skin that was shown before, so nothing is lost.
  bool OpenPackageFile(const QString& path, QString* error);

  // Called after every change of the current choice.
  std::function<void(int)> OnChanged;

private:
  void ClearToNoSkin();
  void LoadStored(TspCompressedStoredSkin* stored);

  QPointer<TspSkinData> FSkinData;
  TspCompressedSkinList* FList = nullptr;
  TspCompressedStoredSkin* FOpened = nullptr;
  QString FOpenedName;
  int FCurrent = 0;
};
