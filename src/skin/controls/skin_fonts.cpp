#include "skin/controls/skin_fonts.h"

#include <QDir>
#include <QFontDatabase>

bool RegisterSkinFonts() {
  static const bool available = [] {
    const QDir dir(QStringLiteral("/usr/share/wine/fonts"));
    for (const QString& name :
         dir.entryList({QStringLiteral("tahoma*.ttf"), QStringLiteral("Tahoma*.ttf")}, QDir::Files))
      QFontDatabase::addApplicationFont(dir.filePath(name));
    return QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive);
  }();
  return available;
}
