// skintool builtin: one of the application's built-in packages, written to a file.

#include "commands.h"
#include "skin/builtin/builtin_skins.h"
#include "skin/data/skin_list.h"

#include <QSaveFile>
#include <memory>

int RunBuiltin(const QStringList& args) {
  const std::unique_ptr<TspCompressedSkinList> list(CreateBuiltinSkinList(nullptr));
  const TspSkinListItems& items = list->Skins();
  QStringList names;
  for (int i = 0; i < items.Count(); ++i) {
    if (items[i].Name() != args[0]) {
      names << items[i].Name();
      continue;
    }
    QSaveFile out(args[1]);
    if (!out.open(QIODevice::WriteOnly))
      throw ToolError(
          QStringLiteral("cannot write %1: %2").arg(args[1], out.errorString()).toStdString());
    items[i].StoredSkin().SaveToPackageStream(out);
    if (!out.commit())
      throw ToolError(
          QStringLiteral("cannot write %1: %2").arg(args[1], out.errorString()).toStdString());
    return 0;
  }
  throw ToolError(QStringLiteral("no built-in skin \"%1\" (there are: %2)")
                      .arg(args[0], names.join(QStringLiteral(", ")))
                      .toStdString());
}
