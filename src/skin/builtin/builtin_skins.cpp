#include "skin/builtin/builtin_skins.h"

#include "builtin_skin_packages.h"
#include "skin/data/skin_list.h"
#include "skin/render/skin_error.h"

#include <QBuffer>
#include <QByteArray>
#include <cstring>

namespace {

struct TItemText {
  const char* Name;
  const char* Description;
};

// The descriptions as the list has always carried them, the missing blank included.
constexpr TItemText kItems[] = {
    {"sknBlue", "Flat Blue Skin"},
    {"sknGreen", "Flat GreenSkin"},
    {"sknOrange", "Flat Orange Skin"},
    {"sknPurple", "Flat Purple Skin"},
};

const TspEmbeddedSkinPackage& PackageNamed(const char* name) {
  for (const TspEmbeddedSkinPackage& p : EmbeddedSkinPackages())
    if (std::strcmp(p.Name, name) == 0) return p;
  throw ESkinError(std::string("built-in skin package missing: ") + name);
}

} // namespace

TspCompressedSkinList* CreateBuiltinSkinList(QObject* owner) {
  auto* list = new TspCompressedSkinList(owner);
  list->setObjectName(QStringLiteral("spSkinList"));
  try {
    for (const TItemText& text : kItems) {
      const TspEmbeddedSkinPackage& package = PackageNamed(text.Name);
      TspSkinListItem& item = list->Skins().Add();
      item.SetName(QString::fromLatin1(text.Name));
      item.SetDescription(QString::fromLatin1(text.Description));
      // The bytes live in the program image; the buffer only reads them.
      const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(package.Data),
                                                       qsizetype(package.Size));
      QBuffer buffer;
      buffer.setData(bytes);
      buffer.open(QIODevice::ReadOnly);
      item.StoredSkin().LoadFromPackageStream(buffer);
    }
  } catch (...) {
    delete list; // never leave a half-filled list behind, with or without an owner
    throw;
  }
  return list;
}
