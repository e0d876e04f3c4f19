#include "app/app_fonts.h"

#include "skin/controls/skin_fonts.h"

#include <QFontDatabase>

namespace {
// Liberation Sans (installed by the setup) has the Segoe faces' height; narrowed to 94 per
// cent it has their width, so "ERROR" in 47 pixels fits the banner's 161-pixel label.
constexpr int kSegoeStretch = 94;
const char* const kSegoeStandIn = "Liberation Sans";
} // namespace

void RegisterAppFonts() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterSkinFonts();
  QFont::insertSubstitution(QString::fromLatin1(kSegoeUI), QString::fromLatin1(kSegoeStandIn));
  QFont::insertSubstitution(QString::fromLatin1(kSegoeUILight), QString::fromLatin1(kSegoeStandIn));
}

QFont AppFont(const char* family, int pixelSize, bool bold) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixelSize);
  if (bold)
    font.setBold(true);
  else if (qstrcmp(family, kSegoeUILight) == 0)
    font.setWeight(QFont::Light);
  if (qstrcmp(family, kSegoeUI) == 0 || qstrcmp(family, kSegoeUILight) == 0)
    font.setStretch(kSegoeStretch);
  return font;
}
