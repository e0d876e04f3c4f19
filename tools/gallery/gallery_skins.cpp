#include "gallery_skins.h"

#include "skin/builtin/builtin_skins.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "skin/data/skin_messages.h"
#include "skin/data/stored_skin.h"

#include <QFileInfo>
#include <QWidget>
#include <exception>
#include <memory>

TGallerySkins::TGallerySkins(QWidget* form) : QObject(form) {
  FSkinData = new TspSkinData(form);
  FList = CreateBuiltinSkinList(this);
  FSkinData->SetSkinIndex(0);
  FSkinData->SetSkinList(FList);
}

TGallerySkins::~TGallerySkins() = default;

int TGallerySkins::BuiltinCount() const {
  return FList->Skins().Count();
}

QStringList TGallerySkins::Choices() const {
  QStringList names;
  for (int i = 0; i < BuiltinCount(); ++i) names << FList->Skins()[i].Name();
  names << tr("No skin");
  if (FOpened) names << FOpenedName;
  return names;
}

QString TGallerySkins::FileTag(int choice) const {
  if (choice >= 0 && choice < BuiltinCount()) return FList->Skins()[choice].Name();
  if (choice == NoSkinChoice()) return QStringLiteral("noskin");
  if (choice == OpenedChoice()) return QFileInfo(FOpenedName).completeBaseName();
  return {};
}

void TGallerySkins::LoadStored(TspCompressedStoredSkin* stored) {
  FSkinData->LoadCompressedStoredSkin(stored);
}

void TGallerySkins::ClearToNoSkin() {
  // The same messages a load sends, around a skin that is left empty: controls drop their
  // records first and then look them up again, finding none.
  FSkinData->BroadcastSkinMessage(SkinMsgBeforeChange);
  FSkinData->ClearSkin();
  FSkinData->BroadcastSkinMessage(SkinMsgChange);
  FSkinData->BroadcastSkinMessage(SkinMsgAfterChange);
}

void TGallerySkins::Select(int choice) {
  if (!FSkinData || choice < 0 || choice >= Choices().size()) return;
  try {
    if (choice < BuiltinCount()) {
      // SetSkinIndex loads only when the index changes; a return from no skin or from an
      // opened package to the same index loads the item itself.
      if (FSkinData->SkinIndex() != choice)
        FSkinData->SetSkinIndex(choice);
      else
        LoadStored(&FList->Skins()[choice].StoredSkin());
    } else if (choice == NoSkinChoice()) {
      ClearToNoSkin();
    } else {
      LoadStored(FOpened);
    }
  } catch (const std::exception&) {
    // Only a package that was read once already gets here; the skin data is left empty
    // and every control paints its plain look.
  }
  FCurrent = choice;
  if (OnChanged) OnChanged(FCurrent);
}

bool TGallerySkins::OpenPackageFile(const QString& path, QString* error) {
  const auto fail = [error](const QString& text) {
    if (error) *error = text;
    return false;
  };
  if (!FSkinData) return fail(tr("No skin data object."));
  auto fresh = std::make_unique<TspCompressedStoredSkin>();
  try {
    fresh->ImportPackageFile(path);
  } catch (const std::exception& e) {
    return fail(tr("Cannot read %1: %2").arg(path, QString::fromStdString(e.what())));
  }
  if (fresh->IsEmpty())
    return fail(tr("%1 holds no skin package of a version this program reads.").arg(path));

  // A payload of a newer version is skipped silently by the loader: only the load
  // callback tells that the skin was taken.
  bool loaded = false;
  auto previousCallback = std::move(FSkinData->OnLoadData);
  FSkinData->OnLoadData = [&loaded](TspSkinData*) { loaded = true; };
  QString failure;
  try {
    FSkinData->SetCompressedStoredSkin(fresh.get());
  } catch (const std::exception& e) {
    failure = QString::fromStdString(e.what());
  }
  FSkinData->OnLoadData = std::move(previousCallback);
  if (!failure.isEmpty() || !loaded) {
    // A picture or description that failed after the old skin was cleared leaves the
    // skin empty: bring back what was shown.
    if (FSkinData->IsEmpty() && FCurrent != NoSkinChoice()) Select(FCurrent);
    if (failure.isEmpty())
      return fail(tr("%1 holds a skin of a version this program does not read.").arg(path));
    return fail(tr("Cannot load the skin in %1: %2").arg(path, failure));
  }

  delete FOpened;
  FOpened = fresh.release();
  FOpened->setParent(this);
  FOpenedName = QFileInfo(path).fileName();
  FCurrent = OpenedChoice();
  if (OnChanged) OnChanged(FCurrent);
  return true;
}
