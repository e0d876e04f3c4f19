#include "skin/controls/skin_fonts.h"

#include <QDir>
#include <QFontDatabase>

bool RegisterSkinFonts() {
  static const bool available = [] {
    // Only the regular face: the free bold face draws hairline strokes at small sizes and
    // spaces a slash as if a blank followed it, while the emboldened regular face reads as
    // bold.
    const QDir dir(QStringLiteral("/usr/share/wine/fonts"));
    for (const QString& name :
         dir.entryList({QStringLiteral("tahoma.ttf"), QStringLiteral("Tahoma.ttf")}, QDir::Files))
      QFontDatabase::addApplicationFont(dir.filePath(name));
    return QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive);
  }();
  return available;
}
