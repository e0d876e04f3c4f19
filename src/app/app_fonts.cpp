#include "app/app_fonts.h"

#include "skin/controls/skin_fonts.h"

#include <QFontDatabase>
#include <QStringList>

void RegisterAppFonts() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterSkinFonts();
  // The first installed face of each list stands in; Liberation Sans is always there.
  QFont::insertSubstitutions(
      QString::fromLatin1(kSegoeUI),
      {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans")});
  QFont::insertSubstitutions(
      QString::fromLatin1(kSegoeUILight),
      {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans")});
}

QFont AppFont(const char* family, int pixelSize, bool bold) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}
