// skintool pack: a package built from a description and the bitmaps beside it.

#include "commands.h"
#include "skin/data/stored_skin.h"

#include <QFile>
#include <QSaveFile>

int RunPack(const QStringList& args) {
  const QString description = args[0];
  if (!QFile::exists(description))
    throw ToolError(QStringLiteral("no such file: %1").arg(description).toStdString());
  TspCompressedStoredSkin stored;
  stored.ImportDescription(description);
  if (stored.IsEmpty())
    throw ToolError(QStringLiteral("%1 lacks one of the sections VERSION, PICTURES, FORMINFO, "
                                   "SKINOBJECTS, SKINCONTROLS")
                        .arg(description)
                        .toStdString());
  // Written whole or not at all, so a failed run never leaves half a package.
  QSaveFile out(args[1]);
  if (!out.open(QIODevice::WriteOnly))
    throw ToolError(
        QStringLiteral("cannot write %1: %2").arg(args[1], out.errorString()).toStdString());
  stored.SaveToPackageStream(out);
  if (!out.commit())
    throw ToolError(
        QStringLiteral("cannot write %1: %2").arg(args[1], out.errorString()).toStdString());
  return 0;
}
